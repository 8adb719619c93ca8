#include "state/amountgraph.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "chemistry/beakermixture.h"
#include "chemistry/mixture.h"
#include "chemistry/titrationreaction.h"
#include "state/change.h"

namespace state {

namespace {

// Distinct on white and from one another; the painter makes them readable in high contrast.
constexpr std::array<Colour, 8> kSpeciesColours{{
    {0, 0, 200},
    {255, 0, 0},
    {0, 150, 0},
    {205, 100, 0},
    {140, 0, 170},
    {0, 140, 150},
    {120, 80, 30},
    {200, 0, 120},
}};

// Every tenth of a millilitre from 0 to 25 mL, as the tap pours it.
constexpr int kCurvePoints = 251;

// Amounts would give a hidden concentration away: n₀ = c · V₀ is read at 0 mL.
constexpr const char* kHiddenAmounts =
    "Concentration masquée : les quantités de matière ne sont pas tracées.";

double largestOf(const std::vector<AmountCurve>& curves) {
    double largest = 0;
    for (const AmountCurve& curve : curves) {
        for (const SeriesPoint& p : curve.points) largest = std::max(largest, p.value);
    }
    return largest;
}

void addCurves(Change& c, const std::vector<AmountCurve>& curves) {
    for (std::size_t i = 0; i < curves.size(); ++i)
        c.bench.graph.addCurve(amountMeter(), curves[i].points, amountColour(static_cast<int>(i)));
    c.result.add(Changed::Graph);
}

}  // namespace

std::vector<AmountCurve> amountCurves(const chemistry::SolutionSpec& solution) {
    const auto reactions = chemistry::titrationReactions(solution, catalogue());
    const auto mixture = chemistry::beakerMixture(solution, catalogue());
    if (!reactions || reactions->steps.empty() || !mixture) return {};
    // The general charge balance, as σ takes it: a strong species fully dissociated.
    const chemistry::MixtureModel model(*mixture);
    if (!model.valid()) return {};
    std::vector<AmountCurve> curves(reactions->species.size());
    for (std::size_t i = 0; i < curves.size(); ++i) {
        curves[i].name = reactions->species[i].name;
        curves[i].points.reserve(kCurvePoints);
    }
    for (int tenths = 0; tenths < kCurvePoints; ++tenths) {
        const double volume = tenths / 10.0;
        const auto point = model.solve(volume);
        // A point the engine could not solve is left out; the line joins the next one.
        if (!point) continue;
        const std::vector<double> amounts = reactions->equilibriumAmounts(*point);
        for (std::size_t i = 0; i < curves.size() && i < amounts.size(); ++i)
            curves[i].points.push_back({volume, amounts[i]});
    }
    return curves;
}

Colour amountColour(int species) {
    return kSpeciesColours[static_cast<std::size_t>(species) % kSpeciesColours.size()];
}

bool amountGraphShown(const BenchState& bench) {
    return bench.switches.amountGraph && bench.solution.kind == chemistry::TitrationKind::AcidBase;
}

ActionResult showAmountGraph(BenchState& bench, bool shown) {
    return act(bench, [shown](Change& c) {
        BenchState& b = c.bench;
        // The amounts are those of acid-base reactions.
        if (shown && b.solution.kind != chemistry::TitrationKind::AcidBase) return;
        b.switches.amountGraph = shown;
        if (shown) {
            b.switches.conductivityGraph = false;
            b.switches.potentialGraph = false;
        }
        c.result.add(Changed::Controls);
        if (b.situations.current >= 0) switchSituation(c, b.situations.current);
    });
}

void restartAmountGraph(Change& c) {
    BenchState& b = c.bench;
    double largest = 0;
    std::vector<std::string> names;
    for (int slot = 0; slot < kSituationCount; ++slot) {
        if (slot != b.situations.current && !finishedCurveShown(b, slot)) continue;
        if (concentrationHidden(b, slot)) continue;
        const std::vector<AmountCurve> curves = amountCurves(setUpOf(b, slot));
        largest = std::max(largest, largestOf(curves));
        if (slot == b.situations.current) {
            for (const AmountCurve& curve : curves) names.push_back(curve.name);
        }
    }
    b.graph.restart(amountMeter(), amountMeter().axisFor(largest));
    if (concentrationHidden(b, b.situations.current)) c.result.hint = kHiddenAmounts;
    std::vector<Colour> colours;
    for (std::size_t i = 0; i < names.size(); ++i) colours.push_back(amountColour(static_cast<int>(i)));
    if (!names.empty()) b.graph.add(SeriesLegend{std::move(names), std::move(colours)});
}

bool drawFinishedAmountCurves(Change& c) {
    BenchState& b = c.bench;
    bool currentDrawn = false;
    for (int slot = 0; slot < kSituationCount; ++slot) {
        if (!finishedCurveShown(b, slot)) continue;
        if (!concentrationHidden(b, slot)) addCurves(c, amountCurves(setUpOf(b, slot)));
        if (slot == b.situations.current) {
            b.controls.toolbarVisible = true;
            currentDrawn = true;
        }
    }
    return currentDrawn;
}

void drawCurrentAmountCurves(Change& c) {
    if (concentrationHidden(c.bench, c.bench.situations.current)) return;
    addCurves(c, amountCurves(c.bench.solution));
}

void placeAmountMarks(Change& c, const chemistry::TitrationPoint& point) {
    if (concentrationHidden(c.bench, c.bench.situations.current)) return;
    const auto reactions = chemistry::titrationReactions(c.bench.solution, catalogue());
    const auto mixture = chemistry::beakerMixture(c.bench.solution, catalogue());
    if (!reactions || !mixture) return;
    const auto solved = chemistry::MixtureModel(*mixture).solve(point.volume);
    if (!solved) return;
    const std::vector<double> amounts = reactions->equilibriumAmounts(*solved);
    for (std::size_t i = 0; i < amounts.size(); ++i)
        c.bench.graph.placeMark(amountMeter(), point.volume, amounts[i], amountColour(static_cast<int>(i)),
                                static_cast<int>(i));
    c.result.add(Changed::Graph);
}

}  // namespace state
