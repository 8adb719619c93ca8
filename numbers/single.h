#pragma once
// Quantities are stored in single precision and computed in double precision.

#include <cmath>
#include <limits>

namespace numbers {

// Largest double that still rounds to FLT_MAX rather than to infinity: FLT_MAX plus half an ulp.
inline constexpr double kSingleOverflow = 3.4028235677973366e38;

// Rounds a double to single precision the way the hardware does, without undefined behaviour
// for values beyond the range of float (they become infinite, as an overflow would). Inline: the
// solvers call it on every bisection pass.
inline float toSingle(double value) {
    if (std::isnan(value)) return std::numeric_limits<float>::quiet_NaN();
    if (value >= kSingleOverflow) return std::numeric_limits<float>::infinity();
    if (value <= -kSingleOverflow) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

// Stores `value` rounded to single precision into `target` when the result is finite, and
// reports whether it did. A computation that fails keeps the previous value.
bool storeSingle(float& target, double value);

// Whether a double is finite and within the range of a float once rounded.
bool fitsSingle(double value);

}  // namespace numbers
