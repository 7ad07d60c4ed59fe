// The zoom table of the preview and the designer.
#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

#include "report/model/zoom_table.h"

using namespace dorvana;

TEST(ZoomTable, StepOfAPercentage) {
    EXPECT_EQ(zoomFactor(6), 1.0);
    for (const auto& [percent, step] : std::initializer_list<std::pair<int, int>>{{100, 6},
                                                                                  {10, 0},
                                                                                  {32, 0},
                                                                                  {36, 1},
                                                                                  {91, 5},
                                                                                  {92, 6},
                                                                                  {200, 11},
                                                                                  {250, 13},
                                                                                  {300, 15},
                                                                                  {1000, 15}}) {
        EXPECT_EQ(zoomStepForPercent(percent), step) << percent;
    }
}
