#include "report/expr/format/format_settings.h"

#include <optional>

namespace dorvana {

namespace {

std::optional<FormatSettings>& pinned() {
    static std::optional<FormatSettings> settings;
    return settings;
}

bool isQtPatternLetter(QChar c) {
    return QStringLiteral("dMyHhmsztAaP").contains(c);
}

// The first character of a Qt date or time format that is neither a pattern
// letter nor a blank: the separator between its fields.
QChar separatorOf(const QString& qtFormat, QChar fallback) {
    bool quoted = false;
    for (QChar c : qtFormat) {
        if (c == QLatin1Char('\'')) quoted = !quoted;
        if (quoted || c == QLatin1Char('\'') || c.isSpace() || isQtPatternLetter(c)) continue;
        return c;
    }
    return fallback;
}

QString quoted(const QString& literal) {
    if (literal.isEmpty()) return {};
    if (literal.contains(QLatin1Char('"'))) return QLatin1Char('\'') + literal + QLatin1Char('\'');
    return QLatin1Char('"') + literal + QLatin1Char('"');
}

// Translates a Qt date or time format into our date-time pattern language.
// A two-digit year becomes a four-digit one, so that a date printed in the
// short form reads back as the same date; time zones and milliseconds are
// left out. `separator` is the locale's date or time separator, written as
// "/" or ":" (given in `separatorToken`) in the pattern.
QString patternFromQt(const QString& qt, QChar separator, QChar separatorToken) {
    QString out;
    QString literal;
    auto flushLiteral = [&] {
        out += quoted(literal);
        literal.clear();
    };
    for (qsizetype i = 0; i < qt.size();) {
        const QChar c = qt[i];
        if (c == QLatin1Char('\'')) {
            // Quoted text; '' inside stands for one apostrophe.
            qsizetype j = i + 1;
            while (j < qt.size()) {
                if (qt[j] == QLatin1Char('\'')) {
                    if (j + 1 < qt.size() && qt[j + 1] == QLatin1Char('\'')) {
                        literal += QLatin1Char('\'');
                        j += 2;
                        continue;
                    }
                    break;
                }
                literal += qt[j++];
            }
            i = j + 1;
            continue;
        }
        qsizetype n = 1;
        while (i + n < qt.size() && qt[i + n] == c) ++n;
        QString token;
        switch (c.unicode()) {
            case 'd':
                token = QString(std::min<qsizetype>(n, 4), QLatin1Char('d'));
                break;
            case 'M':
                token = QString(std::min<qsizetype>(n, 4), QLatin1Char('m'));
                break;
            case 'y':
                token = QStringLiteral("yyyy");
                break;
            case 'h':
            case 'H':
                token = n >= 2 ? QStringLiteral("hh") : QStringLiteral("h");
                break;
            case 'm':
                token = n >= 2 ? QStringLiteral("nn") : QStringLiteral("n");
                break;
            case 's':
                token = n >= 2 ? QStringLiteral("ss") : QStringLiteral("s");
                break;
            case 'A':
            case 'a':
                if (i + 1 < qt.size() &&
                    (qt[i + 1] == QLatin1Char('P') || qt[i + 1] == QLatin1Char('p')))
                    n = 2;
                token = QStringLiteral("ampm");
                break;
            case 'z':
            case 't':
                // Milliseconds and time zones are not shown; nor is the
                // separator that led to them.
                literal.clear();
                while (!out.isEmpty() && QStringLiteral(" .,").contains(out.back())) out.chop(1);
                i += n;
                continue;
            default:
                break;
        }
        if (!token.isEmpty()) {
            flushLiteral();
            out += token;
            i += n;
            continue;
        }
        if (c == separator) {
            flushLiteral();
            out += separatorToken;
        } else if (c.isLetter() || c == QLatin1Char('/') || c == QLatin1Char(':') ||
                   c == QLatin1Char('"')) {
            literal += c;
        } else {
            flushLiteral();
            out += c;
        }
        ++i;
    }
    flushLiteral();
    return out.trimmed();
}

// "%1" placed where the locale's currency form puts the amount.
QString currencyForm(const QLocale& locale, double probe) {
    const QString text = locale.toCurrencyString(probe, locale.currencySymbol(), 0);
    const QString amount = locale.toString(std::abs(probe), 'f', 0);
    const qsizetype at = text.indexOf(amount);
    if (at < 0) return {};
    return text.left(at) + QStringLiteral("%1") + text.mid(at + amount.size());
}

}  // namespace

FormatSettings FormatSettings::fromLocale(const QLocale& requested) {
    QLocale locale = requested;
    if (locale.language() == QLocale::C) locale = QLocale(QLocale::Czech, QLocale::Czechia);
    FormatSettings s;
    s.locale = locale;
    s.decimalSeparator = locale.decimalPoint().isEmpty() ? QChar('.') : locale.decimalPoint()[0];
    s.thousandsSeparator = locale.groupSeparator();
    s.currencySymbol = locale.currencySymbol();
    s.currencyPositive = currencyForm(locale, 1234.0);
    s.currencyNegative = currencyForm(locale, -1234.0);
    if (s.currencyPositive.isEmpty()) s.currencyPositive = QStringLiteral("%1 ") + s.currencySymbol;
    if (s.currencyNegative.isEmpty()) s.currencyNegative = QStringLiteral("-") + s.currencyPositive;

    const QString qtShortDate = locale.dateFormat(QLocale::ShortFormat);
    const QString qtShortTime = locale.timeFormat(QLocale::ShortFormat);
    const QString qtLongTime = locale.timeFormat(QLocale::LongFormat);
    s.dateSeparator = separatorOf(qtShortDate, QLatin1Char('.'));
    s.timeSeparator = separatorOf(qtLongTime, QLatin1Char(':'));
    s.shortDatePattern = patternFromQt(qtShortDate, s.dateSeparator, QLatin1Char('/'));
    s.shortTimePattern = patternFromQt(qtShortTime, s.timeSeparator, QLatin1Char(':'));
    s.longTimePattern = patternFromQt(qtLongTime, s.timeSeparator, QLatin1Char(':'));
    s.amText = locale.amText();
    s.pmText = locale.pmText();
    s.collator = QCollator(locale);
    s.collator.setCaseSensitivity(Qt::CaseSensitive);
    return s;
}

const FormatSettings& formatSettings() {
    auto& settings = pinned();
    if (!settings) settings = FormatSettings::fromLocale(QLocale::system());
    return *settings;
}

void setFormatLocale(const QLocale& locale) {
    pinned() = FormatSettings::fromLocale(locale);
}

void resetFormatLocale() {
    pinned().reset();
}

}  // namespace dorvana
