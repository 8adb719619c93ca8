#pragma once
// "Exporter…": the table of values (and, when the pupil asks, the theoretical curve's points) as a
// CSV file, in the French convention (";" and decimal comma) or the international one ("," and
// point), written through the program's save dialog.
#include <QDialog>
#include <vector>

#include "measurements/csvwriter.h"
#include "measurements/measuredpoint.h"

class QCheckBox;
class QRadioButton;

namespace platform {
class MessageBoxes;
class SaveLocations;
}  // namespace platform

namespace measurementwindows {

class MeasurementExportDialog : public QDialog {
    Q_OBJECT

  public:
    // An empty curve leaves its check box off and disabled.
    MeasurementExportDialog(measurements::CsvTable table, std::vector<measurements::CurvePoint> curve,
                            platform::MessageBoxes& messageBoxes, platform::SaveLocations& saveLocations,
                            QWidget* mainWindow);

    measurements::CsvConvention convention() const;
    bool withCurve() const;
    // "OK": closes this dialog and opens the save dialog on "*.csv".
    void chooseFile();

  private:
    measurements::CsvTable m_table;
    std::vector<measurements::CurvePoint> m_curve;
    platform::MessageBoxes& m_messageBoxes;
    platform::SaveLocations& m_saveLocations;
    QWidget* m_mainWindow;
    QRadioButton* m_french = nullptr;
    QCheckBox* m_withCurve = nullptr;
};

// Shows the dialog, modal over `mainWindow`, and returns at once; it is destroyed when it closes.
MeasurementExportDialog* openMeasurementExport(measurements::CsvTable table,
                                               std::vector<measurements::CurvePoint> curve,
                                               platform::MessageBoxes& messageBoxes,
                                               platform::SaveLocations& saveLocations, QWidget* mainWindow);

}  // namespace measurementwindows
