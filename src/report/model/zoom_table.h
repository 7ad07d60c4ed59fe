#pragma once
// The sixteen zoom factors of the preview and the designer, 0.32 ... 3.00;
// step 6 is 100 %.

namespace dorvana {

inline constexpr int kZoomStepCount = 16;
inline constexpr int kZoomStep100 = 6;
// The factor of a step (steps outside 0..15 are taken as the nearest end).
double zoomFactor(int step);
// The zoom step for a zoom in percent: the step nearest to it (halfway
// between two steps goes to the larger one).
int zoomStepForPercent(int percent);

}  // namespace dorvana
