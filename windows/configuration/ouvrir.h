#pragma once
// `ouvrir`, "Ouvrir une configuration": the pupil picks a ".C13" file in the lists (or types its
// path in `ficharge`) and "OUVRIR" loads it into the workbench, with the panel `Frame1`
// "Chargement du fichier" over the dialog while it loads.
#include "windows/configuration/configurationdialog.h"

class QFrame;
class QLineEdit;

namespace configurationwindow {

class Ouvrir : public ConfigurationDialog {
    Q_OBJECT

  public:
    Ouvrir(workbench::Document& document, platform::MessageBoxes& messageBoxes, QWidget* mainWindow);

    // The program's current directory becomes the file list's, and `ficharge` names the file.
    void File1_Click(const QString& name);
    void File1_DblClick(const QString& name);
    // "OUVRIR".
    void Command1_Click();

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void buildLoadingPanel();

    QLineEdit* m_ficharge = nullptr;
    QFrame* m_frame1 = nullptr;
};

// Shows `ouvrir`, modal over the main window, and returns at once; the dialog is destroyed when
// it closes.
Ouvrir* openOuvrir(workbench::Document& document, platform::MessageBoxes& messageBoxes, QWidget* mainWindow);

}  // namespace configurationwindow
