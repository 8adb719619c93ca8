#pragma once
// The graph's tool bar: "Effacer", "Restaurer", and the analyses of a finished titration, which
// add their overlay to the graph (the derivative curve, the tangent method's construction, the
// distribution diagram) computed from the panel's set-up, not from the recorded measurements.
#include "state/actionresult.h"
#include "state/benchstate.h"

namespace state {

// "Effacer": back to 0 mL, as the reset button does.
ActionResult eraseGraph(BenchState& bench);
// "Restaurer": the situation shown again, its curve and table rebuilt.
ActionResult restoreGraph(BenchState& bench);
ActionResult drawDerivative(BenchState& bench);
// The construction, or why there is none: a message when the jump is too small, a hint when the
// equivalence lies too near an end of the burette.
ActionResult drawTangents(BenchState& bench);
// The graph faded under the two distribution curves and their legend.
ActionResult showDistribution(BenchState& bench);

}  // namespace state
