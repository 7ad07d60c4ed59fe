#pragma once
// The one rounding rule of the system: to the nearest integer, halves to the
// even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).

#include <cmath>
#include <cstdint>
#include <limits>

namespace dorvana {

// Rounds half to even. NaN gives 0; values beyond the range saturate.
inline std::int64_t roundHalfEven64(double v) {
    if (std::isnan(v)) return 0;
    constexpr double kMax = 9.2233720368547748e18;
    if (v >= kMax) return std::numeric_limits<std::int64_t>::max();
    if (v <= -kMax) return std::numeric_limits<std::int64_t>::min();
    double r = std::round(v);  // exact; halves away from zero
    if (std::fabs(r - v) == 0.5) r = 2.0 * std::round(v / 2.0);  // exactly halfway: the even one
    return static_cast<std::int64_t>(r);
}

// Rounds half to even into an int, saturating at the int range.
inline int roundHalfEven(double v) {
    const std::int64_t r = roundHalfEven64(v);
    if (r > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    if (r < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    return static_cast<int>(r);
}

}  // namespace dorvana
