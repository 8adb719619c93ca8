// The recovery copy of a full bench (ten situations of 10 000 measurements each), off the pouring
// tick: what the user-interface thread takes between two events, then what the writer's thread
// encodes and puts on the disk (the file synced), and the copy read back and shown again.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include "platform/recoveryfiles.h"
#include "state/actions.h"
#include "state/benchrecovery.h"
#include "state/labmeasurements.h"
#include "workbench/mainwindow.h"
#include "workbench/recoverykeeper.h"

#include "bench/benchwindow.h"
#include "tests/labpoints.h"

namespace {

constexpr int kPointsPerSituation = 10000;

// The window with ten situations of measurements, and its copy kept in a folder of its own.
struct FullBench {
    FullBench() {
        for (int slot = 9; slot >= 0; --slot) {
            w.bench.perform(state::switchSituation, slot);
            state::MeasuredPoints points;
            for (int i = 0; i < kPointsPerSituation; ++i)
                points.push_back(testing_points::labPoint(25.0 * i / kPointsPerSituation,
                                                          2 + 10.0 * i / kPointsPerSituation, 0.1 * slot));
            w.bench.perform(state::setMeasurements, std::move(points));
        }
        w.bench.pressTap(workbench::Input::Mouse);
        for (int i = 0; i < 125; ++i) w.bench.perform(state::pourTick);
        w.bench.perform(state::releaseTap);
    }
    RecoveryWindow w;
};

void BM_RecoveryCopyTakenBetweenTwoEvents(benchmark::State& state) {
    FullBench full;
    for (auto _ : state) benchmark::DoNotOptimize(full.w.keeper().currentCopy());
}
BENCHMARK(BM_RecoveryCopyTakenBetweenTwoEvents)->Unit(benchmark::kMillisecond);

void BM_RecoveryCopyEncodedAndWrittenByItsThread(benchmark::State& state) {
    FullBench full;
    const state::RecoveryCopy copy = full.w.keeper().currentCopy();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const auto encoded = state::encodeRecoveryCopy(copy);
        bytes = encoded.size();
        if (!full.w.keeper().files().write(encoded)) state.SkipWithError("the copy was not written");
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_RecoveryCopyEncodedAndWrittenByItsThread)->Unit(benchmark::kMillisecond);

void BM_RecoveryCopyReadAndRestored(benchmark::State& state) {
    FullBench full;
    const auto encoded = state::encodeRecoveryCopy(full.w.keeper().currentCopy());
    for (auto _ : state) {
        const auto copy = state::decodeRecoveryCopy(encoded);
        if (!copy) state.SkipWithError("the copy was not read");
        full.w.keeper().restore(*copy);
    }
}
BENCHMARK(BM_RecoveryCopyReadAndRestored)->Unit(benchmark::kMillisecond);

}  // namespace
