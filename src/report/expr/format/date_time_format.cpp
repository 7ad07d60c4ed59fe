#include "report/expr/format/date_time_format.h"

#include <QList>
#include <cmath>

#include "report/expr/format/format_settings.h"

namespace dorvana {

namespace {

constexpr qint64 kEpochJulianDay = 2415019;  // 1899-12-30
constexpr qint64 kMsPerDay = 86400000;

struct Token {
    enum Kind { Literal, Day, Month, Year, Hour, Minute, Second, AmPm, DateSep, TimeSep };
    Kind kind = Literal;
    int width = 0;  // letters of a field; for AmPm: 0 "ampm", 1 "a/p", 2 "am/pm"
    bool upper = false;
    QString text;  // for Literal
};

bool startsWithIgnoringCase(QStringView text, qsizetype at, QLatin1StringView what) {
    return text.mid(at, what.size()).compare(what, Qt::CaseInsensitive) == 0 &&
           text.size() - at >= what.size();
}

QList<Token> tokenize(QStringView pattern) {
    QList<Token> tokens;
    auto literal = [&](const QString& text) {
        if (!tokens.isEmpty() && tokens.back().kind == Token::Literal) {
            tokens.back().text += text;
        } else {
            Token t;
            t.text = text;
            tokens.append(t);
        }
    };
    auto field = [&](Token::Kind kind, int width) {
        Token t;
        t.kind = kind;
        t.width = width;
        tokens.append(t);
    };
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern[i];
        const char16_t lc = c.toLower().unicode();
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            const qsizetype close = pattern.indexOf(c, i + 1);
            const qsizetype end = close < 0 ? pattern.size() : close;
            literal(pattern.mid(i + 1, end - i - 1).toString());
            i = end + 1;
            continue;
        }
        if (lc == u'a') {
            static const QLatin1StringView markers[] = {
                QLatin1StringView("ampm"), QLatin1StringView("a/p"), QLatin1StringView("am/pm")};
            bool found = false;
            for (int w = 2; w >= 0 && !found; --w) {
                if (startsWithIgnoringCase(pattern, i, markers[w])) {
                    Token t;
                    t.kind = Token::AmPm;
                    t.width = w;
                    t.upper = c.isUpper();
                    tokens.append(t);
                    i += markers[w].size();
                    found = true;
                }
            }
            if (found) continue;
        }
        qsizetype n = 1;
        if (QStringLiteral("dmyhns").contains(QChar(lc)))
            while (i + n < pattern.size() && pattern[i + n].toLower().unicode() == lc) ++n;
        switch (lc) {
            case u'd':
            case u'm':
                for (qsizetype left = n; left > 0; left -= 4)
                    field(lc == u'd' ? Token::Day : Token::Month,
                          int(std::min<qsizetype>(left, 4)));
                break;
            case u'y':
                field(Token::Year, n <= 2 ? 2 : 4);
                break;
            case u'h':
                field(Token::Hour, n >= 2 ? 2 : 1);
                break;
            case u'n':
                field(Token::Minute, n >= 2 ? 2 : 1);
                break;
            case u's':
                field(Token::Second, n >= 2 ? 2 : 1);
                break;
            case u'/':
                field(Token::DateSep, 0);
                break;
            case u':':
                field(Token::TimeSep, 0);
                break;
            default:
                literal(QString(c));
                break;
        }
        i += n;
    }
    return tokens;
}

QString twoDigits(int v) {
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

}  // namespace

bool splitDays(double days, QDate* date, QTime* time) {
    if (!std::isfinite(days) || std::fabs(days) > 3.0e6) return false;
    const double whole = std::trunc(days);
    qint64 ms = std::llround(std::fabs(days - whole) * kMsPerDay);
    qint64 day = static_cast<qint64>(whole);
    if (ms >= kMsPerDay) {  // the fraction rounded up to the next midnight
        ms -= kMsPerDay;
        ++day;
    }
    const QDate d = QDate::fromJulianDay(kEpochJulianDay + day);
    if (!d.isValid() || d.year() < 1 || d.year() > 9999) return false;
    *date = d;
    *time = QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms));
    return true;
}

double daysOf(const QDate& date, const QTime& time) {
    const double day = static_cast<double>(date.toJulianDay() - kEpochJulianDay);
    const double fraction = (time.isValid() ? time.msecsSinceStartOfDay() : 0) / double(kMsPerDay);
    return day < 0 ? day - fraction : day + fraction;
}

QString formatDateTime(QStringView pattern, double days, bool* ok) {
    if (pattern.isEmpty()) return dateTimeText(days, ok);
    QDate date;
    QTime time;
    if (!splitDays(days, &date, &time)) {
        if (ok) *ok = false;
        return {};
    }
    if (ok) *ok = true;
    const FormatSettings& s = formatSettings();
    const QList<Token> tokens = tokenize(pattern);
    bool twelveHour = false;
    bool dayNumber = false;
    for (const Token& t : tokens) {
        if (t.kind == Token::AmPm) twelveHour = true;
        if (t.kind == Token::Day && t.width <= 2) dayNumber = true;
    }
    const bool pm = time.hour() >= 12;
    QString out;
    for (const Token& t : tokens) {
        switch (t.kind) {
            case Token::Literal:
                out += t.text;
                break;
            case Token::Day:
                if (t.width == 1) out += QString::number(date.day());
                if (t.width == 2) out += twoDigits(date.day());
                if (t.width == 3) out += s.locale.dayName(date.dayOfWeek(), QLocale::ShortFormat);
                if (t.width == 4) out += s.locale.dayName(date.dayOfWeek(), QLocale::LongFormat);
                break;
            case Token::Month: {
                const QLocale::FormatType form =
                    t.width == 3 ? QLocale::ShortFormat : QLocale::LongFormat;
                if (t.width == 1) out += QString::number(date.month());
                if (t.width == 2) out += twoDigits(date.month());
                if (t.width >= 3)
                    out += dayNumber ? s.locale.monthName(date.month(), form)
                                     : s.locale.standaloneMonthName(date.month(), form);
                break;
            }
            case Token::Year:
                out += t.width == 2
                           ? twoDigits(date.year() % 100)
                           : QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
                break;
            case Token::Hour: {
                int h = time.hour();
                if (twelveHour) h = h % 12 == 0 ? 12 : h % 12;
                out += t.width == 2 ? twoDigits(h) : QString::number(h);
                break;
            }
            case Token::Minute:
                out += t.width == 2 ? twoDigits(time.minute()) : QString::number(time.minute());
                break;
            case Token::Second:
                out += t.width == 2 ? twoDigits(time.second()) : QString::number(time.second());
                break;
            case Token::AmPm: {
                QString marker;
                if (t.width == 0) {
                    marker = pm ? s.pmText : s.amText;
                } else {
                    marker = t.width == 1
                                 ? QString(pm ? QStringLiteral("p") : QStringLiteral("a"))
                                 : QString(pm ? QStringLiteral("pm") : QStringLiteral("am"));
                    if (t.upper) marker = marker.toUpper();
                }
                out += marker;
                break;
            }
            case Token::DateSep:
                out += s.dateSeparator;
                break;
            case Token::TimeSep:
                out += s.timeSeparator;
                break;
        }
    }
    return out;
}

QString shortDateText(double days, bool* ok) {
    return formatDateTime(formatSettings().shortDatePattern, days, ok);
}

QString longTimeText(double days, bool* ok) {
    return formatDateTime(formatSettings().longTimePattern, days, ok);
}

QString dateTimeText(double days, bool* ok) {
    QDate date;
    QTime time;
    if (!splitDays(days, &date, &time)) {
        if (ok) *ok = false;
        return {};
    }
    QString text = shortDateText(days, ok);
    if (time.msecsSinceStartOfDay() != 0) text += QLatin1Char(' ') + longTimeText(days);
    return text;
}

// ---- reading ------------------------------------------------------------

namespace {

enum class DateOrder { DMY, MDY, YMD };

DateOrder dateOrder() {
    int day = -1, month = -1, year = -1, index = 0;
    for (const Token& t : tokenize(formatSettings().shortDatePattern)) {
        if (t.kind == Token::Day && t.width <= 2 && day < 0) day = index++;
        if (t.kind == Token::Month && t.width <= 2 && month < 0) month = index++;
        if (t.kind == Token::Year && year < 0) year = index++;
    }
    if (year == 0) return DateOrder::YMD;
    if (month >= 0 && day >= 0 && month < day) return DateOrder::MDY;
    return DateOrder::DMY;
}

class Reader {
public:
    explicit Reader(QStringView text) : t_(text) {}
    bool atEnd() const { return i_ >= t_.size(); }
    QChar peek() const { return atEnd() ? QChar() : t_[i_]; }
    void skipBlanks() {
        while (!atEnd() && t_[i_].isSpace()) ++i_;
    }
    // Up to maxDigits ASCII digits; false when there is none.
    bool number(int maxDigits, int* value, int* digits) {
        int v = 0, n = 0;
        while (!atEnd() && n < maxDigits && t_[i_] >= QLatin1Char('0') &&
               t_[i_] <= QLatin1Char('9')) {
            v = v * 10 + (t_[i_].unicode() - u'0');
            ++n;
            ++i_;
        }
        if (n == 0) return false;
        // A longer run of digits is not a field of a date or a time.
        if (!atEnd() && t_[i_].isDigit()) return false;
        *value = v;
        if (digits) *digits = n;
        return true;
    }
    bool take(QChar c) {
        if (peek() != c || c.isNull()) return false;
        ++i_;
        return true;
    }
    bool takeText(const QString& text) {
        if (text.isEmpty() || t_.mid(i_, text.size()).compare(text, Qt::CaseInsensitive) != 0 ||
            t_.size() - i_ < text.size())
            return false;
        i_ += text.size();
        return true;
    }
    qsizetype pos() const { return i_; }
    void setPos(qsizetype pos) { i_ = pos; }

private:
    QStringView t_;
    qsizetype i_ = 0;
};

bool isDateSeparator(QChar c) {
    return c == formatSettings().dateSeparator || c == QLatin1Char('.') || c == QLatin1Char('/') ||
           c == QLatin1Char('-');
}

int windowedYear(int twoDigits) {
    const int pivot = QDate::currentDate().year() - 50;
    int year = pivot / 100 * 100 + twoDigits;
    if (year < pivot) year += 100;
    return year;
}

bool readDate(Reader& r, QDate* date) {
    int values[3];
    int digits[3];
    int count = 0;
    if (!r.number(4, &values[0], &digits[0])) return false;
    count = 1;
    QChar separator;
    while (count < 3) {
        const qsizetype save = r.pos();
        r.skipBlanks();
        const QChar c = r.peek();
        if (!isDateSeparator(c) || (!separator.isNull() && c != separator)) {
            r.setPos(save);
            break;
        }
        separator = c;
        r.take(c);
        const qsizetype afterSeparator = r.pos();
        r.skipBlanks();
        // A separator may close the date ("10. 12."), also before a time
        // ("10. 12. 14:30").
        if (!r.number(4, &values[count], &digits[count]) || r.peek() == QLatin1Char(':') ||
            r.peek() == formatSettings().timeSeparator) {
            r.setPos(afterSeparator);
            break;
        }
        ++count;
    }
    if (count < 2) return false;

    int day, month, year = QDate::currentDate().year();
    int yearDigits = 4;
    DateOrder order = dateOrder();
    if (count == 3 && digits[0] >= 3) order = DateOrder::YMD;
    if (count == 2) {
        if (order == DateOrder::DMY) {
            day = values[0];
            month = values[1];
        } else {
            month = values[0];
            day = values[1];
        }
    } else if (order == DateOrder::DMY) {
        day = values[0], month = values[1], year = values[2], yearDigits = digits[2];
    } else if (order == DateOrder::MDY) {
        month = values[0], day = values[1], year = values[2], yearDigits = digits[2];
    } else {
        year = values[0], yearDigits = digits[0], month = values[1], day = values[2];
    }
    if (yearDigits <= 2) year = windowedYear(year);
    if (year < 1 || year > 9999 || !QDate::isValid(year, month, day)) return false;
    *date = QDate(year, month, day);
    return true;
}

bool readTime(Reader& r, QTime* time) {
    const FormatSettings& s = formatSettings();
    int hour = 0, minute = 0, second = 0, ms = 0;
    if (!r.number(2, &hour, nullptr)) return false;
    bool hasMinutes = false;
    if (r.take(s.timeSeparator) || r.take(QLatin1Char(':'))) {
        if (!r.number(2, &minute, nullptr)) return false;
        hasMinutes = true;
        if (r.take(s.timeSeparator) || r.take(QLatin1Char(':'))) {
            if (!r.number(2, &second, nullptr)) return false;
            if (r.take(QLatin1Char('.')) || r.take(QLatin1Char(',')) ||
                r.take(s.decimalSeparator)) {
                int digits = 0;
                if (!r.number(3, &ms, &digits)) return false;
                while (digits++ < 3) ms *= 10;
            }
        }
    }
    const qsizetype beforeMarker = r.pos();
    r.skipBlanks();
    int half = -1;  // 0 before noon, 1 after
    if (r.takeText(s.amText) || r.takeText(QStringLiteral("AM")) ||
        r.takeText(QStringLiteral("A"))) {
        half = 0;
    } else if (r.takeText(s.pmText) || r.takeText(QStringLiteral("PM")) ||
               r.takeText(QStringLiteral("P"))) {
        half = 1;
    } else {
        r.setPos(beforeMarker);
    }
    if (!hasMinutes && half < 0) return false;
    if (half >= 0) {
        if (hour > 12) return false;
        hour = hour % 12 + 12 * half;
    }
    if (hour > 23 || minute > 59 || second > 59) return false;
    *time = QTime(hour, minute, second, ms);
    return true;
}

}  // namespace

bool parseDate(QStringView text, double* days) {
    Reader r(text);
    r.skipBlanks();
    QDate date;
    if (!readDate(r, &date)) return false;
    r.skipBlanks();
    if (!r.atEnd()) return false;
    *days = daysOf(date);
    return true;
}

bool parseDateTime(QStringView text, double* days) {
    Reader r(text);
    r.skipBlanks();
    const qsizetype start = r.pos();
    QDate date(1899, 12, 30);
    QTime time(0, 0);
    // A date, then blanks and a time, or the end.
    QDate readDateValue;
    bool dateRead = readDate(r, &readDateValue);
    if (dateRead) {
        r.skipBlanks();
        if (!r.atEnd() && !readTime(r, &time)) dateRead = false;
    }
    if (dateRead) {
        date = readDateValue;
    } else {
        // A time alone.
        r.setPos(start);
        time = QTime(0, 0);
        if (!readTime(r, &time)) return false;
    }
    r.skipBlanks();
    if (!r.atEnd()) return false;
    *days = daysOf(date, time);
    return true;
}

// ---- QDateTime ----------------------------------------------------------

namespace {

double daysOfDateTime(const QDateTime& when) {
    return when.isValid() ? daysOf(when.date(), when.time()) : std::nan("");
}

bool toDateTime(double days, QDateTime* when) {
    QDate date;
    QTime time;
    if (!splitDays(days, &date, &time)) return false;
    *when = QDateTime(date, time);
    return true;
}

}  // namespace

QString formatDateTime(QStringView pattern, const QDateTime& when, bool* ok) {
    return formatDateTime(pattern, daysOfDateTime(when), ok);
}

QString dateTimeText(const QDateTime& when, bool* ok) {
    return dateTimeText(daysOfDateTime(when), ok);
}

bool parseDate(QStringView text, QDateTime* when) {
    double days = 0;
    return parseDate(text, &days) && toDateTime(days, when);
}

bool parseDateTime(QStringView text, QDateTime* when) {
    double days = 0;
    return parseDateTime(text, &days) && toDateTime(days, when);
}

}  // namespace dorvana
