#pragma once
// The table page: the measurement table above the lab's commands. "Ajuster la concentration"
// and "Utiliser cette valeur" act on the bench; the import, the typed entry, the export and the
// graph saved as a file open windows that live above the workbench, so the program hands them in
// (setAction), and their buttons stay disabled until it does. The fit runs on a thread of its
// own: while it runs, a busy bar shows and the fit's button cancels it.
#include <QWidget>
#include <array>
#include <functional>
#include <vector>

#include "workbench/backgroundrunner.h"
#include "workbench/command.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace workbench {

class BenchController;
class MeasurementTable;

class MeasurementPage : public QWidget {
    Q_OBJECT

  public:
    MeasurementPage(BenchController& bench, MeasurementTable& table, QWidget* parent = nullptr);

    void setAction(LabCommand command, std::function<void()> action);
    // The page's buttons in reading order, for the keyboard.
    std::vector<QWidget*> tabOrder() const;

  private:
    QPushButton* addButton(const char* name, const QString& caption);
    // "Ajuster la concentration", or its cancel while a fit runs.
    void startOrCancelFit();
    void refresh();

    BenchController& m_bench;
    std::array<QPushButton*, kLabCommandCount> m_commandButtons{};
    std::array<std::function<void()>, kLabCommandCount> m_actions;
    QPushButton* m_fitButton = nullptr;
    QPushButton* m_useButton = nullptr;
    QLabel* m_fitLabel = nullptr;
    QProgressBar* m_busy = nullptr;
    FitRunner m_fitRunner;
};

}  // namespace workbench
