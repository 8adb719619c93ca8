#pragma once
// An oxidation-reduction titration followed by a platinum electrode against a reference: the
// millivoltmeter's reading, the E column of the table and the E = f(V) graph with the curves of
// the finished situations. The potentials come from the set-up's titration model.
#include <optional>
#include <string>
#include <vector>

#include "chemistry/solution.h"
#include "state/actionresult.h"
#include "state/benchstate.h"
#include "state/graphcontent.h"
#include "state/meters.h"

namespace state {

struct Change;

// The set-up is a precipitation titration.
bool precipitationTitration(const chemistry::SolutionSpec& solution);
bool precipitationTitration(const BenchState& bench);
// The set-up is an acid-base titration: the pH analyses apply.
bool acidBaseTitration(const BenchState& bench);
// The set-up is an oxidation-reduction titration.
bool redoxTitration(const chemistry::SolutionSpec& solution);
bool redoxTitration(const BenchState& bench);
// The electrodes and the millivoltmeter are on the bench: a reference electrode is chosen, for
// an oxidation-reduction titration or a titration by silver nitrate (a silver electrode).
bool electrodesShown(const BenchState& bench);

// The millivoltmeter's display: "E = 0,526 V".
std::string potentialText(double potential);

// E (V) against the set-up's reference electrode after `volume` mL; nothing when it cannot be
// computed or no reference is chosen.
std::optional<double> potentialAgainstReference(const chemistry::SolutionSpec& solution, double volume);

// E every tenth of a millilitre from 0 to 25 mL, as the tap pours it; points that cannot be
// computed are left out.
std::vector<SeriesPoint> potentialCurve(const chemistry::SolutionSpec& solution);

// An axis whose grid lines fall on round potentials (0,05 to 1 V apart), from a line at or below
// `least` to one at or above `largest`, with at most 10 lines.
MeterAxis potentialAxis(double least, double largest);

// The axis of the E graph showing that set-up's curve alone.
MeterAxis potentialAxisFor(const chemistry::SolutionSpec& solution);

// The graph shows E = f(V): chosen on its tool bar, with the electrodes on the bench.
bool potentialGraphShown(const BenchState& bench);

// The graph's switch: E = f(V) (true) or pH = f(V); the situation is shown again on that graph.
ActionResult showPotentialGraph(BenchState& bench, bool shown);

// --- Inside the display's procedures ------------------------------------------------------------

// The millivoltmeter follows the point shown; a point that cannot be computed keeps the last
// reading.
void updatePotentialReading(Change& c);
// The E graph starts again, its axis holding every curve it is going to show.
void restartPotentialGraph(Change& c);
// The E curves of the finished situations shown; true when the current situation's is among them.
bool drawFinishedPotentialCurves(Change& c);
// The current situation's E curve.
void drawCurrentPotentialCurve(Change& c);

}  // namespace state
