#include "report/layout/pages/printed_fonts.h"

#include <algorithm>

#include "base/rounding.h"
#include "report/model/report_element.h"

namespace dorvana {

QFont printedQFont(const QString& family, int pixelSize, int styleBits) {
    QFont f(family);
    f.setPixelSize(std::clamp(pixelSize, 1, 32767));
    setFontStyleBits(f, styleBits);
    f.setKerning(false);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

void setFontStyleBits(QFont& font, int styleBits) {
    font.setBold(styleBits & FontStyle::Bold);
    font.setItalic(styleBits & FontStyle::Italic);
    font.setUnderline(styleBits & FontStyle::Underline);
    font.setStrikeOut(styleBits & FontStyle::StrikeOut);
}

int fontStyleBits(const QFont& font) {
    return (font.bold() ? FontStyle::Bold : 0) | (font.italic() ? FontStyle::Italic : 0) |
           (font.underline() ? FontStyle::Underline : 0) |
           (font.strikeOut() ? FontStyle::StrikeOut : 0);
}

QFont dialogFont(const QString& family, int points, int styleBits) {
    QFont f(family);
    f.setPointSize(std::max(1, points));
    setFontStyleBits(f, styleBits);
    return f;
}

int fontPixelSize(int points, double fontDpi) {
    return roundHalfEven(points * fontDpi / 72.0);
}

}  // namespace dorvana
