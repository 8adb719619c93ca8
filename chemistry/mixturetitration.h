#pragma once
// Any acid–base set-up through the general charge balance of mixture.h, in double precision: one
// solute of several pairs, or two solutes.
#include <memory>

#include "chemistry/titrationmodel.h"

namespace chemistry {

std::unique_ptr<TitrationModel> makeMixtureTitrationModel(const SolutionSpec& solution,
                                                          const SpeciesCatalogue& catalogue);

}  // namespace chemistry
