#include "report/render/draw_context.h"

namespace dorvana {

DrawContext DrawContext::forScreen(double zoom, int leftMargin, int topMargin) {
    DrawContext c;
    c.ox = leftMargin;
    c.oy = topMargin;
    c.sx = c.sy = zoom;
    c.fontScale = zoom;
    c.fontDpi = 100.0;
    c.screen = true;
    c.barcodeScale = zoom;
    c.barcodeDpi = kFineResolution;
    return c;
}

DrawContext DrawContext::forDevice(double sx, double sy, int resolutionY, double ox, double oy) {
    DrawContext c;
    c.ox = ox;
    c.oy = oy;
    c.sx = sx;
    c.sy = sy;
    c.fontDpi = resolutionY > 0 ? resolutionY : 100;
    c.fontScale = sy * 100.0 / c.fontDpi;
    c.screen = false;
    c.barcodeScale = 1.0;
    return c;
}

}  // namespace dorvana
