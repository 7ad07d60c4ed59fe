#pragma once
// The template's line styles, fill styles and rounded corners as Qt draws
// them: the one table the printed page, the preview, the designer and the
// object bar's samples use.

#include <Qt>

namespace dorvana {

// Line style of a line or frame element: 0 solid ("plná"), 1 dashed
// ("čárkovaná"), 2 dotted ("tečkovaná"), 3 dash-dot ("čerchovaná");
// anything else draws solid.
Qt::PenStyle linePenStyle(int style);

// Fill style of a frame element: 0 solid ("plné"), 1 none ("prázdné"),
// 2 horizontal, 3 vertical, 4 falling diagonal ("šikmé F"), 5 rising
// diagonal ("šikmé B"), 6 cross ("svis/vod"), 7 diagonal cross ("šikmé");
// anything else fills solid.
Qt::BrushStyle fillBrushStyle(int style);

// The number of fill styles (the object bar's list).
inline constexpr int kFillStyleCount = 8;

// The size (device pixels) of the corner ellipse of a rounded rectangle
// whose box, inset by its outline, is insetHeight pixels high, on a canvas of
// sy pixels per 0.01 in: 40 units, but at most half the inset height.
int roundedCornerSize(double sy, int insetHeight);

}  // namespace dorvana
