#include "report/layout/pages/printed_fonts.h"

#include <algorithm>

#include "base/rounding.h"

namespace dorvana {

QFont printedQFont(const QString& family, int pixelSize, int styleBits) {
    QFont f(family);
    f.setPixelSize(std::clamp(pixelSize, 1, 32767));
    f.setBold(styleBits & 1);
    f.setItalic(styleBits & 2);
    f.setUnderline(styleBits & 4);
    f.setStrikeOut(styleBits & 8);
    f.setKerning(false);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

int fontPixelSize(int points, double fontDpi) {
    return roundHalfEven(points * fontDpi / 72.0);
}

}  // namespace dorvana
