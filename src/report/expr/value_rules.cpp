#include "report/expr/value_rules.h"

#include <cmath>
#include <limits>

#include "base/rounding.h"
#include "report/expr/value_text.h"

namespace dorvana {

using Kind = TaggedValue::Kind;

QString divisionByZeroMessage() {
    return QStringLiteral("Dělení nulou");
}
QString overflowMessage() {
    return QStringLiteral("Přetečení čísla");
}
QString invalidOperationMessage() {
    return QStringLiteral("Neplatná číselná operace");
}

namespace {

bool typeError(ValueFault* fault) {
    if (fault) *fault = ValueFault::type();
    return false;
}

bool failWith(ValueFault* fault, const QString& message) {
    if (fault) *fault = ValueFault::failure(message);
    return false;
}

// A real result: infinities and NaN are failures, never values.
bool realResult(double v, TaggedValue* out, ValueFault* fault, bool dateTime = false) {
    if (std::isnan(v)) return failWith(fault, invalidOperationMessage());
    if (std::isinf(v)) return failWith(fault, overflowMessage());
    *out = dateTime ? TaggedValue::dateTime(v) : TaggedValue(v);
    return true;
}

// An integer result: a 64-bit intermediate that does not fit 32 bits becomes
// a real, so that 100000 * 100000 is 1E10 and not a wrapped number.
void integerResult(qint64 v, TaggedValue* out) {
    *out = TaggedValue::fromInteger64(v);
}

// Integer-like: integers and booleans (true = -1).
bool isIntegral(Kind k) {
    return k == Kind::Integer || k == Kind::Boolean;
}

qint32 integralOf(const TaggedValue& v) {
    return v.isBoolean() ? (v.asBoolean() ? -1 : 0) : v.asInteger();
}

bool isNumber(Kind k) {
    return k == Kind::Integer || k == Kind::Real || k == Kind::Boolean;
}

double numberOf(const TaggedValue& v) {
    return v.isReal() ? v.asReal() : static_cast<double>(integralOf(v));
}

int order(double a, double b) {
    return a < b ? -1 : (a > b ? 1 : 0);
}

bool arithmetic(BinaryOp op, const TaggedValue& l, const TaggedValue& r, TaggedValue* out,
                ValueFault* fault) {
    const Kind lk = l.kind(), rk = r.kind();

    // Two texts (an empty value beside a text counts as the empty text).
    if ((lk == Kind::Text || lk == Kind::Empty) && (rk == Kind::Text || rk == Kind::Empty) &&
        (lk == Kind::Text || rk == Kind::Text) && op == BinaryOp::Add) {
        *out = TaggedValue(l.asText() + r.asText());
        return true;
    }

    // Date-times: + and - keep the date-time (the difference of two is a
    // real), * and / give a real.
    if (lk == Kind::DateTime || rk == Kind::DateTime) {
        double a, b;
        if (!toDateTime(l, &a, fault) || !toDateTime(r, &b, fault)) return false;
        switch (op) {
            case BinaryOp::Add:
                return realResult(a + b, out, fault, true);
            case BinaryOp::Subtract:
                return realResult(a - b, out, fault,
                                  !(lk == Kind::DateTime && rk == Kind::DateTime));
            case BinaryOp::Multiply:
                return realResult(a * b, out, fault);
            default:
                if (b == 0) {
                    if (fault) *fault = ValueFault::numeric();
                    return false;
                }
                return realResult(a / b, out, fault);
        }
    }

    // Two integers (booleans count as integers) stay integers except for "/".
    if ((isIntegral(lk) || lk == Kind::Empty) && (isIntegral(rk) || rk == Kind::Empty) &&
        op != BinaryOp::Divide) {
        const qint64 a = integralOf(l), b = integralOf(r);
        switch (op) {
            case BinaryOp::Add:
                integerResult(a + b, out);
                return true;
            case BinaryOp::Subtract:
                integerResult(a - b, out);
                return true;
            default:
                integerResult(a * b, out);
                return true;
        }
    }

    // Everything else is done in reals; a text must read as a number.
    double a, b;
    if (!toReal(l, &a, fault) || !toReal(r, &b, fault)) return false;
    switch (op) {
        case BinaryOp::Add:
            return realResult(a + b, out, fault);
        case BinaryOp::Subtract:
            return realResult(a - b, out, fault);
        case BinaryOp::Multiply:
            return realResult(a * b, out, fault);
        default:
            if (b == 0) {
                if (fault) *fault = ValueFault::numeric();
                return false;
            }
            return realResult(a / b, out, fault);
    }
}

bool integerOperator(BinaryOp op, const TaggedValue& l, const TaggedValue& r, TaggedValue* out,
                     ValueFault* fault) {
    if (l.isBoolean() && r.isBoolean() &&
        (op == BinaryOp::And || op == BinaryOp::Or || op == BinaryOp::Xor)) {
        const bool a = l.asBoolean(), b = r.asBoolean();
        *out = TaggedValue(op == BinaryOp::And  ? (a && b)
                           : op == BinaryOp::Or ? (a || b)
                                                : (a != b));
        return true;
    }
    qint32 a, b;
    if (!toInt32(l, &a, fault) || !toInt32(r, &b, fault)) return false;
    const quint32 ua = static_cast<quint32>(a);
    switch (op) {
        case BinaryOp::IntDiv:
            if (b == 0) return failWith(fault, divisionByZeroMessage());
            integerResult(static_cast<qint64>(a) / b, out);  // INT_MIN DIV -1 becomes a real
            return true;
        case BinaryOp::Mod:
            if (b == 0) return failWith(fault, divisionByZeroMessage());
            *out = TaggedValue(static_cast<qint32>(static_cast<qint64>(a) % b));
            return true;
        // Shift counts are taken modulo 32, as the processor does; SHR is a
        // logical shift.
        case BinaryOp::Shl:
            *out = TaggedValue(static_cast<qint32>(ua << (static_cast<quint32>(b) & 31u)));
            return true;
        case BinaryOp::Shr:
            *out = TaggedValue(static_cast<qint32>(ua >> (static_cast<quint32>(b) & 31u)));
            return true;
        case BinaryOp::And:
            *out = TaggedValue(a & b);
            return true;
        case BinaryOp::Or:
            *out = TaggedValue(a | b);
            return true;
        default:
            *out = TaggedValue(a ^ b);
            return true;
    }
}

}  // namespace

// ---- Conversions -------------------------------------------------------

bool toReal(const TaggedValue& v, double* out, ValueFault* fault) {
    switch (v.kind()) {
        case Kind::Empty:
            *out = 0;
            return true;
        case Kind::Integer:
        case Kind::Boolean:
            *out = integralOf(v);
            return true;
        case Kind::Real:
            *out = v.asReal();
            return true;
        case Kind::DateTime:
            *out = v.asDateTime();
            return true;
        case Kind::Text:
            if (value_text::toReal(v.asText(), out)) return true;
            return typeError(fault);
    }
    return typeError(fault);
}

bool toInt32(const TaggedValue& v, qint32* out, ValueFault* fault) {
    if (isIntegral(v.kind()) || v.isEmpty()) {
        *out = integralOf(v);
        return true;
    }
    double d;
    if (!toReal(v, &d, fault)) return false;
    const qint64 r = roundHalfEven64(d);
    if (std::isnan(d) || r < std::numeric_limits<qint32>::min() ||
        r > std::numeric_limits<qint32>::max())
        return failWith(fault, overflowMessage());
    *out = static_cast<qint32>(r);
    return true;
}

bool toBoolean(const TaggedValue& v, bool* out, ValueFault* fault) {
    switch (v.kind()) {
        case Kind::Empty:
            *out = false;
            return true;
        case Kind::Boolean:
            *out = v.asBoolean();
            return true;
        case Kind::Integer:
            *out = v.asInteger() != 0;
            return true;
        case Kind::Real:
            *out = v.asReal() != 0;
            return true;
        case Kind::DateTime:
            *out = v.asDateTime() != 0;
            return true;
        case Kind::Text: {
            const QString t = v.asText().trimmed();
            if (t.compare(u"True", Qt::CaseInsensitive) == 0) {
                *out = true;
                return true;
            }
            if (t.compare(u"False", Qt::CaseInsensitive) == 0) {
                *out = false;
                return true;
            }
            double d;
            if (value_text::toReal(t, &d)) {
                *out = d != 0;
                return true;
            }
            return typeError(fault);
        }
    }
    return typeError(fault);
}

bool toDateTime(const TaggedValue& v, double* out, ValueFault* fault) {
    if (v.isText()) {
        if (value_text::toDays(v.asText(), out) || value_text::toReal(v.asText(), out)) return true;
        return typeError(fault);
    }
    return toReal(v, out, fault);
}

QString toText(const TaggedValue& v) {
    switch (v.kind()) {
        case Kind::Empty:
            return {};
        case Kind::Integer:
            return QString::number(v.asInteger());
        case Kind::Real:
            return value_text::fromReal(v.asReal());
        case Kind::Boolean:
            return v.asBoolean() ? QStringLiteral("True") : QStringLiteral("False");
        case Kind::Text:
            return v.asText();
        case Kind::DateTime:
            return value_text::fromDays(v.asDateTime());
    }
    return {};
}

// ---- Operators ---------------------------------------------------------

bool compareValues(const TaggedValue& l, const TaggedValue& r, int* result, ValueFault* fault) {
    const Kind lk = l.kind(), rk = r.kind();
    if (isIntegral(lk) && isIntegral(rk)) {
        const qint32 a = integralOf(l), b = integralOf(r);
        *result = a < b ? -1 : (a > b ? 1 : 0);
        return true;
    }
    if (isNumber(lk) && isNumber(rk)) {
        *result = order(numberOf(l), numberOf(r));
        return true;
    }
    if (lk == Kind::DateTime || rk == Kind::DateTime) {
        double a, b;
        if (!toDateTime(l, &a, fault) || !toDateTime(r, &b, fault)) return false;
        *result = order(a, b);
        return true;
    }
    // Texts (an empty value beside a text is the empty text; two empty values
    // are equal).
    if ((lk == Kind::Text || lk == Kind::Empty) && (rk == Kind::Text || rk == Kind::Empty)) {
        *result = value_text::compare(l.asText(), r.asText());
        return true;
    }
    double a, b;
    if (!toReal(l, &a, fault) || !toReal(r, &b, fault)) return false;
    *result = order(a, b);
    return true;
}

bool applyBinary(BinaryOp op, const TaggedValue& l, const TaggedValue& r, TaggedValue* out,
                 ValueFault* fault) {
    switch (op) {
        case BinaryOp::Add:
        case BinaryOp::Subtract:
        case BinaryOp::Multiply:
        case BinaryOp::Divide:
            return arithmetic(op, l, r, out, fault);
        case BinaryOp::Power: {
            double a, b;
            if (!toReal(l, &a, fault) || !toReal(r, &b, fault)) return false;
            if (a <= 0) {
                if (fault) *fault = ValueFault::numeric();
                return false;
            }
            // e^(b ln a), computed by pow for the last bits (2^3 is exactly 8).
            return realResult(std::pow(a, b), out, fault);
        }
        case BinaryOp::IntDiv:
        case BinaryOp::Mod:
        case BinaryOp::Shl:
        case BinaryOp::Shr:
        case BinaryOp::And:
        case BinaryOp::Or:
        case BinaryOp::Xor:
            return integerOperator(op, l, r, out, fault);
        case BinaryOp::Equal:
        case BinaryOp::NotEqual:
        case BinaryOp::Less:
        case BinaryOp::Greater:
        case BinaryOp::LessEqual:
        case BinaryOp::GreaterEqual: {
            int c;
            if (!compareValues(l, r, &c, fault)) return false;
            bool b;
            switch (op) {
                case BinaryOp::Equal:
                    b = c == 0;
                    break;
                case BinaryOp::NotEqual:
                    b = c != 0;
                    break;
                case BinaryOp::Less:
                    b = c < 0;
                    break;
                case BinaryOp::Greater:
                    b = c > 0;
                    break;
                case BinaryOp::LessEqual:
                    b = c <= 0;
                    break;
                default:
                    b = c >= 0;
                    break;
            }
            *out = TaggedValue(b);
            return true;
        }
    }
    return typeError(fault);
}

bool applyNot(const TaggedValue& v, TaggedValue* out, ValueFault* fault) {
    if (v.isBoolean()) {
        *out = TaggedValue(!v.asBoolean());
        return true;
    }
    qint32 i;
    if (!toInt32(v, &i, fault)) return false;
    *out = TaggedValue(~i);
    return true;
}

bool applyNegate(const TaggedValue& v, TaggedValue* out, ValueFault* fault) {
    switch (v.kind()) {
        case Kind::Empty:
        case Kind::Integer:
        case Kind::Boolean:
            integerResult(-static_cast<qint64>(integralOf(v)), out);
            return true;
        case Kind::Real:
            *out = TaggedValue(-v.asReal());
            return true;
        case Kind::DateTime:
            *out = TaggedValue::dateTime(-v.asDateTime());
            return true;
        case Kind::Text: {
            double d;
            if (!toReal(v, &d, fault)) return false;
            *out = TaggedValue(-d);
            return true;
        }
    }
    return typeError(fault);
}

}  // namespace dorvana
