#pragma once
// The value source: what the evaluator asks about the report run it works
// for. Whoever evaluates passes its source explicitly; with none, every
// reference yields the integer 0 and every name lookup fails.

#include <QString>

#include "report/expr/tagged_value.h"

namespace dorvana {

class ValueSource {
public:
    ValueSource() = default;
    ValueSource(const ValueSource&) = delete;
    ValueSource& operator=(const ValueSource&) = delete;
    virtual ~ValueSource() = default;

    // Every index is 0-based. An index outside the list, and any failure while
    // answering, gives the integer 0; a source never fails.

    // Field i of the current record as its typed value; a field without a
    // value gives the empty text for a string field, else the integer 0.
    virtual TaggedValue fieldValue(int index) = 0;
    // The i-th report parameter as a text.
    virtual TaggedValue parameterValue(int index) = 0;
    // The current value of user function i.
    virtual TaggedValue functionValue(int index) = 0;
    // The value of report variable i.
    virtual TaggedValue variableValue(int index) = 0;
    // Index of the first field / user function whose name is the same name
    // (base/names.h); -1 when there is none.
    virtual int fieldIndex(const QString& name) = 0;
    virtual int functionIndex(const QString& name) = 0;
};

}  // namespace dorvana
