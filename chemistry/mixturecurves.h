#pragma once
// The theoretical curve of a mixture titration, the sweep its derivative curve is taken on and the
// distribution of the forms of a solute. They walk the curve as the monoprotic ones do, in equal
// steps of pH (pOH for bases) through the explicit inverse V(h), so the vertices crowd where the
// curve is flat and spread across each jump.
#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "chemistry/mixture.h"
#include "chemistry/titration.h"

namespace chemistry {

// The beaker alone at 0 mL, one vertex per step of 0.2 in pH (pOH for bases) from there whose
// volume lies in the burette, then the point at 25 mL. Empty for a mixture that is not valid.
std::vector<CurveVertex> mixtureCurve(const Mixture& mixture);

// p of the beaker before any pouring: its pH, its pOH for bases; nothing when it cannot be solved.
std::optional<float> mixtureInitialP(const MixtureModel& model);

// Steps p from p0 up to 13.9 with a single-precision counter and calls visit(p, volume) for each
// step whose volume lies in the burette. A step whose arithmetic fails is skipped.
void sweepMixture(const MixtureModel& model, float p0, float step,
                  const std::function<void(float p, float volume)>& visit);

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
