// The cost of one pouring tick on the illustration: the display update `majaff` (solve, pH-meter
// and poured-volume readings) and the redraw `niveaubecher` with the tap picture painted, on
// the offscreen platform. A tick of the pouring timer lasts 10 ms; the aim is under 1 ms.
#include <benchmark/benchmark.h>

#include "platform/scriptedmessageboxes.h"
#include "workbench/illustrationpanel.h"
#include "workbench/workbench.h"

namespace {

// The workbench at start-up on situation 1, with its illustration painted.
struct StartedIllustration {
    StartedIllustration() {
        bench.setDefaults();
        bench.Option2_Click(0);
    }
    platform::ScriptedMessageBoxes boxes;
    workbench::Workbench bench{boxes};
    workbench::IllustrationPanel panel{bench};
};

void BM_MajaffAndNiveaubecherWhilePouring(benchmark::State& state) {
    StartedIllustration started;
    auto& bench = started.bench;
    auto& panel = started.panel;
    bench.lindic_Click(5);  // bromothymol blue, so that the liquid is coloured
    bench.setFieldText(workbench::PouredVolume, QStringLiteral("12,3"));
    // The tap open: the stream is drawn and the open tap painted, as during a tick.
    bench.burette().Image3_MouseDown();
    for (auto _ : state) {
        bench.majaff();
        bench.niveaubecher();
        benchmark::DoNotOptimize(panel.surface().pixel(60, 440));
    }
    bench.burette().Image3_MouseUp();
}
BENCHMARK(BM_MajaffAndNiveaubecherWhilePouring)->Unit(benchmark::kMicrosecond);

void BM_Imafond(benchmark::State& state) {
    StartedIllustration started;
    auto& panel = started.panel;
    for (auto _ : state) {
        started.bench.imafond();
        benchmark::DoNotOptimize(panel.surface().pixel(100, 60));
    }
}
BENCHMARK(BM_Imafond)->Unit(benchmark::kMicrosecond);

}  // namespace
