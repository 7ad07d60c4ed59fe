#include "report/model/section.h"

#include "report/model/text_elements.h"

namespace dorvana {

void TOddil::setSettings(const SectionSettings& s) {
    visible = s.visible;
    locked = s.locked;
    height = s.height;
    pass = s.pass;
    condition = s.condition;
}

int TOddil::columnWidth(int printableWidth) const {
    if (columns <= 1) return printableWidth;
    return (printableWidth + gap) / columns;
}

bool TOddil::printsInPass(int x, const FunctionValueSource* functions, ConditionValue which) const {
    const bool admitted = pass == 0 ? visible : visible && pass == x;
    if (condition == 0 || !functions) return admitted;
    // The admission as a Boolean (true = -1) ANDed with the function's value:
    // logically with a Boolean, bitwise with an integer.
    const int index = condition - 1;
    if (index < 0 || index >= functions->functionCount()) return false;  // no item reads as 0
    const ConditionOperand v = functions->conditionOperand(index, which);
    switch (v.kind) {
        case ConditionOperand::Kind::Boolean:
            return admitted && v.boolean;
        case ConditionOperand::Kind::Integer:
            return ((admitted ? -1 : 0) & v.integer) != 0;
        case ConditionOperand::Kind::Invalid:
            return false;
    }
    return false;
}

int TOddil::indexOf(const TSesPrvek* e) const {
    for (size_t i = 0; i < elements_.size(); ++i)
        if (elements_[i].get() == e) return int(i);
    return -1;
}

void TOddil::updateGrowingCandidates(const ReportFieldSource* fields) {
    growing_.clear();
    for (const auto& e : elements_)
        if (e->type() == ElementType::FieldValue) {
            auto* t = static_cast<TDBSesText*>(e.get());
            if (t->isGrowingCandidate(fields)) {
                t->fieldKind = fields->fieldKind(t->reference);
                growing_.append(t);
            }
        }
}

}  // namespace dorvana
