#include "report/expr/format/decimal_digits.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace dorvana {

namespace {

// Digits printed of the binary value before rounding: far more than a double
// carries, so that a tie is recognised only when the value is exactly one.
constexpr int kExactDigits = 40;

}  // namespace

DecimalDigits toDecimalDigits(double v, int significant, int decimals) {
    DecimalDigits result;
    if (!std::isfinite(v) || v == 0.0) return result;
    result.negative = std::signbit(v);

    char buffer[kExactDigits + 16];
    // to_chars prints the exact binary value like printf, several times faster.
    const auto printed = std::to_chars(buffer, buffer + sizeof buffer - 1, std::fabs(v),
                                       std::chars_format::scientific, kExactDigits);
    *printed.ptr = '\0';
    // buffer: "d.ddd...de[+-]xx"
    QByteArray all;
    all.append(buffer[0]);
    const char* p = buffer + 2;
    while (*p >= '0' && *p <= '9') all.append(*p++);
    const int exponent = (*p == 'e') ? std::atoi(p + 1) : 0;
    int point = exponent + 1;

    const int keep =
        std::min(significant, decimals >= kNoDecimalLimit ? significant : point + decimals);
    if (keep < 0) return {};
    QByteArray digits = all.left(keep);
    const bool roundUp = keep < all.size() && all[keep] >= '5';
    if (roundUp) {
        int i = digits.size() - 1;
        while (i >= 0 && digits[i] == '9') digits[i--] = '0';
        if (i >= 0) {
            digits[i] = static_cast<char>(digits[i] + 1);
        } else {
            digits.prepend('1');
            ++point;  // 999.6 -> 1000: the zeros go with the trailing ones below
        }
    }
    while (!digits.isEmpty() && digits.back() == '0') digits.chop(1);
    if (digits.isEmpty()) return {};
    result.digits = digits;
    result.point = point;
    return result;
}

}  // namespace dorvana
