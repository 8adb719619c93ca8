// The undo history at work: a pouring tick with a hundred steps kept, and an undo of a bench of
// ten traced situations with 10 000 lab points shown, on the plain state and on the window with
// every view drawn again.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/benchwindow.h"
#include "state/benchhistory.h"
#include "tests/labpoints.h"
#include "tests/state/crowdedbench.h"

namespace {

// The crowded bench of the history's tests, made through the window's controller.
void crowd(workbench::BenchController& bench) {
    bench.perform(state::setSuperposeCurves, true);
    for (int slot = 0; slot < state::kSituationCount; ++slot) {
        bench.perform(state::switchSituation, slot);
        bench.setFieldText(state::Field::BeakerConcentration,
                           QString::fromStdString("0,0" + std::to_string(slot + 1)));
        bench.validateField(state::Field::BeakerConcentration);
        bench.perform(state::quickTrace);
        state::MeasuredPoints points;
        for (int i = 0; i < 1000; ++i)
            points.push_back(testing_points::labPoint(i * 0.025, 2.5 + 0.35 * i * 0.025 + 0.01 * slot));
        bench.perform(state::setMeasurements, std::move(points));
    }
}

// As BM_PouringTick of the window's benchmarks, a hundred steps kept first.
void BM_PouringTickWithAFullHistory(benchmark::State& run) {
    BenchWindow w;
    w.bench.perform(state::chooseSolute, 4);
    for (int i = 0; i < 120; ++i) w.bench.perform(state::chooseIndicator, 1 + i % 9);
    if (w.bench.history().undoCount() != state::BenchHistory::kMaxSteps)
        run.SkipWithError("history not full");
    w.bench.perform(state::chooseIndicator, 3);
    pourTicks(run, w.bench);
}
BENCHMARK(BM_PouringTickWithAFullHistory)->Unit(benchmark::kMicrosecond);

// Ctrl+Z on the window: the bench given back, the graph, the illustration, the table and the
// panels drawn again. Each undone step is redone, untimed.
void BM_UndoOfACrowdedBenchOnTheWindow(benchmark::State& run) {
    BenchWindow w;
    w.window.show();
    crowd(w.bench);
    w.bench.setFieldText(state::Field::TitrantConcentration, QStringLiteral("0,02"));
    w.bench.validateField(state::Field::TitrantConcentration);
    for (auto _ : run) {
        w.bench.undo();
        run.PauseTiming();
        w.bench.redo();
        run.ResumeTiming();
    }
}
BENCHMARK(BM_UndoOfACrowdedBenchOnTheWindow)->Unit(benchmark::kMillisecond);

// The same undo on the plain state alone.
void BM_UndoOfACrowdedBench(benchmark::State& run) {
    state::BenchState bench = testbench::crowdedBench();
    state::BenchHistory history;
    history.reset(bench);
    state::setFieldText(bench, state::Field::TitrantConcentration, "0,02");
    state::validateField(bench, state::Field::TitrantConcentration);
    history.record(bench);
    for (auto _ : run) {
        benchmark::DoNotOptimize(history.undo(bench));
        run.PauseTiming();
        history.redo(bench);
        run.ResumeTiming();
    }
}
BENCHMARK(BM_UndoOfACrowdedBench)->Unit(benchmark::kMillisecond);

}  // namespace
