// A configuration saved and opened with its measured points: the measurements written into their
// entries and the file written to disk, then the file read back and the points taken from their
// entries, for situations of 10 000 points each (the most an import gives) up to ten situations of
// the most a situation keeps. Time per point stays flat as the points grow.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "configuration/configurationfile.h"
#include "state/measuremententries.h"
#include "tests/labpoints.h"

namespace {

namespace fs = std::filesystem;

state::MeasurementBook bookOf(int situations, int points) {
    state::MeasurementBook book{};
    for (int slot = 0; slot < situations; ++slot) {
        for (int i = 0; i < points; ++i) {
            const double v = 25.0 * i / points;
            book[static_cast<std::size_t>(slot)].push_back(
                testing_points::labPoint(v, 2.9123 + v * 0.31, i % 2 ? 0.0004 * i : 0));
        }
    }
    return book;
}

fs::path benchFile() {
    return fs::temp_directory_path() / ("vireltra-configuration-bench-" + std::to_string(getpid()) + ".C13");
}

void SaveMeasuredPoints(benchmark::State& run) {
    const auto book = bookOf(static_cast<int>(run.range(0)), static_cast<int>(run.range(1)));
    const fs::path path = benchFile();
    for (auto _ : run) {
        configuration::ConfigurationFile file;
        state::writeMeasurementEntries(book, file.extensions);
        if (!configuration::saveConfigurationFile(path, file)) run.SkipWithError("the save failed");
    }
    fs::remove(path);
    run.SetItemsProcessed(run.iterations() * run.range(0) * run.range(1));
}

void OpenMeasuredPoints(benchmark::State& run) {
    const auto book = bookOf(static_cast<int>(run.range(0)), static_cast<int>(run.range(1)));
    const fs::path path = benchFile();
    configuration::ConfigurationFile written;
    state::writeMeasurementEntries(book, written.extensions);
    if (!configuration::saveConfigurationFile(path, written)) run.SkipWithError("the save failed");
    for (auto _ : run) {
        configuration::ConfigurationFile file;
        if (configuration::loadConfigurationFile(path, file) != configuration::LoadResult::Loaded)
            run.SkipWithError("the load failed");
        const state::ReadMeasurements read = state::readMeasurementEntries(file.extensions);
        benchmark::DoNotOptimize(read.book);
    }
    fs::remove(path);
    run.SetItemsProcessed(run.iterations() * run.range(0) * run.range(1));
}

}  // namespace

BENCHMARK(SaveMeasuredPoints)
    ->Args({1, 10000})
    ->Args({7, 10000})
    ->Args({10, 60000})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(OpenMeasuredPoints)
    ->Args({1, 10000})
    ->Args({7, 10000})
    ->Args({10, 60000})
    ->Unit(benchmark::kMillisecond);
