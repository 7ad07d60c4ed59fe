#include "data/field_value.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QTime>
#include <cmath>
#include <limits>

#include "base/rounding.h"
#include "report/expr/format/format_settings.h"

namespace dorvana {

namespace {

QString typeError(const FieldDef& def, const QString& what) {
    return QStringLiteral("Hodnota %1 není platná pro pole %2 typu %3")
        .arg(what, def.name, fieldTypeName(def.type));
}

QString plainNumber(double v, int decimals) {
    QString s = decimals < 0 ? QString::number(v, 'g', 15) : QString::number(v, 'f', decimals);
    if (s.contains(QLatin1Char('e'))) s = QString::number(v, 'f', 6);
    const QChar sep = formatSettings().decimalSeparator;
    if (!sep.isNull()) s.replace(QLatin1Char('.'), sep);
    return s;
}

QString groupedFixed(double v, int decimals) {
    QString s = QString::number(std::fabs(v), 'f', decimals);
    QString intPart = s.section(QLatin1Char('.'), 0, 0);
    const QString frac = s.section(QLatin1Char('.'), 1);
    const QString group = formatSettings().thousandsSeparator;
    if (!group.isEmpty())
        for (int i = int(intPart.size()) - 3; i > 0; i -= 3) intPart.insert(i, group);
    QChar sep = formatSettings().decimalSeparator;
    if (sep.isNull()) sep = QLatin1Char(',');
    return frac.isEmpty() ? intPart : intPart + sep + frac;
}

// A small rendering of number pictures ("0.00", "# ##0.00", "#,##0.00"):
// the count of zeros and hashes after the point gives the decimals, a blank
// or comma among the integer digits asks for grouping.
QString pictureNumber(double v, const QString& picture) {
    const int point = int(picture.indexOf(QLatin1Char('.')));
    int decimals = 0;
    if (point >= 0)
        for (int i = point + 1; i < picture.size(); ++i)
            if (picture[i] == QLatin1Char('0') || picture[i] == QLatin1Char('#')) ++decimals;
    const QString intPic = point >= 0 ? picture.left(point) : picture;
    const bool grouped =
        intPic.contains(QLatin1Char(' ')) || intPic.contains(QLatin1Char(','));
    QString body = grouped ? groupedFixed(v, decimals) : plainNumber(std::fabs(v), decimals);
    const double rounded = std::round(std::fabs(v) * std::pow(10.0, decimals));
    return (v < 0 && rounded != 0 ? QStringLiteral("-") : QString()) + body;
}

}  // namespace

bool wholeNumberFits(FieldType type, qint64 v) {
    switch (type) {
    case FieldType::Smallint: return v >= -32768 && v <= 32767;
    case FieldType::Word: return v >= 0 && v <= 65535;
    case FieldType::Integer:
    case FieldType::Autoinc:
        return v >= std::numeric_limits<qint32>::min() && v <= std::numeric_limits<qint32>::max();
    default: return true;
    }
}

TaggedValue taggedFromRaw(const QVariant& raw, FieldType type) {
    if (raw.isNull()) return {};
    switch (type) {
    case FieldType::String:
    case FieldType::Memo: return TaggedValue::text(raw.toString());
    case FieldType::Smallint:
    case FieldType::Integer:
    case FieldType::Word:
    case FieldType::Autoinc: return TaggedValue::fromInteger64(raw.toLongLong());
    case FieldType::Float:
    case FieldType::Currency:
    case FieldType::BCD: return TaggedValue::real(raw.toDouble());
    case FieldType::Boolean: return TaggedValue::boolean(raw.toBool());
    case FieldType::Date: return TaggedValue::dateTime(QDateTime(raw.toDate(), QTime(0, 0)));
    case FieldType::Time:
        return TaggedValue::dateTime(QTime(0, 0).msecsTo(raw.toTime()) / 86400000.0);
    case FieldType::DateTime: return TaggedValue::dateTime(raw.toDateTime());
    default: return {};
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
    if (value.isInteger()) num = value.asInteger();
    else if (value.isReal()) num = value.asReal();
    else if (value.isBoolean()) num = value.asBoolean() ? -1 : 0;
    else if (value.isDateTime()) num = value.asDateTime();
    if (isWholeNumberType(t)) {
        if (value.isDateTime() || std::isnan(num) || std::fabs(num) > 9e18) {
            if (error) *error = typeError(def, plainNumber(num, -1));
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
            if (error) *error = typeError(def, plainNumber(num, -1));
            return false;
        }
        if (t == FieldType::Date) *raw = dt.date();
        else if (t == FieldType::Time) *raw = dt.time();
        else *raw = dt;
        return true;
    }
    case FieldType::String:
    case FieldType::Memo:
        if (value.isBoolean()) *raw = value.asBoolean() ? QStringLiteral("True") : QStringLiteral("False");
        else if (value.isDateTime()) *raw = textOfRaw(dateTimeFromDays(num), FieldType::DateTime);
        else if (value.isInteger()) *raw = QString::number(value.asInteger());
        else *raw = plainNumber(num, -1);
        return true;
    default:
        if (error) *error = QStringLiteral("Do pole %1 nelze přiřadit hodnotu").arg(def.name);
        return false;
    }
}

bool parseNumberText(const QString& text, double* out) {
    QString s = text.trimmed();
    s.remove(QLatin1Char(' '));
    s.remove(QChar(0x00A0));
    s.remove(QChar(0x202F));
    s.replace(QLatin1Char(','), QLatin1Char('.'));
    if (s.isEmpty()) return false;
    bool ok = false;
    const double v = s.toDouble(&ok);
    if (!ok || !std::isfinite(v)) return false;
    *out = v;
    return true;
}

bool parseDateText(const QString& text, QDate* out) {
    static const QRegularExpression dmy(QStringLiteral("^\\s*(\\d{1,2})\\.\\s*(\\d{1,2})\\.\\s*(\\d{2}|\\d{4})\\s*$"));
    static const QRegularExpression iso(QStringLiteral("^\\s*(\\d{4})-(\\d{1,2})-(\\d{1,2})\\s*$"));
    QDate d;
    if (auto m = dmy.match(text); m.hasMatch()) {
        int y = m.captured(3).toInt();
        if (m.captured(3).size() == 2) y += y < 50 ? 2000 : 1900;
        d = QDate(y, m.captured(2).toInt(), m.captured(1).toInt());
    } else if (auto m2 = iso.match(text); m2.hasMatch()) {
        d = QDate(m2.captured(1).toInt(), m2.captured(2).toInt(), m2.captured(3).toInt());
    }
    if (!d.isValid()) return false;
    *out = d;
    return true;
}

bool parseTimeText(const QString& text, QTime* out) {
    static const QRegularExpression re(QStringLiteral("^\\s*(\\d{1,2}):(\\d{2})(?::(\\d{2})(?:[.,](\\d{1,3}))?)?\\s*$"));
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
        if (s == u"true" || s == u"ano" || s == u"1" || s == u"t" || s == u"a" || s == u"y") *raw = true;
        else if (s == u"false" || s == u"ne" || s == u"0" || s == u"f" || s == u"n") *raw = false;
        else return bad();
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

QString textOfRaw(const QVariant& raw, FieldType type, const QString& picture, bool currencySign) {
    if (raw.isNull()) return {};
    switch (type) {
    case FieldType::String:
    case FieldType::Memo: return raw.toString();
    case FieldType::Smallint:
    case FieldType::Integer:
    case FieldType::Word:
    case FieldType::Autoinc:
        return picture.isEmpty() ? QString::number(raw.toLongLong())
                                 : pictureNumber(double(raw.toLongLong()), picture);
    case FieldType::Float:
    case FieldType::BCD:
        return picture.isEmpty() ? plainNumber(raw.toDouble(), -1)
                                 : pictureNumber(raw.toDouble(), picture);
    case FieldType::Currency: {
        const double v = raw.toDouble();
        if (!picture.isEmpty()) return pictureNumber(v, picture);
        if (!currencySign) return plainNumber(v, 2);
        const FormatSettings& fs = formatSettings();
        const QString body = groupedFixed(v, 2);
        QString form = v < 0 ? fs.currencyNegative : fs.currencyPositive;
        if (form.isEmpty()) form = v < 0 ? QStringLiteral("-%1 Kč") : QStringLiteral("%1 Kč");
        return form.arg(body);
    }
    case FieldType::Boolean: return raw.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case FieldType::Date: return raw.toDate().toString(QStringLiteral("d.M.yyyy"));
    case FieldType::Time: return raw.toTime().toString(QStringLiteral("H:mm:ss"));
    case FieldType::DateTime: {
        const QDateTime dt = raw.toDateTime();
        return dt.time() == QTime(0, 0) ? dt.toString(QStringLiteral("d.M.yyyy"))
                                        : dt.toString(QStringLiteral("d.M.yyyy H:mm:ss"));
    }
    default: {
        switch (type) {
        case FieldType::Graphic: return QStringLiteral("(GRAPHIC)");
        case FieldType::Blob: return QStringLiteral("(BLOB)");
        default: return QStringLiteral("(BYTES)");
        }
    }
    }
}

}  // namespace dorvana
