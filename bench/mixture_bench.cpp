#include <benchmark/benchmark.h>

#include "bench/benchmixtures.h"
#include "chemistry/chemistry.h"

using namespace chemistry;

// The table of such a titration rebuilt at 0,1 mL: 251 points, the constants prepared once.
static void MixtureTitration251Points(benchmark::State& run) {
    const Mixture mixture = benchmixtures::twoTriacids();
    for (auto _ : run) {
        const MixtureModel model(mixture);
        for (int tenths = 0; tenths <= 250; ++tenths) {
            auto point = model.solve(tenths / 10.0);
            benchmark::DoNotOptimize(point);
        }
    }
}
BENCHMARK(MixtureTitration251Points);

// What a pouring tick computes with both meters on: the point at 12,3 mL and its σ.
static void MixturePouringTickWithConductivity(benchmark::State& run) {
    const Mixture mixture = benchmixtures::twoTriacids();
    for (auto _ : run) {
        auto point = solveMixture(mixture, 12.3);
        auto sigma = mixtureConductivity(mixture, 12.3);
        benchmark::DoNotOptimize(point);
        benchmark::DoNotOptimize(sigma);
    }
}
BENCHMARK(MixturePouringTickWithConductivity);

// The same tick for one monoprotic acid: the present solver, the table's row and its σ.
static void MonoproticPouringTickWithConductivity(benchmark::State& run) {
    SpeciesCatalogue catalogue;
    SolutionSpec solution;
    solution.speciesIndex = 4;  // "acide éthanoïque"
    solution.pouredVolume = "12,3";
    const EngineState derived = deriveEngineState(solution, catalogue);
    const SpeciesData& species = *findSpecies("acide éthanoïque");
    for (auto _ : run) {
        EngineState state = derived;
        solveAtVolume(state, true);
        const TitrationPoint point = makeTitrationPoint(state, true);
        auto sigma =
            monoproticConductivity(point, species, 4.75, state.initialVolume, state.titrantConcentration);
        benchmark::DoNotOptimize(sigma);
    }
}
BENCHMARK(MonoproticPouringTickWithConductivity);

// The theoretical curve when the burette empties, and the σ = f(V) curve.
static void MixtureCurve(benchmark::State& run) {
    const Mixture mixture = benchmixtures::twoTriacids();
    for (auto _ : run) {
        auto curve = mixtureCurve(mixture);
        benchmark::DoNotOptimize(curve.data());
    }
}
BENCHMARK(MixtureCurve);

static void MixtureConductivityCurve(benchmark::State& run) {
    const Mixture mixture = benchmixtures::twoTriacids();
    for (auto _ : run) {
        auto curve = conductivityCurve(mixture);
        benchmark::DoNotOptimize(curve.data());
    }
}
BENCHMARK(MixtureConductivityCurve);
