#pragma once
// The colours the apparatus is drawn with, shared by its drawing and its meters' drawing.
#include <algorithm>
#include <cmath>

#include "platform/surface.h"

namespace workbench::apparatus {

inline constexpr platform::Colour kLightGrey{192, 192, 192};
inline constexpr platform::Colour kDarkGrey{128, 128, 128};
inline constexpr platform::Colour kJawGrey{150, 150, 150};
inline constexpr platform::Colour kFootBlue{0, 0, 128};

// A colour component rounded into 0 to 255.
inline int component(double value) {
    return static_cast<int>(std::clamp(std::nearbyint(value), 0.0, 255.0));
}

// A colour with each component multiplied by its factor.
inline platform::Colour scaled(const platform::Colour& c, double red, double green, double blue) {
    return platform::Colour{component(c.red * red), component(c.green * green), component(c.blue * blue)};
}

}  // namespace workbench::apparatus
