#pragma once
// The locale data that number and date formatting use: separators, currency
// form, short date and time patterns, day and month names. They come from
// the system's locale (CLDR data through QLocale); a C or POSIX locale counts
// as Czech. Tests pin the locale with setFormatLocale().

#include <QChar>
#include <QCollator>
#include <QLocale>
#include <QString>

namespace dorvana {

struct FormatSettings {
    QLocale locale;
    QChar decimalSeparator;
    QString thousandsSeparator;  // may be empty when the locale groups no digits
    QString currencySymbol;
    // The currency forms with "%1" standing for the formatted absolute amount,
    // e.g. "%1 Kč" and "-%1 Kč".
    QString currencyPositive;
    QString currencyNegative;
    QChar dateSeparator;
    QChar timeSeparator;
    // Patterns in the date-time pattern language of formatDateTime()
    // ("dd.mm.yyyy", "h:nn:ss").
    QString shortDatePattern;
    QString shortTimePattern;
    QString longTimePattern;
    QString amText;
    QString pmText;
    // The locale's order of texts, case-sensitive.
    QCollator collator;

    // The settings of a locale; a C/POSIX locale gives Czech (cs_CZ).
    static FormatSettings fromLocale(const QLocale& locale);
};

// The settings in force: the system's locale unless a test pinned another.
const FormatSettings& formatSettings();

// Pins the locale of every formatting routine (tests, or a user's choice).
void setFormatLocale(const QLocale& locale);
// Goes back to the system's locale.
void resetFormatLocale();

}  // namespace dorvana
