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

// One axis of a handle drag: the low edge (left or top) moves by delta and
// keeps the far edge, stopping at the minimum size and at 0; the high edge
// (right or bottom) grows or shrinks the size, stopping at the minimum and at
// limit.
void dragEdges(int start, int size, int delta, int limit, bool lowEdge, bool highEdge,
               int* outStart, int* outSize) {
    if (lowEdge) {
        *outStart = start + delta;
        *outSize = start + size - *outStart;
        if (*outSize < kMinimumElementSize) {
            *outStart = *outStart + *outSize - kMinimumElementSize;
            *outSize = kMinimumElementSize;
        }
        if (*outStart < 0) {
            *outSize += *outStart;
            *outStart = 0;
        }
    }
    if (highEdge) {
        *outSize = std::max(kMinimumElementSize, size + delta);
        if (*outStart + *outSize > limit) *outSize = limit - *outStart;
    }
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
    dragEdges(d.left, d.width, dx, W, leftEdge, rightEdge, &b.left, &b.width);
    dragEdges(d.top, d.height, dy, H, topEdge, bottomEdge, &b.top, &b.height);
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
