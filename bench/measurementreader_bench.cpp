// The reader on the files that cost it most: a comma-separated file with decimal commas, read both
// ways before one is taken, and a heading row with columns it skips.
#include <benchmark/benchmark.h>

#include <string>

#include "measurements/measurementreader.h"
#include "tests/labpoints.h"

using namespace measurements;

namespace {

// "V (mL),pH" then 10 000 rows such as "12,50,4,75": every number with its decimal comma.
std::string frenchCommaFile() {
    std::string text = "V (mL),pH\r\n";
    for (int i = 0; i < 10000; ++i) {
        const int hundredths = i * 25 / 100;
        text += std::to_string(hundredths / 100) + "," + std::to_string(10 + hundredths % 90) + "," +
                std::to_string(3 + i % 9) + "," + std::to_string(10 + i % 89) + "\r\n";
    }
    return text;
}

// A logger's 10 000 rows of time, volume, pH and temperature.
std::string timedFile() {
    std::string text = "t (s);V (mL);pH;T (°C)\r\n";
    for (int i = 0; i < 10000; ++i) {
        text += std::to_string(i) + ";" + std::to_string(i / 400) + "," + std::to_string(i % 400) + ";" +
                std::to_string(3 + i % 9) + ",5;21,4\r\n";
    }
    return text;
}

void readTenThousandPoints(benchmark::State& state, const std::string& file) {
    for (auto _ : state) {
        const ReadResult result = readMeasurements(file, state::labReadings());
        if (result.points.size() != 10000) state.SkipWithError(result.error.c_str());
        benchmark::DoNotOptimize(result);
    }
}

void ReadTenThousandPointsWithDecimalCommasBetweenCommas(benchmark::State& state) {
    readTenThousandPoints(state, frenchCommaFile());
}
BENCHMARK(ReadTenThousandPointsWithDecimalCommasBetweenCommas)->Unit(benchmark::kMillisecond);

void ReadTenThousandPointsSkippingTwoColumns(benchmark::State& state) {
    readTenThousandPoints(state, timedFile());
}
BENCHMARK(ReadTenThousandPointsSkippingTwoColumns)->Unit(benchmark::kMillisecond);

}  // namespace
