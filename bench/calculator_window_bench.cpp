// The calculator window offscreen: from a click on "EXE" to the result in the display `z1`, and
// the same with the display painted.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <vector>

#include "platform/countingbeeper.h"
#include "windows/calculator/calculatormemory.h"
#include "windows/calculator/calculatorwindow.h"

namespace {

using calculatorwindow::CalculatorMemory;
using calculatorwindow::CalculatorWindow;

struct Calculator {
    CalculatorMemory memory;
    platform::CountingBeeper beeper;
    CalculatorWindow window{memory, beeper};
    QLineEdit* display = window.findChild<QLineEdit*>(QStringLiteral("z1"));
    QPushButton* exe = window.findChild<QPushButton*>(QStringLiteral("EXE"));

    explicit Calculator(const std::vector<const char*>& names) {
        window.show();
        // Exposed, so that a repaint really paints.
        for (int i = 0; i < 10; ++i) QApplication::processEvents();
        for (const char* name : names)
            keys.push_back(window.findChild<QPushButton*>(QString::fromLatin1(name)));
    }
    void type() {
        for (QPushButton* key : keys) key->click();
    }

    std::vector<QPushButton*> keys;
};

// The expression is typed again, untimed, before each "EXE": a result empties it.
void BM_ExeToResult(benchmark::State& state, const std::vector<const char*>& names, bool paint) {
    Calculator calculator(names);
    for (auto _ : state) {
        state.PauseTiming();
        calculator.type();
        state.ResumeTiming();
        calculator.exe->click();
        if (paint) calculator.display->repaint();
    }
    if (calculator.beeper.count() != 0) state.SkipWithError("the expression failed");
}

const std::vector<const char*> kArithmetic = {"B2", "plus", "B3", "multip", "B4"};  // 2 + 3 * 4
// 2 * sin 30 + ln 5 / 3 ^ 2
const std::vector<const char*> kScientific = {"B2",  "bsin", "B3",  "B0", "plus",
                                              "Bln", "B5",   "div", "B3", "btcarre"};

BENCHMARK_CAPTURE(BM_ExeToResult, Arithmetic, kArithmetic, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ExeToResult, Scientific, kScientific, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ExeToResult, ScientificPainted, kScientific, true)->Unit(benchmark::kMicrosecond);

}  // namespace
