#include "state/potentialanalyses.h"

#include <cmath>

#include "chemistry/redox.h"
#include "state/change.h"
#include "state/potentiometry.h"

namespace state {

namespace {

// The pH frame spans 14 units over the grid.
constexpr double kPhSpan = 14;
// Every hundredth of a millilitre: the jump of a redox curve is a few tenths wide.
constexpr int kDerivativeSamples = 2501;

// Whether E rises with the pour: a reductant in the beaker is oxidised.
bool rises(const chemistry::SolutionSpec& solution) {
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

TangentConstruction potentialTangents(const chemistry::SolutionSpec& solution, const MeterAxis& axis) {
    const auto setUp = chemistry::redoxSetUp(solution);
    if (!setUp) return {};
    const double ve = chemistry::redoxEquivalenceVolume(*setUp);
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
    const TangentConstruction t = potentialTangents(c.bench.solution, graph.axis());
    if (t.outcome == TangentConstruction::Outcome::Nothing) {
        c.result.hint = kEquivalenceOutOfReach;
        return;
    }
    graph.add(TangentOverlay{t, graph.strokeWidth(), 0, std::nullopt});
    c.result.add(Changed::Graph);
    if (t.outcome == TangentConstruction::Outcome::Refused)
        c.result.inform(MessageIcon::Stop, kTangentsRefused, "Erreur");
}

}  // namespace state
