#include "workbench/situationcolours.h"

namespace workbench {

SituationColours::SituationColours(platform::Colour buttonText)
    : m_colours{platform::Colour{0, 0, 255},   platform::Colour{0, 128, 0},   platform::Colour{192, 0, 192},
                platform::Colour{0, 128, 128}, platform::Colour{255, 128, 0}, platform::Colour{255, 0, 255},
                platform::Colour{255, 0, 0},   platform::Colour{0, 0, 128},   platform::Colour{192, 64, 0},
                buttonText} {}

platform::Colour SituationColours::colour(int slot) const {
    if (slot < 0 || slot >= chemistry::kSituationCount) return platform::kBlack;
    return m_colours[static_cast<std::size_t>(slot)];
}

}  // namespace workbench
