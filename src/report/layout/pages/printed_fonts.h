#pragma once
// Template fonts on Linux: the Windows names templates carry ("Arial",
// "Times New Roman", "Courier New") resolve through fontconfig, which gives
// their metric twins (Liberation Sans, Serif, Mono), so text measures the
// same everywhere. Sizes are set in pixels so that a font's size does not
// depend on the resolution a device claims. Layout measures and drawing
// draws with fonts made here.

#include <QFont>
#include <QString>

namespace dorvana {

// The font of a given family, pixel size and style bits (bold 1, italic 2,
// underline 4, strikeout 8). Kerning is off, as text is measured character
// by character; hinting is off, so widths scale with the size.
QFont printedQFont(const QString& family, int pixelSize, int styleBits);

// The style bits of a template font (bold 1, italic 2, underline 4,
// strikeout 8) set on a font, and read back from one.
void setFontStyleBits(QFont& font, int styleBits);
int fontStyleBits(const QFont& font);

// A template font as the font dialogs show and return it: the family, the
// size in points (at least 1) and the style bits.
QFont dialogFont(const QString& family, int points, int styleBits);

// Device pixels of a size in (whole) points at fontDpi pixels per inch.
int fontPixelSize(int points, double fontDpi);

}  // namespace dorvana
