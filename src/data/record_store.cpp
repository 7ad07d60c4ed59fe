#include "data/record_store.h"

namespace dorvana {

bool sameRawValue(const QVariant& a, const QVariant& b) {
    if (a.isNull() || b.isNull()) return a.isNull() == b.isNull();
    return a == b;
}

}  // namespace dorvana
