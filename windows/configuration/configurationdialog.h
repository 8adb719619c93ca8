#pragma once
// What the open and save dialogs share: the drive, directory and file lists of one kind of file
// (".C13" configurations, or the text files of measurements), the two buttons, the placement over
// the main window, and the lists following each other.
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
        QString pattern;  // the files listed, "*.C13" or "*.csv;*.tsv" ("*.*" for every one)
    };
    ConfigurationDialog(platform::MessageBoxes& messageBoxes, const Captions& captions, QWidget* mainWindow);

    // "ANNULER".
    void cancel();

  protected:
    // The row under the lists holds the name box, with its label when it has one.
    void setNameBox(QWidget* box, const QString& label = QString());

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
