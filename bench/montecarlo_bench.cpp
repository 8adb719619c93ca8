// The Monte-Carlo simulation of a titration's result: 10 000 titrations of 20 mL of hydrochloric
// acid and of ethanoic acid at 0,01 mol · L-1 against soda at 0,01 mol · L-1, with the usual
// glassware, each curve read by the chosen method.
#include <benchmark/benchmark.h>

#include "state/glasswarebench.h"
#include "uncertainty/montecarlo.h"

namespace {

void simulateTitrations(benchmark::State& state, int speciesIndex, uncertainty::EquivalenceMethod method) {
    uncertainty::SimulationRequest request;
    request.solution.speciesIndex = speciesIndex;
    request.glassware = state::usualGlassware(3, 0.01);
    request.method = method;
    request.runs = uncertainty::kDefaultRuns;
    for (auto _ : state) {
        const uncertainty::SimulationOutcome outcome = uncertainty::simulate(request);
        if (outcome.runs.empty()) state.SkipWithError("no titration was read");
        benchmark::DoNotOptimize(outcome.runs.data());
    }
}

void BM_DerivativePeakStrongAcid(benchmark::State& state) {
    simulateTitrations(state, 0, uncertainty::EquivalenceMethod::DerivativePeak);
}
void BM_DerivativePeakWeakAcid(benchmark::State& state) {
    simulateTitrations(state, 4, uncertainty::EquivalenceMethod::DerivativePeak);
}
void BM_TangentsWeakAcid(benchmark::State& state) {
    simulateTitrations(state, 4, uncertainty::EquivalenceMethod::Tangents);
}

}  // namespace

BENCHMARK(BM_DerivativePeakStrongAcid)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DerivativePeakWeakAcid)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TangentsWeakAcid)->Unit(benchmark::kMillisecond);
