#pragma once
// The exercise browser "Ouvrir un exercice": it lists the exercise files ("*.E36") of a folder, previews the
// one clicked (title, level, notions, duration, whether it is corrected) and opens it: its statement goes
// into the main window's text area and its configuration into the workbench. It covers the main window
// exactly while it is shown.
#include <QDialog>
#include <QPixmap>
#include <array>

#include "windows/exercises/exercisecontext.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QToolButton;

namespace platform {
class DirectoryList;
class DriveList;
class FileList;
}  // namespace platform

namespace exercisewindow {

class HourglassBox;
class TitleBand;

class ExerciseBrowser : public QDialog {
    Q_OBJECT

  public:
    // Loads the window (its steps run; it is not shown) on the folder of the shipped exercises.
    explicit ExerciseBrowser(const ExerciseContext& context);

    // A file of the list clicked: its path shows and the preview follows.
    void chooseFile(const QString& name);
    // Another folder is listed: no file of it is chosen yet, so only the hint shows.
    void clearChoice();
    void closeBrowser();
    // Fills the preview from the selected file.
    void showPreview();
    // Opens the selected exercise; the window closes once it is open.
    void openSelectedExercise();

    QString selectedPath() const;
    void setSelectedPath(const QString& path);
    // The folder of the shipped exercises, the program's folder when there is none.
    static QString startFolder(const QString& applicationFolder);

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void openOnStartFolder();
    void previewFirstFile();
    void buildLists();
    void buildPreview();
    void buildLoadingPanel();
    void layoutControls();
    void showLevel(double level);
    // Everything the preview shows but the hint, emptied and hidden.
    void clearPreview();
    // The preview's labels, boxes and open button: what shows with a file, the level icons apart.
    std::array<QWidget*, 8> previewWidgets() const;

    ExerciseContext m_context;
    TitleBand* m_titleBand = nullptr;
    // The drive, folder and file lists with the path box, on their card.
    struct Lists {
        QWidget* card = nullptr;
        platform::DriveList* drives = nullptr;
        platform::DirectoryList* folders = nullptr;
        platform::FileList* files = nullptr;
        QLineEdit* pathBox = nullptr;
    };
    // What the preview shows of the chosen exercise.
    struct Preview {
        QLabel* title = nullptr;
        QLabel* chooseHint = nullptr;
        QLabel* levelLabel = nullptr;
        std::array<QLabel*, 3> levelIcons{};
        QLabel* notionsLabel = nullptr;
        QPlainTextEdit* notions = nullptr;
        QLabel* correctedLabel = nullptr;
        QLabel* correctedShadow = nullptr;
        QLabel* durationLabel = nullptr;
        HourglassBox* duration = nullptr;
        QToolButton* openButton = nullptr;
    };

    Lists m_lists;
    Preview m_preview;
    QToolButton* m_closeButton = nullptr;
    QWidget* m_loadingPanel = nullptr;
    QPixmap m_lit;
    QPixmap m_dark;
};

// Shows the browser, modal over the main window, and returns when it closes.
void openExerciseBrowser(const ExerciseContext& context);

// Opens the exercise at `path` without showing the browser, as another program of the family
// asks through the shared record file. The names the exercise holds are taken from its own
// folder, and whether it has a correction from its records.
void openExerciseByPath(const ExerciseContext& context, const QString& path);

}  // namespace exercisewindow
