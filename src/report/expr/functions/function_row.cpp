#include "report/expr/functions/function_row.h"

#include <cmath>

#include "report/expr/evaluator.h"
#include "report/expr/format/date_time_format.h"
#include "report/expr/format/number_format.h"
#include "report/expr/value_rules.h"

namespace dorvana {

namespace {

constexpr int kPageScope = 1;

enum class Type { Number, Text, DateTime, Boolean };

Type typeOf(const FunctionDefinition& def) {
    switch (def.resultType) {
        case FunctionDefinition::Text:
            return Type::Text;
        case FunctionDefinition::DateTime:
            return Type::DateTime;
        case FunctionDefinition::Boolean:
            return Type::Boolean;
        default:
            return Type::Number;  // 0, and any code the row does not know
    }
}

TaggedValue zero() {
    return TaggedValue::integer(0);
}

TaggedValue trueFalseText(bool b) {
    return TaggedValue::text(b ? QStringLiteral("True") : QStringLiteral("False"));
}

// The lesser (minimum) or greater (maximum) of the result so far and v; the
// result so far stays on a tie. False on a type error.
bool extreme(const TaggedValue& soFar, const TaggedValue& v, bool minimum, TaggedValue* out) {
    int order = 0;
    ValueFault fault;
    if (!compareValues(soFar, v, &order, &fault)) return false;
    *out = (minimum ? order > 0 : order < 0) ? v : soFar;
    return true;
}

}  // namespace

TRadekFunkce::TRadekFunkce(const FunctionDefinition& definition) {
    setDefinition(definition);
}

void TRadekFunkce::setDefinition(const FunctionDefinition& definition) {
    def_ = definition;
    def_.setNumberFormat(definition.numberFormat);
}

void TRadekFunkce::setDefinition(const QString& name, const QString& description,
                                 const QString& formatMask, int numberFormat, int digits,
                                 int precision, int processing, int resetScope,
                                 const QString& initialValue, int resultType,
                                 const QString& expression) {
    FunctionDefinition d;
    d.name = name;
    d.description = description;
    d.formatMask = formatMask;
    d.numberFormat = numberFormat;
    d.digits = digits;
    d.precision = precision;
    d.processing = processing;
    d.resetScope = resetScope;
    d.initialValue = initialValue;
    d.resultType = resultType;
    d.expression = expression;
    setDefinition(d);
}

void TRadekFunkce::Reset(int scope) {
    if (scope >= 0 && scope != def_.resetScope) return;
    if (typeOf(def_) == Type::Boolean) {
        logical_ = def_.initialValue != QLatin1String("0");
        printed_ = TaggedValue::boolean(logical_);
    } else {
        double v = 0;
        printed_ = parseReal(def_.initialValue, &v) ? TaggedValue::real(v) : zero();
    }
    count_ = 0;
    sum_ = 0.0;
    sumOfSquares_ = 0.0;
}

bool TRadekFunkce::evaluatesExpression() const {
    return !(typeOf(def_) == Type::Number && def_.processing == kProcessCount);
}

TaggedValue TRadekFunkce::recordValue(ValueSource* source) const {
    if (!evaluatesExpression()) return zero();
    // An error code or a failure of the evaluation gives the value 0.
    const EvaluationResult result = evaluateExpression(def_.expression, source);
    return result.ok() ? result.value : zero();
}

double TRadekFunkce::deviation() const {
    if (count_ <= 1) return 0.0;
    const double radicand = (sumOfSquares_ - sum_ * sum_ / count_) / (count_ - 1);
    // Rounding can leave a tiny negative radicand for equal values.
    return radicand > 0 ? std::sqrt(radicand) : 0.0;
}

TaggedValue TRadekFunkce::accumulate(const TaggedValue& v, const TaggedValue& soFar) {
    ++count_;
    switch (typeOf(def_)) {
        case Type::Text:
        case Type::DateTime:
            return v;
        case Type::Boolean: {
            if (def_.processing < kBoolValue || def_.processing > kBoolNot) return v;
            bool b = false;
            if (!toBoolean(v, &b)) return zero();
            switch (def_.processing) {
                case kBoolValue:
                    return trueFalseText(b);
                case kBoolAnd:
                    logical_ = logical_ && b;
                    return TaggedValue::boolean(logical_);
                case kBoolOr:
                    logical_ = logical_ || b;
                    return TaggedValue::boolean(logical_);
                case kBoolXor:
                    logical_ = logical_ != b;
                    return TaggedValue::boolean(logical_);
                default:  // kBoolNot
                    return TaggedValue::boolean(!b);
            }
        }
        case Type::Number:
            break;
    }
    switch (def_.processing) {
        case kProcessCount:
            return TaggedValue::integer(count_);
        case kProcessSum:
        case kProcessAverage:
        case kProcessDeviation:
        case kProcessRelDeviation: {
            double x = 0;
            if (!toReal(v, &x)) return zero();
            sum_ += x;
            if (def_.processing >= kProcessDeviation) sumOfSquares_ += x * x;
            return refreshed(v);
        }
        case kProcessMinimum:
        case kProcessMaximum: {
            if (count_ == 1) return v;
            TaggedValue r;
            if (!extreme(soFar, v, def_.processing == kProcessMinimum, &r)) return zero();
            return r;
        }
        default:
            return v;
    }
}

TaggedValue TRadekFunkce::refreshed(const TaggedValue& v) const {
    switch (typeOf(def_)) {
        case Type::Text:
        case Type::DateTime:
            return v;
        case Type::Boolean: {
            bool b = false;
            switch (def_.processing) {
                case kBoolValue:
                    return toBoolean(v, &b) ? trueFalseText(b) : zero();
                case kBoolAnd:
                case kBoolOr:
                case kBoolXor:
                    return TaggedValue::boolean(logical_);
                case kBoolNot:
                    return toBoolean(v, &b) ? TaggedValue::boolean(!b) : zero();
                default:
                    return v;
            }
        }
        case Type::Number:
            break;
    }
    switch (def_.processing) {
        case kProcessCount:
            return TaggedValue::integer(count_);
        case kProcessSum:
            return TaggedValue::real(sum_);
        case kProcessAverage:
            return TaggedValue::real(count_ != 0 ? sum_ / count_ : sum_);
        case kProcessDeviation:
            return TaggedValue::real(deviation());
        case kProcessRelDeviation:
            return TaggedValue::real(count_ <= 1 || sum_ == 0 ? 0.0 : deviation() * count_ / sum_);
        case kProcessMinimum:
        case kProcessMaximum: {
            if (count_ <= 1) return v;
            TaggedValue r;
            if (!extreme(current_, v, def_.processing == kProcessMinimum, &r)) return zero();
            return r;
        }
        default:
            return v;
    }
}

void TRadekFunkce::Accumulate(ValueSource* source) {
    printed_ = accumulate(recordValue(source), printed_);
    current_ = printed_;
}

void TRadekFunkce::AccumulateCurrent(ValueSource* source) {
    current_ = accumulate(recordValue(source), current_);
}

void TRadekFunkce::RefreshCurrent(ValueSource* source) {
    current_ = refreshed(recordValue(source));
}

void TRadekFunkce::PageStart(ValueSource* source) {
    if (def_.resetScope == kPageScope) {
        AccumulateCurrent(source);
    } else {
        RefreshCurrent(source);
    }
}

QString TRadekFunkce::FormatPrinted() const {
    const TaggedValue& p = printed_;
    if (p.isEmpty()) return {};
    switch (typeOf(def_)) {
        case Type::Text:
        case Type::Boolean:
            return toText(p);
        case Type::DateTime: {
            double days = 0;
            bool ok = false;
            if (toDateTime(p, &days)) {
                const QString text = formatDateTime(def_.formatMask, days, &ok);
                if (ok) return text;
            }
            return toText(p);
        }
        case Type::Number:
            break;
    }
    double x = 0;
    if (!toReal(p, &x)) return toText(p);
    if (def_.numberFormat == static_cast<int>(NumberFormat::Mask))
        return formatMask(x, def_.formatMask);
    return formatFloat(x, static_cast<NumberFormat>(def_.numberFormat), def_.precision,
                       def_.digits);
}

}  // namespace dorvana
