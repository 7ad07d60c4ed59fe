#pragma once
// The one set of combination and conversion rules of tagged values: how the
// operators of the expression language combine two values and how a value is
// read as another kind. The evaluator, the user functions and the table
// engine all go through these.

#include <QString>

#include "report/expr/tagged_value.h"

namespace dorvana {

// Why an operation gave no value.
struct ValueFault {
    enum class Kind : quint8 {
        None,
        // A conversion that is impossible ("abc" used as a number): the
        // evaluator reports error 13.
        Type,
        // Division by zero with "/", a power of a base <= 0 and the range
        // checks of the built-in functions: the evaluator reports error 6.
        Numeric,
        // Anything else (an integer division by zero, an overflow, an
        // unreadable text given to STRTOINT ...): not an error code; the
        // caller decides (a user function takes 0).
        Failure,
    };
    Kind kind = Kind::None;
    QString message;  // set for failures

    bool isNone() const { return kind == Kind::None; }
    static ValueFault type() { return {Kind::Type, {}}; }
    static ValueFault numeric() { return {Kind::Numeric, {}}; }
    static ValueFault failure(const QString& message) { return {Kind::Failure, message}; }
};

// Messages of the failures raised here.
QString divisionByZeroMessage();    // "Dělení nulou"
QString overflowMessage();          // "Přetečení čísla"
QString invalidOperationMessage();  // "Neplatná číselná operace"

// ---- Conversions -------------------------------------------------------
// Each gives false (and sets *fault when given) when the value cannot be read
// as the wanted kind.

// Integer, real, boolean (-1/0), date-time (its days), a text in the system's
// number format (e.g. "12,5" in Czech; "12.5" is read too), empty (0).
bool toReal(const TaggedValue& v, double* out, ValueFault* fault = nullptr);
// As toReal, then rounded to the nearest integer (halves to even); a number
// beyond 32 bits is an overflow failure.
bool toInt32(const TaggedValue& v, qint32* out, ValueFault* fault = nullptr);
// Boolean; number not 0; text "True"/"False" (any case) or a number; empty is
// false.
bool toBoolean(const TaggedValue& v, bool* out, ValueFault* fault = nullptr);
// Date-time (days); a number as days; a text as a date (and time) in the
// system's short formats, or as a number of days.
bool toDateTime(const TaggedValue& v, double* out, ValueFault* fault = nullptr);
// Every value has a text form: integers in decimal, reals in the general form
// (up to 15 significant digits, the locale's decimal separator), booleans
// "True"/"False", date-times as short date (and time when not midnight),
// empty as the empty text.
QString toText(const TaggedValue& v);

// ---- Operators ---------------------------------------------------------

enum class BinaryOp : quint8 {
    Add,
    Subtract,
    Multiply,
    Divide,
    Power,
    IntDiv,
    Mod,
    Shl,
    Shr,
    And,
    Or,
    Xor,
    Equal,
    NotEqual,
    Less,
    Greater,
    LessEqual,
    GreaterEqual,
};

// Applies a binary operator. On failure *out is left as it was.
bool applyBinary(BinaryOp op, const TaggedValue& left, const TaggedValue& right, TaggedValue* out,
                 ValueFault* fault);
// NOT: logical on a boolean, bitwise complement on an integer.
bool applyNot(const TaggedValue& v, TaggedValue* out, ValueFault* fault);
// Unary minus.
bool applyNegate(const TaggedValue& v, TaggedValue* out, ValueFault* fault);

// Compares two values by the rules of the comparison operators: -1, 0 or 1
// in *order. Two numbers numerically, two texts as texts (case-sensitive, the
// locale's order), a text with a number as numbers, anything with a date-time
// as date-times.
bool compareValues(const TaggedValue& left, const TaggedValue& right, int* order,
                   ValueFault* fault);

}  // namespace dorvana
