#pragma once
// The drawing colours of the ten situations: their curves, marks, discs, the label naming the
// current curve and history headings. Situation 10 takes the system's button-text colour, unless
// it would hardly show on the white graph (a light text colour of a dark theme): black then.
#include <array>

#include "chemistry/solution.h"
#include "numbers/rgb.h"

namespace state {

using Colour = numbers::Rgb;

class SituationColours {
  public:
    bool operator==(const SituationColours&) const = default;
    explicit SituationColours(Colour buttonText = Colour{0, 0, 0});

    // Black for a slot outside 0..9 (no situation yet).
    Colour colour(int slot) const;

    // The contrast ratio of a colour against white, from 1 (white) to 21 (black).
    static double contrastOnWhite(Colour colour);
    // The least contrast against white a curve needs to be seen, as for graphics in general.
    static constexpr double kLeastContrast = 3.0;

  private:
    std::array<Colour, chemistry::kSituationCount> m_colours;
};

}  // namespace state
