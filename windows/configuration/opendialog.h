#pragma once
// The open dialog "Ouvrir une configuration": the pupil picks a ".C13" file in the lists (or types its
// path in `ficharge`) and "OUVRIR" loads it into the workbench, with the panel `Frame1`
// "Chargement du fichier" over the dialog while it loads. The same dialog opens other kinds of
// file (measurements) with its own captions and its own reading.
#include <functional>

#include "windows/configuration/configurationdialog.h"

class QFrame;
class QLineEdit;

namespace workbench {
class Document;
}

namespace configurationwindow {

// What "OUVRIR" does with the path typed or chosen.
struct FileOpening {
    ConfigurationDialog::Captions captions;
    // Told the path before anything is checked (the configuration path keeps even a refused one).
    std::function<void(const QString& path)> notePath;
    // Reads the file, which exists; shows its own failures. The dialog closes afterwards.
    std::function<void(const QString& path)> open;
};

class OpenDialog : public ConfigurationDialog {
    Q_OBJECT

  public:
    OpenDialog(workbench::Document& document, platform::MessageBoxes& messageBoxes, QWidget* mainWindow);
    OpenDialog(platform::MessageBoxes& messageBoxes, FileOpening opening, QWidget* mainWindow);

    // The program's current directory becomes the file list's, and `ficharge` names the file.
    void chooseFile(const QString& name);
    void openListedFile(const QString& name);
    // "OUVRIR".
    void openChosenFile();

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void buildLoadingPanel();

    FileOpening m_opening;
    QLineEdit* m_pathBox = nullptr;
    QFrame* m_loadingPanel = nullptr;
};

// Shows the open dialog, modal over the main window, and returns at once; the dialog is destroyed when
// it closes.
OpenDialog* openOpenDialog(workbench::Document& document, platform::MessageBoxes& messageBoxes,
                           QWidget* mainWindow);

}  // namespace configurationwindow
