#pragma once
// "Exporter…": the lab's points, the table of values and the theoretical curve's points, each
// chosen in the window, as one CSV file in the French convention (";" and decimal comma) or the
// international one ("," and point), written through the program's save dialog.
#include <QDialog>

#include "state/labexport.h"

class QCheckBox;
class QPushButton;
class QRadioButton;

namespace platform {
class MessageBoxes;
class SaveLocations;
}  // namespace platform

namespace measurementwindows {

class MeasurementExportDialog : public QDialog {
    Q_OBJECT

  public:
    // A part that is empty leaves its check box off and disabled.
    MeasurementExportDialog(state::ExportSources sources, platform::MessageBoxes& messageBoxes,
                            platform::SaveLocations& saveLocations, QWidget* mainWindow);

    measurements::CsvConvention convention() const;
    state::ExportChoice choice() const;
    // "OK": closes this dialog and opens the save dialog on "*.csv", titled and named after what
    // is written.
    void chooseFile();

  private:
    void followChoice();

    state::ExportSources m_sources;
    platform::MessageBoxes& m_messageBoxes;
    platform::SaveLocations& m_saveLocations;
    QWidget* m_mainWindow;
    QRadioButton* m_french = nullptr;
    QCheckBox* m_measured = nullptr;
    QCheckBox* m_table = nullptr;
    QCheckBox* m_curve = nullptr;
    QPushButton* m_ok = nullptr;
};

// Shows the dialog, modal over `mainWindow`, and returns at once; it is destroyed when it closes.
MeasurementExportDialog* openMeasurementExport(state::ExportSources sources,
                                               platform::MessageBoxes& messageBoxes,
                                               platform::SaveLocations& saveLocations, QWidget* mainWindow);

}  // namespace measurementwindows
