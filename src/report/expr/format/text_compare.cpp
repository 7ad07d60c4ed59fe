#include "report/expr/format/text_compare.h"

#include "report/expr/format/format_settings.h"

namespace dorvana {

int compareText(const QString& a, const QString& b) {
    const int order = formatSettings().collator.compare(a, b);
    if (order != 0) return order;
    return QString::compare(a, b, Qt::CaseSensitive);
}

}  // namespace dorvana
