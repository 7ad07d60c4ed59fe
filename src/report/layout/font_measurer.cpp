#include "report/layout/font_measurer.h"

#include <QFont>
#include <QFontMetricsF>

#include "report/layout/pages/printed_fonts.h"

namespace dorvana {

namespace {
// Fonts are measured at this pixel size and scaled: one pixel stands for
// one 0.01 in at the font's size.
constexpr int kMeasureSize = 1000;
}  // namespace

FontMeasurer::FontMeasurer() = default;
FontMeasurer::~FontMeasurer() = default;

const QFontMetricsF& FontMeasurer::metrics(const QString& fontName, int styleBits) const {
    const QString key = fontName + QLatin1Char('\n') + QString::number(styleBits & 15);
    auto it = cache_.find(key);
    if (it == cache_.end())
        it = cache_.insert(
            key, std::make_shared<QFontMetricsF>(printedQFont(fontName, kMeasureSize, styleBits)));
    return **it;
}

double FontMeasurer::textWidth(const QString& text, const QString& fontName, int pointSize,
                               int styleBits) const {
    if (text.isEmpty() || pointSize <= 0) return 0.0;
    // A font of p points is p/72 in high: p * 100 / 72 hundredths of an inch.
    const double unitsPerPixel = pointSize * 100.0 / 72.0 / kMeasureSize;
    return metrics(fontName, styleBits).horizontalAdvance(text) * unitsPerPixel;
}

}  // namespace dorvana
