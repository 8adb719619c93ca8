#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <vector>

#include "measurements/concentrationfit.h"
#include "measurements/fitmodels.h"
#include "measurements/measurementreader.h"

using namespace measurements;

namespace {

// A data logger's file: names, units, then 1 000 rows of volume, pH and σ with decimal commas.
std::string loggerFile() {
    std::string text = "\xEF\xBB\xBFV (mL);pH;sigma (mS/cm)\r\nmL;;mS/cm\r\n";
    for (int i = 0; i < 1000; ++i) {
        const double v = i * 0.025;
        text += std::to_string(v) + ";" + std::to_string(3 + v * 0.3) + ";" + std::to_string(0.1 + v * 0.01) +
                "\r\n";
    }
    for (char& c : text) {
        if (c == '.') c = ',';
    }
    return text;
}

// 50 points of ethanoic acid at 0,0123 mol · L-1 against soda at 0,01, with a fixed noise.
std::vector<MeasuredPoint> fiftyPoints(const PhModel& model, double pKa) {
    std::vector<MeasuredPoint> points;
    for (int i = 0; i < 50; ++i) {
        const double v = i * 0.5;
        points.push_back({v, *model(v, 0.0123, pKa) + 0.03 * std::sin(i * 7.0)});
    }
    return points;
}

void ImportThousandPoints(benchmark::State& state) {
    const std::string file = loggerFile();
    for (auto _ : state) {
        const ReadResult result = readMeasurements(file);
        if (result.points.size() != 1000) state.SkipWithError("the file was not read");
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(ImportThousandPoints)->Unit(benchmark::kMicrosecond);

void FitFiftyPoints(benchmark::State& state) {
    const MonoproticPhModel model({true, 20, 0, 0.01});
    const auto points = fiftyPoints(model, 4.75);
    for (auto _ : state) {
        const FitResult fit = fitConcentration(points, model, {false, 4.75});
        if (!fit.converged) state.SkipWithError("the fit failed");
        benchmark::DoNotOptimize(fit);
    }
}
BENCHMARK(FitFiftyPoints)->Unit(benchmark::kMillisecond);

void FitFiftyPointsWithPKa(benchmark::State& state) {
    const MonoproticPhModel model({true, 20, 0, 0.01});
    const auto points = fiftyPoints(model, 4.75);
    for (auto _ : state) {
        const FitResult fit = fitConcentration(points, model, {true, 7});
        if (!fit.converged) state.SkipWithError("the fit failed");
        benchmark::DoNotOptimize(fit);
    }
}
BENCHMARK(FitFiftyPointsWithPKa)->Unit(benchmark::kMillisecond);

void FitFiftyPointsGeneralSolver(benchmark::State& state) {
    chemistry::Mixture mixture;
    mixture.solutes[0] = chemistry::soluteOf(*chemistry::findSpecies("acide éthanoïque"), 0.01);
    const MixturePhModel model(mixture);
    const auto points = fiftyPoints(model, 0);
    for (auto _ : state) {
        const FitResult fit = fitConcentration(points, model);
        if (!fit.converged) state.SkipWithError("the fit failed");
        benchmark::DoNotOptimize(fit);
    }
}
BENCHMARK(FitFiftyPointsGeneralSolver)->Unit(benchmark::kMillisecond);

}  // namespace
