#include <benchmark/benchmark.h>

#include "chemistry/chemistry.h"

using namespace chemistry;

namespace {

SolutionSpec aceticAcid() {
    SolutionSpec solution;
    solution.speciesIndex = 4;
    return solution;
}

}  // namespace

// One pouring tick's solve: the mixture at 12.3 mL.
static void SolveAtVolume(benchmark::State& run) {
    SpeciesCatalogue catalogue;
    SolutionSpec solution = aceticAcid();
    solution.pouredVolume = "12,3";
    const EngineState derived = deriveEngineState(solution, catalogue);
    for (auto _ : run) {
        EngineState state = derived;
        benchmark::DoNotOptimize(solveAtVolume(state, true));
        benchmark::DoNotOptimize(state.pH);
    }
}
BENCHMARK(SolveAtVolume);

// A whole theoretical curve, as traced when the burette empties.
static void TraceCurve(benchmark::State& run) {
    SpeciesCatalogue catalogue;
    const SolutionSpec solution = aceticAcid();
    EngineState state;
    for (auto _ : run) {
        auto curve = traceCurve(solution, catalogue, state);
        benchmark::DoNotOptimize(curve.data());
    }
}
BENCHMARK(TraceCurve);

// The table of a finished titration rebuilt at 0,1 mL: 251 rows.
static void ReplayAtOneTenth(benchmark::State& run) {
    SpeciesCatalogue catalogue;
    const SolutionSpec solution = aceticAcid();
    EngineState state;
    for (auto _ : run) {
        auto replay = replayMeasurements(solution, catalogue, 1, state);
        benchmark::DoNotOptimize(replay.rows.data());
    }
}
BENCHMARK(ReplayAtOneTenth);

namespace {

// The state as the panel leaves it before pouring: derived, the beaker solved alone.
EngineState panelState() {
    SpeciesCatalogue catalogue;
    EngineState state;
    computeCurrentPoint(aceticAcid(), catalogue, state);
    return state;
}

}  // namespace

// "Diagramme de distribution": the theoretical curve's vertices with the shares of both forms.
static void Distribution(benchmark::State& run) {
    const EngineState panel = panelState();
    for (auto _ : run) {
        EngineState state = panel;
        auto curve = distributionDiagram(state, true);
        benchmark::DoNotOptimize(curve.data());
    }
}
BENCHMARK(Distribution);
