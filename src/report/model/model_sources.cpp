#include "report/model/model_sources.h"

#include "base/names.h"

namespace dorvana {

int ReportFieldSource::fieldIndex(const QString& name) const {
    const int n = fieldCount();
    for (int i = 0; i < n; ++i)
        if (sameName(fieldName(i), name)) return i;
    return -1;
}

}  // namespace dorvana
