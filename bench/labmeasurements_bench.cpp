// The lab measurements through the bench state: a logger's file of 1 000 points read and placed
// on the current situation (its graph redrawn with the crosses), and "Ajuster la concentration"
// on 50 and 10 000 points against the engine's curve, the dashed curve drawn.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include "measurements/fitmodels.h"
#include "measurements/measurementreader.h"
#include "state/actions.h"
#include "state/benchstate.h"
#include "state/labmeasurements.h"
#include "tests/labpoints.h"

namespace {

// Ethanoic acid titrated to the end, as after "Trace rapide".
state::BenchState tracedBench() {
    state::BenchState bench;
    state::setDefaults(bench);
    state::start(bench);
    state::chooseSolute(bench, 4);
    state::quickTrace(bench);
    return bench;
}

// Names, units, then 1 000 rows of volume and pH with decimal commas and CRLF.
std::string loggerFile() {
    std::string text = "\xEF\xBB\xBFV (mL);pH\r\nmL;\r\n";
    for (int i = 0; i < 1000; ++i) {
        const double v = i * 0.025;
        text += std::to_string(v) + ";" + std::to_string(3 + v * 0.3) + "\r\n";
    }
    for (char& c : text) {
        if (c == '.') c = ',';
    }
    return text;
}

// The fit of the bench's measurements, each on a fresh copy of the bench.
void timeFits(benchmark::State& run, const state::BenchState& traced) {
    for (auto _ : run) {
        run.PauseTiming();
        state::BenchState bench = traced;
        run.ResumeTiming();
        state::fitMeasurements(bench);
        if (!bench.lab.fit) run.SkipWithError(bench.lab.fitText.c_str());
        benchmark::DoNotOptimize(bench.lab);
    }
    run.counters["points"] = static_cast<double>(state::currentMeasurements(traced).size());
}

void ImportThousandPointsOnTheBench(benchmark::State& run) {
    state::BenchState bench = tracedBench();
    const std::string file = loggerFile();
    for (auto _ : run) {
        measurements::ReadResult read = measurements::readMeasurements(file, state::labReadings());
        state::setMeasurements(bench, std::move(read.points));
        if (state::currentMeasurements(bench).size() != 1000) run.SkipWithError("the points were not placed");
        benchmark::DoNotOptimize(bench.graph);
    }
}
BENCHMARK(ImportThousandPointsOnTheBench)->Unit(benchmark::kMillisecond);

void FitFiftyPointsOnTheBench(benchmark::State& run) {
    state::BenchState traced = tracedBench();
    // The engine's own curve at 0,0123 mol · L-1 with a fixed noise, fitted from 0,01.
    state::setFieldText(traced, state::Field::BeakerConcentration, "0,0123");
    state::validateField(traced, state::Field::BeakerConcentration);
    state::quickTrace(traced);
    state::MeasuredPoints points;
    for (const chemistry::TitrationPoint& row : traced.rows.points()) {
        const auto i = static_cast<double>(points.size());
        points.push_back(testing_points::labPoint(row.volume, row.pH + 0.03 * std::sin(i * 7.0)));
    }
    points.resize(std::min<std::size_t>(points.size(), 50));
    state::setFieldText(traced, state::Field::BeakerConcentration, "0,01");
    state::validateField(traced, state::Field::BeakerConcentration);
    state::setMeasurements(traced, points);
    timeFits(run, traced);
}
BENCHMARK(FitFiftyPointsOnTheBench)->Unit(benchmark::kMillisecond);

// "autre acide" with a logger's 10 000 points: c₂ and the pKa, the dashed curve drawn.
void FitTenThousandPointsOfAFreeAcidOnTheBench(benchmark::State& run) {
    state::BenchState traced;
    state::setDefaults(traced);
    state::start(traced);
    state::chooseSolute(traced, chemistry::SpeciesCatalogue::kOtherIndex);
    // Ethanoic acid's curve at 0,0123 mol · L-1 (20 mL against soda at 0,01) with a fixed noise.
    const measurements::MonoproticPhModel model({true, 20, 0, 0.01});
    state::MeasuredPoints points;
    for (int i = 0; i < 10000; ++i) {
        const double v = 25.0 * i / 9999;
        points.push_back(
            testing_points::labPoint(v, *model(v, {0.0123, {4.75, 7}}) + 0.03 * std::sin(i * 7.0)));
    }
    state::setMeasurements(traced, points);
    timeFits(run, traced);
}
BENCHMARK(FitTenThousandPointsOfAFreeAcidOnTheBench)->Unit(benchmark::kMillisecond);

}  // namespace
