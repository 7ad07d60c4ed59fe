#pragma once
// The texts of numbers and date-times that tagged values and the built-in
// functions use, in the system's locale (thin calls into the formatting
// library, in one place).

#include <QString>

namespace dorvana::value_text {

// General text of a real: up to 15 significant digits, the locale's
// decimal separator.
QString fromReal(double v);
// A number written in the system's number format; false when unreadable.
bool toReal(const QString& text, double* out);
// Short date, plus the time when the time of day is not midnight.
QString fromDays(double days);
// A date, or a date and a time, in the system's short formats; false when
// unreadable.
bool toDays(const QString& text, double* days);
// STRTODATE and STRTODATIM.
bool dateToDays(const QString& text, double* days);
bool dateTimeToDays(const QString& text, double* days);
// FDATETIME: a date-time in the pattern language of the number formats.
bool formatDays(const QString& pattern, double days, QString* out);
QString upper(const QString& text);
QString lower(const QString& text);
// Order of two texts, case-sensitive, in the locale's collation; 0 only when
// they are equal.
int compare(const QString& a, const QString& b);
// STRTOINT: a decimal 32-bit integer, blanks around it allowed.
bool toInteger(const QString& text, qint32* out);

}  // namespace dorvana::value_text
