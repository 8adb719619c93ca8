#include "state/conductimetry.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "chemistry/beakermixture.h"
#include "chemistry/conductivity.h"
#include "numbers/picture.h"
#include "state/change.h"
#include "state/labmeasurements.h"

namespace state {

namespace {

constexpr const char* kNoStraightLines = "Les points ne permettent pas de tracer les deux droites.";

std::optional<chemistry::Mixture> mixtureOf(const chemistry::SolutionSpec& solution) {
    return chemistry::beakerMixture(solution, catalogue());
}

std::vector<chemistry::ConductivityPoint> curveOf(const chemistry::SolutionSpec& solution) {
    const auto mixture = mixtureOf(solution);
    if (!mixture) return {};
    return chemistry::conductivityCurve(*mixture);
}

bool finishedCurveShown(const BenchState& b, int slot) {
    const chemistry::Situation& s = b.situations.records[static_cast<std::size_t>(slot)];
    return s.completed && (b.switches.superposeCurves || slot == b.situations.current);
}

bool labPointsShown(const BenchState& b, int slot) {
    return slot == b.situations.current ||
           (b.switches.superposeCurves && b.situations.records[static_cast<std::size_t>(slot)].completed);
}

// The lab's points that carry a σ (a file without a σ column gives 0 everywhere).
std::vector<chemistry::ConductivityPoint> labConductivities(const MeasuredPoints& points) {
    std::vector<chemistry::ConductivityPoint> out;
    for (const measurements::MeasuredPoint& p : points) {
        if (p.conductivity > 0 && std::isfinite(p.conductivity)) out.push_back({p.volume, p.conductivity});
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
    if (!std::isfinite(conductivity) || conductivity < 0) return {};
    if (conductivity == 0) return "0,00";
    const int decimals = std::clamp(2 - static_cast<int>(std::floor(std::log10(conductivity))), 0, 8);
    // Rounding may carry into a new digit (9,996 → 10,0): one decimal fewer then.
    const double rounded = std::round(conductivity * std::pow(10.0, decimals)) / std::pow(10.0, decimals);
    const int kept = rounded >= std::pow(10.0, 3 - decimals) && decimals > 0 ? decimals - 1 : decimals;
    if (kept == 0) return numbers::formatPicture(conductivity, "0");
    return numbers::formatPicture(conductivity, "0." + std::string(static_cast<std::size_t>(kept), '0'));
}

std::string conductivityText(double conductivity) {
    return conductivityNumber(conductivity) + " mS/cm";
}

std::optional<double> panelConductivity(const BenchState& bench, double volume) {
    const auto mixture = mixtureOf(bench.solution);
    if (!mixture) return std::nullopt;
    const auto sigma = chemistry::mixtureConductivity(*mixture, volume);
    if (!sigma || !std::isfinite(*sigma)) return std::nullopt;
    return sigma;
}

bool conductivityGraphShown(const BenchState& bench) {
    return bench.switches.showConductimeter && bench.switches.conductivityGraph;
}

void updateConductivityReading(Change& c) {
    BenchState& b = c.bench;
    if (!b.switches.showConductimeter) return;
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
    b.graph.restartConductivity(conductivityAxisFor(largest));
}

bool drawFinishedConductivityCurves(Change& c) {
    BenchState& b = c.bench;
    bool currentDrawn = false;
    for (int slot = 0; slot < kSituationCount; ++slot) {
        if (!finishedCurveShown(b, slot)) continue;
        const chemistry::SolutionSpec setUp =
            slot == b.situations.current ? b.solution : chemistry::specOf(b.situations.records[slot]);
        b.graph.add(
            ConductivityCurve{curveOf(setUp), situationColour(b, slot), b.graph.strokeWidth(), false});
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
    b.graph.add(ConductivityCurve{curveOf(b.solution), currentColour(b), b.graph.strokeWidth(), false});
    c.result.add(Changed::Graph);
}

void drawLabConductivities(Change& c) {
    BenchState& b = c.bench;
    // A fit is of the pH curve: it went with the graph.
    b.lab.clearFit();
    for (int slot = 0; slot < kSituationCount; ++slot) {
        if (!labPointsShown(b, slot)) continue;
        auto points = labConductivities(b.lab.points[static_cast<std::size_t>(slot)]);
        if (points.empty()) continue;
        b.graph.add(
            ConductivityCurve{std::move(points), situationColour(b, slot), b.graph.strokeWidth(), true});
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
        c.result.add(Changed::Controls);
        if (b.situations.current >= 0) switchSituation(c, b.situations.current);
    });
}

std::vector<chemistry::StraightLines> straightLinesOf(const chemistry::SolutionSpec& solution,
                                                      int stepTenths) {
    std::vector<chemistry::StraightLines> found;
    const auto mixture = mixtureOf(solution);
    if (!mixture) return found;
    const chemistry::MixtureModel model(*mixture);
    if (!model.valid()) return found;
    const std::vector<chemistry::ConductivityPoint> points = pointsAtStep(model, stepTenths);
    for (const chemistry::EquivalenceCandidate& e : model.equivalenceCandidates(false)) {
        if (!(e.volume > 0 && e.volume < chemistry::kBuretteCapacity)) continue;
        const chemistry::StraightLines lines = chemistry::straightLines(points, e.volume);
        if (lines.found) found.push_back(lines);
    }
    return found;
}

ActionResult drawStraightLines(BenchState& bench) {
    return act(bench, [](Change& c) {
        BenchState& b = c.bench;
        if (!conductivityGraphShown(b)) return;
        const std::vector<chemistry::StraightLines> found = straightLinesOf(b.solution, b.stepTenths);
        if (found.empty()) {
            c.result.hint = kNoStraightLines;
            return;
        }
        static const char* const kSubscripts[] = {"₁", "₂", "₃", "₄", "₅", "₆"};
        std::string hint;
        for (std::size_t i = 0; i < found.size(); ++i) {
            const std::string name = found.size() == 1
                                         ? std::string("E")
                                         : std::string("E") + kSubscripts[std::min<std::size_t>(i, 5)];
            b.graph.add(StraightLinesOverlay{found[i], name, b.graph.strokeWidth()});
            if (!hint.empty()) hint += " ; ";
            hint += name + " : V = " + numbers::formatPicture(found[i].volume, "#0.0") + " mL";
        }
        c.result.hint = hint;
        c.result.add(Changed::Graph);
    });
}

}  // namespace state
