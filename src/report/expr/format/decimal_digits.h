#pragma once
// A real number as rounded decimal digits: the common ground of the number
// formats and the picture mask.

#include <QByteArray>

namespace dorvana {

struct DecimalDigits {
    bool negative = false;
    // Significant digits '0'..'9' without leading or trailing zeros; empty for zero.
    QByteArray digits;
    // Position of the decimal point relative to the first digit: the value is
    // 0.d1d2d3... x 10^point (1234.5 has point 4, 0.012 has point -1).
    int point = 0;

    bool isZero() const { return digits.isEmpty(); }
    // Digit at a position relative to the point (0 the first integer digit
    // from the left when point > 0; negative ones lie left of the first digit):
    // '0' outside the stored digits.
    char digitAt(int index) const {
        return index >= 0 && index < digits.size() ? digits[index] : '0';
    }
};

inline constexpr int kNoDecimalLimit = 1 << 20;

// Rounds the finite value |v| to at most `significant` significant digits and
// at most `decimals` digits after the decimal point, halves away from zero
// (judged on the exact binary value, so 1.005 stays 1.00 and 0.125 gives
// 0.13). A result that rounds to zero loses its sign.
DecimalDigits toDecimalDigits(double v, int significant, int decimals = kNoDecimalLimit);

}  // namespace dorvana
