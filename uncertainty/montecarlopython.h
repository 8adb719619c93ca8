#pragma once
// The Monte-Carlo simulation as a Python 3 program a pupil can read and run (numpy and matplotlib
// only): each input of c = k · c_B · V_E / V₀ drawn from its law, the results' mean, u(c) and
// 95 % interval printed beside the propagation formula, their histogram plotted, and the z-score
// against the reference value when one was typed.
#include <optional>
#include <string>

#include "uncertainty/montecarlo.h"

namespace uncertainty {

// Empty when the request gives nothing to simulate (exact titration, no equivalence).
std::string monteCarloProgram(const SimulationRequest& request, std::optional<double> reference);

inline constexpr const char* kMonteCarloFileName = "montecarlo";

}  // namespace uncertainty
