#pragma once
#include <string>
#include <utility>

#include "numbers/rgb.h"

namespace chemistry {

using numbers::Rgb;

// A coloured indicator: its label (which carries the turning zone with comma decimals), its zone
// and the colours of its acid and basic forms. The liquid takes the acid colour below `acidBelow`
// and the basic colour from `basicFrom` on; ramps join them (see liquidColour).
struct Indicator {
    std::string label;
    double zoneLow = 0;
    double zoneHigh = 0;
    Rgb acidColour;
    double acidBelow = 0;
    Rgb basicColour;
    double basicFrom = 0;
};

class IndicatorTable {
  public:
    static constexpr int kCount = 10;                // "aucun" and the nine indicators, in list order
    static const Indicator& at(int indicatorIndex);  // an index outside 0..9 gives "aucun"
};

// The liquid without indicator.
inline constexpr Rgb kClearLiquid{230, 240, 250};

// The two plateau colours (acid form, basic form) of an indicator, for the legend and the beaker.
std::pair<Rgb, Rgb> indicatorColourPlateaus(int indicatorIndex);

// The colour of the liquid in the beaker for an indicator at a pH: plateaus joined by linear
// ramps, each component rounded to the nearest integer; an interval includes its lower bound and
// excludes its upper one, the bounds being compared in single precision.
Rgb liquidColour(int indicatorIndex, double pH);

}  // namespace chemistry
