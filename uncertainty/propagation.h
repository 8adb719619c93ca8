#pragma once
// The composed standard uncertainty of a titration's result by the propagation formula: for
// c = c_B · V_E / V₀ (times the dilution's factor), the relative uncertainties add in quadrature.
#include <optional>

#include "chemistry/glassware.h"

namespace uncertainty {

// u(c)/c = √((u(V_E)/V_E)² + (u(V₀)/V₀)² + (u(c_B)/c_B)² + (u(dilution))²), from the
// glassware's standard uncertainties; nothing when V_E is not positive or a term not finite.
std::optional<double> relativeUncertainty(const chemistry::InputUncertainties& inputs,
                                          double equivalenceVolume);

}  // namespace uncertainty
