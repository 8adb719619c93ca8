#pragma once
// The uncertainty an exercise text states: u(c)/c by the propagation formula, from the set-up's
// glassware and a situation's typed values.
#include <optional>
#include <string>
#include <string_view>

#include "chemistry/solution.h"
#include "configuration/configurationfile.h"

namespace tools {

// In %, with `picture`; nothing, and the reason, when the set-up has no glassware or the situation
// no equivalence.
std::optional<std::string> relativeUncertaintyValue(std::string_view picture,
                                                    const chemistry::SolutionSpec& solution,
                                                    const configuration::ConfigurationFile& configuration,
                                                    std::string& error);

}  // namespace tools
