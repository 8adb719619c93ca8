#include "windows/exercises/exercisebrowser.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/folderbrowser.h"
#include "platform/richtextbox.h"
#include "windows/exercises/browserpictures.h"
#include "windows/exercises/browserwidgets.h"
#include "windows/exercises/exercisetext.h"
#include "workbench/exercisesession.h"
#include "workbench/services.h"

namespace exercisewindow {
namespace {

constexpr int kBandHeight = 48;
constexpr int kOverlap = 8;  // the list frame slips under the title band
constexpr int kMargin = 10;
constexpr int kListWidth = 270;
constexpr QColor kInk{24, 62, 138};
constexpr QColor kCorrected{20, 130, 60};
constexpr QColor kNotCorrected{190, 90, 20};

QFont fontOfPixels(int pixels, bool bold = false, bool italic = false) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

QLabel* label(const QString& name, const QString& text, QWidget* parent, const QFont& font) {
    auto* created = new QLabel(text, parent);
    created->setObjectName(name);
    created->setFont(font);
    return created;
}

QToolButton* imageButton(const QString& name, const QPixmap& picture, const QString& text,
                         const QString& colours, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setIcon(QIcon(picture));
    button->setIconSize(QSize(32, 32));
    button->setText(text);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setFont(fontOfPixels(14, true));
    button->setCursor(Qt::PointingHandCursor);
    button->setStyleSheet(QStringLiteral("QToolButton { %1; border-radius: 8px; padding: 4px 12px; }"
                                         "QToolButton:hover { border-width: 2px; }")
                              .arg(colours));
    return button;
}

}  // namespace

ExerciseBrowser::ExerciseBrowser(const ExerciseContext& context)
    : QDialog(&context.window), m_context(context), m_lit(levelPicture(true)), m_dark(levelPicture(false)) {
    setObjectName(QStringLiteral("Fichexo"));
    m_titleBand = new TitleBand(this);
    m_titleBand->setObjectName(QStringLiteral("tito"));
    m_titleBand->setTitle(QStringLiteral("Ouvrir un exercice"));
    buildLists();
    buildPreview();
    buildLoadingPanel();
    openOnStartFolder();
}

void ExerciseBrowser::buildLists() {
    m_lists.card = new QWidget(this);
    m_lists.card->setObjectName(QStringLiteral("Frame1"));
    auto* caption = label(QStringLiteral("Label5"), QStringLiteral("Liste des exercices:"), m_lists.card,
                          fontOfPixels(14, true));
    caption->setGeometry(14, kOverlap + 10, kListWidth - 28, 20);
    QPalette ink = caption->palette();
    ink.setColor(QPalette::WindowText, kInk);
    caption->setPalette(ink);
    const auto* lists = new platform::FolderBrowser(m_lists.card);
    m_lists.drives = lists->drives();
    m_lists.folders = lists->folders();
    m_lists.files = lists->files();
    m_lists.files->setFont(fontOfPixels(13));
    connect(m_lists.files, &platform::FileList::fileClicked, this, &ExerciseBrowser::chooseFile);
    connect(m_lists.files, &platform::FileList::pathChanged, this, &ExerciseBrowser::clearChoice);
    connect(m_lists.files, &platform::FileList::fileDoubleClicked, this,
            &ExerciseBrowser::openSelectedExercise);
    connect(m_lists.files, &platform::FileList::fileEntered, this, &ExerciseBrowser::openSelectedExercise);
}

void ExerciseBrowser::buildPreview() {
    m_lists.pathBox = new QLineEdit(this);
    m_lists.pathBox->setObjectName(QStringLiteral("fichierexo"));
    m_lists.pathBox->setAccessibleName(QStringLiteral("Fichier de l'exercice"));
    m_lists.pathBox->setReadOnly(true);
    m_lists.pathBox->setFont(fontOfPixels(12));
    m_lists.pathBox->setStyleSheet(
        QStringLiteral("QLineEdit { background: #f4f6fa; color: #55607a; border: 1px solid #d6dbe6;"
                       " border-radius: 4px; padding: 1px 4px; }"));

    m_preview.title = label(QStringLiteral("titratexo"), QString(), this, fontOfPixels(19, true));
    m_preview.title->setWordWrap(true);
    m_preview.title->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QPalette ink = m_preview.title->palette();
    ink.setColor(QPalette::WindowText, kInk);
    m_preview.title->setPalette(ink);

    m_preview.chooseHint = label(QStringLiteral("intratro"), QStringLiteral("Sélectionner un fichier"), this,
                                 fontOfPixels(22, false, true));
    m_preview.chooseHint->setAlignment(Qt::AlignCenter);
    QPalette grey = m_preview.chooseHint->palette();
    grey.setColor(QPalette::WindowText, QColor(150, 156, 170));
    m_preview.chooseHint->setPalette(grey);

    m_preview.levelLabel = label(QStringLiteral("Label4"), QStringLiteral("Niveau de difficulté :"), this,
                                 fontOfPixels(14, true));
    for (std::size_t k = 0; k < m_preview.levelIcons.size(); ++k) {
        m_preview.levelIcons[k] = label(QStringLiteral("Image4(%1)").arg(k), QString(), this, font());
        m_preview.levelIcons[k]->setPixmap(m_dark);
    }
    m_preview.durationLabel =
        label(QStringLiteral("Label6"), QStringLiteral("Durée :"), this, fontOfPixels(14, true));
    m_preview.duration = new HourglassBox(this);
    m_preview.duration->setObjectName(QStringLiteral("Text2"));
    m_preview.duration->setToolTip(QStringLiteral("Durée de l'exercice"));

    m_preview.notionsLabel =
        label(QStringLiteral("Label1"), QStringLiteral("Notions abordées :"), this, fontOfPixels(14, true));
    m_preview.notions = new QPlainTextEdit(this);
    m_preview.notions->setObjectName(QStringLiteral("Text1"));
    m_preview.notions->setReadOnly(true);
    m_preview.notions->setFont(fontOfPixels(14));
    m_preview.notions->setStyleSheet(
        QStringLiteral("QPlainTextEdit { background: #fffbea; border: 1px solid #eadca8;"
                       " border-radius: 6px; padding: 4px; }"));

    // The shadow first, so that the label is drawn over it.
    m_preview.correctedShadow = label(QStringLiteral("Label3"), QString(), this, fontOfPixels(17, true));
    m_preview.correctedLabel = label(QStringLiteral("Label2"), QString(), this, fontOfPixels(17, true));
    QPalette shadow = m_preview.correctedShadow->palette();
    shadow.setColor(QPalette::WindowText, QColor(200, 204, 212));
    m_preview.correctedShadow->setPalette(shadow);

    m_preview.openButton =
        imageButton(QStringLiteral("ouvreur"), openPicture(), QStringLiteral("Ouvrir l'exercice"),
                    QStringLiteral("background: #e3f4e6; border: 1px solid #5fae72; color: #1d5e2c"), this);
    m_preview.openButton->setToolTip(QStringLiteral("Charger l'énoncé et la configuration de l'exercice"));
    m_closeButton =
        imageButton(QStringLiteral("Image5"), closePicture(), QStringLiteral("Fermer"),
                    QStringLiteral("background: #fbe9e7; border: 1px solid #d08a84; color: #7a2420"), this);
    m_closeButton->setToolTip(QStringLiteral("Fermer la liste des exercices"));
    connect(m_preview.openButton, &QToolButton::clicked, this, &ExerciseBrowser::openSelectedExercise);
    connect(m_closeButton, &QToolButton::clicked, this, &ExerciseBrowser::closeBrowser);

    // Until a file is previewed only the hint shows.
    clearPreview();
}

void ExerciseBrowser::buildLoadingPanel() {
    m_loadingPanel = new QFrame(this);
    m_loadingPanel->setObjectName(QStringLiteral("Frame2"));
    m_loadingPanel->setStyleSheet(
        QStringLiteral("QFrame#Frame2 { background: white; border: 2px solid #183e8a;"
                       " border-radius: 12px; }"));
    auto* icon = new QLabel(m_loadingPanel);
    icon->setPixmap(hourglassPicture(48));
    auto* wait = label(QStringLiteral("Label7"), QStringLiteral("Patienter quelques instants"),
                       m_loadingPanel, fontOfPixels(17, true));
    auto* loading = label(QStringLiteral("Label8"), QStringLiteral(" Chargement des fichiers"),
                          m_loadingPanel, fontOfPixels(14));
    auto* texts = new QVBoxLayout;
    texts->addStretch();
    texts->addWidget(wait);
    texts->addWidget(loading);
    texts->addStretch();
    auto* row = new QHBoxLayout(m_loadingPanel);
    row->setContentsMargins(24, 12, 24, 12);
    row->setSpacing(18);
    row->addWidget(icon);
    row->addLayout(texts, 1);
}

void ExerciseBrowser::openOnStartFolder() {
    m_preview.title->clear();
    m_loadingPanel->hide();
    // The browser covers the main window exactly.
    const QWidget& window = m_context.window;
    setWindowState(window.windowState());
    setWindowTitle(window.windowTitle());
    setWindowIcon(window.windowIcon());
    setGeometry(window.geometry());
    layoutControls();
    m_lists.files->setPattern(QString::fromLatin1(
        exercises::kExercisePattern.data(), static_cast<qsizetype>(exercises::kExercisePattern.size())));
    m_preview.notions->clear();
    m_preview.duration->clear();
    const QString folder = startFolder(m_context.services.applicationFolder);
    {
        const QSignalBlocker quiet(m_lists.drives);
        m_lists.drives->setDrive(folder);
    }
    if (m_lists.folders->setPath(folder)) m_lists.files->setPath(m_lists.folders->path());
}

QString ExerciseBrowser::startFolder(const QString& applicationFolder) {
    const QString shipped = QDir(applicationFolder).filePath(QStringLiteral("exercises"));
    return QFileInfo(shipped).isDir() ? shipped : applicationFolder;
}

void ExerciseBrowser::layoutControls() {
    const int w = width();
    const int h = height();
    m_titleBand->setGeometry(0, 0, w, kBandHeight);
    m_titleBand->raise();
    m_lists.card->setGeometry(kMargin, kBandHeight - kOverlap, kListWidth,
                              h - (kBandHeight - kOverlap) - kMargin);
    const int listWidth = kListWidth - 28;
    m_lists.drives->setGeometry(14, kOverlap + 36, listWidth, 26);
    m_lists.folders->setGeometry(14, kOverlap + 68, listWidth, 150);
    m_lists.files->setGeometry(14, kOverlap + 226, listWidth, m_lists.card->height() - (kOverlap + 226) - 14);

    const int x0 = kMargin + kListWidth + 12 + 20;
    const int cw = w - kMargin - 20 - x0;
    m_lists.pathBox->setGeometry(x0, 72, cw, 22);
    m_preview.title->setGeometry(x0, 102, cw, 58);
    m_preview.chooseHint->setGeometry(x0, 180, cw, 120);
    m_preview.levelLabel->setGeometry(x0, 178, 170, 32);
    for (std::size_t k = 0; k < m_preview.levelIcons.size(); ++k)
        m_preview.levelIcons[k]->setGeometry(x0 + 172 + static_cast<int>(k) * 38, 178, kLevelIconSize,
                                             kLevelIconSize);
    m_preview.durationLabel->setGeometry(x0, 220, 170, 30);
    m_preview.duration->setGeometry(x0 + 170, 218, cw - 170, 32);
    m_preview.notionsLabel->setGeometry(x0, 262, cw, 22);
    m_preview.notions->setGeometry(x0, 288, cw, 128);
    m_preview.correctedLabel->setGeometry(x0, 432, 260, 30);
    m_preview.correctedShadow->setGeometry(x0 + 2, 432, 260, 30);
    const int buttonsTop = h - kMargin - 18 - 48;
    m_closeButton->setGeometry(w - kMargin - 20 - 124, buttonsTop, 124, 48);
    m_preview.openButton->setGeometry(m_closeButton->x() - 14 - 196, buttonsTop, 196, 48);
    m_loadingPanel->setGeometry((w - 360) / 2, (h - 120) / 2, 360, 120);
}

void ExerciseBrowser::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    layoutControls();
}

void ExerciseBrowser::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QLinearGradient background(0, 0, 0, height());
    background.setColorAt(0.0, QColor(248, 249, 252));
    background.setColorAt(1.0, QColor(222, 226, 214));
    painter.fillRect(rect(), background);
    // Two white cards with a soft shadow: the lists, and the preview.
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect cards[] = {m_lists.card->geometry(),
                           QRect(m_lists.card->geometry().right() + 12, kBandHeight + kOverlap,
                                 width() - kMargin - (m_lists.card->geometry().right() + 12),
                                 height() - kBandHeight - kOverlap - kMargin)};
    for (const QRect& card : cards) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 0, 28));
        painter.drawRoundedRect(card.translated(3, 3), 10, 10);
        painter.setPen(QPen(QColor(205, 210, 222), 1));
        painter.setBrush(Qt::white);
        painter.drawRoundedRect(card, 10, 10);
    }
    // A rule under the title of the preview.
    painter.setPen(QPen(QColor(255, 196, 60), 2));
    const int x0 = m_preview.title->x();
    painter.drawLine(x0, 166, x0 + m_preview.title->width(), 166);
}

void ExerciseBrowser::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    previewFirstFile();
}

void ExerciseBrowser::previewFirstFile() {
    if (m_lists.files->count() > 0) m_lists.files->selectFile(0);
}

void ExerciseBrowser::chooseFile(const QString& name) {
    const QString folder = QDir::fromNativeSeparators(m_lists.files->path());
    QDir::setCurrent(folder);
    m_context.session.setFolder(withSeparator(folder));
    m_lists.pathBox->setText(m_context.session.folder() + name);
    showPreview();
}

void ExerciseBrowser::clearChoice() {
    m_lists.pathBox->clear();
    showPreview();
}

QString ExerciseBrowser::selectedPath() const {
    return m_lists.pathBox->text();
}

void ExerciseBrowser::setSelectedPath(const QString& path) {
    m_lists.pathBox->setText(path);
}

void ExerciseBrowser::showLevel(double level) {
    for (std::size_t k = 0; k < m_preview.levelIcons.size(); ++k) {
        m_preview.levelIcons[k]->setPixmap(level > static_cast<double>(k) ? m_lit : m_dark);
        m_preview.levelIcons[k]->show();
    }
}

std::array<QWidget*, 8> ExerciseBrowser::previewWidgets() const {
    return {m_preview.levelLabel, m_preview.durationLabel,  m_preview.duration,        m_preview.notionsLabel,
            m_preview.notions,    m_preview.correctedLabel, m_preview.correctedShadow, m_preview.openButton};
}

void ExerciseBrowser::clearPreview() {
    m_preview.notions->clear();
    m_preview.duration->clear();
    m_preview.title->clear();
    m_preview.correctedLabel->clear();
    m_preview.correctedShadow->clear();
    for (QWidget* widget : previewWidgets()) widget->hide();
    for (QLabel* icon : m_preview.levelIcons) icon->hide();
}

void ExerciseBrowser::showPreview() {
    // What another file showed must not stay beside a file that cannot be read, nor over a folder
    // where no file is chosen.
    clearPreview();
    const QString path = m_lists.pathBox->text();
    if (path.trimmed().isEmpty()) {
        m_preview.chooseHint->show();
        return;
    }
    m_preview.chooseHint->hide();
    // The level icons show once the level is read.
    for (QWidget* widget : previewWidgets()) widget->show();
    const auto exercise = readExerciseAt(path);
    if (!exercise) {
        showReadFailure(m_context, path);
        return;
    }
    const QString corrected =
        exercise->isCorrected() ? QStringLiteral("Exercice corrigé") : QStringLiteral("Non corrigé");
    m_preview.correctedLabel->setText(corrected);
    m_preview.correctedShadow->setText(corrected);
    QPalette colour = m_preview.correctedLabel->palette();
    colour.setColor(QPalette::WindowText, exercise->isCorrected() ? kCorrected : kNotCorrected);
    m_preview.correctedLabel->setPalette(colour);
    showLevel(exercise->level);
    m_preview.notions->setPlainText(recordText(exercise->notions()));
    m_preview.title->setText(recordText(exercise->title));
    m_preview.duration->setCount(exercise->hourglassCount);
}

void ExerciseBrowser::openSelectedExercise() {
    const QString path = m_lists.pathBox->text();
    if (path.trimmed().isEmpty()) return;
    m_loadingPanel->show();
    m_loadingPanel->raise();
    m_loadingPanel->repaint();

    const auto exercise = readExerciseAt(path);
    if (!exercise) {
        showReadFailure(m_context, path);
        m_loadingPanel->hide();
        return;
    }
    workbench::ExerciseSession& session = m_context.session;
    const QString folder = session.folder();
    ExerciseSetUp setUp(session, folder, exercise->configuration);
    if (setUp.refused() || !loadExerciseText(m_context, folder + recordText(exercise->statement))) {
        m_loadingPanel->hide();
        return;
    }
    session.setName(path);
    // From the exercise's own records, whichever way it was opened.
    session.setCorrectionAvailable(exercise->isCorrected());
    setUp.apply();
    emit session.exerciseOpened();
    m_loadingPanel->hide();
    session.text().setReadOnly(false);
    session.setModified(false);
    done(QDialog::Accepted);
}

void ExerciseBrowser::closeBrowser() {
    reject();
}

void openExerciseBrowser(const ExerciseContext& context) {
    auto* browser = new ExerciseBrowser(context);
    browser->setAttribute(Qt::WA_DeleteOnClose);
    // exec() deletes the window when it returns.
    browser->exec();
}

void openExerciseByPath(const ExerciseContext& context, const QString& path) {
    context.session.setFolder(folderOf(path));
    ExerciseBrowser browser(context);
    browser.setSelectedPath(path);
    browser.openSelectedExercise();
}

}  // namespace exercisewindow
