#pragma once
// `Fichexo`, the exercise browser "Ouvrir un exercice": it lists the exercise files ("*.E36") of a
// folder, previews the one clicked (title, level, notions, duration, whether it is corrected) and
// opens it: its statement goes into the main window's text area and its configuration into the
// workbench. It covers the main window exactly while it is shown.
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

class Fichexo : public QDialog {
    Q_OBJECT

  public:
    // Loads the window (its steps run; it is not shown) on the folder of the shipped exercises.
    explicit Fichexo(const ExerciseContext& context);

    // The handlers of the window.
    void File1_Click(const QString& name);
    // Another folder is listed: no file of it is chosen yet, so only the hint shows.
    void File1_PathChange();
    void Image5_Click();
    // Fills the preview from the file named in `fichierexo`.
    void apercu();
    // Opens the exercise named in `fichierexo`; the window closes once it is open.
    void ouvreur();

    QString fichierexo() const;
    void setFichierexo(const QString& path);
    // The folder of the shipped exercises, the program's folder when there is none.
    static QString startFolder(const QString& applicationFolder);

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void Form_Load();
    void Form_Activate();
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
    TitleBand* m_tito = nullptr;
    QWidget* m_frame1 = nullptr;
    platform::DriveList* m_drive1 = nullptr;
    platform::DirectoryList* m_dir1 = nullptr;
    platform::FileList* m_file1 = nullptr;
    QLineEdit* m_fichierexo = nullptr;
    QLabel* m_titratexo = nullptr;
    QLabel* m_intratro = nullptr;
    QLabel* m_label4 = nullptr;
    std::array<QLabel*, 3> m_image4{};
    QLabel* m_label1 = nullptr;
    QPlainTextEdit* m_text1 = nullptr;
    QLabel* m_label2 = nullptr;
    QLabel* m_label3 = nullptr;
    QLabel* m_durationLabel = nullptr;
    HourglassBox* m_text2 = nullptr;
    QToolButton* m_ouvreur = nullptr;
    QToolButton* m_image5 = nullptr;
    QWidget* m_frame2 = nullptr;
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
