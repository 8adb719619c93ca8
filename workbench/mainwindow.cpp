#include "workbench/mainwindow.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTableWidget>
#include <QTimer>
#include <algorithm>

#include "platform/helpviewer.h"
#include "platform/messageboxes.h"
#include "platform/pixelratio.h"
#include "platform/richtextbox.h"
#include "platform/screenzoom.h"
#include "platform/surface.h"
#include "state/situationactions.h"
#include "workbench/benchaccessibility.h"
#include "workbench/copymenu.h"
#include "workbench/entryfield.h"
#include "workbench/exercisesession.h"
#include "workbench/graphpanel.h"
#include "workbench/hintline.h"
#include "workbench/historypanel.h"
#include "workbench/illustrationpanel.h"
#include "workbench/keyboardaccess.h"
#include "workbench/measurementpage.h"
#include "workbench/measurementtable.h"
#include "workbench/optionspage.h"
#include "workbench/parameterpanel.h"
#include "workbench/printsources.h"
#include "workbench/recoverykeeper.h"
#include "workbench/tabstrip.h"
#include "workbench/undokeys.h"
#include "workbench/windowbackground.h"
#include "workbench/windowzoom.h"

namespace workbench {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

namespace {

// The designed layout of the window, in pixels of its client area.
constexpr QRect kIllustration{8, 48, 289, 497};
constexpr QRect kTabStrip{304, 48, 481, 297};
constexpr int kSituationLeft = 328;
constexpr int kSituationTop = 352;
constexpr int kSituationStep = 19;
constexpr QRect kFileName{424, 352, 281, 21};
constexpr QRect kExerciseButton{709, 351, 76, 23};
constexpr QRect kTextArea{424, 376, 361, 169};
constexpr QRect kHintLine{8, 551, 784, 44};

struct CommandButton {
    Command command;
    const char* name;
    const char* caption;
    const char* hint;
};

// The command bar, left to right.
constexpr CommandButton kCommands[7] = {
    {Command::Open, "Command2", "&Ouvrir", "Pour retrouver une situation enregistrée"},
    {Command::Save, "Command11", "&Enregistrer", "Enregistrer les paramètres en cours"},
    {Command::Copy, "Command4", "Co&pier",
     "Copier pour placer l'image dans le presse- papiers puis coller depuis Word, Paint..."},
    {Command::Print, "Command10", "&Imprimer", "Configurer l'imprimante et imprimer l'image"},
    {Command::Calculator, "Command8", "&Calculatrice", "Afficher la machine à calculer"},
    {Command::Help, "Command7", "&Aide", "Si vous rencontrez une difficulté avec cette application"},
    {Command::Close, "Command1", "&Fermer",
     "Pour retrouver le module principal et quitter cette application"},
};
constexpr int kCopyCommand = 2;
constexpr int kHelpCommand = 5;
constexpr int kCloseCommand = 6;

// Situation 10 draws in the system's button-text colour.
state::SituationColours systemSituationColours() {
    return state::SituationColours(platform::colourOf(QApplication::palette().color(QPalette::ButtonText)));
}

}  // namespace

SituationMarker::SituationMarker(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void SituationMarker::setColour(const QColor& colour) {
    m_colour = colour;
    update();
}

void SituationMarker::paintEvent(QPaintEvent*) {
    // A ring around the situation's disc.
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(m_colour, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRectF(1, 1, width() - 2, height() - 2));
}

std::optional<QRect> windowPlacement(const QRect& screen, const QSize& frameMargins, double zoom) {
    if (screen.width() * zoom <= 850) return std::nullopt;
    const int outerWidth = MainWindow::kWidth + frameMargins.width();
    const int outerHeight = MainWindow::kHeight + frameMargins.height();
    int left = screen.left() + (screen.width() - outerWidth) / 2;
    int top = screen.top() + (screen.height() - outerHeight) / 2;
    if (zoom > 1) {
        left = std::max(left, screen.left());
        top = std::max(top, screen.top());
    }
    return QRect(left, top, outerWidth, outerHeight);
}

QString MainWindow::defaultHint() {
    return QStringLiteral("Vous pouvez modifier les paramètres,\nouvrir une configuration ou un exercice");
}

QString MainWindow::copyDoneMessage() {
    return HintLine::copyDoneMessage();
}

MainWindow::MainWindow(Services services, QWidget* parent)
    : QWidget(parent),
      m_services(std::move(services)),
      m_workbench(m_services.messageBoxes, systemSituationColours()),
      m_document(m_workbench, m_services.messageBoxes),
      m_sharedFile(m_services.applicationFolder),
      m_saveLocations(m_services.applicationFolder) {
    setObjectName(QStringLiteral("feuilleP"));
    setWindowTitle(QStringLiteral("Vireltra"));
    setMouseTracking(true);
    resize(kWidth, kHeight);
    connect(&m_document, &Document::captionChanged, this, &QWidget::setWindowTitle);
    // The background is drawn at the screen's resolution from the start, and again at another.
    m_background.ratio = devicePixelRatioF();
    platform::followDevicePixelRatio(*this, [this](double ratio) {
        if (ratio == m_background.ratio) return;
        m_background.ratio = ratio;
        paintBackground();
    });
    buildWindow();
}

MainWindow::~MainWindow() {
    m_recovery.reset();
    if (m_help) delete m_help;
}

void MainWindow::buildWindow() {
    m_sharedFile.markRunning(true);
    placeWindow();
    m_zoom = new WindowZoom(*this, [this] { placeWindow(); });
    buildCommandBar();
    buildTextArea();
    setHint(defaultHint());
    m_session->writeWelcomeText();
    buildSituationButtons();
    m_workbench.holdApparatus();
    m_workbench.perform(state::setDefaults);
    buildPanels();
    paintBackground();
    m_workbench.perform(state::start);
    m_workbench.releaseApparatus();
    m_panels.tabs->selectTab(1);
    setUpKeyboard();
    m_accessibility = new BenchAccessibility(m_workbench, *this, m_services.announcer);
    addUndoKeys(*this, m_workbench);
    connect(m_session, &ExerciseSession::exerciseOpened, this, [this] { m_workbench.restartHistory(); });
    m_workbench.restartHistory();
    if (!m_services.recoveryFolder.isEmpty()) {
        m_recovery = std::make_unique<RecoveryKeeper>(m_workbench, m_document, *m_session,
                                                      m_services.messageBoxes, m_services.recoveryFolder);
    }
}

void MainWindow::offerRecovery() {
    if (m_recovery) m_recovery->offerRestore();
}

void MainWindow::buildCommandBar() {
    const int width = (kWidth - 16 - 6 * 6) / 7;
    for (int i = 0; i < 7; ++i) {
        auto* button = new QPushButton(QString::fromUtf8(kCommands[i].caption), this);
        button->setObjectName(QString::fromLatin1(kCommands[i].name));
        button->setGeometry(8 + i * (width + 6), 4, width, 41);
        watchHint(button, QString::fromUtf8(kCommands[i].hint));
        m_controls.commands[static_cast<std::size_t>(i)] = button;
        // The dialogs behind the other buttons come with their own windows.
        button->setEnabled(i == kHelpCommand || i == kCloseCommand);
    }
    connect(m_controls.commands[kCloseCommand], &QPushButton::clicked, this, &MainWindow::closeWindow);
    connect(m_controls.commands[kHelpCommand], &QPushButton::clicked, this, &MainWindow::showHelp);
}

void MainWindow::buildTextArea() {
    m_controls.exerciseName = new QLineEdit(this);
    m_controls.exerciseName->setObjectName(QStringLiteral("fich"));
    m_controls.exerciseName->setGeometry(kFileName);
    m_controls.exerciseName->setReadOnly(true);

    m_controls.exercises = new QPushButton(QStringLiteral("Exercices"), this);
    m_controls.exercises->setObjectName(QStringLiteral("btexo"));
    m_controls.exercises->setGeometry(kExerciseButton);
    m_controls.exercises->setEnabled(false);  // the exercise menu comes with the exercise window
    watchHint(
        m_controls.exercises,
        QStringLiteral("Ouvrir un énoncé, enregistrer le texte, obtenir la correction, imprimer ou fermer"));

    m_controls.text = new platform::RichTextBox(this);
    m_controls.text->setObjectName(QStringLiteral("supertext"));
    m_controls.text->setGeometry(kTextArea);
    m_controls.text->setTabChangesFocus(true);
    m_controls.text->installEventFilter(this);
    m_session = new ExerciseSession(*m_controls.text, m_document, this);
    connect(m_session, &ExerciseSession::nameChanged, this, &MainWindow::showExerciseName);

    m_controls.hintLine = new HintLine(this);
    m_controls.hintLine->setGeometry(kHintLine);
    m_controls.hintLine->setWordWrap(true);
    m_controls.hintLine->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_controls.hintLine->setFont(QFont(QStringLiteral("Arial"), 9));
    m_controls.hintLine->setMouseTracking(true);
}

void MainWindow::buildSituationButtons() {
    // A group of their own: left to themselves, option buttons take every option button of the
    // window, the panel's included, as their fellows for the arrow keys and the focus.
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < state::kSituationCount; ++i) {
        auto* button = new QRadioButton(QStringLiteral("Situation n° %1").arg(i + 1), this);
        button->setObjectName(QStringLiteral("Option2(%1)").arg(i));
        button->setGeometry(kSituationLeft, kSituationTop + i * kSituationStep, 92, kSituationStep - 1);
        button->setAutoFillBackground(true);
        QPalette palette = button->palette();
        palette.setColor(QPalette::Window, QColor(255, 255 - 9 * i, 180));
        button->setPalette(palette);
        connect(button, &QRadioButton::clicked, this,
                [this, i] { m_workbench.perform(state::switchSituation, i); });
        group->addButton(button, i);
        m_situations.buttons[static_cast<std::size_t>(i)] = button;
    }
    m_situations.marker = new SituationMarker(this);
    m_situations.marker->setObjectName(QStringLiteral("Shape3"));
    m_situations.marker->resize(14, 14);
    connect(&m_workbench, &BenchController::changed, this, [this](state::Changes changes) {
        if (changes.has(state::Changed::Controls)) showCurrentSituation();
    });
}

void MainWindow::showCurrentSituation() {
    const int current = m_workbench.state().situations.current;
    if (current < 0) {
        m_situations.marker->hide();
        return;
    }
    QRadioButton* button = m_situations.buttons[static_cast<std::size_t>(current)];
    if (!button->isChecked()) button->setChecked(true);
    m_situations.marker->setColour(platform::toQColor(state::situationColour(m_workbench.state(), current)));
    m_situations.marker->move(button->x() - 19, button->y() + 3);
    m_situations.marker->show();
}

void MainWindow::buildPanels() {
    m_panels.illustration = new IllustrationPanel(m_workbench, this);
    m_panels.illustration->setGeometry(kIllustration);
    connect(m_panels.illustration, &IllustrationPanel::hint, this, &MainWindow::setHint);

    m_panels.tabs = new TabStrip(this);
    m_panels.tabs->setGeometry(kTabStrip);
    connect(m_panels.tabs, &TabStrip::hint, this, &MainWindow::setHint);

    connect(&m_workbench, &BenchController::hint, this, &MainWindow::setHint);
    m_panels.parameters = new ParameterPanel(m_workbench, m_panels.tabs);
    connect(m_panels.parameters, &ParameterPanel::hint, this, &MainWindow::setHint);
    m_panels.tabs->setPage(TabPage::Beaker, m_panels.parameters);
    // The other pages are built when first shown or asked for: the start shows only the first.
    m_panels.tabs->setPageBuilder(TabPage::Graph, [this] { return buildGraphPage(); });
    m_panels.tabs->setPageBuilder(TabPage::Table, [this] { return buildTablePage(); });
    m_panels.tabs->setPageBuilder(TabPage::Options, [this] { return buildOptionsPage(); });
    m_panels.tabs->setPageBuilder(TabPage::History, [this] { return buildHistoryPage(); });

    m_printSources = std::make_unique<WindowPrintSources>(
        m_workbench, [this]() -> const MeasurementTable& { return tablePage(); });
    m_panels.copyMenu = new CopyMenu(
        m_workbench, [this]() -> HistoryPanel& { return historyPage(); },
        [this]() -> MeasurementTable& { return tablePage(); }, m_services.clipboard, *m_controls.hintLine,
        this);
    setCommandAction(Command::Copy, [this] { m_panels.copyMenu->popUpCopyMenu(); });
    m_panels.copyMenu->setButton(m_controls.commands[kCopyCommand]);

    connect(&m_workbench, &BenchController::entryCommitRequested, this, &MainWindow::commitEntry);
}

QWidget* MainWindow::buildGraphPage() {
    m_panels.graph = new GraphPanel(m_workbench, m_panels.tabs);
    connect(m_panels.graph, &GraphPanel::hint, this, &MainWindow::setHint);
    addToKeyboard(*m_panels.graph, m_panels.graph->tabOrder());
    return m_panels.graph;
}

QWidget* MainWindow::buildTablePage() {
    m_panels.table = new MeasurementTable(m_workbench.state().rows, m_panels.tabs);
    connect(&m_workbench, &BenchController::changed, m_panels.table, [this](state::Changes changes) {
        if (changes.has(state::Changed::Rows)) m_panels.table->showRows();
    });
    // Tab leaves the grid; the arrows go from cell to cell.
    m_panels.table->grid().setTabKeyNavigation(false);
    m_panels.tablePage = new MeasurementPage(m_workbench, *m_panels.table, m_panels.tabs);
    for (int i = 0; i < kLabCommandCount; ++i) {
        const auto& action = m_panels.labActions[static_cast<std::size_t>(i)];
        if (action) m_panels.tablePage->setAction(static_cast<LabCommand>(i), action);
    }
    std::vector<QWidget*> controls{&m_panels.table->grid()};
    for (QWidget* control : m_panels.tablePage->tabOrder()) controls.push_back(control);
    addToKeyboard(*m_panels.tablePage, controls);
    return m_panels.tablePage;
}

QWidget* MainWindow::buildOptionsPage() {
    m_panels.options = new OptionsPage(m_workbench, m_panels.tabs);
    connect(m_panels.options, &OptionsPage::hint, this, &MainWindow::setHint);
    m_panels.options->setZoomChoice(m_zoom->makeChoice(m_panels.options));
    addToKeyboard(*m_panels.options, m_panels.options->tabOrder());
    return m_panels.options;
}

QWidget* MainWindow::buildHistoryPage() {
    m_panels.history = new HistoryPanel(m_workbench, m_panels.tabs);
    addToKeyboard(*m_panels.history, {m_panels.history});
    return m_panels.history;
}

MeasurementTable& MainWindow::tablePage() {
    m_panels.tabs->page(TabPage::Table);
    return *m_panels.table;
}

MeasurementPage& MainWindow::measurementPage() {
    m_panels.tabs->page(TabPage::Table);
    return *m_panels.tablePage;
}

void MainWindow::setLabAction(LabCommand command, std::function<void()> action) {
    m_panels.labActions[static_cast<std::size_t>(command)] = action;
    if (m_panels.tabs->hasPage(TabPage::Table)) m_panels.tablePage->setAction(command, std::move(action));
}

HistoryPanel& MainWindow::historyPage() {
    m_panels.tabs->page(TabPage::History);
    return *m_panels.history;
}

void MainWindow::commitEntry(Input input) {
    if (input == Input::Mouse) {
        // Taking the focus away commits the entry being edited.
        m_controls.text->setFocus();
        return;
    }
    // A key held on the tap would lose its release with the focus: the entry is committed where
    // it is.
    if (auto* field = qobject_cast<EntryField*>(QApplication::focusWidget()); field && isAncestorOf(field))
        field->commit();
}

void MainWindow::paintBackground() {
    WindowBackground layout;
    layout.textArea = kTextArea;
    layout.fileNameBox = kFileName;
    for (int i = 0; i < state::kSituationCount; ++i) {
        const QRadioButton* button = m_situations.buttons[static_cast<std::size_t>(i)];
        layout.discs.push_back({button->x(), button->y(), state::situationColour(m_workbench.state(), i)});
    }
    platform::Surface surface(kWidth, kHeight);
    surface.setDevicePixelRatio(m_background.ratio);
    paintWindowBackground(surface, layout);
    // Kept as its runs of one colour: a few kilobytes instead of the whole picture.
    m_background.picture = platform::RunLengthPicture(surface.image());
    update();
}

void MainWindow::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    m_background.picture.draw(painter, event->rect());
    if (!m_lifetime.painted) {
        m_lifetime.painted = true;
        // Told once the frame is flushed, back in the event loop.
        QTimer::singleShot(0, this, &MainWindow::firstFramePainted);
    }
}

QPushButton* MainWindow::commandButton(Command command) const {
    if (command == Command::Exercises) return m_controls.exercises;
    for (std::size_t i = 0; i < std::size(kCommands); ++i) {
        if (kCommands[i].command == command) return m_controls.commands[i];
    }
    return nullptr;
}

void MainWindow::setCommandAction(Command command, std::function<void()> action) {
    QPushButton* button = commandButton(command);
    if (!button || !action) return;
    disconnect(button, &QPushButton::clicked, nullptr, nullptr);
    connect(button, &QPushButton::clicked, this, std::move(action));
    button->setEnabled(true);
}

void MainWindow::showExerciseName(const QString& name) {
    m_controls.exerciseName->setText(name);
    m_controls.exerciseName->setCursorPosition(static_cast<int>(name.size()));
    m_controls.exerciseName->setToolTip(name);
    // Tab types a tab into an exercise being written in; the welcome text lets it through.
    m_controls.text->setTabChangesFocus(name.isEmpty());
}

void MainWindow::setHint(const QString& text) {
    m_controls.hintLine->showHint(text);
}

QString MainWindow::hint() const {
    return m_controls.hintLine->text();
}

void MainWindow::watchHint(QWidget* widget, const QString& text) {
    widget->setMouseTracking(true);
    widget->setProperty("hint", text);
    widget->installEventFilter(this);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_controls.text && event->type() == QEvent::KeyPress &&
        leaveTextArea(static_cast<QKeyEvent*>(event))) {
        return true;
    }
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) {
        const QVariant text = watched->property("hint");
        if (text.isValid()) {
            if (watched == m_controls.commands[kCopyCommand]) {
                m_controls.hintLine->showCopyButtonHint(text.toString());
            } else {
                setHint(text.toString());
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
    // A move that a control under the pointer let through is not over the bare window.
    const QWidget* under = childAt(event->position().toPoint());
    if (under == nullptr || under == m_controls.hintLine) setHint(defaultHint());
    QWidget::mouseMoveEvent(event);
}

// --- Window life ------------------------------------------------------------------------------

void MainWindow::placeWindow() {
    if (m_placement.placing) return;
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QSize margins = frameGeometry().size() - geometry().size();
    const auto placement = windowPlacement(screen->geometry(), margins, platform::zoomFactor());
    if (!placement) return;
    m_placement.placing = true;
    if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized)) {
        setWindowState(Qt::WindowNoState);
    }
    resize(kWidth, kHeight);
    move(placement->topLeft());
    m_placement.placing = false;
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Any resize snaps back to the designed size on a large screen.
    if (!m_placement.placing && size() != QSize(kWidth, kHeight))
        QTimer::singleShot(0, this, &MainWindow::placeWindow);
}

void MainWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        // The frame's size is known only once the window is on screen: centre it again with it.
        if (!m_placement.centredWithFrame) {
            m_placement.centredWithFrame = true;
            placeWindow();
        }
        checkExerciseRequest();
    }
    if (event->type() == QEvent::WindowStateChange && !m_placement.placing)
        QTimer::singleShot(0, this, &MainWindow::placeWindow);
}

void MainWindow::checkExerciseRequest() {
    const QString request = m_sharedFile.takeExerciseRequest();
    if (request.trimmed().isEmpty()) return;
    if (!m_services.openExercise) return;
    hide();
    QApplication::processEvents();
    QString folder = m_services.applicationFolder;
    if (!folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
    m_session->setFolder(folder);
    m_services.openExercise(folder + request);
    show();
    m_exerciseFromTempFile = true;
}

void MainWindow::closeWindow() {
    close();
}

void MainWindow::showHelp() {
    if (!m_help) {
        m_help = new platform::HelpViewer(m_services.applicationFolder + QStringLiteral("/help"));
        m_help->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_help->showContents();
}

bool MainWindow::confirmClose() {
    auto& boxes = m_services.messageBoxes;
    if (m_session->isModified()) {
        const auto answer =
            boxes.show(MessageIcon::Question, QStringLiteral("Attention: perte des modifications du texte."),
                       QStringLiteral("Abandon des données?"), MessageButtons::OkCancel);
        if (answer != MessageAnswer::Ok) return false;
    }
    const auto answer = boxes.show(MessageIcon::Question, QStringLiteral("Quitter vraiment Vireltra ?"),
                                   QStringLiteral("Fermer"), MessageButtons::OkCancel);
    return answer == MessageAnswer::Ok;
}

void MainWindow::markStopped() {
    m_sharedFile.markRunning(false);
    if (m_help) m_help->close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (m_lifetime.closing) {
        event->accept();
        return;
    }
    if (!confirmClose()) {
        event->ignore();
        return;
    }
    m_lifetime.closing = true;
    markStopped();
    // Closed normally: nothing is left to recover.
    if (m_recovery) m_recovery->closeNormally();
    event->accept();
}

}  // namespace workbench
