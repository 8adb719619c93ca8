#include "platform/colour.h"

#include <algorithm>

namespace platform {

QRgb toQRgb(Colour colour) {
    return qRgb(std::clamp(colour.red, 0, 255), std::clamp(colour.green, 0, 255),
                std::clamp(colour.blue, 0, 255));
}

}  // namespace platform
