#include "workbench/situationcolours.h"

#include <algorithm>
#include <cmath>

namespace workbench {

namespace {

// The relative luminance of a colour on an sRGB screen.
double luminance(platform::Colour c) {
    const auto linear = [](int component) {
        const double v = std::clamp(component, 0, 255) / 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.red) + 0.7152 * linear(c.green) + 0.0722 * linear(c.blue);
}

platform::Colour readableOnWhite(platform::Colour colour) {
    return SituationColours::contrastOnWhite(colour) >= SituationColours::kLeastContrast ? colour
                                                                                         : platform::kBlack;
}

}  // namespace

double SituationColours::contrastOnWhite(platform::Colour colour) {
    return 1.05 / (luminance(colour) + 0.05);
}

SituationColours::SituationColours(platform::Colour buttonText)
    : m_colours{platform::Colour{0, 0, 255},   platform::Colour{0, 128, 0},   platform::Colour{192, 0, 192},
                platform::Colour{0, 128, 128}, platform::Colour{255, 128, 0}, platform::Colour{255, 0, 255},
                platform::Colour{255, 0, 0},   platform::Colour{0, 0, 128},   platform::Colour{192, 64, 0},
                readableOnWhite(buttonText)} {}

platform::Colour SituationColours::colour(int slot) const {
    if (slot < 0 || slot >= chemistry::kSituationCount) return platform::kBlack;
    return m_colours[static_cast<std::size_t>(slot)];
}

}  // namespace workbench
