// The equivalence constructions the graph draws, from the engines' sweeps.
#include <benchmark/benchmark.h>

#include "bench/benchmixtures.h"
#include "chemistry/chemistry.h"
#include "state/equivalenceplot.h"

using namespace chemistry;
using namespace state;

namespace {

// Acetic acid as the panel leaves it before pouring: derived, the beaker solved alone.
EngineState panelState() {
    SpeciesCatalogue catalogue;
    SolutionSpec solution;
    solution.speciesIndex = 4;
    EngineState state;
    computeCurrentPoint(solution, catalogue, state);
    return state;
}

}  // namespace

// "Courbe dérivée": about 380 samples of V(h) every 0.02 in pH.
static void Derivative(benchmark::State& run) {
    const EngineState panel = panelState();
    for (auto _ : run) {
        EngineState state = panel;
        auto curve = derivativeCurve(state);
        benchmark::DoNotOptimize(curve.polyline.data());
    }
}
BENCHMARK(Derivative);

// "Méthode des tangentes": five solves at chosen volumes and the construction.
static void TangentMethod(benchmark::State& run) {
    const EngineState panel = panelState();
    for (auto _ : run) {
        EngineState state = panel;
        auto construction = tangentConstruction(state, true);
        benchmark::DoNotOptimize(construction.gap);
    }
}
BENCHMARK(TangentMethod);

// "Courbe dérivée" and "Méthode des tangentes" on the mixture.
static void MixtureDerivative(benchmark::State& run) {
    const Mixture mixture = benchmixtures::twoTriacids();
    for (auto _ : run) {
        auto curve = mixtureDerivative(mixture);
        benchmark::DoNotOptimize(curve.polyline.data());
    }
}
BENCHMARK(MixtureDerivative);

static void MixtureTangents(benchmark::State& run) {
    const Mixture mixture = benchmixtures::twoTriacids();
    for (auto _ : run) {
        auto constructions = mixtureTangents(mixture);
        benchmark::DoNotOptimize(constructions.data());
    }
}
BENCHMARK(MixtureTangents);
