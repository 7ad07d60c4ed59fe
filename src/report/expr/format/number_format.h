#pragma once
// Numbers as text by the locale in force (format_settings.h): the number
// formats of user functions, the picture mask, the plain text form of reals,
// and the reading of numbers from text.

#include <QString>
#include <QStringView>
#include <QtGlobal>

namespace dorvana {

// The number formats of a user function, by their stored codes.
enum class NumberFormat {
    General = 0,      // shortest form, fixed or scientific
    Exponential = 1,  // d.dddE+xx
    Fixed = 2,        // fixed decimals
    Number = 3,       // fixed decimals with thousands separators
    Currency = 4,     // the locale's currency form
    Mask = 5,         // the picture mask
};

// Formats a real in one of the formats 0..4 (Mask is formatted as General):
// `precision` significant digits (1..18), `digits` decimal places for Fixed,
// Number and Currency (0..18) or the least number of exponent digits for
// General and Exponential (0..4); values outside are clamped. NaN and the
// infinities give "NAN", "INF" and "-INF".
QString formatFloat(double value, NumberFormat format, int precision, int digits);

// Formats a real with a picture mask: "0" a digit (0 where the number has
// none), "#" a digit when present, "." the decimal separator, "," thousands
// separators, "E+" "E-" "e+" "e-" scientific notation with the exponent digits
// given by the zeros after it, text in double or single quotes copied, ";"
// separating the sections for positive, negative and zero values; any other
// character is copied. An empty mask (or empty chosen section) gives the
// general form.
QString formatMask(double value, QStringView mask);

// The plain text form of a real: the general format with 15 significant digits.
QString realText(double value);

// A text read as a real: blanks around it, an optional sign, digits with the
// locale's decimal separator (or "." where that is not the locale's thousands
// separator), an optional exponent. False for anything else, also for values
// beyond the range of a double.
bool parseReal(QStringView text, double* value);

// A text read as a decimal 32-bit integer (blanks around it and a sign
// allowed). False when it is not one or does not fit.
bool parseInteger(QStringView text, qint32* value);

}  // namespace dorvana
