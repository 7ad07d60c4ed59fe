#pragma once
// Template fonts on Linux: the Windows names templates carry ("Arial",
// "Times New Roman", "Courier New") resolve through fontconfig, which gives
// their metric twins (Liberation Sans, Serif, Mono), so text measures the
// same everywhere. Sizes are set in pixels so that a font's size does not
// depend on the resolution a device claims.

#include <QFont>
#include <QString>

#include "report/model/model_sources.h"

namespace dorvana {

// The font of a given family, pixel size and style bits (bold 1, italic 2,
// underline 4, strikeout 8). Kerning is off, as text is measured character
// by character; hinting is off, so widths scale with the size.
QFont printedQFont(const QString& family, int pixelSize, int styleBits);

// Device pixels of a size in (whole) points at fontDpi pixels per inch.
int fontPixelSize(int points, double fontDpi);

// Measures text for the layout engine in template units (0.01 in).
class FontTextMeasurer : public TextMeasurer {
public:
    double textWidth(const QString& text, const QString& fontName, int pointSize,
                     int styleBits) const override;
};

}  // namespace dorvana
