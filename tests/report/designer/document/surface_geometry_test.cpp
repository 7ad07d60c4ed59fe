#include <gtest/gtest.h>

#include "report/designer/document/surface_geometry.h"

namespace dorvana {
namespace {

// A drag of p pixels at zoom z with raster r, as the surface computes it.
int snappedDrag(int pixels, double zoom, int raster) {
    return snapToRaster(pixelsToUnits(pixels, zoom), raster);
}

TEST(SurfaceGeometry, DragsSnapToTheRasterAtEveryZoom) {
    EXPECT_EQ(snappedDrag(37, 1.0, 10), 40);
    EXPECT_EQ(snappedDrag(37, 2.0, 10), 20);   // 18.5 -> 18 -> 20
    EXPECT_EQ(snappedDrag(13, 1.0, 8), 16);
    EXPECT_EQ(snappedDrag(11, 1.0, 8), 8);
    EXPECT_EQ(snappedDrag(-13, 1.0, 8), -16);
    EXPECT_EQ(snappedDrag(37, 0.64, 1), 58);   // 57.8
    EXPECT_EQ(pixelsToUnits(5, 2.0), 2);       // halves to even
    EXPECT_EQ(unitsToPixels(7, 0.5), 4);
    EXPECT_EQ(snapToRaster(5, 0), 5);
}

TEST(SurfaceGeometry, HandlesOfAnElement) {
    struct Case {
        int x, y, zone;
    };
    // A 40 x 20 element: corners, centres, the body.
    for (const Case c : {Case{0, 0, 1}, Case{4, 4, 1}, Case{17, 0, 2}, Case{39, 0, 3},
                         Case{0, 8, 4}, Case{38, 10, 5}, Case{0, 19, 6}, Case{20, 17, 7},
                         Case{35, 15, 8}, Case{5, 5, 0}, Case{20, 10, 0}})
        EXPECT_EQ(hitZone(40, 20, {c.x, c.y}), c.zone) << c.x << "," << c.y;
    EXPECT_EQ(hitZone(40, 20, {39, 19}, true), 0);
    EXPECT_EQ(hitZone(4, 4, {2, 2}), 8);  // tiny: the highest zone wins
}

TEST(SurfaceGeometry, DraggingStaysInsideTheSection) {
    const ElementBox b{100, 10, 50, 20};
    EXPECT_EQ(draggedBox(0, b, 1000, 0, 726, 40), (ElementBox{676, 10, 50, 20}));
    EXPECT_EQ(draggedBox(0, b, -1000, -1000, 726, 40), (ElementBox{0, 0, 50, 20}));
    // A left handle past the right edge leaves 3 units ending where it was.
    EXPECT_EQ(draggedBox(4, b, 200, 0, 726, 40), (ElementBox{147, 10, 3, 20}));
    EXPECT_EQ(draggedBox(1, b, -200, -50, 726, 40), (ElementBox{0, 0, 150, 30}));
    EXPECT_EQ(draggedBox(8, b, 1000, 1000, 726, 40), (ElementBox{100, 10, 626, 30}));
    EXPECT_EQ(draggedBox(7, b, 0, -100, 726, 40), (ElementBox{100, 10, 50, 3}));
    EXPECT_EQ(resizedBox(b, -100, 100, 726, 40), (ElementBox{100, 10, 3, 30}));
}

}  // namespace
}  // namespace dorvana
