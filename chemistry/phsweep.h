#pragma once
// Stepping a titration through equal steps of pH instead of volume: the explicit inverse V(h) of
// the solver gives each step's volume at once, so a whole curve costs one evaluation per step.
// The theoretical curve, the derivative curve and the distribution diagram all walk it this way.
#include <cmath>

#include "chemistry/phsolver.h"
#include "chemistry/solution.h"
#include "chemistry/titration.h"
#include "numbers/single.h"

namespace chemistry {

// K of a strong species as the curve equations use it, in place of the marker K = 1: the
// weak-acid equations then describe a fully dissociated species.
inline constexpr float kStrongK = 1e35f;

// The pH step of the theoretical curve and of the distribution diagram.
inline constexpr float kCurvePhStep = 0.2f;

// The last pH (pOH for a base) a sweep samples.
inline constexpr float kLastSweptP = 13.9f;

// A sweep runs from the initial pH to 13.9; the bound only matters for absurd inputs.
inline constexpr int kMaxSweepSteps = 10000;

// Replaces the strong-species marker K = 1 by kStrongK.
inline void useStrongConstant(EngineState& state) {
    if (state.constantK == 1.0f) state.constantK = kStrongK;
}

// Solves the beaker alone and gives p0 = −log10(x): its pH, or its pOH for a base. False, p0
// unchanged, when the solved concentration has no logarithm.
inline bool solveInitialP(EngineState& state, float& p0) {
    solveBeakerAlone(state);
    const float x = state.solvedConcentration;
    if (!(x > 0)) return false;
    return numbers::storeSingle(p0, -std::log10(static_cast<double>(x)));
}

// Steps p (the pH for an acid in the beaker, the pOH for a base) from p0 up to 13.9 with a
// single-precision counter held in the state's pH field. At each step the poured volume that
// brings the beaker to 10^(−p) is stored in pouredVolume, and visit(p, volume) is called when it
// lies in the burette (0 to 25 mL). A step whose arithmetic fails is skipped.
template <typename Visit>
void sweepPh(EngineState& state, float p0, float step, Visit&& visit) {
    int steps = 0;
    for (float p = p0; p <= kLastSweptP && steps < kMaxSweepSteps; p = p + step, ++steps) {
        state.pH = p;
        float x = 0;
        if (!numbers::storeSingle(x, std::pow(10.0, -static_cast<double>(p)))) continue;
        float volume = 0;
        if (!numbers::storeSingle(volume, volumeForConcentration(state, x))) continue;
        state.pouredVolume = volume;
        if (volume >= 0 && volume <= kBuretteCapacity) visit(p, volume);
    }
}

// Walks the theoretical curve of the state's set-up and calls visit(volume, pH) at each vertex,
// in order: the beaker alone at 0 mL (solved with the K it has), one vertex per step of 0.2 in pH
// (pOH for a base) that falls in the burette, solved with K = 1e35 for a strong species, and the
// mixture at 25 mL. The state is left at the 25 mL point.
template <typename Visit>
void walkTitrationCurve(EngineState& state, bool beakerIsAcid, Visit&& visit) {
    const auto pHOf = [beakerIsAcid](float p) { return beakerIsAcid ? p : numbers::toSingle(14.0 - p); };
    float p0 = 0;
    const bool initialKnown = solveInitialP(state, p0);
    useStrongConstant(state);
    if (initialKnown) {
        visit(0.0f, pHOf(p0));
        sweepPh(state, p0, kCurvePhStep, [&](float p, float volume) { visit(volume, pHOf(p)); });
    }
    state.pouredVolume = static_cast<float>(kBuretteCapacity);
    solveAtVolume(state, beakerIsAcid);
    visit(state.pouredVolume, state.pH);
}

}  // namespace chemistry
