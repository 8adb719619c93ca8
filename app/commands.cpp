#include "app/commands.h"

#include "windows/calculator/machine.h"
#include "windows/configuration/enregistrer.h"
#include "windows/configuration/ouvrir.h"
#include "windows/exercises/exercisemenu.h"
#include "windows/printing/confimp.h"
#include "workbench/exercisesession.h"
#include "workbench/mainwindow.h"

exercisewindow::ExerciseContext exerciseContext(workbench::MainWindow& window) {
    return {window.exerciseSession(), window.services(), window.saveLocations(), window};
}

void connectCommands(workbench::MainWindow& window, RunState& run, platform::Beeper& beeper) {
    window.setCommandAction(QStringLiteral("Command2"),
                            [&window] { configurationwindow::openOuvrir(window); });
    window.setCommandAction(QStringLiteral("Command11"),
                            [&window] { configurationwindow::openEnregistrer(window); });
    window.setCommandAction(QStringLiteral("Command8"), [&window, &run, &beeper] {
        calculatorwindow::openCalculator(&window, run.calculatorMemory, beeper);
    });
    // The exercise menu lives as long as the window, as its child.
    auto* exerciseMenu = new exercisewindow::ExerciseMenu(exerciseContext(window));
    window.setCommandAction(QStringLiteral("btexo"), [exerciseMenu] { exerciseMenu->btexo_Click(); });
    window.setCommandAction(QStringLiteral("Command10"), [&window] {
        const workbench::Services& services = window.services();
        printingwindow::openPrintWindow(window.printSources(), services.printer, services.messageBoxes,
                                        &window);
    });
}
