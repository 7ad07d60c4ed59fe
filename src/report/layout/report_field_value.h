#pragma once
// The value a report and an expression see for a field of the current record.

#include "report/expr/tagged_value.h"

namespace dorvana {

class Field;

// The field's typed value; a field without a value gives the empty text for
// string and memo fields and the integer 0 for every other type (and for no
// field at all).
TaggedValue reportFieldValue(const Field* field);

}  // namespace dorvana
