#include "app/commands.h"

#include "windows/calculator/machine.h"
#include "windows/printing/confimp.h"
#include "workbench/mainwindow.h"

void connectCommands(workbench::MainWindow& window, RunState& run, platform::Beeper& beeper) {
    window.setCommandAction(QStringLiteral("Command8"), [&window, &run, &beeper] {
        calculatorwindow::openCalculator(&window, run.calculatorMemory, beeper);
    });
    window.setCommandAction(QStringLiteral("Command10"),
                            [&window] { printingwindow::openPrintWindow(window); });
}
