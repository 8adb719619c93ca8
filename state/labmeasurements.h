#pragma once
// Points measured in the lab, kept with each situation, drawn as crosses over its curve, and the
// beaker concentration (with the pKa of a free solute) that brings the engine's curve closest to
// them. The fit never changes the panel: only useFittedConcentration does, through the field's
// own validation.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "chemistry/solution.h"
#include "measurements/concentrationfit.h"
#include "measurements/measuredpoint.h"
#include "state/actionresult.h"

namespace state {

struct BenchState;
struct Change;

using MeasuredPoints = std::vector<measurements::MeasuredPoint>;

struct LabMeasurements {
    std::array<MeasuredPoints, chemistry::kSituationCount> points{};
    // The last fit of the current situation's points; gone when the display starts again.
    std::optional<measurements::FitResult> fit;
    // What the fit's label shows: the fitted value, or why there is none.
    std::string fitText;
};

// The measurements of the situation shown; empty without one.
const MeasuredPoints& currentMeasurements(const BenchState& bench);

// The situation shown takes these points in place of its own, and the graph shows them; more than
// measurements::kMaxSituationPoints are refused with a message, and nothing changes.
ActionResult setMeasurements(BenchState& bench, MeasuredPoints points);
// Every situation's points at once (a configuration read from a file), without redrawing.
void replaceAllMeasurements(BenchState& bench, std::array<MeasuredPoints, chemistry::kSituationCount> points);
// Fits c₂ (and the pKa of "autre acide" / "autre base") to the situation's points against the
// engine's curve for the panel's other parameters, and draws the fitted curve dashed.
ActionResult fitMeasurements(BenchState& bench);
// "Utiliser cette valeur": the fitted c₂ typed into its field and validated as the pupil's own.
ActionResult useFittedConcentration(BenchState& bench);

// The text the panel's field takes for a fitted concentration: three significant digits.
std::string concentrationFieldText(double concentration);

// Inside restartDisplay: the crosses of the situations whose curves show, and no fit any more.
void drawLabMeasurements(Change& c);

}  // namespace state
