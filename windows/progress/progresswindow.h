#pragma once
// "Tableau d'avancement": the progress table of the bench's set-up at the poured volume, kept
// current as the pupil pours, beside the main window (not modal). "Copier" puts it on the
// clipboard as tab-separated text and as a picture, "Imprimer" prints it.
#include <QDialog>
#include <vector>

#include "state/progresstable.h"

class QLabel;
class QPushButton;
class QTableWidget;
class QVBoxLayout;

namespace platform {
class Clipboard;
class Printer;
}  // namespace platform

namespace workbench {
class BenchController;
}

namespace progresswindow {

class ProgressWindow : public QDialog {
    Q_OBJECT

  public:
    ProgressWindow(workbench::BenchController& bench, platform::Clipboard& clipboard,
                   platform::Printer& printer, QWidget* mainWindow);

    const state::ProgressTable& table() const { return m_table; }
    // "Copier": the text and the picture, as one item.
    void copy();
    // "Imprimer": one document of the table.
    void print();

  private:
    struct StepView {
        QLabel* equation = nullptr;
        QTableWidget* grid = nullptr;
        QLabel* details = nullptr;
    };

    void refresh();
    void buildSteps();
    void showStep(std::size_t k);

    workbench::BenchController& m_bench;
    platform::Clipboard& m_clipboard;
    platform::Printer& m_printer;
    state::ProgressTable m_table;
    QLabel* m_situation = nullptr;
    QLabel* m_message = nullptr;
    QVBoxLayout* m_stepsLayout = nullptr;
    std::vector<StepView> m_steps;
    QPushButton* m_copyButton = nullptr;
    QPushButton* m_printButton = nullptr;
};

// Shows the window beside `mainWindow` and returns at once, or brings forward the one already
// open; it is destroyed when it closes.
ProgressWindow* openProgressWindow(workbench::BenchController& bench, platform::Clipboard& clipboard,
                                   platform::Printer& printer, QWidget* mainWindow);

}  // namespace progresswindow
