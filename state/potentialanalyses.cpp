#include "state/potentialanalyses.h"

#include <algorithm>
#include <cmath>

#include "chemistry/redox.h"
#include "chemistry/titrationmodel.h"
#include "state/change.h"
#include "state/potentiometry.h"

namespace state {

namespace {

// The pH frame spans 14 units over the grid.
constexpr double kPhSpan = 14;
// Every hundredth of a millilitre: the jump of a redox curve is a few tenths wide.
constexpr int kDerivativeSamples = 2501;

// Whether E rises with the pour: a reductant in the beaker is oxidised, and a silver electrode
// follows the silver ions the titrant brings.
bool rises(const chemistry::SolutionSpec& solution) {
    if (solution.kind == chemistry::TitrationKind::Precipitation) return true;
    const auto species = chemistry::redoxSpecies();
    const int index = solution.redox.beakerSpecies;
    if (index < 0 || index >= static_cast<int>(species.size())) return true;
    return !species[static_cast<std::size_t>(index)].oxidant;
}

}  // namespace

std::function<std::optional<double>(double)> potentialOnPhScale(const chemistry::SolutionSpec& solution,
                                                                const MeterAxis& axis) {
    const double span = axis.top - axis.bottom > 0 ? axis.top - axis.bottom : 1;
    const bool rising = rises(solution);
    return [solution, axis, span, rising](double volume) -> std::optional<double> {
        const auto potential = potentialAgainstReference(solution, volume);
        if (!potential) return std::nullopt;
        const double p = kPhSpan * (*potential - axis.bottom) / span;
        if (!std::isfinite(p)) return std::nullopt;
        return rising ? p : kPhSpan - p;
    };
}

DerivativeCurve potentialDerivative(const chemistry::SolutionSpec& solution, const MeterAxis& axis) {
    const auto pAt = potentialOnPhScale(solution, axis);
    const auto p0 = pAt(0);
    if (!p0) return {};
    DerivativeBuilder builder(static_cast<float>(*p0));
    for (int k = 0; k < kDerivativeSamples; ++k) {
        const double volume = k / 100.0;
        if (const auto p = pAt(volume)) builder.add(static_cast<float>(*p), static_cast<float>(volume));
    }
    DerivativeCurve curve = builder.take();
    // A falling E was flipped for its slope; the curve itself is drawn as the axis holds it.
    return curve;
}

std::vector<double> potentialEquivalences(const chemistry::SolutionSpec& solution) {
    return chemistry::makeTitrationModel(solution, catalogue())->equivalenceVolumes();
}

TangentConstruction potentialTangents(const chemistry::SolutionSpec& solution, const MeterAxis& axis,
                                      int equivalence) {
    const std::vector<double> volumes = potentialEquivalences(solution);
    if (equivalence < 0 || equivalence >= static_cast<int>(volumes.size())) return {};
    const double ve = volumes[static_cast<std::size_t>(equivalence)];
    if (!isUsableEquivalenceVolume(ve)) return {};
    const auto pAt = potentialOnPhScale(solution, axis);
    const bool rising = rises(solution);
    // The construction walks the curve as the pH graph draws it: a falling E is flipped back.
    const PhAtVolume drawn = [&](double volume) {
        const auto p = pAt(volume);
        const double value = p ? *p : 0.0;
        return static_cast<float>(rising ? value : kPhSpan - value);
    };
    return constructTangents(static_cast<float>(ve), rising, drawn, true);
}

void drawPotentialDerivative(Change& c) {
    GraphContent& graph = c.bench.graph;
    graph.add(
        DerivativeOverlay{potentialDerivative(c.bench.solution, graph.axis()).polyline, graph.strokeWidth()});
    c.result.add(Changed::Graph);
}

void drawPotentialTangents(Change& c) {
    GraphContent& graph = c.bench.graph;
    const auto volumes = potentialEquivalences(c.bench.solution);
    const auto usable = std::count_if(volumes.begin(), volumes.end(), isUsableEquivalenceVolume);
    bool drawn = false;
    bool refused = false;
    // Two salts give two jumps, E₁ and E₂ in the order the titrant reaches them.
    for (int k = 0; k < static_cast<int>(volumes.size()); ++k) {
        const TangentConstruction t = potentialTangents(c.bench.solution, graph.axis(), k);
        if (t.outcome == TangentConstruction::Outcome::Nothing) continue;
        graph.add(TangentOverlay{t, graph.strokeWidth(), usable > 1 ? k + 1 : 0, std::nullopt});
        c.result.add(Changed::Graph);
        drawn = drawn || t.outcome == TangentConstruction::Outcome::Drawn;
        refused = refused || t.outcome == TangentConstruction::Outcome::Refused;
    }
    if (!drawn && !refused) c.result.hint = kEquivalenceOutOfReach;
    if (refused && !drawn) c.result.inform(MessageIcon::Stop, kTangentsRefused, "Erreur");
}

}  // namespace state
