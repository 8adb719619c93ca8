#include "chemistry/indicators.h"

#include <array>
#include <cmath>
#include <initializer_list>

namespace chemistry {

namespace {

const std::array<Indicator, IndicatorTable::kCount> kIndicators = {{
    {"aucun", 0, 0, kClearLiquid, 0, kClearLiquid, 0},
    {"2,4,6 trinitrotoluène (11,5 - 13)", 11.5, 13, kClearLiquid, 11, {250, 150, 0}, 13.5},
    {"Thymolphtaléine (9,4 - 10,6)", 9.4, 10.6, kClearLiquid, 8.9, {0, 0, 200}, 11.1},
    {"Phénolphtaléine (8,2 - 10)", 8.2, 10, kClearLiquid, 7.7, {230, 0, 230}, 10.5},
    {"Rouge neutre (6,8 - 8)", 6.8, 8, {230, 0, 0}, 6.3, {250, 150, 0}, 8.5},
    {"Bleu de bromothymol (6 - 7,6)", 6, 7.6, {250, 250, 0}, 5.5, {0, 0, 210}, 8.1},
    {"Rouge de méthyle (4,8 - 6)", 4.8, 6, {230, 0, 0}, 4.3, {250, 250, 0}, 6.5},
    {"Vert de bromocrésol (3,8 - 5,4)", 3.8, 5.4, {250, 250, 0}, 3.5, {0, 0, 200}, 5.9},
    {"Hélianthine (3,2 - 4,4)", 3.2, 4.4, {230, 0, 0}, 2.7, {230, 210, 0}, 4.9},
    {"Bleu de thymol (1,2 - 2,8)", 1.2, 2.8, {230, 0, 0}, 0.7, {0, 0, 200}, 10},
}};

// One breakpoint of a colour scale: from pH `from` on, the colour is `colour`, or a ramp towards
// the next breakpoint's colour when `ramp` is set.
struct Stop {
    double from;
    Rgb colour;
    bool ramp;
};

// The scale of each indicator, from its acid plateau to its basic plateau.
const std::initializer_list<Stop>& scale(int index) {
    static const std::initializer_list<Stop> kNone = {{0.0, kClearLiquid, false}};
    static const std::initializer_list<Stop> kScales[IndicatorTable::kCount - 1] = {
        {{11.0, {230, 240, 250}, true},
         {12.0, {250, 150, 100}, false},
         {12.5, {250, 150, 100}, true},
         {13.5, {250, 150, 0}, false}},
        {{8.9, {230, 240, 250}, true},
         {9.9, {100, 100, 180}, false},
         {10.1, {100, 100, 180}, true},
         {11.1, {0, 0, 200}, false}},
        {{7.7, {230, 240, 250}, true},
         {8.7, {180, 100, 180}, false},
         {9.5, {180, 100, 180}, true},
         {10.5, {230, 0, 230}, false}},
        {{6.3, {230, 0, 0}, true},
         {7.3, {200, 100, 0}, false},
         {7.5, {200, 100, 0}, true},
         {8.5, {250, 150, 0}, false}},
        {{5.5, {250, 250, 0}, true},
         {6.5, {100, 200, 100}, false},
         {7.1, {100, 200, 100}, true},
         {8.1, {0, 0, 210}, false}},
        {{4.3, {230, 0, 0}, true},
         {5.3, {250, 150, 0}, false},
         {5.5, {250, 150, 0}, true},
         {6.5, {250, 250, 0}, false}},
        {{3.5, {250, 250, 0}, true},
         {4.5, {100, 200, 100}, false},
         {4.9, {100, 200, 100}, true},
         {5.9, {0, 0, 200}, false}},
        {{2.7, {230, 0, 0}, true},
         {3.7, {200, 100, 0}, false},
         {3.9, {200, 100, 0}, true},
         {4.9, {230, 210, 0}, false}},
        {{0.7, {230, 0, 0}, true},
         {1.7, {250, 150, 0}, false},
         {2.3, {250, 150, 0}, true},
         {3.3, {250, 250, 0}, false},
         {7.5, {250, 250, 0}, true},
         {8.5, {100, 200, 100}, false},
         {9.0, {100, 200, 100}, true},
         {10.0, {0, 0, 200}, false}},
    };
    if (index < 1 || index >= IndicatorTable::kCount) return kNone;
    return kScales[index - 1];
}

int roundComponent(double value) {
    return static_cast<int>(std::nearbyint(value));
}

}  // namespace

const Indicator& IndicatorTable::at(int indicatorIndex) {
    if (indicatorIndex < 0 || indicatorIndex >= kCount) return kIndicators[0];
    return kIndicators[static_cast<std::size_t>(indicatorIndex)];
}

std::pair<Rgb, Rgb> indicatorColourPlateaus(int indicatorIndex) {
    const Indicator& indicator = IndicatorTable::at(indicatorIndex);
    return {indicator.acidColour, indicator.basicColour};
}

Rgb liquidColour(int indicatorIndex, double pH) {
    const auto& stops = scale(indicatorIndex);
    const float p = static_cast<float>(pH);
    // Below the first breakpoint: the acid plateau, which is the first stop's colour.
    const auto reached = [p](const Stop& s) { return p >= static_cast<float>(s.from); };
    const Stop* current = stops.begin();
    if (std::isnan(p) || !reached(*current)) return current->colour;
    for (const Stop* s = stops.begin(); s != stops.end(); ++s) {
        if (reached(*s)) current = s;
    }
    const Stop* next = current + 1;
    if (!current->ramp || next == stops.end()) return current->colour;
    const double t = (static_cast<double>(p) - current->from) / (next->from - current->from);
    const Rgb& a = current->colour;
    const Rgb& b = next->colour;
    return {roundComponent(a.red + (b.red - a.red) * t), roundComponent(a.green + (b.green - a.green) * t),
            roundComponent(a.blue + (b.blue - a.blue) * t)};
}

}  // namespace chemistry
