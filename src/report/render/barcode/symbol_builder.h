#pragma once
// Appends bars and spaces to a symbol from width patterns such as "3211"
// (one digit per element, alternating bar and space).

#include <QString>

#include "report/render/barcode/barcode_symbol.h"

namespace dorvana {

class SymbolBuilder {
public:
    explicit SymbolBuilder(BarcodeSymbol& symbol) : symbol_(symbol) {}

    // Appends the widths of pattern, the first element a bar or a space.
    void add(const char* pattern, bool firstIsBar, bool guard = false);
    // Appends one element; a space next to a space (or a bar next to a bar)
    // widens the last element instead.
    void addElement(bool bar, int units, bool guard = false);
    void setAddOn(bool addOn) { addOn_ = addOn; }
    int count() const { return int(symbol_.elements.size()); }
    bool lastIsBar() const { return !symbol_.elements.isEmpty() && symbol_.elements.last().bar; }

private:
    BarcodeSymbol& symbol_;
    bool addOn_ = false;
};

// True when every character is an ASCII digit.
bool isAsciiDigits(const QString& s);

}  // namespace dorvana
