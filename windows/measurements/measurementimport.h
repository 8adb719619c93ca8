#pragma once
// "Importer des mesures…": the program's open dialog on the text files that spreadsheets, data
// loggers and Regressi export, and the reading of the chosen file.
#include <QString>
#include <functional>
#include <optional>

#include "measurements/measurementreader.h"

class QWidget;

namespace platform {
class MessageBoxes;
}

namespace configurationwindow {
class OpenDialog;
}

namespace measurementwindows {

struct ImportedMeasurements {
    measurements::ReadResult reading;  // a file the reader took: its points and what it left aside
    QString path;
};

// Reads a file of measurements. A file that cannot be read, or that the reader refuses, is told
// to the pupil (the reader's message names the line) and gives nothing.
std::optional<ImportedMeasurements> readMeasurementFile(const QString& path,
                                                        platform::MessageBoxes& messageBoxes);

using ImportHandler = std::function<void(ImportedMeasurements)>;

// Shows the open dialog on "*.csv", "*.tsv" and "*.txt", modal over `mainWindow`, and returns at
// once; `imported` is called with the points of the file read, and not at all when the pupil
// cancels or the file is refused. The dialog closes after a read, whatever its outcome, as it does
// for configurations, and is destroyed when it closes.
configurationwindow::OpenDialog* openMeasurementImport(platform::MessageBoxes& messageBoxes,
                                                       QWidget* mainWindow, ImportHandler imported);

}  // namespace measurementwindows
