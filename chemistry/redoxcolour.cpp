// The colour of an oxidation-reduction titration's beaker. Beer–Lambert-like: each coloured
// species is a filter of its colour (as transmittances c/255) raised to the power
// concentration / concentration at which it is fully seen, capped so the liquid never goes black;
// the filters multiply over kClearLiquid. The indicator is always fully seen: its oxidised and
// reduced colours mix by its Nernst fraction, in the same powers.
#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <string_view>

#include "chemistry/indicators.h"
#include "chemistry/redox.h"

namespace chemistry {

namespace {

constexpr double kNernstSlope = 0.05916;  // V per decade at 25 °C
constexpr double kMostSeen = 3;           // the strongest filter, in "fully seen" units
constexpr int kStarch = 1;

struct ColouredSpecies {
    std::string_view formula;
    numbers::Rgb colour;
    double fullySeen;  // mol · L-1 at which a beaker of a few centimetres shows its colour
};

// Fully seen where the absorbance through ~5 cm reaches about 1 at the band's peak: MnO₄⁻
// ε ≈ 2 400 L · mol-1 · cm-1 at 525 nm (a pink tint from 1e-5 mol · L-1), I₃⁻ in its visible
// tail, Cr₂O₇²⁻ ε ≈ 370 at 440 nm, Ce⁴⁺ in sulfuric acid, Cr³⁺ ε ≈ 20, Fe³⁺ faint in sulfate.
const std::array<ColouredSpecies, 6> kColoured = {{
    {"MnO₄⁻", {150, 30, 160}, 1e-4},
    {"I₂", {200, 120, 40}, 1e-3},
    {"Cr₂O₇²⁻", {240, 140, 30}, 2e-3},
    {"Ce⁴⁺", {250, 210, 60}, 5e-3},
    {"Cr³⁺", {90, 160, 110}, 5e-2},
    {"Fe³⁺", {250, 225, 140}, 2e-1},
}};

// The starch-iodine complex: blue-black while the diiode is above about 1e-5 mol · L-1, never
// quite black.
constexpr double kStarchSeen = 1e-5;
constexpr double kStarchMostSeen = 1.5;

// Optical densities of the three channels, added species by species.
struct Density {
    double red = 0;
    double green = 0;
    double blue = 0;
    void add(const numbers::Rgb& filter, double strength) {
        red += strength * -std::log(std::max(filter.red, 1) / 255.0);
        green += strength * -std::log(std::max(filter.green, 1) / 255.0);
        blue += strength * -std::log(std::max(filter.blue, 1) / 255.0);
    }
};

int channel(int clear, double density) {
    const double value = clear * std::exp(-density);
    return std::clamp(static_cast<int>(std::lround(value)), 0, 255);
}

}  // namespace

numbers::Rgb redoxLiquidColour(const RedoxSetUp& setUp, const RedoxPoint& point) {
    const std::array<std::string, 4> names = redoxFormNames(setUp);
    Density density;
    double diiode = 0;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const double c = point.concentrations[i];
        if (!std::isfinite(c) || c <= 0) continue;
        if (names[i] == "I₂") diiode += c;
        // With starch the diiode is held in the complex, whose colour hides its own.
        if (names[i] == "I₂" && setUp.indicator == kStarch) continue;
        for (const ColouredSpecies& species : kColoured) {
            if (names[i] == species.formula)
                density.add(species.colour, std::min(c / species.fullySeen, kMostSeen));
        }
    }
    const auto indicators = redoxIndicators();
    if (setUp.indicator == kStarch) {
        density.add(indicators[kStarch].oxidisedColour, std::min(diiode / kStarchSeen, kStarchMostSeen));
    } else if (setUp.indicator > 0 && setUp.indicator < static_cast<int>(indicators.size()) &&
               std::isfinite(point.potential)) {
        const RedoxIndicator& indicator = indicators[static_cast<std::size_t>(setUp.indicator)];
        const double exponent =
            indicator.electrons * (point.potential - indicator.standardPotential) / kNernstSlope;
        const double oxidised = 1 / (1 + std::pow(10.0, -std::clamp(exponent, -300.0, 300.0)));
        density.add(indicator.oxidisedColour, oxidised);
        density.add(indicator.reducedColour, 1 - oxidised);
    }
    return {channel(kClearLiquid.red, density.red), channel(kClearLiquid.green, density.green),
            channel(kClearLiquid.blue, density.blue)};
}

}  // namespace chemistry
