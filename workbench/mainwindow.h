#pragma once
// `feuilleP`: the program's main window. It builds the panels around the one bench, runs the
// command bar, the hint line, the situation buttons and the text area, and asks before closing.
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <QImage>
#include "platform/runlengthpicture.h"
#include "platform/savelocations.h"
#include "workbench/benchcontroller.h"
#include "workbench/command.h"
#include "workbench/document.h"
#include "workbench/services.h"
#include "workbench/sharedrecordfile.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace platform {
class HelpViewer;
class RichTextBox;
}  // namespace platform

namespace workbench {

class BenchAccessibility;
class CopyMenu;
class EnterPressesButton;
class ExerciseSession;
class FocusFrame;
class GraphPanel;
class HintLine;
class HistoryPanel;
class IllustrationPanel;
class MeasurementTable;
class MeasurementPage;
class OptionsPage;
class ParameterPanel;
class PrintSources;
class RecoveryKeeper;
class TabStrip;
class WindowZoom;

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

// Where the window goes on a screen: 800 x 600, centred, when the screen is wider than 850 px;
// nothing on a smaller screen, where it keeps its size. `screen` and the result are measured at
// the zoom, in which the window keeps its designed size; the screen's width is compared in the
// bench's own units. Zoomed past the screen, the window's top left stays on it.
std::optional<QRect> windowPlacement(const QRect& screen, const QSize& frameMargins, double zoom = 1.0);

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

    // The pictures and reports a printout takes. The pictures keep the screen's device pixel
    // ratio: their logical size is deviceIndependentSize().
    PrintSources& printSources() { return *m_printSources; }
    // The table page, built on first use.
    MeasurementPage& measurementPage();
    // Gives a lab command of the table page the window it opens; kept until the page is built, so
    // that handing it in does not build the page at start-up.
    void setLabAction(LabCommand command, std::function<void()> action);

    // Gives a button of the command bar, or the exercise button, the window it opens: the windows
    // live above the workbench, so the program hands them in. The button is enabled with it.
    void setCommandAction(Command command, std::function<void()> action);
    // The window's background at the screen's device pixel ratio.
    QImage background() const { return m_background.picture.toImage(); }
    QString hint() const;

    // The exercise of the text area, which the exercise windows share with the window; the box
    // `fich` shows its name.
    ExerciseSession& exerciseSession() { return *m_session; }
    WindowZoom& zoom() { return *m_zoom; }
    bool exerciseFromTempFile() const { return m_exerciseFromTempFile; }
    const SharedRecordFile& sharedRecordFile() const { return m_sharedFile; }
    // The recovery copy of the bench, when the services name a folder for it.
    RecoveryKeeper* recovery() { return m_recovery.get(); }
    // At start-up, once the window shows: work left by a program that did not close is offered.
    void offerRecovery();
    static QString defaultHint();
    static QString copyDoneMessage();

    // The handlers of the window.
    void checkExerciseRequest();
    bool confirmClose();
    void markStopped();
    void closeWindow();
    void showHelp();
    void placeWindow();

  signals:
    // The first frame is on screen: what it does not show can be set up from now on.
    void firstFramePainted();

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
    QPushButton* commandButton(Command command) const;
    void buildSituationButtons();
    void buildTextArea();
    void buildPanels();
    QWidget* buildGraphPage();
    QWidget* buildTablePage();
    QWidget* buildOptionsPage();
    QWidget* buildHistoryPage();
    MeasurementTable& tablePage();
    HistoryPanel& historyPage();
    std::vector<QWidget*> tabOrder() const;
    void setUpKeyboard();
    // Tab order, Enter on buttons and the focus frame for the controls of a part of the window.
    void watchKeyboard(QWidget& area, const std::vector<QWidget*>& controls);
    void addToKeyboard(QWidget& page, const std::vector<QWidget*>& controls);
    void tabIntoCheckedOption();
    // Pouring starts: the entry being edited is committed.
    void commitEntry(Input input);
    // Ctrl+Tab and Ctrl+Shift+Tab leave the text area even where Tab types a tab.
    bool leaveTextArea(QKeyEvent* event);
    void paintBackground();
    void showExerciseName(const QString& name);
    void setHint(const QString& text);
    void showCurrentSituation();
    void watchHint(QWidget* widget, const QString& text);

    Services m_services;
    BenchController m_workbench;
    Document m_document;
    SharedRecordFile m_sharedFile;
    platform::SaveLocations m_saveLocations;
    // The window's background, kept at the device pixel ratio it was painted at.
    struct Background {
        platform::RunLengthPicture picture;
        double ratio = 1;
    };
    Background m_background;

    // The command bar, the hint line and the exercise's text area with its name.
    struct Controls {
        std::array<QPushButton*, 7> commands{};
        QPushButton* exercises = nullptr;
        HintLine* hintLine = nullptr;
        QLineEdit* exerciseName = nullptr;
        platform::RichTextBox* text = nullptr;
    };
    // The ten situation buttons and the ring on the current one.
    struct SituationButtons {
        std::array<QRadioButton*, state::kSituationCount> buttons{};
        SituationMarker* marker = nullptr;
    };
    // The illustration, the tab strip and its pages, and the copy menu.
    struct Panels {
        IllustrationPanel* illustration = nullptr;
        TabStrip* tabs = nullptr;
        ParameterPanel* parameters = nullptr;
        GraphPanel* graph = nullptr;
        MeasurementTable* table = nullptr;
        MeasurementPage* tablePage = nullptr;  // the table with the lab's commands
        OptionsPage* options = nullptr;
        HistoryPanel* history = nullptr;
        CopyMenu* copyMenu = nullptr;
        std::array<std::function<void()>, kLabCommandCount> labActions;  // handed to the table page
    };
    // The helpers that make the window usable from the keyboard, made once it is built.
    struct Keyboard {
        EnterPressesButton* enterPresses = nullptr;
        FocusFrame* focusFrame = nullptr;
    };
    // Whether the window is being placed (placing resizes it, which would place it again), and
    // whether it was centred again once its frame was known.
    struct Placement {
        bool placing = false;
        bool centredWithFrame = false;
    };

    Controls m_controls;
    ExerciseSession* m_session = nullptr;
    SituationButtons m_situations;
    Panels m_panels;
    Keyboard m_keyboard;
    BenchAccessibility* m_accessibility = nullptr;
    WindowZoom* m_zoom = nullptr;
    std::unique_ptr<PrintSources> m_printSources;
    QPointer<platform::HelpViewer> m_help;
    Placement m_placement;

    bool m_exerciseFromTempFile = false;
    // Whether the first frame was painted (told once), and whether the window is closing.
    struct Lifetime {
        bool painted = false;
        bool closing = false;
    };
    Lifetime m_lifetime;
    // Last, so that it goes first: it watches the bench and the text area.
    std::unique_ptr<RecoveryKeeper> m_recovery;
};

}  // namespace workbench
