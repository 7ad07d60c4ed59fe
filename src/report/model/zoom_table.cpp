#include "report/model/zoom_table.h"

#include <QtGlobal>

namespace dorvana {

double zoomFactor(int step) {
    static constexpr double kSteps[kZoomStepCount] = {0.32, 0.40, 0.50, 0.64, 0.75, 0.83,
                                                      1.00, 1.17, 1.25, 1.50, 1.75, 2.00,
                                                      2.25, 2.50, 2.75, 3.00};
    return kSteps[qBound(0, step, kZoomStepCount - 1)];
}

int zoomStepForPercent(int percent) {
    const double doubled = percent / 50.0;  // twice the factor
    for (int i = 0; i < kZoomStepCount - 1; ++i)
        if (doubled < zoomFactor(i) + zoomFactor(i + 1)) return i;
    return kZoomStepCount - 1;
}

}  // namespace dorvana
