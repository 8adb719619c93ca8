#include <benchmark/benchmark.h>

#include "chemistry/chemistry.h"

using namespace chemistry;

namespace {

// Chloride and iodide by silver nitrate with Mohr's chromate: every solid of a silver titration.
SolutionSpec chlorideAndIodideBySilver() {
    SolutionSpec solution;
    solution.kind = TitrationKind::Precipitation;
    solution.beakerConcentration = "0,005";
    solution.titrantConcentration = "0,01";
    solution.precipitation.secondSalt = 2;
    solution.secondConcentration = "0,005";
    solution.pouredVolume = "12,3";
    return solution;
}

}  // namespace

// One pouring tick: the model made, the point at 12,3 mL solved and measured, σ and E read.
static void PrecipitationPouringTick(benchmark::State& run) {
    const SpeciesCatalogue catalogue;
    const SolutionSpec solution = chlorideAndIodideBySilver();
    const EngineState derived = deriveEngineState(solution, catalogue);
    for (auto _ : run) {
        EngineState state = derived;
        const auto model = makeTitrationModel(solution, catalogue);
        model->solve(state);
        benchmark::DoNotOptimize(model->point(state));
        benchmark::DoNotOptimize(model->reading(kConductivityMeter, state.pouredVolume));
        benchmark::DoNotOptimize(model->reading(kPotentialMeter, state.pouredVolume));
    }
}
BENCHMARK(PrecipitationPouringTick);
