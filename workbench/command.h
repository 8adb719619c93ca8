#pragma once

namespace workbench {

// The buttons of the main window's command bar, left to right, and the exercise button under it.
// Copy, help and close act within the window; the others open the windows the program hands in.
enum class Command { Open, Save, Copy, Print, Calculator, Help, Close, Exercises };

// The lab commands of the table page that open windows: reading a file of measurements, typing
// them, exporting the table and the curve, saving the graph as a picture, writing the titration as
// a Python program, the progress table, the glassware, the repeated results and the Monte-Carlo
// simulation of a result's uncertainty.
enum class LabCommand {
    Import,
    Enter,
    Export,
    SaveGraph,
    ExportPython,
    ProgressTable,
    Glassware,
    Results,
    MonteCarlo
};
inline constexpr int kLabCommandCount = 9;

}  // namespace workbench
