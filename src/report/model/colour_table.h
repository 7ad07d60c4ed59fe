#pragma once
// The fixed 16-colour table colour tokens of templates index into.

#include <QRgb>

namespace dorvana {

inline constexpr int kColourCount = 16;

// The colour of index 0..15; black for any other index.
QRgb colourOfIndex(int index);
// True when index is 0..15.
inline bool isColourIndex(int index) {
    return index >= 0 && index < kColourCount;
}
// The index of a colour of the table; a colour not in the table gives 0 (black).
int indexOfColour(QRgb colour);

}  // namespace dorvana
