#include "numbers/single.h"

#include <cmath>
#include <limits>

namespace numbers {

bool fitsSingle(double value) {
    return std::isfinite(toSingle(value));
}

bool storeSingle(float& target, double value) {
    const float rounded = toSingle(value);
    if (!std::isfinite(rounded)) return false;
    target = rounded;
    return true;
}

}  // namespace numbers
