#pragma once
// Ctrl+Z undoes the pupil's last step on the bench, Ctrl+Y or Ctrl+Maj+Z redoes it; in a text
// box the keys are the box's own, as usual.
class QWidget;

namespace workbench {

class BenchController;

void addUndoKeys(QWidget& window, BenchController& bench);

}  // namespace workbench
