#pragma once
// The windows of the command bar handed to the main window: each button opens its window, modal
// over the main window, with the services it needs.
#include "platform/beeper.h"
#include "windows/calculator/calculatormemory.h"
#include "windows/exercises/exercisecontext.h"

namespace workbench {
class MainWindow;
}

// What lasts for the whole run besides the main window: the calculator's memory and the beep.
struct RunState {
    calculatorwindow::CalculatorMemory calculatorMemory;
};

// The exercise windows over the main window's text area.
exercisewindow::ExerciseContext exerciseContext(workbench::MainWindow& window);

void connectCommands(workbench::MainWindow& window, RunState& run, platform::Beeper& beeper);
