#pragma once
// The drawing colours of the ten situations: their curves, marks, discs, `labout` and history
// headings. Situation 10 takes the system's button-text colour.
#include <array>

#include "chemistry/solution.h"
#include "platform/colour.h"

namespace workbench {

class SituationColours {
  public:
    explicit SituationColours(platform::Colour buttonText = platform::kBlack);

    // Black for a slot outside 0..9 (no situation yet).
    platform::Colour colour(int slot) const;

  private:
    std::array<platform::Colour, chemistry::kSituationCount> m_colours;
};

}  // namespace workbench
