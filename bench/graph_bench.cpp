// The cost of drawing the graph after a full titration: the frame, the 51 marks of a 0,5 mL step
// and one theoretical curve, offscreen.
#include <benchmark/benchmark.h>

#include <vector>

#include "chemistry/chemistry.h"
#include "platform/surface.h"
#include "workbench/graphpainter.h"

namespace {

// 20 mL of "acide éthanoïque" at 0,01 mol · L-1 against soda at 0,01 mol · L-1.
struct Titration {
    std::vector<chemistry::TitrationPoint> marks;
    std::vector<chemistry::CurveVertex> curve;
};

Titration aceticTitration() {
    chemistry::SpeciesCatalogue catalogue;
    chemistry::SolutionSpec solution;
    solution.speciesIndex = 4;  // "acide éthanoïque"
    chemistry::EngineState state;
    Titration titration;
    titration.curve = chemistry::traceCurve(solution, catalogue, state);
    for (const auto& row : chemistry::replayMeasurements(solution, catalogue, 5, state).rows)
        titration.marks.push_back(row);
    return titration;
}

void BM_GraphFrameMarksAndCurve(benchmark::State& state) {
    const Titration titration = aceticTitration();
    platform::Surface surface(473, 270);
    const platform::Colour colour{0, 0, 255};
    const std::vector<state::SeriesPoint> curve = state::seriesOf(titration.curve);
    for (auto _ : state) {
        workbench::GraphPainter painter(surface);
        painter.drawFrame();
        painter.drawCurve(curve, colour, 1);
        for (const auto& mark : titration.marks) painter.drawMark(mark.volume, mark.pH, colour, 1);
        benchmark::DoNotOptimize(surface.image().constBits());
    }
    state.counters["marks"] = static_cast<double>(titration.marks.size());
    state.counters["vertices"] = static_cast<double>(titration.curve.size());
}
BENCHMARK(BM_GraphFrameMarksAndCurve)->Unit(benchmark::kMicrosecond);

}  // namespace
