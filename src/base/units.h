#pragma once
// Template units: hundredths of an inch. 3.937 units make one millimetre.

#include "base/rounding.h"

namespace dorvana {

inline constexpr double kUnitsPerMm = 3.937;
inline constexpr int kUnitsPerInch = 100;

inline double unitsToMm(int units) { return units / kUnitsPerMm; }
// Millimetres rounded to the nearest integer, halves to even.
inline int unitsToWholeMm(int units) { return roundHalfEven(units / kUnitsPerMm); }
inline int mmToUnits(double mm) { return roundHalfEven(mm * kUnitsPerMm); }

// A template length scaled by a factor (zoom or device scale), rounded half to even.
inline int scaleUnits(int units, double factor) { return roundHalfEven(units * factor); }

}  // namespace dorvana
