#include "state/potentiometry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "chemistry/redox.h"
#include "numbers/picture.h"
#include "state/change.h"

namespace state {

namespace {

// Every tenth of a millilitre from 0 to 25 mL, as the tap pours it.
constexpr int kCurvePoints = 251;

// What the millivoltmeter shows while the set-up cannot be solved.
constexpr const char* kNoPotential = "E = ---";

const chemistry::ReferenceElectrode* referenceOf(const chemistry::SolutionSpec& solution) {
    const auto electrodes = chemistry::referenceElectrodes();
    const int index = solution.redox.reference;
    if (index < 0 || index >= static_cast<int>(electrodes.size())) return nullptr;
    return &electrodes[static_cast<std::size_t>(index)];
}

// The least and the largest potential of the curves; nothing for no point.
struct Span {
    double least = std::numeric_limits<double>::infinity();
    double largest = -std::numeric_limits<double>::infinity();
    void take(const std::vector<SeriesPoint>& points) {
        for (const SeriesPoint& p : points) {
            least = std::min(least, p.value);
            largest = std::max(largest, p.value);
        }
    }
};

}  // namespace

bool redoxTitration(const chemistry::SolutionSpec& solution) {
    return solution.kind == chemistry::TitrationKind::Redox;
}

bool redoxTitration(const BenchState& bench) {
    return redoxTitration(bench.solution);
}

bool electrodesShown(const BenchState& bench) {
    return redoxTitration(bench) && referenceOf(bench.solution) != nullptr;
}

std::string potentialText(double potential) {
    return "E = " + numbers::formatPicture(potential, "0.000") + " V";
}

std::optional<double> potentialAgainstReference(const chemistry::SolutionSpec& solution, double volume) {
    const chemistry::ReferenceElectrode* reference = referenceOf(solution);
    const auto setUp = chemistry::redoxSetUp(solution);
    if (!reference || !setUp) return std::nullopt;
    const auto point = chemistry::solveRedox(*setUp, volume);
    if (!point || !std::isfinite(point->potential)) return std::nullopt;
    return point->potential - reference->potential;
}

std::vector<SeriesPoint> potentialCurve(const chemistry::SolutionSpec& solution) {
    std::vector<SeriesPoint> points;
    const chemistry::ReferenceElectrode* reference = referenceOf(solution);
    const auto setUp = chemistry::redoxSetUp(solution);
    if (!reference || !setUp) return points;
    points.reserve(kCurvePoints);
    for (int tenths = 0; tenths < kCurvePoints; ++tenths) {
        const double volume = tenths / 10.0;
        const auto point = chemistry::solveRedox(*setUp, volume);
        if (point && std::isfinite(point->potential))
            points.push_back({volume, point->potential - reference->potential});
    }
    return points;
}

MeterAxis potentialAxis(double least, double largest) {
    if (!std::isfinite(least) || !std::isfinite(largest) || largest < least) {
        least = 0;
        largest = 1;
    }
    constexpr std::array kSteps{0.05, 0.1, 0.2, 0.25, 0.5, 1.0};
    double step = kSteps.back();
    for (const double candidate : kSteps) {
        if ((largest - least) / candidate <= 9) {
            step = candidate;
            break;
        }
    }
    MeterAxis axis;
    axis.step = step;
    axis.bottom = std::floor(least / step + 1e-9) * step;
    axis.top = std::max(std::ceil(largest / step - 1e-9) * step, axis.bottom + step);
    return axis;
}

MeterAxis potentialAxisFor(const chemistry::SolutionSpec& solution) {
    Span span;
    span.take(potentialCurve(solution));
    return potentialAxis(span.least, span.largest);
}

bool potentialGraphShown(const BenchState& bench) {
    return electrodesShown(bench) && bench.switches.potentialGraph && !bench.switches.amountGraph;
}

ActionResult showPotentialGraph(BenchState& bench, bool shown) {
    return act(bench, [shown](Change& c) {
        BenchState& b = c.bench;
        if (shown && !electrodesShown(b)) return;
        b.switches.potentialGraph = shown;
        if (shown) {
            b.switches.conductivityGraph = false;
            b.switches.amountGraph = false;
        }
        c.result.add(Changed::Controls);
        if (b.situations.current >= 0) switchSituation(c, b.situations.current);
    });
}

void updatePotentialReading(Change& c) {
    BenchState& b = c.bench;
    if (!electrodesShown(b)) {
        if (!b.readings.potential.empty()) {
            b.readings.potential.clear();
            c.result.add(Changed::Readings);
        }
        return;
    }
    const auto setUp = chemistry::redoxSetUp(b.solution);
    const std::string problem = setUp ? chemistry::redoxProblem(*setUp) : std::string();
    if (!problem.empty()) {
        b.readings.potential = kNoPotential;
        c.result.hint = problem;
    } else if (const auto potential = potentialAgainstReference(b.solution, b.engine.pouredVolume)) {
        b.readings.potential = potentialText(*potential);
    }
    c.result.add(Changed::Readings);
}

void restartPotentialGraph(Change& c) {
    BenchState& b = c.bench;
    Span span;
    span.take(potentialCurve(b.solution));
    for (int slot = 0; slot < kSituationCount; ++slot) {
        if (finishedCurveShown(b, slot) && slot != b.situations.current)
            span.take(potentialCurve(setUpOf(b, slot)));
    }
    b.graph.restart(potentialMeter(), potentialAxis(span.least, span.largest));
}

bool drawFinishedPotentialCurves(Change& c) {
    BenchState& b = c.bench;
    bool currentDrawn = false;
    for (int slot = 0; slot < kSituationCount; ++slot) {
        if (!finishedCurveShown(b, slot)) continue;
        b.graph.addCurve(potentialMeter(), potentialCurve(setUpOf(b, slot)), situationColour(b, slot));
        c.result.add(Changed::Graph);
        if (slot == b.situations.current) {
            b.controls.toolbarVisible = true;
            currentDrawn = true;
        }
    }
    return currentDrawn;
}

void drawCurrentPotentialCurve(Change& c) {
    BenchState& b = c.bench;
    b.graph.addCurve(potentialMeter(), potentialCurve(b.solution), currentColour(b));
    c.result.add(Changed::Graph);
}

}  // namespace state
