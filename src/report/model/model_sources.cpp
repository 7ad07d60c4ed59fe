#include "report/model/model_sources.h"

namespace dorvana {

int ReportFieldSource::fieldIndex(const QString& name) const {
    const int n = fieldCount();
    for (int i = 0; i < n; ++i)
        if (fieldName(i).compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

}  // namespace dorvana
