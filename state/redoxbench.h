#pragma once
// The choices of an oxidation-reduction titration on the bench: the kind of titration, the
// beaker's and the burette's species, the indicator and the reference electrode; and what the
// illustration shows of it.
#include <string>

#include "chemistry/solution.h"
#include "state/actionresult.h"
#include "state/apparatusscene.h"
#include "state/benchstate.h"

namespace state {

// "Type de titrage": the bench starts again at 0 mL with that kind. An oxidation-reduction
// titration keeps a burette's species that titrates the beaker's.
ActionResult chooseTitrationKind(BenchState& bench, chemistry::TitrationKind kind);
// The beaker's species; the burette's becomes the first that titrates it unless it already does.
ActionResult chooseRedoxBeakerSpecies(BenchState& bench, int species);
// The burette's species, when it titrates the beaker's.
ActionResult chooseRedoxTitrant(BenchState& bench, int species);
ActionResult chooseRedoxIndicator(BenchState& bench, int indicator);
// The reference electrode, -1 for the colour alone: the electrodes and the millivoltmeter come
// and go with it, and E = f(V) is shown when they come.
ActionResult chooseReferenceElectrode(BenchState& bench, int reference);

// The balanced equation of the panel's titration, empty for an acid-base one.
std::string redoxEquationOf(const chemistry::SolutionSpec& solution);

// --- Inside the actions ---------------------------------------------------------------------------

// The panel takes a stored situation's kind and choices, those the lists hold.
void loadRedoxChoice(BenchState& bench, const chemistry::Situation& situation);
// The liquid's colour, the burette's species and the beaker's for the illustration.
void describeRedoxBeaker(const BenchState& bench, ApparatusScene& scene);

}  // namespace state
