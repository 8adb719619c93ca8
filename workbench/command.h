#pragma once

namespace workbench {

// The buttons of the main window's command bar, left to right, and the exercise button under it.
// Copy, help and close act within the window; the others open the windows the program hands in.
enum class Command { Open, Save, Copy, Print, Calculator, Help, Close, Exercises };

}  // namespace workbench
