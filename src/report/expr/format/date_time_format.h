#pragma once
// Date-times as text by the locale in force (format_settings.h). A date-time
// is a real number of days since 1899-12-30: the integer part the date, the
// fraction the time of day (before that day the fraction still counts forward
// from midnight, so -1.25 is 1899-12-29 06:00). Years 1 to 9999 are handled.
//
// The pattern language (letters in either case):
//   d dd        day of month without / with a leading zero
//   ddd dddd    short / long day name
//   m mm        month number without / with a leading zero
//   mmm mmmm    short / long month name
//   yy yyyy     two-digit / four-digit year
//   h hh        hour (12-hour clock when an am/pm marker is present)
//   n nn        minute,   s ss   second
//   am/pm a/p   "am"/"pm" or "a"/"p", upper case when written so
//   ampm        the locale's texts for before and after noon
//   /  :        the locale's date and time separators
//   "x" 'x'     text copied
// Any other character is copied. Month names take the form that goes with a
// day number where the pattern has one ("10 prosince"), else the standalone
// form ("prosinec 2026").

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringView>
#include <QTime>

namespace dorvana {

// Splits days into a date and a time of day (rounded to the millisecond).
// False when the days are not finite or the date lies outside years 1..9999.
bool splitDays(double days, QDate* date, QTime* time);
// Days of a date and a time of day.
double daysOf(const QDate& date, const QTime& time = QTime(0, 0));

// Formats days with a pattern; an empty pattern gives dateTimeText(). On a
// date out of range gives the empty text and *ok = false.
QString formatDateTime(QStringView pattern, double days, bool* ok = nullptr);

// The locale's short date form ("10.12.2026"), long time form ("14:30:05"),
// and the general text form of a date-time: the short date, followed by a
// blank and the long time unless the time is exactly midnight.
QString shortDateText(double days, bool* ok = nullptr);
QString longTimeText(double days, bool* ok = nullptr);
QString dateTimeText(double days, bool* ok = nullptr);

// Reads a date in the order of the locale's short date form: day, month and
// year separated by the date separator (or ".", "/", "-"), blanks allowed
// around them; without a year the current one; a one- or two-digit year falls
// within 50 years before and 49 after the current year; a first number of
// three or more digits is the year (2026-12-10). False when the text is not
// a valid date.
bool parseDate(QStringView text, double* days);
// Reads a date followed by an optional time (hour, minutes, optional seconds
// and milliseconds, optional am/pm marker), or a time alone (on day 0).
bool parseDateTime(QStringView text, double* days);

// The same for QDateTime (its date and time of day as they stand, the time
// zone aside).
QString formatDateTime(QStringView pattern, const QDateTime& when, bool* ok = nullptr);
QString dateTimeText(const QDateTime& when, bool* ok = nullptr);
bool parseDate(QStringView text, QDateTime* when);
bool parseDateTime(QStringView text, QDateTime* when);

}  // namespace dorvana
