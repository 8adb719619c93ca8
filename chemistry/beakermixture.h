#pragma once
// The panel's set-up as the mixture engine takes it: one solute of several pairs, or two solutes.
// The single-pair solver takes its pH from elsewhere and comes here for σ and the counter-ions.
#include <optional>
#include <string>
#include <vector>

#include "chemistry/mixture.h"
#include "chemistry/solution.h"

namespace chemistry {

class SpeciesCatalogue;

// The solutes, volumes and titrant of the set-up, read in single precision as the engine reads
// every parameter. Nothing when a solute is unknown or a value is not a number.
std::optional<Mixture> beakerMixture(const SolutionSpec& solution, const SpeciesCatalogue& catalogue);

// The forms of each solute found in water, fully protonated first, as the table's headers name
// them ("H₃PO₄", "H₂PO₄⁻", …; "Cl⁻" alone for hydrochloric acid, whose HCl is fully dissociated);
// the first solute's first. Empty when a solute is unknown. An oxidation-reduction titration's are
// its couples' forms, as redoxFormNames gives them.
std::vector<std::string> formNames(const SolutionSpec& solution, const SpeciesCatalogue& catalogue);

// The same for the first solute alone (the distribution diagram's forms), and for the second.
std::vector<std::string> firstSoluteFormNames(const SolutionSpec& solution,
                                              const SpeciesCatalogue& catalogue);
std::vector<std::string> secondSoluteFormNames(const SolutionSpec& solution,
                                               const SpeciesCatalogue& catalogue);

}  // namespace chemistry
