#include <gtest/gtest.h>

#include <limits>

#include "base/rounding.h"
#include "base/units.h"

using namespace dorvana;

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    struct Case {
        double in;
        int out;
    } cases[] = {{2.5, 2},  {3.5, 4},   {-2.5, -2}, {-3.5, -4}, {0.5, 0},
                 {1.5, 2},  {2.4, 2},   {2.6, 3},   {-0.4, 0},  {0.49999999999999994, 0},
                 {1e300, std::numeric_limits<int>::max()},
                 {-1e300, std::numeric_limits<int>::min()},
                 {std::numeric_limits<double>::quiet_NaN(), 0}};
    for (const Case& c : cases) EXPECT_EQ(roundHalfEven(c.in), c.out) << c.in;
}

TEST(Units, MillimetresAndScaling) {
    EXPECT_EQ(unitsToWholeMm(827), 210);
    EXPECT_EQ(unitsToWholeMm(1169), 297);
    EXPECT_EQ(mmToUnits(210), 827);
    EXPECT_EQ(scaleUnits(5, 0.5), 2);   // 2.5 -> 2
    EXPECT_EQ(scaleUnits(7, 0.5), 4);   // 3.5 -> 4
}
