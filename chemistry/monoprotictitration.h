#pragma once
// One monoprotic solute against the strong titrant, solved in single precision by the bisection
// of phsolver.h: its pH, points and curve to the last bit as the bench has always computed them.
// σ and the counter-ions come from the general charge balance of the same beaker.
#include <memory>
#include <optional>

#include "chemistry/titrationmodel.h"

namespace chemistry {

// The values the single-precision solver derives its state from.
struct MonoproticValues {
    bool beakerIsAcid = true;            // the titrant is sodium hydroxide, else hydrochloric acid
    double concentration = 0;            // c₂, mol · L-1, as introduced into the beaker
    double beakerVolume = 20;            // V₂, mL
    double waterVolume = 0;              // V₃, mL of distilled water added
    double titrantConcentration = 0.01;  // mol · L-1
    double pKa = 7;                      // 0 or 14: a strong species (K = 1)
};

// The pH-meter's value after `volume` mL: the beaker alone at exactly 0 mL, the mixture after it,
// each value rounded to single precision as the bench derives its state; nothing when the solved
// concentration has no logarithm.
std::optional<double> monoproticPh(const MonoproticValues& values, double volume);

// Whether the single-precision solver takes the set-up: one monoprotic solute, no second one.
bool takesMonoprotic(const SolutionSpec& solution);
std::unique_ptr<TitrationModel> makeMonoproticModel(const SolutionSpec& solution,
                                                    const SpeciesCatalogue& catalogue);

}  // namespace chemistry
