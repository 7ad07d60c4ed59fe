#pragma once
// The arithmetic of the designer's editing surface: pixels and template units
// at a zoom, raster snapping, the handles of an element and what dragging,
// moving and resizing do to an element's box inside its section.

#include <QPoint>

namespace dorvana {

// An element's box in template units (0.01 in), relative to its section.
struct ElementBox {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const ElementBox&) const = default;
};

// Template units to pixels at zoom z and back, rounded half to even.
int unitsToPixels(int units, double zoom);
int pixelsToUnits(int pixels, double zoom);
// The nearest multiple of step (step below 1 counts as 1), halves to even.
int snapToRaster(int value, int step);

// The handle of an element under a point (pixels relative to the element of
// on-screen size w x h): 1 top left, 2 top centre, 3 top right, 4 left
// centre, 5 right centre, 6 bottom left, 7 bottom centre, 8 bottom right,
// 0 the body. An element of a multi-selection has only its body.
int hitZone(int w, int h, QPoint p, bool multiSelected = false);

// The smallest width or height a drag or resize leaves.
inline constexpr int kMinimumElementSize = 3;

// The box after dragging handle `zone` by (dx, dy) units from the box it had
// at button-down, kept inside a section of width W and height H.
ElementBox draggedBox(int zone, const ElementBox& atDown, int dx, int dy, int W, int H);
// The box moved by (dx, dy), kept inside the section.
ElementBox movedBox(const ElementBox& box, int dx, int dy, int W, int H);
// The box resized by (dx, dy), each size at least 3 and inside the section.
ElementBox resizedBox(const ElementBox& box, int dx, int dy, int W, int H);

}  // namespace dorvana
