#pragma once
// The ten situations: the defaults at start-up, the switch from one to another (the one left is
// stored, the other shown), a configuration read from a file, and the illustration drawn again.
#include "configuration/configurationfile.h"
#include "state/actionresult.h"
#include "state/benchstate.h"

namespace state {

// The default texts of the fields and the ten default situations; no situation shown yet.
ActionResult setDefaults(BenchState& bench);
// The bench as the window opens: Situation 1 shown, with its initial point.
ActionResult start(BenchState& bench);
// The situation shown is stored (completed when its pH-meter shows 25 mL poured), then the one
// at `index` (0 to 9) is shown, its curve traced when it was finished.
ActionResult switchSituation(BenchState& bench, int index);
// A configuration read from a file replaces the situations and the three display switches, and
// Situation 1 is shown, nothing of the panel stored over what was read. A titration being poured
// stops first.
ActionResult loadConfiguration(BenchState& bench, const configuration::ConfigurationFile& file);
// The point computed again for the panel's parameters, and the readings with it.
ActionResult updateReadings(BenchState& bench);
// The illustration drawn again for the state, and the readings taken again.
ActionResult refreshApparatus(BenchState& bench);

}  // namespace state
