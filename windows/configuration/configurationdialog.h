#pragma once
// What the open and save dialogs share: the drive, directory and file lists of the ".C13" files,
// the two buttons, the placement over the main window, and the lists following each other.
#include <QDialog>

class QGridLayout;
class QLabel;
class QPushButton;

namespace platform {
class DirectoryList;
class DriveList;
class FileList;
class MessageBoxes;
}  // namespace platform

namespace workbench {
class Document;
}

namespace configurationwindow {

class ConfigurationDialog : public QDialog {
    Q_OBJECT

  public:
    // Placed 20 px right of and below the main window's top-left corner; the lists start in the
    // program's current directory unless the dialog moves them.
    struct Captions {
        QString title;
        QString directory;  // the label of `Dir1`
        QString files;      // the label of `File1`
        QString command1;
    };
    ConfigurationDialog(workbench::Document& document, platform::MessageBoxes& messageBoxes,
                        const Captions& captions, QWidget* mainWindow);

    // "ANNULER".
    void cancel();

  protected:
    // The row under the lists holds the name box, with its label when it has one.
    void setNameBox(QWidget* box, const QString& label = QString());

    workbench::Document& m_document;
    platform::MessageBoxes& m_messageBoxes;
    platform::DriveList* m_drives = nullptr;
    platform::DirectoryList* m_folders = nullptr;
    platform::FileList* m_files = nullptr;
    QPushButton* m_actionButton = nullptr;
    QPushButton* m_cancelButton = nullptr;

  private:
    QGridLayout* m_nameRow = nullptr;
};

}  // namespace configurationwindow
