#include "state/situationcolours.h"

#include <algorithm>
#include <cmath>

namespace state {

namespace {

// The relative luminance of a colour on an sRGB screen.
double luminance(Colour c) {
    const auto linear = [](int component) {
        const double v = std::clamp(component, 0, 255) / 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.red) + 0.7152 * linear(c.green) + 0.0722 * linear(c.blue);
}

Colour readableOnWhite(Colour colour) {
    return SituationColours::contrastOnWhite(colour) >= SituationColours::kLeastContrast ? colour
                                                                                         : Colour{0, 0, 0};
}

}  // namespace

double SituationColours::contrastOnWhite(Colour colour) {
    return 1.05 / (luminance(colour) + 0.05);
}

SituationColours::SituationColours(Colour buttonText)
    : m_colours{Colour{0, 0, 255},   Colour{0, 128, 0},          Colour{192, 0, 192}, Colour{0, 128, 128},
                Colour{255, 128, 0}, Colour{255, 0, 255},        Colour{255, 0, 0},   Colour{0, 0, 128},
                Colour{192, 64, 0},  readableOnWhite(buttonText)} {}

Colour SituationColours::colour(int slot) const {
    if (slot < 0 || slot >= chemistry::kSituationCount) return Colour{0, 0, 0};
    return m_colours[static_cast<std::size_t>(slot)];
}

}  // namespace state
