#include "report/layout/report_field_value.h"

#include "data/data_set.h"

namespace dorvana {

TaggedValue reportFieldValue(const Field* field) {
    if (!field) return TaggedValue::integer(0);
    TaggedValue v = field->value();
    if (!v.isEmpty()) return v;
    const FieldType type = field->dataType();
    return type == FieldType::String || type == FieldType::Memo ? TaggedValue::text(QString())
                                                                : TaggedValue::integer(0);
}

}  // namespace dorvana
