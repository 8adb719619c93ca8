#include <benchmark/benchmark.h>

#include "chemistry/chemistry.h"

using namespace chemistry;

namespace {

// Phosphoric acid with citric acid as the second solute, as the panel sets them up: three pKa
// each, 0,01 mol · L-1 in 20 mL, by soda at 0,02.
SolutionSpec twoTriacidsOnThePanel() {
    SolutionSpec solution;
    solution.speciesIndex = 15;        // "acide phosphorique"
    solution.secondSpeciesIndex = 18;  // "acide citrique"
    solution.titrantConcentration = "0,02";
    return solution;
}

}  // namespace

// The table of that titration rebuilt at 0,1 mL through the panel's set-up: 251 rows with every
// form.
static void PanelMixtureTitration251Rows(benchmark::State& run) {
    const SolutionSpec solution = twoTriacidsOnThePanel();
    const SpeciesCatalogue catalogue;
    for (auto _ : run) {
        EngineState state;
        auto replay = replayMeasurements(solution, catalogue, 1, state);
        benchmark::DoNotOptimize(replay);
    }
}
BENCHMARK(PanelMixtureTitration251Rows);

// What a pouring tick computes for it: the reading at 12,3 mL and its row with every form.
static void PanelMixturePouringTick(benchmark::State& run) {
    SolutionSpec solution = twoTriacidsOnThePanel();
    solution.pouredVolume = "12,3";
    const SpeciesCatalogue catalogue;
    EngineState state;
    for (auto _ : run) {
        benchmark::DoNotOptimize(computeCurrentPoint(solution, catalogue, state));
        auto point = measuredPoint(solution, catalogue, state);
        benchmark::DoNotOptimize(point);
    }
}
BENCHMARK(PanelMixturePouringTick);
