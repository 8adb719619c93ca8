// One tick of the open tap (0,1 mL poured, both readings taken, a measurement at each multiple of
// the step) on the bench state, with the pH-meter alone and with the conductimeter beside it, on
// either graph; ethanoic acid, which the single-pair solver takes for the pH and the mixture engine
// for σ. The burette is refilled outside the timing before it empties.
#include <benchmark/benchmark.h>

#include "state/actions.h"
#include "state/amountgraph.h"
#include "state/benchstate.h"
#include "state/conductimetry.h"

namespace {

// The last: iron(II) titrated by cerium(IV), followed by the electrodes on the E graph.
enum class Meters { PhOnly, Both, BothOnSigmaGraph, PhOnAmountGraph, RedoxOnPotentialGraph };

void PouringTick(benchmark::State& run, Meters meters) {
    state::BenchState bench;
    state::setDefaults(bench);
    state::start(bench);
    state::chooseSolute(bench, 4);
    if (meters == Meters::Both || meters == Meters::BothOnSigmaGraph) state::showConductimeter(bench, true);
    if (meters == Meters::BothOnSigmaGraph) state::showConductivityGraph(bench, true);
    if (meters == Meters::PhOnAmountGraph) state::showAmountGraph(bench, true);
    if (meters == Meters::RedoxOnPotentialGraph) {
        state::chooseTitrationKind(bench, chemistry::TitrationKind::Redox);
        state::chooseRedoxTitrant(bench, 9);
        state::chooseReferenceElectrode(bench, 0);
    }
    state::pressTap(bench);
    int ticks = 0;
    for (auto _ : run) {
        state::ActionResult result = state::pourTick(bench);
        benchmark::DoNotOptimize(result);
        // Before the tick that empties the burette, which traces the curves.
        if (++ticks == 240) {
            run.PauseTiming();
            state::resetToZero(bench);
            state::pressTap(bench);
            ticks = 0;
            run.ResumeTiming();
        }
    }
    const bool sigma = meters == Meters::Both || meters == Meters::BothOnSigmaGraph;
    if (sigma && bench.readings.conductivity.empty()) run.SkipWithError("no σ reading");
    if (meters == Meters::RedoxOnPotentialGraph && bench.readings.potential.empty())
        run.SkipWithError("no E reading");
}

}  // namespace

BENCHMARK_CAPTURE(PouringTick, PhMeterOnly, Meters::PhOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(PouringTick, BothMeters, Meters::Both)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(PouringTick, BothMetersSigmaGraph, Meters::BothOnSigmaGraph)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(PouringTick, AmountGraph, Meters::PhOnAmountGraph)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(PouringTick, RedoxPotentialGraph, Meters::RedoxOnPotentialGraph)
    ->Unit(benchmark::kMicrosecond);

namespace {

// The n = f(V) curves of a set-up, 251 points per species: ethanoic acid (the single-pair solver)
// and phosphoric acid (the charge balance).
void AmountCurves(benchmark::State& run, int solute) {
    state::BenchState bench;
    state::setDefaults(bench);
    state::chooseSolute(bench, solute);
    for (auto _ : run) {
        auto curves = state::amountCurves(bench.solution);
        benchmark::DoNotOptimize(curves);
    }
}

}  // namespace

BENCHMARK_CAPTURE(AmountCurves, EthanoicAcid, 4)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(AmountCurves, PhosphoricAcid, 15)->Unit(benchmark::kMicrosecond);

namespace {

// "Droites" clicked on a finished titration of hydrochloric acid: the σ graph shown again, the
// points at the step fitted on each side, on σ corrected for the dilution or as measured.
void StraightLinesClicked(benchmark::State& run, state::StraightLinesFit fit) {
    state::BenchState bench;
    state::setDefaults(bench);
    state::start(bench);
    state::chooseSolute(bench, 2);
    state::showConductimeter(bench, true);
    state::showConductivityGraph(bench, true);
    state::quickTrace(bench);
    for (auto _ : run) {
        state::ActionResult result = state::drawStraightLines(bench, fit);
        benchmark::DoNotOptimize(result);
    }
    if (bench.graph.items().empty()) run.SkipWithError("nothing drawn");
}

}  // namespace

BENCHMARK_CAPTURE(StraightLinesClicked, Corrected, state::StraightLinesFit::DilutionCorrected)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(StraightLinesClicked, Measured, state::StraightLinesFit::Measured)
    ->Unit(benchmark::kMillisecond);
