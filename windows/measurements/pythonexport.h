#pragma once
// "Exporter en Python…": the panel's titration as a Python program (state/pythonexport.h), written
// whole or not at all through the program's save dialog; a set-up that gives no program is
// refused with a message.
class QWidget;

namespace platform {
class MessageBoxes;
class SaveLocations;
}  // namespace platform

namespace state {
struct BenchState;
}

namespace measurementwindows {

// Opens the save dialog on "*.py", modal over `mainWindow`, and returns at once; the program is
// the bench's as it is now.
void openPythonExport(const state::BenchState& bench, platform::MessageBoxes& messageBoxes,
                      platform::SaveLocations& saveLocations, QWidget* mainWindow);

}  // namespace measurementwindows
