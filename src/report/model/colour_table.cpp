#include "report/model/colour_table.h"

namespace dorvana {

namespace {

constexpr QRgb kColours[kColourCount] = {
    0xFF000000, 0xFF800000, 0xFF008000, 0xFF808000, 0xFF000080, 0xFF800080, 0xFF008080, 0xFF808080,
    0xFFC0C0C0, 0xFFFF0000, 0xFF00FF00, 0xFFFFFF00, 0xFF0000FF, 0xFFFF00FF, 0xFF00FFFF, 0xFFFFFFFF,
};

}  // namespace

QRgb colourOfIndex(int index) {
    return isColourIndex(index) ? kColours[index] : kColours[0];
}

int indexOfColour(QRgb colour) {
    for (int i = 0; i < kColourCount; ++i)
        if (qRgb(qRed(colour), qGreen(colour), qBlue(colour)) == kColours[i]) return i;
    return 0;
}

}  // namespace dorvana
