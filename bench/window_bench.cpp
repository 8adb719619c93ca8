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

// A tick pours 0.1 mL, solves, redraws the beaker and the readings and, at each multiple of the
// step, places a mark and a table row. The burette is refilled, untimed, before it empties.
template <typename PouringWindow>
void pourTicks(benchmark::State& state) {
    PouringWindow w;
    w.bench.perform(state::chooseSolute, 4);
    w.bench.perform(state::chooseIndicator, 3);
    w.bench.pressTap(workbench::Input::Mouse);
    for (auto _ : state) {
        if (state::fieldValue(w.bench.state(), state::Field::PouredVolume) >= 24.9) {
            state.PauseTiming();
            w.bench.perform(state::releaseTap);
            w.bench.perform(state::resetToZero);
            w.bench.pressTap(workbench::Input::Mouse);
            state.ResumeTiming();
        }
        w.bench.perform(state::pourTick);
    }
    w.bench.perform(state::releaseTap);
}

void BM_PouringTick(benchmark::State& state) {
    pourTicks<Window>(state);
}
BENCHMARK(BM_PouringTick)->Unit(benchmark::kMicrosecond);

// The same with the recovery copy kept: each tick notes the change, the copy waits for its timer.
void BM_PouringTickWithRecoveryArmed(benchmark::State& state) {
    pourTicks<RecoveryWindow>(state);
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
