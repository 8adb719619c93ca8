#pragma once
// What the dialog tests, the two-run check and the benchmark do to the workbench: ten situations
// set up through the workbench's handlers, and a description of everything a configuration keeps.
#include <QString>

namespace workbench {
class MainWindow;
}

namespace configurationscript {

// Ten different situations, Situations 1, 3, 5, 7 and 9 poured to the end and completed (5 with
// the pH-meter hidden, so not completed), "Superposer les courbes" and "Tracer en gras" ticked,
// Situation 1 current again.
void setUpTenSituations(workbench::MainWindow& window);
// Every situation changed and none completed, both boxes unticked, Situation 10 current.
void changeEverything(workbench::MainWindow& window);

// The boxes, the current situation and the fields of the ten situations, one line each.
QString describe(workbench::MainWindow& window);

}  // namespace configurationscript
