#include <benchmark/benchmark.h>

#include <string>

#include "calculator/expressionevaluator.h"

namespace {

void evaluate(benchmark::State& state, const char* expression) {
    for (auto _ : state) {
        std::string text = expression;
        int code = 0;
        calculator::evaluate(text, code, calculator::kDegrees);
        benchmark::DoNotOptimize(text);
        benchmark::DoNotOptimize(code);
    }
}

// What a pupil typically builds on the keys: functions, a group and all priorities.
void BM_TypicalExpression(benchmark::State& state) {
    evaluate(state, "2 * SIN (30 + 60) + SQR 16 / 4 ^ 2");
}
BENCHMARK(BM_TypicalExpression);

// A text that never resolves: what the evaluation costs before it gives up.
void BM_UnresolvableExpression(benchmark::State& state) {
    evaluate(state, "(X + 1) * SQR 4 + LON4 - 2 * 3");
}
BENCHMARK(BM_UnresolvableExpression);

// A sum of 10 000 characters: each operation replaces a stretch of a long text.
void BM_TenThousandCharacterSum(benchmark::State& state) {
    std::string sum = "1";
    while (sum.size() + 4 <= 10000) sum += " + 1";
    evaluate(state, sum.c_str());
}
BENCHMARK(BM_TenThousandCharacterSum)->Unit(benchmark::kMillisecond);

}  // namespace
