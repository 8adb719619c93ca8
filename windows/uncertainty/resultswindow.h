#pragma once
// "Résultats" (`resultats`): the situations titrated to the end, each with the equivalence volume
// read by the chosen method and the concentration it gives, their mean, standard deviation s and
// u = s/√n (type A), and the concentration with its 95 % interval; kept current as the pupil
// titrates, beside the main window. "Exporter…" writes the table as CSV.
#include <QDialog>

#include "uncertainty/repeatedresults.h"

class QComboBox;
class QLabel;
class QTableWidget;

namespace platform {
class MessageBoxes;
class SaveLocations;
}  // namespace platform

namespace workbench {
class BenchController;
}

namespace uncertaintywindows {

class ResultsWindow : public QDialog {
    Q_OBJECT

  public:
    ResultsWindow(workbench::BenchController& bench, platform::MessageBoxes& messageBoxes,
                  platform::SaveLocations& saveLocations, QWidget* mainWindow);

    const uncertainty::RepeatedResults& results() const { return m_results; }
    // "Exporter…": the save dialog on "*.csv".
    void exportResults();

  private:
    void refresh();

    workbench::BenchController& m_bench;
    platform::MessageBoxes& m_messageBoxes;
    platform::SaveLocations& m_saveLocations;
    QWidget* m_mainWindow;
    uncertainty::RepeatedResults m_results;
    QComboBox* m_method = nullptr;
    QLabel* m_glassware = nullptr;
    QTableWidget* m_table = nullptr;
    QLabel* m_volumes = nullptr;
    QLabel* m_concentration = nullptr;
};

ResultsWindow* openResultsWindow(workbench::BenchController& bench, platform::MessageBoxes& messageBoxes,
                                 platform::SaveLocations& saveLocations, QWidget* mainWindow);

// The method list both windows show, in the order of the methods.
QComboBox* methodList(const char* name, QWidget* parent);
uncertainty::EquivalenceMethod chosenMethod(const QComboBox& list);

}  // namespace uncertaintywindows
