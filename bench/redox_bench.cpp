#include <benchmark/benchmark.h>

#include "chemistry/chemistry.h"

using namespace chemistry;

namespace {

// Iron(II) by permanganate in sulfuric acid, as the bench starts.
SolutionSpec ironByPermanganate() {
    SolutionSpec solution;
    solution.kind = TitrationKind::Redox;
    solution.beakerConcentration = "0,1";
    solution.titrantConcentration = "0,02";
    solution.pouredVolume = "12,3";
    return solution;
}

}  // namespace

// One pouring tick: the model made, the point at 12,3 mL solved and measured.
static void RedoxPouringTick(benchmark::State& run) {
    const SpeciesCatalogue catalogue;
    const SolutionSpec solution = ironByPermanganate();
    const EngineState derived = deriveEngineState(solution, catalogue);
    for (auto _ : run) {
        EngineState state = derived;
        const auto model = makeTitrationModel(solution, catalogue);
        model->solve(state);
        benchmark::DoNotOptimize(model->point(state));
    }
}
BENCHMARK(RedoxPouringTick);

// The E = f(V) graph's curve: 251 points every 0,1 mL.
static void RedoxPotentialCurve(benchmark::State& run) {
    const RedoxSetUp setUp = *redoxSetUp(ironByPermanganate());
    for (auto _ : run) {
        auto curve = redoxPotentialCurve(setUp);
        benchmark::DoNotOptimize(curve.data());
    }
}
BENCHMARK(RedoxPotentialCurve);
