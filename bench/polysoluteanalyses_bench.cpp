// The analyses of a polyacid on the bench state: the tangent method at each jump with its labels
// placed clear of the curve, and the read-out of every form's share under the pointer.
#include <benchmark/benchmark.h>

#include <string>
#include <variant>

#include "state/actions.h"
#include "state/benchstate.h"
#include "state/graphcontent.h"

namespace {

// Phosphoric acid at 0,01 mol · L-1, soda at 0,02: E₁ at 10 mL, E₂ at 20 mL.
void finishedPhosphoricAcid(state::BenchState& bench) {
    state::setDefaults(bench);
    state::start(bench);
    state::chooseSolute(bench, 15);
    state::setFieldText(bench, state::Field::TitrantConcentration, "0,02");
    state::validateField(bench, state::Field::TitrantConcentration);
    state::quickTrace(bench);
}

}  // namespace

static void PolyacidTangentsClicked(benchmark::State& run) {
    state::BenchState bench;
    finishedPhosphoricAcid(bench);
    for (auto _ : run) {
        state::ActionResult result = state::drawTangents(bench);
        benchmark::DoNotOptimize(result);
        run.PauseTiming();
        state::restoreGraph(bench);
        run.ResumeTiming();
    }
}
BENCHMARK(PolyacidTangentsClicked)->Unit(benchmark::kMicrosecond);

// One mouse move over the distribution diagram.
static void FormSharesReadout(benchmark::State& run) {
    state::BenchState bench;
    finishedPhosphoricAcid(bench);
    state::showDistribution(bench);
    const auto* forms = std::get_if<state::FormsOverlay>(&bench.graph.items().back());
    if (!forms) {
        run.SkipWithError("no forms drawn");
        return;
    }
    double volume = 0;
    for (auto _ : run) {
        std::string text = state::formSharesText(*forms, volume);
        benchmark::DoNotOptimize(text);
        volume = volume >= 25 ? 0 : volume + 0.07;
    }
}
BENCHMARK(FormSharesReadout)->Unit(benchmark::kMicrosecond);
