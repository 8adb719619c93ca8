#pragma once
#include "chemistry/solution.h"

namespace chemistry {

// Ionic product of water at 25 °C.
inline constexpr double kKe = 1e-14;

// The pH of the beaker by bisection on the electroneutrality equation of a monoprotic acid (or
// base, solved with Kb for [HO-]) mixed with the strong titrant, in single precision as the
// quantities are stored. Stateless: only the fields of the EngineState are written.
namespace PhSolver {

// Solves the beaker before any pouring: stores the root in solvedConcentration and
// equivalenceVolume = A·C/B; does not set pH. Returns the number of bisection passes.
int solveBeakerAlone(EngineState& state);

// Solves the mixture after pouredVolume mL: stores the root and the pH (14 − pOH for a base).
// Returns the number of bisection passes.
int solveAtVolume(EngineState& state, bool beakerIsAcid);

// The poured volume (mL) that brings the beaker to the concentration h, in double precision,
// neither bracketed nor clamped; NaN when it cannot be computed.
double volumeForConcentration(const EngineState& state, double h);

}  // namespace PhSolver

using PhSolver::solveAtVolume;
using PhSolver::solveBeakerAlone;
using PhSolver::volumeForConcentration;

}  // namespace chemistry
