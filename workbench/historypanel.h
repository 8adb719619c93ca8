#pragma once
// The history `Histo` of the tab "Historique": one entry per completed situation, with its
// heading in the situation's colour. The pupil reads it and copies it; only writeHistory
// writes it.
#include "platform/richtextbox.h"

namespace platform {
class Clipboard;
}

namespace workbench {

class BenchController;

class HistoryPanel : public platform::RichTextBox {
    Q_OBJECT

  public:
    explicit HistoryPanel(BenchController& bench, QWidget* parent = nullptr);

    // Writes the history again from the situations.
    void writeHistory();
    // "Copier l'historique": the clipboard is emptied, then given the history as RTF with HTML
    // and plain text beside it.
    void copyHistory(platform::Clipboard& clipboard);

  private:
    void insertExponent();
    // "12 mesures": the lab's points kept with the situation, when it has any.
    void writeMeasurementCount(int slot);

    BenchController& m_bench;
};

}  // namespace workbench
