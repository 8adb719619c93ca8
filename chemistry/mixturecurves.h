#pragma once
// The theoretical curve of a mixture titration and its analyses: the derivative curve, the
// tangent method at each equivalence and the distribution of the forms of a solute. They walk the
// curve as the monoprotic ones do, in equal steps of pH (pOH for bases) through the explicit
// inverse V(h), so the vertices crowd where the curve is flat and spread across each jump.
#include <array>
#include <optional>
#include <vector>

#include "chemistry/equivalence.h"
#include "chemistry/mixture.h"
#include "chemistry/titration.h"

namespace chemistry {

// The beaker alone at 0 mL, one vertex per step of 0.2 in pH (pOH for bases) from there whose
// volume lies in the burette, then the point at 25 mL. Empty for a mixture that is not valid.
std::vector<CurveVertex> mixtureCurve(const Mixture& mixture);

// The slope of that curve sampled every 0.02 in pH (pOH for bases), as the monoprotic derivative
// curve is: a peak at every jump.
DerivativeCurve mixtureDerivative(const Mixture& mixture);

// The tangent method at each equivalence candidate, in the candidates' order: Nothing outside 2 to
// 23 mL (equivalenceVolume still tells which), Refused where the jump is too small to tell the
// tangents apart, Drawn otherwise.
std::vector<TangentConstruction> mixtureTangents(const Mixture& mixture);

// The shares of the forms of one solute at a vertex of the curve.
struct FormShares {
    float volume = 0;  // mL
    float pH = 0;
    int formCount = 0;
    // The forms found in water, the most protonated first, % of the solute.
    std::array<float, kMaxForms> percent{};
    bool operator==(const FormShares&) const = default;
};

// The distribution of the forms of a solute (the first by default) at the vertices of the curve.
// Empty when the mixture is not valid or has no such solute.
std::vector<FormShares> mixtureDistribution(const Mixture& mixture, int solute = 0);

// The shares of the forms of a solute after `volume` mL, as the diagram draws them; nothing when
// the point cannot be solved.
std::optional<FormShares> mixtureFormShares(const Mixture& mixture, double volume, int solute = 0);

}  // namespace chemistry
