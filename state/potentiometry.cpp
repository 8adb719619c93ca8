#include "state/potentiometry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "chemistry/precipitation.h"
#include "chemistry/redox.h"
#include "numbers/picture.h"
#include "state/change.h"

namespace state {

namespace {

// Every tenth of a millilitre from 0 to 25 mL, as the tap pours it.
constexpr int kPotentialCurvePoints = 251;

// What the millivoltmeter shows while the set-up cannot be solved.
constexpr const char* kNoPotential = "E = ---";

const chemistry::ReferenceElectrode* referenceOf(const chemistry::SolutionSpec& solution) {
    const auto electrodes = chemistry::referenceElectrodes();
    const int index = solution.kind == chemistry::TitrationKind::Precipitation
                          ? solution.precipitation.reference
                          : solution.redox.reference;
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

// The indicating electrode's potential against the standard hydrogen electrode: platinum in an
// oxidation-reduction titration, silver in a titration by silver nitrate.
struct IndicatingElectrode {
    std::optional<chemistry::RedoxSetUp> redox;
    std::optional<chemistry::PrecipitationSetUp> precipitation;
    explicit IndicatingElectrode(const chemistry::SolutionSpec& solution)
        : redox(chemistry::redoxSetUp(solution)), precipitation(chemistry::precipitationSetUp(solution)) {
        if (precipitation && !chemistry::silverTitrant(*precipitation)) precipitation.reset();
    }
    bool usable() const { return redox || precipitation; }
    std::optional<double> at(double volume) const {
        double potential = 0;
        if (redox) {
            const auto point = chemistry::solveRedox(*redox, volume);
            if (!point) return std::nullopt;
            potential = point->potential;
        } else if (precipitation) {
            const auto point = chemistry::solvePrecipitation(*precipitation, volume);
            if (!point) return std::nullopt;
            potential = point->potential;
        } else {
            return std::nullopt;
        }
        return std::isfinite(potential) ? std::optional<double>(potential) : std::nullopt;
    }
};

}  // namespace

bool precipitationTitration(const chemistry::SolutionSpec& solution) {
    return solution.kind == chemistry::TitrationKind::Precipitation;
}

bool precipitationTitration(const BenchState& bench) {
    return precipitationTitration(bench.solution);
}

bool acidBaseTitration(const BenchState& bench) {
    return bench.solution.kind == chemistry::TitrationKind::AcidBase;
}

bool redoxTitration(const chemistry::SolutionSpec& solution) {
    return solution.kind == chemistry::TitrationKind::Redox;
}

bool redoxTitration(const BenchState& bench) {
    return redoxTitration(bench.solution);
}

bool electrodesShown(const BenchState& bench) {
    if (referenceOf(bench.solution) == nullptr) return false;
    if (redoxTitration(bench)) return true;
    // The burette's salt alone decides, so that the values typed do not make the electrodes come and go.
    const auto titrants = chemistry::precipitationTitrants();
    const int titrant = bench.solution.precipitation.titrant;
    return precipitationTitration(bench) && titrant >= 0 && titrant < static_cast<int>(titrants.size()) &&
           titrants[static_cast<std::size_t>(titrant)].cation == chemistry::Ion::Silver;
}

std::string potentialText(double potential) {
    return "E = " + numbers::formatPicture(potential, "0.000") + " V";
}

std::optional<double> potentialAgainstReference(const chemistry::SolutionSpec& solution, double volume) {
    const chemistry::ReferenceElectrode* reference = referenceOf(solution);
    const IndicatingElectrode electrode(solution);
    if (!reference || !electrode.usable()) return std::nullopt;
    const auto potential = electrode.at(volume);
    if (!potential) return std::nullopt;
    return *potential - reference->potential;
}

std::vector<SeriesPoint> potentialCurve(const chemistry::SolutionSpec& solution) {
    std::vector<SeriesPoint> points;
    const chemistry::ReferenceElectrode* reference = referenceOf(solution);
    const IndicatingElectrode electrode(solution);
    if (!reference || !electrode.usable()) return points;
    points.reserve(kPotentialCurvePoints);
    for (int tenths = 0; tenths < kPotentialCurvePoints; ++tenths) {
        const double volume = tenths / 10.0;
        if (const auto potential = electrode.at(volume))
            points.push_back({volume, *potential - reference->potential});
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
