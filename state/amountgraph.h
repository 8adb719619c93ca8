#pragma once
// The n = f(V) graph: the amounts of matter (mmol) of the titration reactions' reactants and
// products in the beaker against the poured volume, one series per species in a colour of its
// own, named in a legend; the marks follow the pour, the curves come once the burette is empty.
// The amounts are those of the general charge balance (as σ), concentration × total volume.
#include <string>
#include <vector>

#include "chemistry/solution.h"
#include "chemistry/titration.h"
#include "state/actionresult.h"
#include "state/benchstate.h"
#include "state/graphcontent.h"

namespace state {

struct Change;

// One species' amounts from 0 to 25 mL.
struct AmountCurve {
    std::string name;  // "CH₃COOH"
    std::vector<SeriesPoint> points;
};

// The amounts of each species of a set-up's titration reactions, every 0,1 mL from 0 to 25 mL,
// in the order the legend lists them; none when the set-up cannot be computed.
std::vector<AmountCurve> amountCurves(const chemistry::SolutionSpec& solution);

// The colour of the species at that place in the legend.
Colour amountColour(int species);

// The graph shows n = f(V): chosen on its tool bar.
bool amountGraphShown(const BenchState& bench);

// The graph's switch: n = f(V) (true) or back to pH = f(V); the situation is shown again on it.
ActionResult showAmountGraph(BenchState& bench, bool shown);

// --- Inside the display's procedures ------------------------------------------------------------

// The n graph starts again, its axis holding every curve it is going to show, with the legend of
// the current situation's species.
void restartAmountGraph(Change& c);
// The curves of the finished situations shown; true when the current situation's is among them.
bool drawFinishedAmountCurves(Change& c);
// The current situation's curves.
void drawCurrentAmountCurves(Change& c);
// A mark per species at a measured point of the current situation.
void placeAmountMarks(Change& c, const chemistry::TitrationPoint& point);

}  // namespace state
