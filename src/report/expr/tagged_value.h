#pragma once
// The tagged value: the value of an expression, a field, a user function or a
// report variable. One of six kinds, with the one set of conversion rules the
// evaluator, the functions and the table engine share (value_rules.h holds the
// operators that combine two values).

#include <QDateTime>
#include <QString>
#include <QtGlobal>

namespace dorvana {

class TaggedValue {
public:
    enum class Kind : quint8 {
        Empty,     // no value
        Integer,   // signed 32-bit integer
        Real,      // 64-bit floating point
        Boolean,   // true / false (counts as the integer -1 / 0 in arithmetic)
        Text,      // a string
        DateTime,  // days since 1899-12-30: integer part the date, fraction the time of day
    };

    // The empty value.
    TaggedValue() = default;
    explicit TaggedValue(qint32 v) : kind_(Kind::Integer) { num_.i = v; }
    explicit TaggedValue(double v) : kind_(Kind::Real) { num_.d = v; }
    explicit TaggedValue(bool v) : kind_(Kind::Boolean) { num_.b = v; }
    explicit TaggedValue(const QString& v) : kind_(Kind::Text), text_(v) {}
    explicit TaggedValue(QString&& v) : kind_(Kind::Text), text_(std::move(v)) {}
    // A C string would silently become a boolean; say fromText(u"...").
    TaggedValue(const char*) = delete;

    static TaggedValue empty() { return {}; }
    static TaggedValue integer(qint32 v) { return TaggedValue(v); }
    // A 64-bit integer: an integer value when it fits 32 bits, else a real.
    static TaggedValue fromInteger64(qint64 v);
    static TaggedValue real(double v) { return TaggedValue(v); }
    static TaggedValue boolean(bool v) { return TaggedValue(v); }
    static TaggedValue text(const QString& v) { return TaggedValue(v); }
    static TaggedValue text(QString&& v) { return TaggedValue(std::move(v)); }
    // A date-time given as days since 1899-12-30.
    static TaggedValue dateTime(double days);
    // A date-time from a QDateTime (its local date and time of day; an
    // invalid one gives day 0, 1899-12-30 00:00).
    static TaggedValue dateTime(const QDateTime& when);

    Kind kind() const { return kind_; }
    bool isEmpty() const { return kind_ == Kind::Empty; }
    bool isInteger() const { return kind_ == Kind::Integer; }
    bool isReal() const { return kind_ == Kind::Real; }
    bool isBoolean() const { return kind_ == Kind::Boolean; }
    bool isText() const { return kind_ == Kind::Text; }
    bool isDateTime() const { return kind_ == Kind::DateTime; }
    // Integer, real or boolean: a value arithmetic takes without conversion.
    bool isNumeric() const {
        return kind_ == Kind::Integer || kind_ == Kind::Real || kind_ == Kind::Boolean;
    }

    // Typed accessors: the content of a value of that kind (0, false or the
    // empty text for a value of any other kind). Use the to...() conversions
    // to read a value of another kind.
    qint32 asInteger() const { return kind_ == Kind::Integer ? num_.i : 0; }
    double asReal() const { return kind_ == Kind::Real ? num_.d : 0.0; }
    bool asBoolean() const { return kind_ == Kind::Boolean && num_.b; }
    const QString& asText() const { return text_; }
    double asDateTime() const { return kind_ == Kind::DateTime ? num_.d : 0.0; }

    // Identity of kind and content (reals and date-times compare bitwise
    // equal values, so NaN never equals itself). Not the comparison of the
    // expression language; see compareValues() in value_rules.h.
    bool operator==(const TaggedValue& other) const;
    bool operator!=(const TaggedValue& other) const { return !(*this == other); }

    // Name of the kind as the command-line front end prints it:
    // "empty", "integer", "real", "boolean", "text", "datetime".
    static const char* kindName(Kind kind);

private:
    Kind kind_ = Kind::Empty;
    union {
        qint32 i;
        double d;
        bool b;
    } num_{.d = 0.0};
    QString text_;
};

// Days since 1899-12-30 <-> QDateTime (local time, millisecond precision;
// years 1 to 9999).
// The integer part is the date, the fraction the time of day; for days before
// the epoch the fraction still counts forward from midnight (-1.25 is
// 1899-12-29 06:00). Days outside those years give an invalid QDateTime.
QDateTime dateTimeFromDays(double days);
double daysFromDateTime(const QDateTime& when);

}  // namespace dorvana
