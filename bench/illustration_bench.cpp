// The cost of one pouring tick on the illustration: the readings taken again (solve, pH-meter
// and poured-volume readings) and the liquid levels drawn again with the tap picture painted, on
// the offscreen platform. A tick of the pouring timer lasts 10 ms; the aim is under 1 ms.
#include <benchmark/benchmark.h>

#include "platform/scriptedmessageboxes.h"
#include "state/actions.h"
#include "workbench/benchcontroller.h"
#include "workbench/illustrationpanel.h"

namespace {

// The workbench at start-up on situation 1, with its illustration painted.
struct StartedIllustration {
    StartedIllustration() {
        bench.perform(state::setDefaults);
        bench.perform(state::switchSituation, 0);
    }
    platform::ScriptedMessageBoxes boxes;
    workbench::BenchController bench{boxes};
    workbench::IllustrationPanel panel{bench};
};

void BM_ReadingsAndLiquidLevelsWhilePouring(benchmark::State& state) {
    StartedIllustration started;
    auto& bench = started.bench;
    auto& panel = started.panel;
    bench.perform(state::chooseIndicator, 5);  // bromothymol blue, so that the liquid is coloured
    bench.setFieldText(state::Field::PouredVolume, QStringLiteral("12,3"));
    // The tap open: the stream is drawn and the open tap painted, as during a tick.
    bench.pressTap(workbench::Input::Mouse);
    for (auto _ : state) {
        bench.perform(state::updateReadings);
        bench.apparatus().drawLiquidLevels(state::apparatusScene(bench.state()));
        benchmark::DoNotOptimize(panel.surface().pixel(60, 440));
    }
    bench.perform(state::releaseTap);
}
BENCHMARK(BM_ReadingsAndLiquidLevelsWhilePouring)->Unit(benchmark::kMicrosecond);

void BM_ApparatusBackground(benchmark::State& state) {
    StartedIllustration started;
    auto& panel = started.panel;
    for (auto _ : state) {
        started.bench.apparatus().drawBackground(state::apparatusScene(started.bench.state()));
        benchmark::DoNotOptimize(panel.surface().pixel(100, 60));
    }
}
BENCHMARK(BM_ApparatusBackground)->Unit(benchmark::kMicrosecond);

}  // namespace
