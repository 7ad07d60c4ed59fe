#include "report/expr/value_source.h"

#include "base/process_context.h"

namespace dorvana {

ValueSource::~ValueSource() {
    if (processContext().activeValueSource == this) processContext().activeValueSource = nullptr;
}

void ValueSource::makeActive() {
    processContext().activeValueSource = this;
}

bool ValueSource::isActive() const {
    return processContext().activeValueSource == this;
}

ValueSource* activeValueSource() {
    return processContext().activeValueSource;
}

void setActiveValueSource(ValueSource* source) {
    processContext().activeValueSource = source;
}

bool sameNameIgnoringAsciiCase(const QString& a, const QString& b) {
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        char16_t x = a[i].unicode(), y = b[i].unicode();
        if (x >= u'a' && x <= u'z') x -= 32;
        if (y >= u'a' && y <= u'z') y -= 32;
        if (x != y) return false;
    }
    return true;
}

}  // namespace dorvana
