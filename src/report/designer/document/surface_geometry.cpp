#include "report/designer/document/surface_geometry.h"

#include <algorithm>

#include "base/rounding.h"

namespace dorvana {

int unitsToPixels(int units, double zoom) {
    return roundHalfEven(units * zoom);
}

int pixelsToUnits(int pixels, double zoom) {
    return zoom > 0 ? roundHalfEven(pixels / zoom) : pixels;
}

int snapToRaster(int value, int step) {
    step = std::max(1, step);
    return step * roundHalfEven(double(value) / step);
}

namespace {

// A 5 x 5 square with its left and top edge, without its right and bottom edge.
bool inSquare(QPoint p, int left, int top) {
    return p.x() >= left && p.x() < left + 5 && p.y() >= top && p.y() < top + 5;
}

}  // namespace

int hitZone(int w, int h, QPoint p, bool multiSelected) {
    if (multiSelected) return 0;
    const int corners[9][2] = {{0, 0},
                               {0, 0},
                               {(w - 5) / 2, 0},
                               {w - 5, 0},
                               {0, (h - 5) / 2},
                               {w - 5, (h - 5) / 2},
                               {0, h - 5},
                               {(w - 5) / 2, h - 5},
                               {w - 5, h - 5}};
    for (int zone = 8; zone >= 1; --zone)
        if (inSquare(p, corners[zone][0], corners[zone][1])) return zone;
    return 0;
}

ElementBox draggedBox(int zone, const ElementBox& d, int dx, int dy, int W, int H) {
    ElementBox b = d;
    if (zone == 0) {
        b.left = std::max(0, d.left + dx);
        b.top = std::max(0, d.top + dy);
        if (b.left + b.width > W) b.left = W - b.width;
        if (b.top + b.height > H) b.top = H - b.height;
        return b;
    }
    const bool leftEdge = zone == 1 || zone == 4 || zone == 6;
    const bool rightEdge = zone == 3 || zone == 5 || zone == 8;
    const bool topEdge = zone == 1 || zone == 2 || zone == 3;
    const bool bottomEdge = zone == 6 || zone == 7 || zone == 8;
    if (leftEdge) {
        b.left = d.left + dx;
        b.width = d.left + d.width - b.left;
        if (b.width < kMinimumElementSize) {
            b.left = b.left + b.width - kMinimumElementSize;
            b.width = kMinimumElementSize;
        }
        if (b.left < 0) {
            b.width += b.left;
            b.left = 0;
        }
    }
    if (rightEdge) {
        b.width = std::max(kMinimumElementSize, d.width + dx);
        if (b.left + b.width > W) b.width = W - b.left;
    }
    if (topEdge) {
        b.top = d.top + dy;
        b.height = d.top + d.height - b.top;
        if (b.height < kMinimumElementSize) {
            b.top = b.top + b.height - kMinimumElementSize;
            b.height = kMinimumElementSize;
        }
        if (b.top < 0) {
            b.height += b.top;
            b.top = 0;
        }
    }
    if (bottomEdge) {
        b.height = std::max(kMinimumElementSize, d.height + dy);
        if (b.top + b.height > H) b.height = H - b.top;
    }
    return b;
}

ElementBox movedBox(const ElementBox& box, int dx, int dy, int W, int H) {
    return draggedBox(0, box, dx, dy, W, H);
}

ElementBox resizedBox(const ElementBox& box, int dx, int dy, int W, int H) {
    ElementBox b = box;
    b.width = std::min(std::max(kMinimumElementSize, box.width + dx), W - box.left);
    b.height = std::min(std::max(kMinimumElementSize, box.height + dy), H - box.top);
    return b;
}

}  // namespace dorvana
