#pragma once
// The open dialog "Ouvrir une configuration": the pupil picks a ".C13" file in the lists (or types its
// path in `ficharge`) and "OUVRIR" loads it into the workbench, with the panel `Frame1`
// "Chargement du fichier" over the dialog while it loads.
#include "windows/configuration/configurationdialog.h"

class QFrame;
class QLineEdit;

namespace configurationwindow {

class OpenDialog : public ConfigurationDialog {
    Q_OBJECT

  public:
    OpenDialog(workbench::Document& document, platform::MessageBoxes& messageBoxes, QWidget* mainWindow);

    // The program's current directory becomes the file list's, and `ficharge` names the file.
    void chooseFile(const QString& name);
    void openListedFile(const QString& name);
    // "OUVRIR".
    void openChosenFile();

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void buildLoadingPanel();

    QLineEdit* m_pathBox = nullptr;
    QFrame* m_loadingPanel = nullptr;
};

// Shows the open dialog, modal over the main window, and returns at once; the dialog is destroyed when
// it closes.
OpenDialog* openOpenDialog(workbench::Document& document, platform::MessageBoxes& messageBoxes,
                           QWidget* mainWindow);

}  // namespace configurationwindow
