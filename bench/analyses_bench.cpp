// The graph's analysis tools on the main window, offscreen, from the click on the tool button to
// the finished drawing, after "Trace rapide" of 20 mL of "acide éthanoïque" at 0,01 mol · L-1
// against soda at 0,01 mol · L-1.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <QToolButton>

#include "bench/benchwindow.h"
#include "workbench/printsources.h"
#include "workbench/tabstrip.h"

namespace {

struct Window : BenchWindow {
    Window() {
        window.workbench().perform(state::chooseSolute, 4);
        window.workbench().perform(state::quickTrace);
        // The tools are on the graph page, which the window builds when it is first opened.
        window.findChild<workbench::TabStrip*>()->page(workbench::TabPage::Graph);
    }
    QToolButton* button(const char* name) {
        return window.findChild<QToolButton*>(QString::fromLatin1(name));
    }
};

void clickRepeatedly(benchmark::State& state, const char* name) {
    Window w;
    QToolButton* button = w.button(name);
    if (button == nullptr || !button->isEnabled()) {
        state.SkipWithError("the tool is not enabled");
        return;
    }
    for (auto _ : state) {
        button->click();
        benchmark::DoNotOptimize(w.window.printSources().graph().constBits());
    }
    if (!w.boxes.calls().empty()) state.SkipWithError("a message box was shown");
}

void BM_DerivativeCurve(benchmark::State& state) {
    clickRepeatedly(state, "Image5");
}
BENCHMARK(BM_DerivativeCurve)->Unit(benchmark::kMicrosecond);

void BM_TangentMethod(benchmark::State& state) {
    clickRepeatedly(state, "Image4");
}
BENCHMARK(BM_TangentMethod)->Unit(benchmark::kMicrosecond);

// Stores and shows the situation again (table, history, curves), then the diagram.
void BM_DistributionDiagram(benchmark::State& state) {
    clickRepeatedly(state, "Command3");
}
BENCHMARK(BM_DistributionDiagram)->Unit(benchmark::kMicrosecond);

}  // namespace
