#include "numbers/single.h"

#include <cmath>
#include <limits>

namespace numbers {

namespace {
// Largest double that still rounds to FLT_MAX rather than to infinity: FLT_MAX plus half an ulp.
constexpr double kSingleOverflow = 3.4028235677973366e38;
}  // namespace

float toSingle(double value) {
    if (std::isnan(value)) return std::numeric_limits<float>::quiet_NaN();
    if (value >= kSingleOverflow) return std::numeric_limits<float>::infinity();
    if (value <= -kSingleOverflow) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

bool fitsSingle(double value) { return std::isfinite(toSingle(value)); }

bool storeSingle(float& target, double value) {
    const float rounded = toSingle(value);
    if (!std::isfinite(rounded)) return false;
    target = rounded;
    return true;
}

}  // namespace numbers
