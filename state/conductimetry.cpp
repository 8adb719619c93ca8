#include "state/conductimetry.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "chemistry/beakermixture.h"
#include "chemistry/conductivity.h"
#include "chemistry/precipitation.h"
#include "numbers/picture.h"
#include "state/amountgraph.h"
#include "state/change.h"
#include "state/labmeasurements.h"
#include "state/potentiometry.h"

namespace state {

namespace {

constexpr const char* kNoStraightLines = "Les points ne permettent pas de tracer les deux droites.";

// The acid-base set-up's mixture; none for the other kinds.
std::optional<chemistry::Mixture> mixtureOf(const chemistry::SolutionSpec& solution) {
    if (solution.kind != chemistry::TitrationKind::AcidBase) return std::nullopt;
    return chemistry::beakerMixture(solution, catalogue());
}

// σ of a precipitation titration every `stepTenths` tenths of a millilitre from 0 to 25 mL.
std::vector<chemistry::ConductivityPoint> precipitationPoints(const chemistry::PrecipitationSetUp& setUp,
                                                              int stepTenths) {
    std::vector<chemistry::ConductivityPoint> points;
    const int step = std::clamp(stepTenths, 1, 10);
    for (int tenths = 0; tenths <= 250; tenths += step) {
        const double volume = tenths / 10.0;
        if (const auto point = chemistry::solvePrecipitation(setUp, volume))
            points.push_back({volume, point->conductivity});
    }
    return points;
}

std::vector<chemistry::ConductivityPoint> curveOf(const chemistry::SolutionSpec& solution) {
    if (const auto setUp = chemistry::precipitationSetUp(solution)) return precipitationPoints(*setUp, 1);
    const auto mixture = mixtureOf(solution);
    if (!mixture) return {};
    return chemistry::conductivityCurve(*mixture);
}

bool labPointsShown(const BenchState& b, int slot) {
    return slot == b.situations.current ||
           (b.switches.superposeCurves && b.situations.records[static_cast<std::size_t>(slot)].completed);
}

// The lab's points that carry a σ.
std::vector<chemistry::ConductivityPoint> labConductivities(const MeasuredPoints& points) {
    std::vector<chemistry::ConductivityPoint> out;
    const std::size_t slot = conductivityReading().slot;
    for (const measurements::MeasuredPoint& p : points) {
        if (p.has(slot) && std::isfinite(p.reading(slot))) out.push_back({p.volume, p.reading(slot)});
    }
    return out;
}

double largestOf(const std::vector<chemistry::ConductivityPoint>& points) {
    double largest = 0;
    for (const chemistry::ConductivityPoint& p : points) largest = std::max(largest, p.conductivity);
    return largest;
}

// The points the pupil would have measured at the measuring step, from 0 to 25 mL.
std::vector<chemistry::ConductivityPoint> pointsAtStep(const chemistry::MixtureModel& model, int stepTenths) {
    std::vector<chemistry::ConductivityPoint> points;
    const int step = std::clamp(stepTenths, 1, 10);
    for (int tenths = 0; tenths <= 250; tenths += step) {
        const double volume = tenths / 10.0;
        if (const auto point = model.solve(volume))
            points.push_back({volume, chemistry::conductivityOf(model.mixture(), *point)});
    }
    return points;
}

}  // namespace

std::string conductivityNumber(double conductivity) {
    return significantNumber(conductivity);
}

std::string conductivityText(double conductivity) {
    return conductivityNumber(conductivity) + " mS/cm";
}

std::optional<double> panelConductivity(const BenchState& bench, double volume) {
    if (precipitationTitration(bench)) {
        const auto setUp = chemistry::precipitationSetUp(bench.solution);
        if (!setUp) return std::nullopt;
        const auto point = chemistry::solvePrecipitation(*setUp, volume);
        if (!point || !std::isfinite(point->conductivity)) return std::nullopt;
        return point->conductivity;
    }
    const auto mixture = mixtureOf(bench.solution);
    if (!mixture) return std::nullopt;
    const auto sigma = chemistry::mixtureConductivity(*mixture, volume);
    if (!sigma || !std::isfinite(*sigma)) return std::nullopt;
    return sigma;
}

bool conductivityGraphShown(const BenchState& bench) {
    return bench.switches.showConductimeter && bench.switches.conductivityGraph &&
           !bench.switches.amountGraph && !redoxTitration(bench);
}

const Meter& shownGraphMeter(const BenchState& bench) {
    if (amountGraphShown(bench)) return amountMeter();
    if (potentialGraphShown(bench)) return potentialMeter();
    return conductivityGraphShown(bench) ? conductivityMeter() : phMeter();
}

bool phGraphShown(const BenchState& bench) {
    return &shownGraphMeter(bench) == &phMeter();
}

void updateConductivityReading(Change& c) {
    BenchState& b = c.bench;
    if (!b.switches.showConductimeter) return;
    if (redoxTitration(b)) {
        b.readings.conductivity.clear();
        c.result.add(Changed::Readings);
        return;
    }
    if (const auto sigma = panelConductivity(b, b.engine.pouredVolume)) {
        b.readings.conductivity = conductivityText(*sigma);
        c.result.add(Changed::Readings);
    }
}

void restartConductivityGraph(Change& c) {
    BenchState& b = c.bench;
    double largest = largestOf(curveOf(b.solution));
    for (int slot = 0; slot < kSituationCount; ++slot) {
        if (finishedCurveShown(b, slot) && slot != b.situations.current)
            largest = std::max(largest, largestOf(curveOf(chemistry::specOf(b.situations.records[slot]))));
        if (labPointsShown(b, slot))
            largest =
                std::max(largest, largestOf(labConductivities(b.lab.points[static_cast<std::size_t>(slot)])));
    }
    b.graph.restart(conductivityMeter(), conductivityMeter().axisFor(largest));
}

bool drawFinishedConductivityCurves(Change& c) {
    BenchState& b = c.bench;
    bool currentDrawn = false;
    for (int slot = 0; slot < kSituationCount; ++slot) {
        if (!finishedCurveShown(b, slot)) continue;
        b.graph.addCurve(conductivityMeter(), seriesOf(curveOf(setUpOf(b, slot))), situationColour(b, slot));
        c.result.add(Changed::Graph);
        if (slot == b.situations.current) {
            b.controls.toolbarVisible = true;
            currentDrawn = true;
        }
    }
    return currentDrawn;
}

void drawCurrentConductivityCurve(Change& c) {
    BenchState& b = c.bench;
    b.graph.addCurve(conductivityMeter(), seriesOf(curveOf(b.solution)), currentColour(b));
    c.result.add(Changed::Graph);
}

void drawLabConductivities(Change& c) {
    BenchState& b = c.bench;
    // The fitted curve went with the graph, and a fit running is of a graph no longer shown.
    b.lab.clearFit();
    for (int slot = 0; slot < kSituationCount; ++slot) {
        if (!labPointsShown(b, slot)) continue;
        auto points = labConductivities(b.lab.points[static_cast<std::size_t>(slot)]);
        if (points.empty()) continue;
        b.graph.addCurve(conductivityMeter(), seriesOf(points), situationColour(b, slot),
                         SeriesStyle::MeasuredCrosses);
        c.result.add(Changed::Graph);
    }
}

ActionResult showConductimeter(BenchState& bench, bool shown) {
    return act(bench, [shown](Change& c) {
        BenchState& b = c.bench;
        b.switches.showConductimeter = shown;
        if (!shown) b.readings.conductivity.clear();
        drawBackground(c);
        drawLiquidLevels(c);
        c.result.add(Changed::Controls);
        // The σ graph goes with the meter, and the table's σ column with it: the situation is
        // shown again, as for the other display switches.
        if (b.situations.current >= 0) {
            switchSituation(c, b.situations.current);
        } else {
            updateReadings(c);
        }
    });
}

ActionResult showConductivityGraph(BenchState& bench, bool shown) {
    return act(bench, [shown](Change& c) {
        BenchState& b = c.bench;
        if (shown && !b.switches.showConductimeter) return;
        b.switches.conductivityGraph = shown;
        b.switches.amountGraph = false;
        b.switches.potentialGraph = false;
        c.result.add(Changed::Controls);
        if (b.situations.current >= 0) switchSituation(c, b.situations.current);
    });
}

StraightLinesAnalysis straightLinesOf(const chemistry::SolutionSpec& solution, int stepTenths,
                                      StraightLinesFit fit) {
    StraightLinesAnalysis analysis;
    std::vector<double> volumes;
    double initialVolume = 0;
    if (const auto setUp = chemistry::precipitationSetUp(solution)) {
        analysis.points = precipitationPoints(*setUp, stepTenths);
        volumes = chemistry::precipitationEquivalences(*setUp);
        initialVolume = setUp->beakerVolume + setUp->waterVolume;
    } else {
        const auto mixture = mixtureOf(solution);
        if (!mixture) return analysis;
        const chemistry::MixtureModel model(*mixture);
        if (!model.valid()) return analysis;
        analysis.points = pointsAtStep(model, stepTenths);
        for (const chemistry::EquivalenceCandidate& candidate : model.equivalenceCandidates(false))
            volumes.push_back(candidate.volume);
        initialVolume = mixture->beakerVolume + mixture->waterVolume;
    }
    if (fit == StraightLinesFit::DilutionCorrected)
        analysis.points = chemistry::dilutionCorrected(analysis.points, initialVolume);
    for (std::size_t k = 0; k < volumes.size(); ++k) {
        const double Ve = volumes[k];
        if (!(Ve > 0 && Ve < chemistry::kBuretteCapacity)) continue;
        ++analysis.equivalences;
        const double previous = k > 0 ? volumes[k - 1] : 0.0;
        const double next = k + 1 < volumes.size() ? volumes[k + 1] : std::numeric_limits<double>::infinity();
        const chemistry::StraightLines lines =
            chemistry::straightLines(analysis.points, Ve, chemistry::windowAround(Ve, previous, next));
        if (lines.found) analysis.found.push_back({static_cast<int>(k) + 1, lines});
    }
    return analysis;
}

ActionResult drawStraightLines(BenchState& bench, StraightLinesFit fit) {
    return act(bench, [fit](Change& c) {
        BenchState& b = c.bench;
        if (!conductivityGraphShown(b)) return;
        const StraightLinesAnalysis analysis = straightLinesOf(b.solution, b.stepTenths, fit);
        if (analysis.found.empty()) {
            c.result.hint = kNoStraightLines;
            return;
        }
        // The σ graph as "Restaurer" shows it, so that a construction replaces the previous one.
        if (b.situations.current >= 0) switchSituation(c, b.situations.current);
        const bool corrected = fit == StraightLinesFit::DilutionCorrected;
        if (corrected) {
            const double largest = largestOf(analysis.points);
            if (largest > b.graph.axis().top) b.graph.widenAxis(b.graph.meter().axisFor(largest));
            b.graph.add(CorrectedConductivity{analysis.points, currentColour(b), b.graph.strokeWidth()});
        }
        std::string hint;
        for (const NumberedStraightLines& found : analysis.found) {
            const std::string name = pointName(analysis.equivalences > 1 ? found.number : 0);
            b.graph.add(StraightLinesOverlay{found.lines, name, b.graph.strokeWidth(), corrected});
            if (!hint.empty()) hint += " ; ";
            hint += name + " : V = " + numbers::formatPicture(found.lines.volume, "#0.0") + " mL";
        }
        hint += corrected ? " (σ corrigée de la dilution)" : " (σ mesurée, sans correction de la dilution)";
        c.result.hint = hint;
        c.result.add(Changed::Graph);
    });
}

}  // namespace state
