#pragma once
// `feuilleP`: the program's main window. It builds the panels around the one bench, runs the
// command bar, the hint line, the situation buttons and the text area, and asks before closing.
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>

#include "platform/savelocations.h"
#include "platform/surface.h"
#include "workbench/benchcontroller.h"
#include "workbench/document.h"
#include "workbench/sharedrecordfile.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace platform {
class Clipboard;
class FileDialogs;
class HelpViewer;
class MessageBoxes;
class Printer;
class RichTextBox;
}  // namespace platform

namespace workbench {

class CopyMenu;
class EnterPressesButton;
class FocusFrame;
class GraphPanel;
class HintLine;
class HistoryPanel;
class IllustrationPanel;
class MeasurementTable;
class OptionsPage;
class ParameterPanel;
class TabStrip;

// `Shape3`: the ring that marks the current situation, in its colour.
class SituationMarker : public QWidget {
    Q_OBJECT

  public:
    explicit SituationMarker(QWidget* parent = nullptr);
    void setColour(const QColor& colour);
    QColor colour() const { return m_colour; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor m_colour;
};

// What the window and the windows opened from it need from outside: the message boxes, the
// clipboard, the file dialogs and the printer (scripted in tests), the folder of the program's
// data, and the opener of an exercise named by another program.
struct Services {
    platform::MessageBoxes& messageBoxes;
    platform::Clipboard& clipboard;
    platform::FileDialogs& fileDialogs;
    platform::Printer& printer;
    QString applicationFolder;
    std::function<void(const QString& exercisePath)> openExercise;
};

// Where the window goes on a screen: 800 x 600, centred, when the screen is wider than 850 px;
// nothing on a smaller screen, where it keeps its size.
std::optional<QRect> windowPlacement(const QRect& screen, const QSize& frameMargins);

class MainWindow : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 600;

    explicit MainWindow(Services services, QWidget* parent = nullptr);
    ~MainWindow() override;

    BenchController& workbench() { return m_workbench; }
    Document& document() { return m_document; }
    const Services& services() const { return m_services; }
    // Where the save dialogs start, and the data folder they may not write into.
    platform::SaveLocations& saveLocations() { return m_saveLocations; }

    // The pictures of the window as they are shown: the apparatus, the graph, the table of values
    // with every row. The first two keep the screen's device pixel ratio: their logical size is
    // deviceIndependentSize().
    QImage illustrationPicture() const;
    QImage graphPicture() const;
    QImage tablePicture() const;
    // The table's header over `rowCount` of its rows from `firstRow`, for a page of a printout.
    QImage tablePicture(int firstRow, int rowCount) const;

    // Gives a button of the command bar, or the exercise button, the window it opens: the windows
    // live above the workbench, so the program hands them in. The button is enabled with it.
    void setCommandAction(const QString& objectName, std::function<void()> action);
    const platform::Surface& background() const { return m_background; }
    QString hint() const;
    bool textModified() const { return m_textModified; }
    QString exerciseFolder() const { return m_exerciseFolder; }

    // The exercise state the exercise windows share with the window: the text area `supertext`,
    // the name of what it shows (`fich`: empty for the welcome text), the flags and the folder
    // that the names read from an exercise file are relative to (ending with "/").
    platform::RichTextBox& supertext() { return *m_supertext; }
    QString fich() const;
    void setFich(const QString& text);
    void setTextModified(bool modified) { m_textModified = modified; }
    void setExerciseFolder(const QString& folder) { m_exerciseFolder = folder; }
    bool correctionAvailable() const { return m_correctionAvailable; }
    void setCorrectionAvailable(bool available) { m_correctionAvailable = available; }
    void writeWelcomeText();
    bool exerciseFromTempFile() const { return m_exerciseFromTempFile; }
    const SharedRecordFile& sharedRecordFile() const { return m_sharedFile; }
    static QString defaultHint();
    static QString copyDoneMessage();

    // The handlers of the window.
    void checkExerciseRequest();
    bool confirmClose();
    void markStopped();
    void closeWindow();
    void showHelp();
    void placeWindow();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildWindow();
    void buildCommandBar();
    void buildSituationButtons();
    void buildTextArea();
    void buildPanels();
    void setUpKeyboard();
    void tabIntoCheckedOption();
    // Pouring starts: the entry being edited is committed.
    void commitEntry(Input input);
    // Ctrl+Tab and Ctrl+Shift+Tab leave the text area even where Tab types a tab.
    bool leaveTextArea(QKeyEvent* event);
    void paintBackground();
    void setHint(const QString& text);
    void showCurrentSituation();
    void watchHint(QWidget* widget, const QString& text);

    Services m_services;
    BenchController m_workbench;
    Document m_document;
    SharedRecordFile m_sharedFile;
    platform::SaveLocations m_saveLocations;
    platform::Surface m_background;

    std::array<QPushButton*, 7> m_commands{};
    QPushButton* m_btexo = nullptr;
    HintLine* m_hintLine = nullptr;
    QLineEdit* m_fich = nullptr;
    platform::RichTextBox* m_supertext = nullptr;
    std::array<QRadioButton*, state::kSituationCount> m_situationButtons{};
    SituationMarker* m_situationMarker = nullptr;

    IllustrationPanel* m_illustration = nullptr;
    TabStrip* m_tabs = nullptr;
    ParameterPanel* m_parameters = nullptr;
    GraphPanel* m_graph = nullptr;
    MeasurementTable* m_table = nullptr;
    OptionsPage* m_options = nullptr;
    HistoryPanel* m_history = nullptr;
    CopyMenu* m_copyMenu = nullptr;
    EnterPressesButton* m_enterPresses = nullptr;
    FocusFrame* m_focusFrame = nullptr;
    QPointer<platform::HelpViewer> m_help;

    bool m_textModified = false;
    bool m_correctionAvailable = false;
    bool m_exerciseFromTempFile = false;
    QString m_exerciseFolder;
    bool m_closing = false;
    bool m_placing = false;
    bool m_centredWithFrame = false;
};

}  // namespace workbench
