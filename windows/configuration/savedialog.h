#pragma once
// The save dialog "Enregistrer les paramètres.": the pupil names the file in `Text1` (a bare name
// goes into the folder of the lists) and "ENREGISTRER" writes the configuration there, asking
// before it replaces a file. The lists start where the pupil last saved; the program's own data
// folder is never written. The same dialog saves other kinds of file (measurements, the graph)
// with their own captions, extension and writing.
#include <functional>

#include "windows/configuration/configurationdialog.h"

class QLineEdit;

namespace platform {
class SaveLocations;
}

namespace workbench {
class Document;
}

namespace configurationwindow {

// What "ENREGISTRER" writes, and where the name starts.
struct FileSaving {
    ConfigurationDialog::Captions captions;
    QString extension;    // added to the cleaned name (".C13", ".csv")
    QString initialName;  // what `Text1` starts with
    // Told the completed path before the question (the configuration path keeps even a refused one).
    std::function<void(const QString& path)> notePath;
    // Writes the whole file or leaves the previous one; false when it could not.
    std::function<bool(const QString& path)> write;
    // The writer has shown its failure itself; otherwise the dialog says "Ecriture impossible sur
    // disque".
    bool writerReportsFailure = false;
};

class SaveDialog : public ConfigurationDialog {
    Q_OBJECT

  public:
    // `Text1` starts with the path of the configuration last opened or saved, only its name when
    // it came from the data folder (an exercise's).
    SaveDialog(workbench::Document& document, platform::MessageBoxes& messageBoxes,
               platform::SaveLocations& saveLocations, QWidget* mainWindow);
    SaveDialog(platform::MessageBoxes& messageBoxes, platform::SaveLocations& saveLocations,
               FileSaving saving, QWidget* mainWindow);

    // The folder of the lists changed: a path in `Text1` keeps only its file name, to be saved there.
    void keepOnlyFileName();
    // Rewrites the file listed, after the question, whatever its name holds.
    void saveOverListedFile(const QString& name);
    // "ENREGISTRER", and Enter in `Text1`.
    void saveTypedName();

  private:
    // `listedName`: the file double-clicked in the list; empty for the name in `Text1`.
    void save(const QString& listedName);
    // The hourglass over the dialog goes; the dialog stays open.
    void stayOpen();
    void showWriteFailure();

    platform::SaveLocations& m_saveLocations;
    FileSaving m_saving;
    QLineEdit* m_nameBox = nullptr;
};

// Shows the save dialog, modal over the main window, and returns at once; the dialog is destroyed
// when it closes. The caller has stored the panel into the current situation.
SaveDialog* openSaveDialog(workbench::Document& document, platform::MessageBoxes& messageBoxes,
                           platform::SaveLocations& saveLocations, QWidget* mainWindow);

}  // namespace configurationwindow
