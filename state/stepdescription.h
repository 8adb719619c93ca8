#pragma once
// What a step of the undo history changes, in the pupil's words, for the hint line and the screen
// reader: "c₂ 0,02 → 0,01", "Situation n° 2 → Situation n° 1", "V₁ 12,5 → 0,0 mL". The most
// telling difference is named; a hidden concentration is never shown.
#include <string>

#include "state/benchstate.h"

namespace state {

// What goes from `from` to `to`; "la dernière action" when nothing the pupil sees tells them apart.
std::string describeStep(const BenchState& from, const BenchState& to);

}  // namespace state
