#pragma once
// The designer palette's integer codes for the element to insert: 1 static
// text, 2000 + i field value of field i, 4000 + i field label, 6000 + i
// parameter, 8000 + i variable, 10000 + i function, 2 line, 3 rectangle,
// 4 rounded rectangle, 5 ellipse, 6 picture.

#include <optional>

namespace dorvana {

struct PaletteElement {
    int type = 0;       // element type 1..11
    int reference = 0;  // field, parameter, variable or function index
    bool operator==(const PaletteElement&) const = default;
};

// The element a palette code inserts; nothing for a code outside the ranges.
std::optional<PaletteElement> elementOfPaletteCode(int code);
// The palette code of an element; nothing when it has none (a reference
// outside 0..1999 for the indexed kinds, or another type).
std::optional<int> paletteCodeOf(const PaletteElement& element);

}  // namespace dorvana
