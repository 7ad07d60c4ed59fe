#include "report/render/barcode/symbol_builder.h"

namespace dorvana {

void SymbolBuilder::add(const char* pattern, bool firstIsBar, bool guard) {
    bool bar = firstIsBar;
    for (const char* p = pattern; *p; ++p) {
        addElement(bar, *p - '0', guard);
        bar = !bar;
    }
}

void SymbolBuilder::addElement(bool bar, int units, bool guard) {
    if (!symbol_.elements.isEmpty() && symbol_.elements.last().bar == bar) {
        symbol_.elements.last().units += quint8(units);
        return;
    }
    symbol_.elements.append(BarElement{bar, quint8(units), guard, addOn_});
}

bool isAsciiDigits(const QString& s) {
    for (QChar c : s)
        if (c < u'0' || c > u'9') return false;
    return true;
}

}  // namespace dorvana
