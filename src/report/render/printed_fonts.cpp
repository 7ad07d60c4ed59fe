#include "report/render/printed_fonts.h"

#include <QFontMetricsF>
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

double FontTextMeasurer::textWidth(const QString& text, const QString& fontName, int pointSize,
                                   int styleBits) const {
    // Measured at 1200 dpi, where rounding of glyph advances does not matter.
    constexpr double kDpi = 1200.0;
    const QFontMetricsF m(printedQFont(fontName, fontPixelSize(pointSize, kDpi), styleBits));
    return m.horizontalAdvance(text) * 100.0 / kDpi;
}

}  // namespace dorvana
