// The main of the benchmarks that draw with Qt: widgets need an application, on the offscreen
// platform, before any benchmark runs.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "platform/fonts.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    platform::installFontSubstitutes();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
