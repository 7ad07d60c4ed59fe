#include "report/layout/function_values.h"

#include "report/expr/functions/function_list.h"
#include "report/expr/value_rules.h"

namespace dorvana {

int FunctionValues::functionCount() const {
    return functions_ ? functions_->count() : 0;
}

ConditionOperand FunctionValues::operandOf(const TaggedValue& value) {
    switch (value.kind()) {
        case TaggedValue::Kind::Boolean:
            return ConditionOperand::fromBoolean(value.asBoolean());
        case TaggedValue::Kind::Integer:
            return ConditionOperand::fromInteger(value.asInteger());
        case TaggedValue::Kind::Real:
        case TaggedValue::Kind::Text: {
            qint32 n = 0;
            if (toInt32(value, &n)) return ConditionOperand::fromInteger(n);
            return {};
        }
        default:
            return {};
    }
}

ConditionOperand FunctionValues::conditionOperand(int index, ConditionValue which) const {
    const TRadekFunkce* row = functions_ ? functions_->item(index) : nullptr;
    if (!row) return {};
    return operandOf(which == ConditionValue::Printed ? row->printedValue() : row->currentValue());
}

QString FunctionValues::formattedPrinted(int index) const {
    const TRadekFunkce* row = functions_ ? functions_->item(index) : nullptr;
    return row ? row->FormatPrinted() : QString();
}

}  // namespace dorvana
