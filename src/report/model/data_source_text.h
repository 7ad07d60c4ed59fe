#pragma once
// Texts of a template's data source: the sort list and the SQL lines.

#include <QString>

namespace dorvana {

// The ORDER BY text of a sort list: "+cislo,-nazev1" gives " cislo, nazev1 DESC".
// Only the leading sign of an entry is replaced by a blank; an entry without
// a sign sorts ascending.
QString orderByText(const QString& sortList);

// The sort list of a file older than version 1.4 with "+" put in front of
// every entry that has no sign.
QString withSortPrefixes(const QString& sortList);

// The SQL line as an I,5 line stores it (double quotes as tildes) and back.
QString sqlLineToTemplate(QString line);
QString sqlLineFromTemplate(QString stored);

}  // namespace dorvana
