#include "report/expr/format/number_format.h"

#include <QList>
#include <QLocale>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "report/expr/format/decimal_digits.h"
#include "report/expr/format/format_settings.h"

namespace dorvana {

namespace {

constexpr int kMaxPrecision = 18;
constexpr int kMaxDecimals = 18;
constexpr int kMaxExponentDigits = 4;

QString specialText(double v) {
    if (std::isnan(v)) return QStringLiteral("NAN");
    return v > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
}

QString exponentText(int exponent, int minDigits, bool alwaysSign) {
    QString text;
    if (exponent < 0) {
        text += QLatin1Char('-');
    } else if (alwaysSign) {
        text += QLatin1Char('+');
    }
    const QString number = QString::number(std::abs(exponent));
    text += QString(std::max<qsizetype>(0, minDigits - number.size()), QLatin1Char('0'));
    return text + number;
}

// d.ddd E exponent; mantissaDecimals < 0 keeps just the significant digits.
QString scientificText(const DecimalDigits& d, int mantissaDecimals, int exponentDigits,
                       bool alwaysSign) {
    const FormatSettings& s = formatSettings();
    QString text(QLatin1Char(d.digitAt(0)));
    const int decimals =
        mantissaDecimals < 0 ? std::max(0, int(d.digits.size()) - 1) : mantissaDecimals;
    if (decimals > 0) {
        text += s.decimalSeparator;
        for (int i = 1; i <= decimals; ++i) text += QLatin1Char(d.digitAt(i));
    }
    text += QLatin1Char('E');
    text += exponentText(d.isZero() ? 0 : d.point - 1, exponentDigits, alwaysSign);
    return text;
}

// Integer digits with a separator between groups of three.
QString grouped(const QString& digits, const QString& separator) {
    if (separator.isEmpty()) return digits;
    QString text;
    const qsizetype n = digits.size();
    for (qsizetype i = 0; i < n; ++i) {
        text += digits[i];
        const qsizetype left = n - 1 - i;
        if (left > 0 && left % 3 == 0) text += separator;
    }
    return text;
}

QString fixedText(const DecimalDigits& d, int decimals, bool thousands) {
    const FormatSettings& s = formatSettings();
    QString integer;
    for (int i = 0; i < d.point; ++i) integer += QLatin1Char(d.digitAt(i));
    if (integer.isEmpty()) integer = QStringLiteral("0");
    QString text = thousands ? grouped(integer, s.thousandsSeparator) : integer;
    if (decimals > 0) {
        text += s.decimalSeparator;
        for (int i = 0; i < decimals; ++i) text += QLatin1Char(d.digitAt(d.point + i));
    }
    return text;
}

QString withSign(const DecimalDigits& d, const QString& text) {
    return d.negative && !d.isZero() ? QLatin1Char('-') + text : text;
}

QString generalText(double value, int precision, int exponentDigits) {
    const DecimalDigits d = toDecimalDigits(value, precision);
    if (d.isZero()) return QStringLiteral("0");
    // Scientific when the integer part needs more digits than the precision,
    // or below 0.00001.
    if (d.point > precision || d.point < -4)
        return withSign(d, scientificText(d, -1, exponentDigits, false));
    return withSign(d, fixedText(d, std::max(0, int(d.digits.size()) - d.point), false));
}

// ---- picture mask -------------------------------------------------------

bool isQuote(QChar c) {
    return c == QLatin1Char('"') || c == QLatin1Char('\'');
}

// Sections of a mask split at the semicolons outside quotes.
QList<QStringView> maskSections(QStringView mask) {
    QList<QStringView> sections;
    qsizetype start = 0;
    QChar quote;
    for (qsizetype i = 0; i < mask.size(); ++i) {
        const QChar c = mask[i];
        if (!quote.isNull()) {
            if (c == quote) quote = QChar();
        } else if (isQuote(c)) {
            quote = c;
        } else if (c == QLatin1Char(';')) {
            sections.append(mask.mid(start, i - start));
            start = i + 1;
        }
    }
    sections.append(mask.mid(start));
    return sections;
}

// Length of the exponent marker at i ("E+00" gives 4), 0 when there is none.
int exponentMarkerAt(QStringView section, qsizetype i, int* zeros) {
    const QChar c = section[i];
    if ((c != QLatin1Char('E') && c != QLatin1Char('e')) || i + 1 >= section.size()) return 0;
    const QChar sign = section[i + 1];
    if (sign != QLatin1Char('+') && sign != QLatin1Char('-')) return 0;
    int n = 0;
    while (i + 2 + n < section.size() && section[i + 2 + n] == QLatin1Char('0') &&
           n < kMaxExponentDigits)
        ++n;
    *zeros = n;
    return 2 + n;
}

struct MaskLayout {
    int intPlaceholders = 0;
    int firstIntZero = -1;  // among the integer placeholders
    int fracPlaceholders = 0;
    int lastFracZero = -1;  // among the fraction placeholders
    bool thousands = false;
    bool scientific = false;
    int exponentDigits = 0;
};

MaskLayout scanMask(QStringView section) {
    MaskLayout m;
    bool afterPoint = false;
    for (qsizetype i = 0; i < section.size(); ++i) {
        const QChar c = section[i];
        if (isQuote(c)) {
            const qsizetype close = section.indexOf(c, i + 1);
            i = close < 0 ? section.size() : close;
            continue;
        }
        if (m.scientific) continue;  // after the exponent everything is copied
        int zeros = 0;
        if (const int len = exponentMarkerAt(section, i, &zeros)) {
            m.scientific = true;
            m.exponentDigits = zeros;
            i += len - 1;
        } else if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            if (afterPoint) {
                if (c == QLatin1Char('0')) m.lastFracZero = m.fracPlaceholders;
                ++m.fracPlaceholders;
            } else {
                if (c == QLatin1Char('0') && m.firstIntZero < 0) m.firstIntZero = m.intPlaceholders;
                ++m.intPlaceholders;
            }
        } else if (c == QLatin1Char('.')) {
            afterPoint = true;
        } else if (c == QLatin1Char(',')) {
            m.thousands = true;
        }
    }
    return m;
}

struct MaskDigits {
    QString integer;   // integer digits to print, forced zeros included
    QString fraction;  // fraction digits to print, optional trailing zeros removed
    int exponent = 0;
    bool zero = true;
    bool negative = false;
};

MaskDigits maskDigits(double value, const MaskLayout& m) {
    MaskDigits out;
    DecimalDigits d;
    int point;
    if (m.scientific) {
        d = toDecimalDigits(value, std::max(1, m.intPlaceholders + m.fracPlaceholders));
        out.exponent = d.isZero() ? 0 : d.point - m.intPlaceholders;
        point = m.intPlaceholders;
    } else {
        d = toDecimalDigits(value, kMaxPrecision, m.fracPlaceholders);
        point = d.point;
    }
    out.zero = d.isZero();
    out.negative = d.negative && !d.isZero();
    if (!d.isZero())
        for (int i = 0; i < point; ++i) out.integer += QLatin1Char(d.digitAt(i));
    const int forcedInt = m.firstIntZero < 0 ? 0 : m.intPlaceholders - m.firstIntZero;
    if (out.integer.size() < forcedInt)
        out.integer.prepend(QString(forcedInt - out.integer.size(), QLatin1Char('0')));
    for (int i = 0; i < m.fracPlaceholders; ++i)
        out.fraction += QLatin1Char(d.isZero() ? '0' : d.digitAt(point + i));
    const int forcedFrac = m.lastFracZero + 1;
    while (out.fraction.size() > forcedFrac && out.fraction.back() == QLatin1Char('0'))
        out.fraction.chop(1);
    return out;
}

QString renderMask(QStringView section, const MaskLayout& m, const MaskDigits& digits) {
    const FormatSettings& s = formatSettings();
    QString text;
    const QString& integer = digits.integer;
    const int intCount = int(integer.size());
    const QString separator = m.thousands ? s.thousandsSeparator : QString();
    auto emitIntegerDigit = [&](int pos) {
        text += integer[pos];
        const int left = intCount - 1 - pos;
        if (left > 0 && left % 3 == 0) text += separator;
    };
    auto emitLeadingDigits = [&](int upTo) {
        for (int pos = 0; pos < upTo; ++pos) emitIntegerDigit(pos);
    };

    int intSeen = 0;
    int fracSeen = 0;
    bool afterPoint = false;
    bool exponentDone = false;
    for (qsizetype i = 0; i < section.size(); ++i) {
        const QChar c = section[i];
        if (isQuote(c)) {
            const qsizetype close = section.indexOf(c, i + 1);
            const qsizetype end = close < 0 ? section.size() : close;
            text += section.mid(i + 1, end - i - 1);
            i = end;
            continue;
        }
        if (exponentDone) {
            text += c;
            continue;
        }
        int zeros = 0;
        if (const int len = exponentMarkerAt(section, i, &zeros)) {
            if (!afterPoint && m.intPlaceholders == 0) emitLeadingDigits(intCount);
            text += c;
            text +=
                exponentText(digits.exponent, m.exponentDigits, section[i + 1] == QLatin1Char('+'));
            exponentDone = true;
            i += len - 1;
        } else if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            if (afterPoint) {
                if (fracSeen < digits.fraction.size()) text += digits.fraction[fracSeen];
                ++fracSeen;
            } else {
                // The first placeholder takes every digit the mask has no place for.
                const int extra = intCount - m.intPlaceholders;
                if (intSeen == 0 && extra > 0) emitLeadingDigits(extra);
                const int pos = extra + intSeen;
                if (pos >= 0) emitIntegerDigit(pos);
                ++intSeen;
            }
        } else if (c == QLatin1Char('.')) {
            if (!afterPoint) {
                if (m.intPlaceholders == 0) emitLeadingDigits(intCount);
                if (!digits.fraction.isEmpty()) text += s.decimalSeparator;
                afterPoint = true;
            }
        } else if (c == QLatin1Char(',')) {
            // only marks that thousands are separated
        } else {
            text += c;
        }
    }
    return text;
}

QString formatSection(double value, QStringView section, bool minus) {
    const MaskLayout layout = scanMask(section);
    const MaskDigits digits = maskDigits(value, layout);
    const QString text = renderMask(section, layout, digits);
    return minus && !digits.zero ? QLatin1Char('-') + text : text;
}

}  // namespace

QString formatFloat(double value, NumberFormat format, int precision, int digits) {
    if (!std::isfinite(value)) return specialText(value);
    precision = std::clamp(precision, 1, kMaxPrecision);
    const int exponentDigits = std::clamp(digits, 0, kMaxExponentDigits);
    const int decimals = std::clamp(digits, 0, kMaxDecimals);
    switch (format) {
        case NumberFormat::Exponential: {
            const DecimalDigits d = toDecimalDigits(value, precision);
            return withSign(d, scientificText(d, precision - 1, exponentDigits, true));
        }
        case NumberFormat::Fixed:
        case NumberFormat::Number: {
            const DecimalDigits whole = toDecimalDigits(value, precision);
            if (whole.point > precision) return generalText(value, precision, exponentDigits);
            const DecimalDigits d = toDecimalDigits(value, precision, decimals);
            return withSign(d, fixedText(d, decimals, format == NumberFormat::Number));
        }
        case NumberFormat::Currency: {
            const FormatSettings& s = formatSettings();
            const DecimalDigits d = toDecimalDigits(value, precision, decimals);
            const QString amount = fixedText(d, decimals, true);
            return (d.negative && !d.isZero() ? s.currencyNegative : s.currencyPositive)
                .arg(amount);
        }
        case NumberFormat::General:
        case NumberFormat::Mask:
            break;
    }
    return generalText(value, precision, exponentDigits);
}

QString formatMask(double value, QStringView mask) {
    if (!std::isfinite(value)) return specialText(value);
    const QList<QStringView> sections = maskSections(mask);
    auto given = [&](int i) { return i < sections.size() && !sections[i].isEmpty(); };
    if (!given(0) && !(value < 0 && given(1)) && !(value == 0 && given(2))) return realText(value);

    QString text;
    bool zero;
    if (value < 0 && given(1)) {
        const MaskLayout layout = scanMask(sections[1]);
        const MaskDigits digits = maskDigits(value, layout);
        text = renderMask(sections[1], layout, digits);
        zero = digits.zero;
    } else if (value == 0 && given(2)) {
        return formatSection(0.0, sections[2], false);
    } else {
        const MaskLayout layout = scanMask(sections[0]);
        const MaskDigits digits = maskDigits(value, layout);
        text = renderMask(sections[0], layout, digits);
        if (digits.negative) text.prepend(QLatin1Char('-'));
        zero = digits.zero;
    }
    // A value that rounds to zero prints as zero.
    if (zero && value != 0 && given(2)) return formatSection(0.0, sections[2], false);
    return text;
}

QString realText(double value) {
    return formatFloat(value, NumberFormat::General, 15, 0);
}

bool parseReal(QStringView text, double* value) {
    const FormatSettings& s = formatSettings();
    const QStringView t = text.trimmed();
    const bool pointAllowed = s.thousandsSeparator != QLatin1String(".");
    QString normal;
    qsizetype i = 0;
    if (i < t.size() && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-'))) normal += t[i++];
    int mantissaDigits = 0;
    while (i < t.size() && t[i].isDigit() && t[i].unicode() < 128) {
        normal += t[i++];
        ++mantissaDigits;
    }
    if (i < t.size() &&
        (t[i] == s.decimalSeparator || (pointAllowed && t[i] == QLatin1Char('.')))) {
        normal += QLatin1Char('.');
        ++i;
        while (i < t.size() && t[i].isDigit() && t[i].unicode() < 128) {
            normal += t[i++];
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0) return false;
    if (i < t.size() && (t[i] == QLatin1Char('e') || t[i] == QLatin1Char('E'))) {
        normal += QLatin1Char('e');
        ++i;
        if (i < t.size() && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
            normal += t[i++];
        int exponentDigits = 0;
        while (i < t.size() && t[i].isDigit() && t[i].unicode() < 128) {
            normal += t[i++];
            ++exponentDigits;
        }
        if (exponentDigits == 0) return false;
    }
    if (i != t.size()) return false;
    bool ok = false;
    const double v = QLocale::c().toDouble(normal, &ok);
    if (!ok || !std::isfinite(v)) return false;
    *value = v;
    return true;
}

bool parseInteger(QStringView text, qint32* value) {
    const QStringView t = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
        negative = t[i++] == QLatin1Char('-');
    if (i == t.size()) return false;
    qint64 v = 0;
    for (; i < t.size(); ++i) {
        const char16_t c = t[i].unicode();
        if (c < u'0' || c > u'9') return false;
        v = v * 10 + (c - u'0');
        if (v > qint64(1) << 31) return false;
    }
    if (negative) v = -v;
    if (v > std::numeric_limits<qint32>::max()) return false;
    *value = static_cast<qint32>(v);
    return true;
}

}  // namespace dorvana
