#pragma once
// Points measured in the lab, kept with each situation, drawn as crosses over its curve, and the
// beaker concentration (with the pKa of a free solute) that brings the engine's curve closest to
// them. The fit never changes the panel: only useFittedConcentration does, through the field's
// own validation.
//
// A fit may take a while on thousands of points, so it runs in three steps: startFit readies the
// graph and notes the fit as running, runningFitJob gives what it needs to run anywhere (a copy of
// the points and a model of its own), finishFit takes its result while that fit is still the one
// waited for. Anything that starts the display again drops the running fit.
#include <array>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

#include "chemistry/solution.h"
#include "measurements/concentrationfit.h"
#include "measurements/measuredpoint.h"
#include "measurements/measurementreader.h"
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
    // The fit running, by its number; each start takes the next one.
    std::optional<unsigned> runningFit;
    unsigned fitsStarted = 0;

    // No fit, none running, nothing said about one.
    void clearFit();
    bool operator==(const LabMeasurements&) const = default;
};

// What a fit runs on, independent of the bench.
struct FitJob {
    unsigned serial = 0;
    MeasuredPoints points;
    measurements::ReadingModel model;  // empty when the panel gives none
    std::string meter = "pH";          // whose readings are fitted
    measurements::FitSettings settings;
    std::string refusal;  // why there is no model

    measurements::FitResult run(std::stop_token stop = {}) const;
};

// The measurements of the situation shown; empty without one.
const MeasuredPoints& currentMeasurements(const BenchState& bench);

// The situation shown takes these points in place of its own, and the graph shows them; more than
// measurements::kMaxSituationPoints are refused with a message, and nothing changes.
ActionResult setMeasurements(BenchState& bench, MeasuredPoints points);
// A file read for the situation shown: its points in place of the situation's own, and what the
// file gave said on the hint line ("34 mesures importées"), with a message when its volumes do
// not all go up. A refused file changes nothing.
ActionResult importMeasurements(BenchState& bench, measurements::ReadResult read);
// Every situation's points at once (a configuration read from a file), without redrawing.
void replaceAllMeasurements(BenchState& bench, std::array<MeasuredPoints, chemistry::kSituationCount> points);
// "Ajuster la concentration" at once: fits c₂ (and the pKa of a free solute: "autre acide",
// "autre base", "autre diacide", "autre dibase") to the situation's readings of the graph's meter
// against the engine's curve for the panel's other parameters, and draws the fitted curve dashed.
ActionResult fitMeasurements(BenchState& bench);
// The same in steps. On the σ graph the fit is of σ, the points without a σ left out; startFit
// does nothing there without σ measured, nor without a situation.
ActionResult startFit(BenchState& bench);
std::optional<FitJob> runningFitJob(const BenchState& bench);
// A result of a fit no longer waited for is dropped.
ActionResult finishFit(BenchState& bench, unsigned serial, measurements::FitResult result);
ActionResult cancelFit(BenchState& bench);
// "Utiliser cette valeur": the fitted c₂ typed into its field and validated as the pupil's own.
ActionResult useFittedConcentration(BenchState& bench);

// The text the panel's field takes for a fitted concentration: three significant digits.
std::string concentrationFieldText(double concentration);

// Inside restartDisplay: the crosses of the situations whose curves show, and no fit any more.
void drawLabMeasurements(Change& c);

}  // namespace state
