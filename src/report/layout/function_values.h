#pragma once
// The user functions of a report run, as section conditions and function
// elements read them.

#include "report/model/model_sources.h"

namespace dorvana {

class TListFunkci;
class TaggedValue;

class FunctionValues : public FunctionValueSource {
public:
    explicit FunctionValues(const TListFunkci* functions = nullptr) : functions_(functions) {}
    void setFunctions(const TListFunkci* functions) { functions_ = functions; }

    int functionCount() const override;
    // A Boolean stays a Boolean, an integer an integer, a real is rounded
    // (halves to even), a text that reads as a number is converted; anything
    // else (empty, a date-time, other texts, no such function) is Invalid.
    ConditionOperand conditionOperand(int index, ConditionValue which) const override;
    QString formattedPrinted(int index) const override;

    // The operand rule above for one value.
    static ConditionOperand operandOf(const TaggedValue& value);

private:
    const TListFunkci* functions_;
};

}  // namespace dorvana
