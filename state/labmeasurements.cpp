#include "state/labmeasurements.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <memory>
#include <stop_token>
#include <utility>

#include "chemistry/titrationmodel.h"
#include "measurements/fitmodels.h"
#include "measurements/fittexts.h"
#include "numbers/picture.h"
#include "state/benchstate.h"
#include "state/change.h"
#include "state/conductimetry.h"

namespace state {

namespace {

std::vector<SeriesPoint> labPoints(const MeasuredPoints& points) {
    const std::size_t slot = phReading().slot;
    return seriesOf(points, [slot](const measurements::MeasuredPoint& p) { return p.reading(slot); });
}

std::vector<SeriesPoint> labPoints(const std::vector<measurements::CurvePoint>& curve) {
    return seriesOf(curve, [](const measurements::CurvePoint& p) { return p.value; });
}

// Whether a lab point holds a reading of the meter: a point read from a file without a σ column
// has none of σ.
bool hasReading(const measurements::MeasuredPoint& point, const Meter& meter) {
    const measurements::LabReading* reading = labReading(meter);
    return reading != nullptr && point.has(reading->slot) && std::isfinite(point.reading(reading->slot));
}

MeasuredPoints pointsWithReadings(const MeasuredPoints& points, const Meter& meter) {
    MeasuredPoints kept;
    std::copy_if(points.begin(), points.end(), std::back_inserter(kept),
                 [&meter](const measurements::MeasuredPoint& p) { return hasReading(p, meter); });
    return kept;
}

// The model of the panel's set-up on the job's meter, c₂ of the first solute and the pKa the
// pupil types for it left to the fit, the second solute as the panel gives it.
FitJob jobFor(const BenchState& b, unsigned serial) {
    FitJob job;
    job.serial = serial;
    // The meter of the graph shown, whose readings the fitted curve is drawn against.
    const Meter& meter = shownGraphMeter(b);
    job.meter = std::string(meter.id);
    job.points = pointsWithReadings(currentMeasurements(b), meter);
    std::shared_ptr<const chemistry::TitrationModel> model =
        chemistry::makeTitrationModel(b.solution, catalogue());
    if (!model->computable()) {
        job.refusal = "Ajustement impossible : les valeurs du bécher ne sont pas toutes des nombres.";
        return job;
    }
    const chemistry::FitStart start = model->fitStart();
    job.settings.fittedPKaCount = std::min(start.fittedPKaCount, measurements::kMaxFittedPKa);
    job.settings.pKa = start.pKa;
    job.model = measurements::TitrationFitModel(std::move(model), job.meter);
    return job;
}

bool storeMeasurements(Change& c, MeasuredPoints points) {
    BenchState& b = c.bench;
    const int current = b.situations.current;
    if (current < 0) return false;
    // A situation keeps no more than a configuration file can give back.
    if (points.size() > measurements::kMaxSituationPoints) {
        c.result.inform(MessageIcon::Stop,
                        "Une situation garde au plus 60 000 mesures : celles-ci n'ont pas été prises.",
                        "Trop de mesures");
        return false;
    }
    b.lab.points[static_cast<std::size_t>(current)] = std::move(points);
    c.result.add(Changed::History);
    // The situation shown again, as "Restaurer" does: its graph starts again with the new
    // crosses and without the crosses and fit of the points replaced.
    switchSituation(c, current);
    return true;
}

}  // namespace

const MeasuredPoints& currentMeasurements(const BenchState& bench) {
    static const MeasuredPoints kNone;
    const int current = bench.situations.current;
    if (current < 0 || current >= kSituationCount) return kNone;
    return bench.lab.points[static_cast<std::size_t>(current)];
}

ActionResult setMeasurements(BenchState& bench, MeasuredPoints points) {
    return act(bench, [&points](Change& c) { storeMeasurements(c, std::move(points)); });
}

ActionResult importMeasurements(BenchState& bench, measurements::ReadResult read) {
    return act(bench, [&read](Change& c) {
        if (!read.ok()) return;
        const std::string summary = measurements::importSummary(read);
        const std::string warning = measurements::orderWarning(read);
        if (!storeMeasurements(c, std::move(read.points))) return;
        c.result.hint = summary;
        if (!warning.empty()) c.result.inform(MessageIcon::Information, warning, "Mesures importées");
    });
}

void replaceAllMeasurements(BenchState& bench,
                            std::array<MeasuredPoints, chemistry::kSituationCount> points) {
    bench.lab.points = std::move(points);
    bench.lab.clearFit();
}

void LabMeasurements::clearFit() {
    fit.reset();
    fitText.clear();
    runningFit.reset();
}

measurements::FitResult FitJob::run(std::stop_token stop) const {
    if (!model) {
        measurements::FitResult refused;
        refused.message = refusal;
        refused.pointCount = static_cast<int>(points.size());
        return refused;
    }
    const Meter* fitted = meterById(meter);
    const measurements::LabReading* reading = fitted ? labReading(*fitted) : nullptr;
    if (!reading) {
        measurements::FitResult refused;
        refused.message = measurements::fittexts::noCurve();
        refused.pointCount = static_cast<int>(points.size());
        return refused;
    }
    return measurements::fitConcentration(points, model, *reading, settings, std::move(stop));
}

ActionResult startFit(BenchState& bench) {
    return act(bench, [](Change& c) {
        BenchState& b = c.bench;
        const int current = b.situations.current;
        if (current < 0) return;
        if (b.solution.kind != chemistry::TitrationKind::AcidBase) {
            c.result.hint = "L'ajustement de la concentration est proposé pour les titrages acido-basiques.";
            return;
        }
        // The fit is of the graph's meter: on the σ graph, of σ measured.
        const Meter& meter = shownGraphMeter(b);
        if (!labReading(meter)) {
            // No lab instrument reads n: its graph has nothing to fit.
            c.result.hint = "L'ajustement se fait sur le graphe pH = f(V) ou σ = f(V).";
            return;
        }
        if (&meter != &phMeter() && pointsWithReadings(currentMeasurements(b), meter).empty()) return;
        // The dashed curve belongs on the meter's graph: an analysis shown over it gives way first.
        if (!b.graph.showsMeter(meter)) switchSituation(c, current);
        // Fitting again replaces the dashed curve instead of piling another one on it.
        if (b.graph.removeFittedCurves()) c.result.add(Changed::Graph);
        b.lab.fit.reset();
        b.lab.runningFit = ++b.lab.fitsStarted;
        b.lab.fitText = "Ajustement en cours…";
        c.result.add(Changed::Controls);
    });
}

std::optional<FitJob> runningFitJob(const BenchState& bench) {
    if (!bench.lab.runningFit) return std::nullopt;
    return jobFor(bench, *bench.lab.runningFit);
}

ActionResult finishFit(BenchState& bench, unsigned serial, measurements::FitResult result) {
    return act(bench, [serial, &result](Change& c) {
        BenchState& b = c.bench;
        if (b.lab.runningFit != serial) return;
        b.lab.runningFit.reset();
        b.lab.fitText = measurements::describeFit(result);
        c.result.add(Changed::Controls);
        if (!result.converged) return;
        const Meter* meter = meterById(result.meter);
        if (!meter) meter = &phMeter();
        std::vector<SeriesPoint> curve = labPoints(result.curve);
        double largest = 0;
        for (const SeriesPoint& p : curve) largest = std::max(largest, p.value);
        // A σ curve that rises above the axis widens it, as the σ corrected for the dilution does.
        if (b.graph.showsMeter(*meter) && largest > b.graph.axis().top &&
            meter->axisFor(largest) != b.graph.axis())
            b.graph.widenAxis(meter->axisFor(largest));
        b.graph.addCurve(*meter, std::move(curve), currentColour(b), SeriesStyle::FittedDashes);
        c.result.add(Changed::Graph);
        b.lab.fit = std::move(result);
    });
}

ActionResult cancelFit(BenchState& bench) {
    return act(bench, [](Change& c) {
        BenchState& b = c.bench;
        if (!b.lab.runningFit) return;
        b.lab.runningFit.reset();
        b.lab.fitText = measurements::fittexts::cancelled();
        c.result.add(Changed::Controls);
    });
}

ActionResult fitMeasurements(BenchState& bench) {
    ActionResult started = startFit(bench);
    const std::optional<FitJob> job = runningFitJob(bench);
    if (!job) return started;
    ActionResult finished = finishFit(bench, job->serial, job->run());
    finished.changes.add(started.changes);
    return finished;
}

ActionResult useFittedConcentration(BenchState& bench) {
    return act(bench, [](Change& c) {
        BenchState& b = c.bench;
        if (!b.lab.fit || b.controls.fieldsLocked) return;
        setField(c, Field::BeakerConcentration, concentrationFieldText(b.lab.fit->concentration));
        validateField(c, Field::BeakerConcentration);
    });
}

std::string concentrationFieldText(double concentration) {
    if (!std::isfinite(concentration) || concentration <= 0) return {};
    const int decimals = std::max(0, 2 - static_cast<int>(std::floor(std::log10(concentration))));
    return numbers::formatPicture(concentration, "0." + std::string(static_cast<std::size_t>(decimals), '0'));
}

void drawLabMeasurements(Change& c) {
    BenchState& b = c.bench;
    // The fitted curve went with the graph, and a fit running is of a graph no longer shown.
    b.lab.clearFit();
    for (int slot = 0; slot < kSituationCount; ++slot) {
        const MeasuredPoints& points = b.lab.points[static_cast<std::size_t>(slot)];
        if (points.empty()) continue;
        const bool shown =
            slot == b.situations.current ||
            (b.switches.superposeCurves && b.situations.records[static_cast<std::size_t>(slot)].completed);
        if (!shown) continue;
        b.graph.addCurve(phMeter(), labPoints(points), situationColour(b, slot),
                         SeriesStyle::MeasuredCrosses);
        c.result.add(Changed::Graph);
    }
}

}  // namespace state
