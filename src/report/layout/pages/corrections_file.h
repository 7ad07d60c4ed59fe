#pragma once
// The corrections file of a report: Windows-1250 text, one line per record
//   <page>,<element>,<X>,<Y>,<W>,<H>,"<text>",<alignment>,"<font name>",<size>,
//   <colour>,<style>,<charset>,"<screen font>","<barcode>",<rotation>
// (one line in the file). A memo record has "@Memo@" + the number of its
// lines as its text, and that many whole lines follow it.

#include <QString>
#include <QStringList>

#include "report/layout/pages/corrections.h"

namespace dorvana {

// Reads correction records from the lines of a corrections file into list
// (records with a key already in the list replace it). A malformed line (a
// bad number, a memo line count that is not one, a colour outside 0..15, a
// rotation outside 0..3) stops the reading there: the records read so far
// stay, and the returned warning names the line. Empty when all was well.
// A missing charset token gives defaultCharset.
QString readCorrections(const QStringList& lines, TListEdit* list, int defaultCharset = 238);

// Loads the corrections file at path. A missing file gives no records and no
// warning; a file that exists but cannot be read gives no records and a
// warning; otherwise as readCorrections, with the file named in the warning.
QString loadCorrections(const QString& path, TListEdit* list, int defaultCharset = 238);

// The file lines of the records, in list order. Characters that would break
// the layout are replaced: a double quote in a quoted field by a right double
// quotation mark, a line break in a text by a blank, the last "@" of a
// single-line text beginning with "@Memo@" by a blank; a memo line holding
// line breaks becomes several lines.
QStringList correctionLines(const TListEdit& list);

// Writes the corrections file (through a temporary file, so a failed write
// keeps the old one), but only when the list has at least one record; an
// empty list leaves the file as it is. False with a Czech message on failure.
bool saveCorrections(const QString& path, const TListEdit& list, QString* error = nullptr);

}  // namespace dorvana
