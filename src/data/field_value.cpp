#include "data/field_value.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QTime>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "base/rounding.h"
#include "report/expr/format/date_time_format.h"
#include "report/expr/format/number_format.h"

namespace dorvana {

namespace {

QString typeError(const FieldDef& def, const QString& what) {
    return QStringLiteral("Hodnota %1 není platná pro pole %2 typu %3")
        .arg(what, def.name, fieldTypeName(def.type));
}

QString plainNumber(double v) {
    return realText(v);
}

}  // namespace

bool wholeNumberFits(FieldType type, qint64 v) {
    switch (type) {
        case FieldType::Smallint:
            return v >= -32768 && v <= 32767;
        case FieldType::Word:
            return v >= 0 && v <= 65535;
        case FieldType::Integer:
        case FieldType::Autoinc:
            return v >= std::numeric_limits<qint32>::min() &&
                   v <= std::numeric_limits<qint32>::max();
        default:
            return true;
    }
}

TaggedValue taggedFromRaw(const QVariant& raw, FieldType type) {
    if (raw.isNull()) return {};
    switch (type) {
        case FieldType::String:
        case FieldType::Memo:
            return TaggedValue::text(raw.toString());
        case FieldType::Smallint:
        case FieldType::Integer:
        case FieldType::Word:
        case FieldType::Autoinc:
            return TaggedValue::fromInteger64(raw.toLongLong());
        case FieldType::Float:
        case FieldType::Currency:
        case FieldType::BCD:
            return TaggedValue::real(raw.toDouble());
        case FieldType::Boolean:
            return TaggedValue::boolean(raw.toBool());
        case FieldType::Date:
            return TaggedValue::dateTime(QDateTime(raw.toDate(), QTime(0, 0)));
        case FieldType::Time:
            return TaggedValue::dateTime(QTime(0, 0).msecsTo(raw.toTime()) / 86400000.0);
        case FieldType::DateTime:
            return TaggedValue::dateTime(raw.toDateTime());
        default:
            return {};
    }
}

bool rawFromTagged(const TaggedValue& value, const FieldDef& def, QVariant* raw, QString* error) {
    if (value.isEmpty()) {
        *raw = QVariant();
        return true;
    }
    if (value.isText()) return rawFromText(value.asText(), def, raw, error);
    const FieldType t = def.type;
    double num = 0;
    if (value.isInteger())
        num = value.asInteger();
    else if (value.isReal())
        num = value.asReal();
    else if (value.isBoolean())
        num = value.asBoolean() ? -1 : 0;
    else if (value.isDateTime())
        num = value.asDateTime();
    if (isWholeNumberType(t)) {
        if (value.isDateTime() || std::isnan(num) || std::fabs(num) > 9e18) {
            if (error) *error = typeError(def, plainNumber(num));
            return false;
        }
        const qint64 n = value.isInteger() ? value.asInteger() : roundHalfEven64(num);
        if (!wholeNumberFits(t, n)) {
            if (error)
                *error = QStringLiteral("Hodnota %1 je mimo rozsah pole %2").arg(n).arg(def.name);
            return false;
        }
        *raw = QVariant::fromValue<qint64>(n);
        return true;
    }
    if (isFloatType(t)) {
        *raw = num;
        return true;
    }
    switch (t) {
        case FieldType::Boolean:
            *raw = value.isBoolean() ? value.asBoolean() : num != 0;
            return true;
        case FieldType::Date:
        case FieldType::Time:
        case FieldType::DateTime: {
            const QDateTime dt = dateTimeFromDays(num);
            if (!dt.isValid()) {
                if (error) *error = typeError(def, plainNumber(num));
                return false;
            }
            if (t == FieldType::Date)
                *raw = dt.date();
            else if (t == FieldType::Time)
                *raw = dt.time();
            else
                *raw = dt;
            return true;
        }
        case FieldType::String:
        case FieldType::Memo:
            if (value.isBoolean())
                *raw = value.asBoolean() ? QStringLiteral("True") : QStringLiteral("False");
            else if (value.isDateTime())
                *raw = dateTimeText(num);
            else if (value.isInteger())
                *raw = QString::number(value.asInteger());
            else
                *raw = plainNumber(num);
            return true;
        default:
            if (error) *error = QStringLiteral("Do pole %1 nelze přiřadit hodnotu").arg(def.name);
            return false;
    }
}

bool parseNumberText(const QString& text, double* out) {
    // Plain numbers with a decimal point (what files hold) take the short way.
    bool plain = !text.isEmpty();
    for (const QChar c : text)
        plain = plain && (c.isDigit() || c == u'.' || c == u'-' || c == u'+') && c.unicode() < 128;
    if (plain) {
        bool ok = false;
        const double v = text.toDouble(&ok);
        if (ok && std::isfinite(v)) {
            *out = v;
            return true;
        }
    }
    // Digit groups may be set apart by blanks or no-break spaces.
    QString s = text.trimmed();
    s.remove(QLatin1Char(' '));
    s.remove(QChar(0x00A0));
    s.remove(QChar(0x202F));
    double v = 0;
    if (s.isEmpty() || !parseReal(s, &v)) {
        s.replace(QLatin1Char(','), QLatin1Char('.'));
        bool ok = false;
        v = s.toDouble(&ok);
        if (!ok || !std::isfinite(v)) return false;
    }
    *out = v;
    return true;
}

bool parseDateText(const QString& text, QDate* out) {
    // yyyy-MM-dd (how label files and CSV exports keep dates) takes the short way.
    if (text.size() == 10 && text[4] == u'-' && text[7] == u'-') {
        const QDate d = QDate::fromString(text, Qt::ISODate);
        if (d.isValid()) {
            *out = d;
            return true;
        }
    }
    QDateTime when;
    if (text.trimmed().isEmpty() || !parseDate(QStringView(text), &when) || !when.date().isValid())
        return false;
    *out = when.date();
    return true;
}

bool parseTimeText(const QString& text, QTime* out) {
    static const QRegularExpression re(
        QStringLiteral("^\\s*(\\d{1,2}):(\\d{2})(?::(\\d{2})(?:[.,](\\d{1,3}))?)?\\s*$"));
    const auto m = re.match(text);
    if (!m.hasMatch()) return false;
    const QString ms = m.captured(4);
    const QTime t(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt(),
                  ms.isEmpty() ? 0 : ms.leftJustified(3, QLatin1Char('0')).toInt());
    if (!t.isValid()) return false;
    *out = t;
    return true;
}

bool parseDateTimeText(const QString& text, QDateTime* out) {
    QString s = text.trimmed();
    s.replace(QLatin1Char('T'), QLatin1Char(' '));
    const int sp = int(s.lastIndexOf(QLatin1Char(' ')));
    QDate d;
    QTime t(0, 0);
    if (sp > 0 && parseDateText(s.left(sp), &d) && parseTimeText(s.mid(sp + 1), &t)) {
    } else if (!parseDateText(s, &d)) {
        return false;
    }
    *out = QDateTime(d, t);
    return true;
}

bool rawFromText(const QString& text, const FieldDef& def, QVariant* raw, QString* error) {
    const FieldType t = def.type;
    if (t == FieldType::String || t == FieldType::Memo) {
        *raw = text.isEmpty() ? QVariant() : QVariant(text);
        return true;
    }
    if (text.trimmed().isEmpty()) {
        *raw = QVariant();
        return true;
    }
    auto bad = [&] {
        if (error) *error = typeError(def, QStringLiteral("„%1“").arg(text));
        return false;
    };
    if (isWholeNumberType(t) || isFloatType(t)) {
        double v = 0;
        if (!parseNumberText(text, &v)) return bad();
        return rawFromTagged(TaggedValue::real(v), def, raw, error);
    }
    switch (t) {
        case FieldType::Boolean: {
            const QString s = text.trimmed().toLower();
            if (s == u"true" || s == u"ano" || s == u"1" || s == u"t" || s == u"a" || s == u"y")
                *raw = true;
            else if (s == u"false" || s == u"ne" || s == u"0" || s == u"f" || s == u"n")
                *raw = false;
            else
                return bad();
            return true;
        }
        case FieldType::Date: {
            QDate d;
            if (!parseDateText(text, &d)) return bad();
            *raw = d;
            return true;
        }
        case FieldType::Time: {
            QTime tm;
            if (!parseTimeText(text, &tm)) return bad();
            *raw = tm;
            return true;
        }
        case FieldType::DateTime: {
            QDateTime dt;
            if (!parseDateTimeText(text, &dt)) return bad();
            *raw = dt;
            return true;
        }
        default:
            *raw = text.toUtf8();
            return true;
    }
}

namespace {

// A date the date formats do not write (before 1.1.0001, after 9999): the
// proleptic Gregorian date with the year as ISO 8601 counts it (0 the year
// before 1, -1 the one before that), so that a stored value always shows.
QString farDateText(const QDate& d) {
    const int year = d.year() < 0 ? d.year() + 1 : d.year();
    return QStringLiteral("%1.%2.%3%4")
        .arg(d.day(), 2, 10, QLatin1Char('0'))
        .arg(d.month(), 2, 10, QLatin1Char('0'))
        .arg(year < 0 ? QStringLiteral("-") : QString())
        .arg(QString::number(std::abs(year)).rightJustified(4, QLatin1Char('0')));
}

}  // namespace

QString textOfRaw(const QVariant& raw, FieldType type, const QString& picture, bool currencySign) {
    if (raw.isNull()) return {};
    switch (type) {
        case FieldType::String:
        case FieldType::Memo:
            return raw.toString();
        case FieldType::Smallint:
        case FieldType::Integer:
        case FieldType::Word:
        case FieldType::Autoinc:
            return picture.isEmpty() ? QString::number(raw.toLongLong())
                                     : formatMask(double(raw.toLongLong()), picture);
        case FieldType::Float:
        case FieldType::BCD:
            return picture.isEmpty() ? realText(raw.toDouble())
                                     : formatMask(raw.toDouble(), picture);
        case FieldType::Currency: {
            const double v = raw.toDouble();
            if (!picture.isEmpty()) return formatMask(v, picture);
            return formatFloat(v, currencySign ? NumberFormat::Currency : NumberFormat::Fixed, 15,
                               2);
        }
        case FieldType::Boolean:
            return raw.toBool() ? QStringLiteral("True") : QStringLiteral("False");
        case FieldType::Date: {
            bool ok = true;
            const QString text = shortDateText(daysOf(raw.toDate()), &ok);
            return ok ? text : farDateText(raw.toDate());
        }
        case FieldType::Time:
            return longTimeText(daysOf(QDate(1899, 12, 30), raw.toTime()));
        case FieldType::DateTime: {
            bool ok = true;
            const QDateTime when = raw.toDateTime();
            const QString text = dateTimeText(when, &ok);
            return ok ? text : farDateText(when.date()) + u' ' + when.time().toString(QStringLiteral("HH:mm:ss"));
        }
        case FieldType::Graphic:
            return QStringLiteral("(GRAPHIC)");
        case FieldType::Blob:
            return QStringLiteral("(BLOB)");
        default:
            return QStringLiteral("(BYTES)");
    }
}

}  // namespace dorvana
