#pragma once
// The derivative and the tangent method on E = f(V), as on the pH graph. The pixel constructions
// work on the pH scale's frame: E is mapped onto it through the graph's axis, so that each
// construction lands where the E curve is drawn.
#include <functional>
#include <optional>
#include <vector>

#include "chemistry/solution.h"
#include "state/equivalenceplot.h"
#include "state/meters.h"

namespace state {

struct Change;

// E against the set-up's reference after `volume` mL, on the pH scale of the axis: the value
// whose ordinate on the pH frame is that of E on `axis`; rising with the pour, flipped for an
// oxidant in the beaker, whose E falls.
std::function<std::optional<double>(double volume)> potentialOnPhScale(
    const chemistry::SolutionSpec& solution, const MeterAxis& axis);

// The slope of the E curve sampled every 0,01 mL, on the pH scale; nothing when E cannot be
// computed.
DerivativeCurve potentialDerivative(const chemistry::SolutionSpec& solution, const MeterAxis& axis);

// The equivalence volumes of the set-up's model, in the order the titrant reaches them.
std::vector<double> potentialEquivalences(const chemistry::SolutionSpec& solution);
// The tangent construction around an equivalence volume of the model, the first by default.
TangentConstruction potentialTangents(const chemistry::SolutionSpec& solution, const MeterAxis& axis,
                                      int equivalence = 0);

// The overlays on the graph shown, with the messages of the pH graph's tools.
void drawPotentialDerivative(Change& c);
void drawPotentialTangents(Change& c);

}  // namespace state
