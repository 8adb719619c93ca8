#pragma once
// The titration reactions of a set-up as a pupil writes them: each pair the titrant takes (or
// gives) a proton from, in the order the titrant reaches them, with its balanced equation and the
// amount of matter it consumes; the amounts of the reactants and products in the beaker after a
// poured volume, both as the total reactions give them (the progress table) and as the engine's
// equilibrium gives them. Amounts are in mmol (mol · L-1 × mL).
#include <optional>
#include <string>
#include <vector>

#include "chemistry/mixture.h"
#include "chemistry/solution.h"
#include "chemistry/titration.h"

namespace chemistry {

class SpeciesCatalogue;

// A reactant or product of the titration reactions (water, the solvent, is not one).
struct ReactionSpecies {
    enum class Kind { Hydronium, Hydroxide, Form };
    Kind kind = Kind::Form;
    std::string name;  // "CH₃COOH", "HO⁻", "H₃O⁺"
    int solute = 0;    // a form's solute (0 or 1) and its place from the fully protonated form
    int form = 0;
    bool operator==(const ReactionSpecies&) const = default;
};

// One reaction: the beaker's reactant with the titrant's ion gives the product (none when two
// waters are all it gives: a strong acid by a strong base), each with coefficient 1.
struct ReactionStep {
    int reactant = 0;  // indices into TitrationReactions::species
    int titrant = 0;
    int product = -1;
    double amount = 0;     // mmol of the reactant put in the beaker
    int solute = 0;        // the solute whose pair reacts (0 or 1)
    std::string equation;  // "CH₃COOH + HO⁻ → CH₃COO⁻ + H₂O"
    bool operator==(const ReactionStep&) const = default;
};

struct TitrationReactions {
    // The beaker's reactants in the order the titrant reaches them, the titrant's ion, then the
    // products.
    std::vector<ReactionSpecies> species;
    // Only the reactions that are total (K ≥ 10³): a pair too weak for the titrant gives no jump
    // and is not titrated.
    std::vector<ReactionStep> steps;
    double titrantConcentration = 0;  // mol · L-1
    double initialVolume = 0;         // V₀ + V_w, mL

    // The poured volume (mL) that completes the reaction `step`.
    double equivalenceVolume(int step) const;
    // The amount of titrant (mmol) the reaction `step` has consumed after `volume` mL, the
    // earlier ones taking it first: its advancement x.
    double advancement(int step, double volume) const;
    // Each species' amount after `volume` mL when every reaction is total, in the order of
    // `species`.
    std::vector<double> totalReactionAmounts(double volume) const;
    // Each species' amount at a point of the general charge balance (concentration × total
    // volume), a strong species fully dissociated.
    std::vector<double> equilibriumAmounts(const MixturePoint& point) const;
};

// The reactions of the panel's set-up; nothing when a solute is unknown or a value is not a
// number.
std::optional<TitrationReactions> titrationReactions(const SolutionSpec& solution,
                                                     const SpeciesCatalogue& catalogue);

}  // namespace chemistry
