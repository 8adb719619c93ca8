#pragma once
// The choices of a precipitation titration on the bench: the beaker's salt and a second one, the
// burette's salt and the reference electrode of the silver electrode; and what the illustration
// shows of it. Mohr's chromate is the panel's field Chromate.
#include <string>

#include "chemistry/solution.h"
#include "state/actionresult.h"
#include "state/apparatusscene.h"
#include "state/benchstate.h"

namespace state {

// The beaker's salt; the burette's becomes the first that precipitates it unless it already
// does, and a second salt that may not join it goes.
ActionResult choosePrecipitationSalt(BenchState& bench, int salt);
// The second salt, -1 for none, when it may join the first.
ActionResult chooseSecondPrecipitationSalt(BenchState& bench, int salt);
// The burette's salt, when it precipitates the beaker's.
ActionResult choosePrecipitationTitrant(BenchState& bench, int titrant);
// The reference electrode, -1 for none: the millivoltmeter comes and goes with it.
ActionResult choosePrecipitationReference(BenchState& bench, int reference);

// "Ag⁺ + Cl⁻ → AgCl", empty for the other kinds.
std::string precipitationEquationOf(const chemistry::SolutionSpec& solution);

// --- Inside the actions ---------------------------------------------------------------------------

// The burette's salt precipitates the beaker's: the first of the list that does when it did not.
void keepPrecipitatingTitrant(chemistry::PrecipitationChoice& choice);
// The panel takes a stored situation's choices, those the lists hold.
void loadPrecipitationChoice(BenchState& bench, const chemistry::Situation& situation);
// The liquid's colour, the burette's salt and the beaker's for the illustration.
void describePrecipitationBeaker(const BenchState& bench, ApparatusScene& scene);

}  // namespace state
