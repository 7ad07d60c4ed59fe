#pragma once
// TRadekFunkce (function row): one user function of a report, its definition
// and the values it accumulates over the records of a run.

#include <QString>

#include "report/expr/tagged_value.h"
#include "report/model/function_definition.h"

namespace dorvana {

class ValueSource;

// Processing codes of the number type.
enum NumberProcessing : int {
    kProcessNone = 0,          // "(Žádné)"
    kProcessCount = 1,         // "Počet"
    kProcessSum = 2,           // "Součet"
    kProcessAverage = 3,       // "Průměr"
    kProcessMinimum = 4,       // "Minimum"
    kProcessMaximum = 5,       // "Maximum"
    kProcessDeviation = 6,     // "Směrodat.odch."
    kProcessRelDeviation = 7,  // "Relat.sm.odch."
};

// Processing codes of the boolean type.
enum BooleanProcessing : int {
    kBoolNone = 0,   // "(Žádné)"
    kBoolValue = 1,  // "Hodnota": the text "True" or "False"
    kBoolAnd = 2,
    kBoolOr = 3,
    kBoolXor = 4,
    kBoolNot = 5,
};

class TRadekFunkce {
public:
    // A row with the default definition; printed value the integer 0,
    // current value empty.
    TRadekFunkce() = default;
    explicit TRadekFunkce(const FunctionDefinition& definition);

    // Stores the definition; a number format outside 0..5 becomes 3.
    void setDefinition(const FunctionDefinition& definition);
    // The eleven attributes in the order of the function dialog.
    void setDefinition(const QString& name, const QString& description, const QString& formatMask,
                       int numberFormat, int digits, int precision, int processing, int resetScope,
                       const QString& initialValue, int resultType, const QString& expression);
    const FunctionDefinition& definition() const { return def_; }
    const QString& name() const { return def_.name; }

    // Starts again when scope is negative or equals the row's reset scope:
    // the printed value becomes the initial value, count and sums 0. The
    // current value is kept.
    void Reset(int scope);
    // The expression reads the current record through `source` (null: every
    // reference by number gives 0, every name is unknown).
    // Evaluates the expression for the current record, adds the value to the
    // run state and makes the result the printed and the current value.
    void Accumulate(ValueSource* source);
    // As Accumulate, but the result becomes only the current value.
    void AccumulateCurrent(ValueSource* source);
    // Evaluates the expression and recomputes the current value from the run
    // state without adding to it.
    void RefreshCurrent(ValueSource* source);
    // AccumulateCurrent for a page function (reset scope 1), else RefreshCurrent.
    void PageStart(ValueSource* source);
    // printed value := current value.
    void CommitCurrent() { printed_ = current_; }
    // The printed value as text by the result type and the format.
    QString FormatPrinted() const;

    const TaggedValue& printedValue() const { return printed_; }
    const TaggedValue& currentValue() const { return current_; }
    qint32 count() const { return count_; }
    double sum() const { return sum_; }
    double sumOfSquares() const { return sumOfSquares_; }
    bool logicalAccumulator() const { return logical_; }

private:
    // The value of the current record: the expression's value, or the
    // integer 0 when the evaluation reports an error or fails.
    TaggedValue recordValue(ValueSource* source) const;
    bool evaluatesExpression() const;
    // Adds v to the run state and computes the result from `so far`.
    TaggedValue accumulate(const TaggedValue& v, const TaggedValue& soFar);
    TaggedValue refreshed(const TaggedValue& v) const;
    double deviation() const;

    FunctionDefinition def_;
    TaggedValue printed_ = TaggedValue::integer(0);
    TaggedValue current_;
    qint32 count_ = 0;
    double sum_ = 0.0;
    double sumOfSquares_ = 0.0;
    bool logical_ = false;
};

}  // namespace dorvana
