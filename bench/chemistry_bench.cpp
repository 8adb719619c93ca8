#include <benchmark/benchmark.h>

#include "chemistry/chemistry.h"

using namespace chemistry;

namespace {

SolutionSpec aceticAcid() {
    SolutionSpec spec;
    spec.speciesIndex = 4;
    return spec;
}

}  // namespace

// One pouring tick's solve: the mixture at 12.3 mL.
static void SolveAtVolume(benchmark::State& run) {
    SpeciesCatalogue catalogue;
    SolutionSpec spec = aceticAcid();
    spec.pouredVolumeText = "12,3";
    const EngineState derived = deriveEngineState(spec, catalogue);
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
    const SolutionSpec spec = aceticAcid();
    EngineState state;
    for (auto _ : run) {
        auto curve = traceCurve(spec, catalogue, state);
        benchmark::DoNotOptimize(curve.data());
    }
}
BENCHMARK(TraceCurve);

// The table of a finished titration rebuilt at 0,1 mL: 251 rows.
static void ReplayAtOneTenth(benchmark::State& run) {
    SpeciesCatalogue catalogue;
    const SolutionSpec spec = aceticAcid();
    EngineState state;
    for (auto _ : run) {
        auto replay = replayMeasurements(spec, catalogue, 1, state);
        benchmark::DoNotOptimize(replay.rows.data());
    }
}
BENCHMARK(ReplayAtOneTenth);
