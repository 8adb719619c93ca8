#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <span>
#include <string>
#include <vector>

#include "measurements/concentrationfit.h"
#include "measurements/fitmodels.h"
#include "measurements/measurementreader.h"
#include "tests/labpoints.h"

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

// `count` points from 0 to 25 mL of a model's curve at c₂ and the pKa given, with a fixed noise.
std::vector<MeasuredPoint> measuredPoints(const ReadingModel& model, double c, std::array<double, 2> pKa,
                                          int count) {
    std::vector<MeasuredPoint> points;
    for (int i = 0; i < count; ++i) {
        const double v = 25.0 * i / (count - 1);
        points.push_back(testing_points::labPoint(v, *model(v, {c, pKa}) + 0.03 * std::sin(i * 7.0)));
    }
    return points;
}

// 50 points of ethanoic acid at 0,0123 mol · L-1 against soda at 0,01.
std::vector<MeasuredPoint> fiftyPoints(const ReadingModel& model, double pKa) {
    return measuredPoints(model, 0.0123, {pKa, 7}, 50);
}

FitSettings fitting(int pKaCount, double pKa = 7) {
    FitSettings settings;
    settings.fittedPKaCount = pKaCount;
    settings.pKa = {pKa, 7};
    return settings;
}

void fit(benchmark::State& state, std::span<const MeasuredPoint> points, const ReadingModel& model,
         const FitSettings& settings) {
    for (auto _ : state) {
        const FitResult fit = fitConcentration(points, model, state::phReading(), settings);
        if (!fit.converged) state.SkipWithError("the fit failed");
        benchmark::DoNotOptimize(fit);
    }
    state.counters["points"] = static_cast<double>(points.size());
}

chemistry::Mixture mixtureOf(const char* species) {
    chemistry::Mixture mixture;
    mixture.solutes[0] = chemistry::soluteOf(*chemistry::findSpecies(species), 0.01);
    return mixture;
}

void ImportThousandPoints(benchmark::State& state) {
    const std::string file = loggerFile();
    for (auto _ : state) {
        const ReadResult result = readMeasurements(file, state::labReadings());
        if (result.points.size() != 1000) state.SkipWithError("the file was not read");
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(ImportThousandPoints)->Unit(benchmark::kMicrosecond);

void FitFiftyPoints(benchmark::State& state) {
    const MonoproticPhModel model({true, 20, 0, 0.01});
    fit(state, fiftyPoints(model, 4.75), model, fitting(0, 4.75));
}
BENCHMARK(FitFiftyPoints)->Unit(benchmark::kMillisecond);

void FitFiftyPointsWithPKa(benchmark::State& state) {
    const MonoproticPhModel model({true, 20, 0, 0.01});
    fit(state, fiftyPoints(model, 4.75), model, fitting(1));
}
BENCHMARK(FitFiftyPointsWithPKa)->Unit(benchmark::kMillisecond);

void FitFiftyPointsGeneralSolver(benchmark::State& state) {
    const MixturePhModel model(mixtureOf("acide éthanoïque"));
    fit(state, fiftyPoints(model, 0), model, fitting(0));
}
BENCHMARK(FitFiftyPointsGeneralSolver)->Unit(benchmark::kMillisecond);

// A data logger's 10 000 points of ethanoic acid: its concentration, then with its pKa as for
// "autre acide".
void FitTenThousandPoints(benchmark::State& state) {
    const MonoproticPhModel model({true, 20, 0, 0.01});
    fit(state, measuredPoints(model, 0.0123, {4.75, 7}, 10000), model, fitting(0, 4.75));
}
BENCHMARK(FitTenThousandPoints)->Unit(benchmark::kMillisecond);

void FitTenThousandPointsWithPKa(benchmark::State& state) {
    const MonoproticPhModel model({true, 20, 0, 0.01});
    fit(state, measuredPoints(model, 0.0123, {4.75, 7}, 10000), model, fitting(1));
}
BENCHMARK(FitTenThousandPointsWithPKa)->Unit(benchmark::kMillisecond);

// "autre diacide" (pKa 3,5 and 8,5, equivalences at 10 and 20 mL) through the general solver, its
// concentration and both pKa.
void FitTenThousandPointsOfADiacid(benchmark::State& state) {
    const MixturePhModel model(mixtureOf("autre diacide"), 0, 2);
    fit(state, measuredPoints(model, 0.005, {3.5, 8.5}, 10000), model, fitting(2));
}
BENCHMARK(FitTenThousandPointsOfADiacid)->Unit(benchmark::kMillisecond);

}  // namespace
