#pragma once
// The quantities of a precipitation titration, as the bench shows them (see quantity.h).
#include <optional>
#include <string>
#include <string_view>

#include "chemistry/solution.h"
#include "tools/quantity.h"

namespace tools {

// The text of sigma, droites, E, Ve, C, C2 or rouge for a precipitation set-up, with the picture
// given or the quantity's own; nothing, and the reason, for another quantity or a set-up the
// bench cannot solve.
std::optional<std::string> evaluatePrecipitationQuantity(const Quantity& quantity, std::string_view picture,
                                                         const chemistry::SolutionSpec& solution,
                                                         std::string& error);

}  // namespace tools
