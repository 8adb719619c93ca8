#pragma once
// Inside the state's actions: a change in progress, the procedures the actions share, and the
// actions as they run inside one another. An action called from another adds to the same result.
#include "state/actionresult.h"
#include "state/benchstate.h"

namespace state {

// The bench being changed and what the change did so far.
struct Change {
    BenchState& bench;
    ActionResult& result;
};

// Runs one action and returns what it did.
template <typename Step>
ActionResult act(BenchState& bench, Step step) {
    ActionResult result;
    Change change{bench, result};
    step(change);
    return result;
}

// --- What the display does -----------------------------------------------------------------

// The point for the poured volume: the pH-meter's reading, and the initial point recorded when
// nothing is poured.
void updateReadings(Change& c);
// A measurement at the poured volume: a mark on the graph and a row of the table.
void recordMeasurement(Change& c);
// The display starts again at 0 mL: unlocked fields, a new graph with the finished curves, a new
// table, the beaker and the readings.
void restartDisplay(Change& c);
// The current situation's theoretical curve; its tool bar shows.
void traceCurrentCurve(Change& c);
// The curves of the finished situations shown, drawn on the graph as it is; true when the
// current situation's curve is among them.
bool drawFinishedCurves(Change& c);
// The illustration's drawing steps, with the scene as it is now.
void drawBackground(Change& c);
void drawLiquidLevels(Change& c);

void setField(Change& c, Field which, std::string text);
// The poured volume's field and the burette's reading of it.
void setPouredVolumeText(Change& c, std::string text);
void lockFields(Change& c, bool locked);
void setToolbarVisible(Change& c, bool visible);
void setCurrentCompleted(Change& c, bool completed);
// The bench at 0 mL after a new choice in the panel's lists, as after a change of solute.
void restartWithNewChoice(Change& c);
// The solute goes back to the first of the list; the distribution diagram follows.
void refillSoluteList(Change& c);

// --- Actions called from other actions --------------------------------------------------------

void validateField(Change& c, Field which);
void setConcentrationMasked(Change& c, bool masked);
void switchSituation(Change& c, int index);
void showSituation(Change& c, int index);
void releaseTap(Change& c);
void resetToZero(Change& c);
void stopPouring(Change& c);
void endDrop(Change& c);

}  // namespace state
