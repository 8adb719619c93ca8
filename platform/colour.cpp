#include "platform/colour.h"

#include <algorithm>

namespace platform {

QRgb Colour::rgb() const {
    return qRgb(std::clamp(red, 0, 255), std::clamp(green, 0, 255), std::clamp(blue, 0, 255));
}

std::ostream& operator<<(std::ostream& out, const Colour& colour) {
    return out << "(" << colour.red << ", " << colour.green << ", " << colour.blue << ")";
}

}  // namespace platform
