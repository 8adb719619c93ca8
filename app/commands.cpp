#include "app/commands.h"

#include <functional>
#include <utility>

#include "app/labcommands.h"
#include "state/situationactions.h"
#include "windows/calculator/calculatorwindow.h"
#include "windows/configuration/opendialog.h"
#include "windows/configuration/savedialog.h"
#include "windows/exercises/exercisemenu.h"
#include "windows/printing/printdialog.h"
#include "workbench/exercisesession.h"
#include "workbench/mainwindow.h"

using workbench::Command;

exercisewindow::ExerciseContext exerciseContext(workbench::MainWindow& window) {
    return {window.exerciseSession(), window.services(), window.saveLocations(), window};
}

void connectCommands(workbench::MainWindow& window, RunState& run, platform::Beeper& beeper) {
    // The exercise menu lives as long as the window, as its child.
    auto* exerciseMenu = new exercisewindow::ExerciseMenu(exerciseContext(window));
    const std::pair<Command, std::function<void()>> commands[] = {
        {Command::Open,
         [&window] {
             configurationwindow::openOpenDialog(window.document(), window.services().messageBoxes, &window);
         }},
        {Command::Save,
         [&window] {
             // What the panel shows is saved: it is stored into its situation, as choosing the
             // situation again does.
             workbench::BenchController& bench = window.workbench();
             const int current = bench.state().situations.current;
             if (current >= 0) bench.perform(state::switchSituation, current);
             configurationwindow::openSaveDialog(window.document(), window.services().messageBoxes,
                                                 window.saveLocations(), &window);
         }},
        {Command::Print,
         [&window] {
             const workbench::Services& services = window.services();
             printingwindow::openPrintDialog(window.printSources(), services.printer, services.messageBoxes,
                                             &window);
         }},
        {Command::Calculator,
         [&window, &run, &beeper] {
             calculatorwindow::openCalculator(&window, run.calculatorMemory, beeper);
         }},
        {Command::Exercises, [exerciseMenu] { exerciseMenu->popUp(); }},
    };
    for (const auto& [command, open] : commands) window.setCommandAction(command, open);
    connectLabCommands(window);
}
