#pragma once
// "Simulation de Monte-Carlo" (`simulation`): N titrations of the bench's set-up, each input drawn
// from the glassware's laws and each curve read by the chosen method, on a worker thread with its
// progress and "Annuler"; then the histogram of the concentrations, their mean, u(c) and 95 %
// interval beside the propagation formula's u(c), and the z-score against the reference value
// the teacher typed (`Text1(10)`). The draws export as CSV, the simulation as a Python program.
#include <QDialog>
#include <atomic>
#include <memory>
#include <optional>

#include "uncertainty/montecarlo.h"
#include "workbench/backgroundrunner.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTimer;

namespace platform {
class MessageBoxes;
class SaveLocations;
}  // namespace platform

namespace workbench {
class BenchController;
}

namespace uncertaintywindows {

class HistogramView;

class SimulationWindow : public QDialog {
    Q_OBJECT

  public:
    SimulationWindow(workbench::BenchController& bench, platform::MessageBoxes& messageBoxes,
                     platform::SaveLocations& saveLocations, QWidget* mainWindow);

    // "Lancer": the simulation of the bench's set-up starts; one running is given up.
    void start();
    // "Annuler".
    void cancel();
    bool running() const { return m_runner.running().has_value(); }
    const std::optional<uncertainty::SimulationOutcome>& outcome() const { return m_outcome; }
    // "Exporter les tirages…" and "Exporter en Python…": the save dialogs.
    void exportDraws();
    void exportPython();

  private:
    void finish(uncertainty::SimulationOutcome outcome);
    void showProgress();
    void showAgreement();
    void enableButtons();
    uncertainty::SimulationRequest request() const;

    workbench::BenchController& m_bench;
    platform::MessageBoxes& m_messageBoxes;
    platform::SaveLocations& m_saveLocations;
    QWidget* m_mainWindow;
    QComboBox* m_method = nullptr;
    QSpinBox* m_runs = nullptr;
    QLineEdit* m_reference = nullptr;
    QPushButton* m_start = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_exportDraws = nullptr;
    QPushButton* m_exportPython = nullptr;
    QProgressBar* m_progress = nullptr;
    QTimer* m_progressTimer = nullptr;
    HistogramView* m_histogram = nullptr;
    QLabel* m_summary = nullptr;
    QLabel* m_propagation = nullptr;
    QLabel* m_agreement = nullptr;
    std::optional<uncertainty::SimulationOutcome> m_outcome;
    std::optional<uncertainty::SimulationSummary> m_summaryValues;
    uncertainty::SimulationRequest m_lastRequest;
    std::shared_ptr<std::atomic<int>> m_done = std::make_shared<std::atomic<int>>(0);
    unsigned m_serial = 0;
    // Last: its threads are joined before the widgets they report to go.
    workbench::BackgroundRunner<uncertainty::SimulationOutcome> m_runner;
};

SimulationWindow* openSimulationWindow(workbench::BenchController& bench,
                                       platform::MessageBoxes& messageBoxes,
                                       platform::SaveLocations& saveLocations, QWidget* mainWindow);

}  // namespace uncertaintywindows
