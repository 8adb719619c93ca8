#pragma once
// The derivative and the tangent method on E = f(V), as on the pH graph. The pixel constructions
// work on the pH scale's frame: E is mapped onto it through the graph's axis, so that each
// construction lands where the E curve is drawn.
#include <functional>
#include <optional>

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

// The tangent construction around the stoichiometric equivalence volume.
TangentConstruction potentialTangents(const chemistry::SolutionSpec& solution, const MeterAxis& axis);

// The overlays on the graph shown, with the messages of the pH graph's tools.
void drawPotentialDerivative(Change& c);
void drawPotentialTangents(Change& c);

}  // namespace state
