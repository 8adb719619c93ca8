// The main window at work, offscreen: its construction up to the first paint, one tick of the
// pouring timer with everything it redraws (with and without the recovery copy kept), and
// "Trace rapide" from 0 to 25 mL with the table rebuilt.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <memory>

#include "bench/benchwindow.h"

namespace {

using Window = BenchWindow;

// From nothing to the window painted once: start-up, panels, first drawings and the paint.
void BM_WindowToFirstPaint(benchmark::State& state) {
    for (auto _ : state) {
        auto w = std::make_unique<Window>();
        w->window.show();
        benchmark::DoNotOptimize(w->window.grab());
        state.PauseTiming();
        w.reset();  // the teardown is not part of the start-up
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_WindowToFirstPaint)->Unit(benchmark::kMillisecond);

template <typename PouringWindow>
void pourTicksOn(benchmark::State& state) {
    PouringWindow w;
    w.bench.perform(state::chooseSolute, 4);
    w.bench.perform(state::chooseIndicator, 3);
    pourTicks(state, w.bench);
}

void BM_PouringTick(benchmark::State& state) {
    pourTicksOn<Window>(state);
}
BENCHMARK(BM_PouringTick)->Unit(benchmark::kMicrosecond);

// The same with the recovery copy kept: each tick notes the change, the copy waits for its timer.
void BM_PouringTickWithRecoveryArmed(benchmark::State& state) {
    pourTicksOn<RecoveryWindow>(state);
}
BENCHMARK(BM_PouringTickWithRecoveryArmed)->Unit(benchmark::kMicrosecond);

void BM_TraceRapide(benchmark::State& state) {
    Window w;
    w.bench.perform(state::chooseSolute, 4);
    for (auto _ : state) {
        state.PauseTiming();
        w.bench.perform(state::resetToZero);
        state.ResumeTiming();
        w.bench.perform(state::quickTrace);
    }
}
BENCHMARK(BM_TraceRapide)->Unit(benchmark::kMillisecond);

}  // namespace
