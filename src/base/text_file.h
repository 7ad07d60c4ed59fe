#pragma once
// Line lists of the system's text files (templates, corrections, filters, ini
// files): Windows-1250 with CR LF, read leniently, written safely.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

#include "base/code_page.h"

namespace dorvana {

// Splits text into lines. CR LF ends a line, and so does a lone LF or CR
// (files edited elsewhere). A line end at the very end starts no empty line.
QStringList splitLines(QStringView text);

// Joins lines, each followed by CR LF.
QString joinLines(const QStringList& lines);

// Reads a whole text file into lines (decodeSystemText: UTF-8 with a BOM,
// Windows-1250 otherwise). On failure returns false with a Czech message.
bool readTextLines(const QString& path, QStringList* lines, QString* error = nullptr);

// Writes lines with CR LF in the code page through a temporary file and a
// rename, so that a failed write leaves the old file as it was. Characters the
// code page lacks become '?'.
bool writeTextLines(const QString& path, const QStringList& lines, QString* error = nullptr,
                    CodePage page = CodePage::Windows1250);

// Reads or writes a whole file; the write goes through a temporary file and a rename.
bool readFileBytes(const QString& path, QByteArray* bytes, QString* error = nullptr);
bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr);

}  // namespace dorvana
