#include "windows/exercises/fichexo.h"

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

Fichexo::Fichexo(const ExerciseContext& context)
    : QDialog(&context.window), m_context(context), m_lit(levelPicture(true)), m_dark(levelPicture(false)) {
    setObjectName(QStringLiteral("Fichexo"));
    m_tito = new TitleBand(this);
    m_tito->setObjectName(QStringLiteral("tito"));
    m_tito->setTitle(QStringLiteral("Ouvrir un exercice"));
    buildLists();
    buildPreview();
    buildLoadingPanel();
    Form_Load();
}

void Fichexo::buildLists() {
    m_frame1 = new QWidget(this);
    m_frame1->setObjectName(QStringLiteral("Frame1"));
    auto* caption = label(QStringLiteral("Label5"), QStringLiteral("Liste des exercices:"), m_frame1,
                          fontOfPixels(14, true));
    caption->setGeometry(14, kOverlap + 10, kListWidth - 28, 20);
    QPalette ink = caption->palette();
    ink.setColor(QPalette::WindowText, kInk);
    caption->setPalette(ink);
    const auto* lists = new platform::FolderBrowser(m_frame1);
    m_drive1 = lists->drive1();
    m_dir1 = lists->dir1();
    m_file1 = lists->file1();
    m_file1->setFont(fontOfPixels(13));
    connect(m_file1, &platform::FileList::fileClicked, this, &Fichexo::File1_Click);
    connect(m_file1, &platform::FileList::pathChanged, this, &Fichexo::File1_PathChange);
    connect(m_file1, &platform::FileList::fileDoubleClicked, this, &Fichexo::ouvreur);
    connect(m_file1, &platform::FileList::fileEntered, this, &Fichexo::ouvreur);
}

void Fichexo::buildPreview() {
    m_fichierexo = new QLineEdit(this);
    m_fichierexo->setObjectName(QStringLiteral("fichierexo"));
    m_fichierexo->setReadOnly(true);
    m_fichierexo->setFont(fontOfPixels(12));
    m_fichierexo->setStyleSheet(
        QStringLiteral("QLineEdit { background: #f4f6fa; color: #55607a; border: 1px solid #d6dbe6;"
                       " border-radius: 4px; padding: 1px 4px; }"));

    m_titratexo = label(QStringLiteral("titratexo"), QString(), this, fontOfPixels(19, true));
    m_titratexo->setWordWrap(true);
    m_titratexo->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QPalette ink = m_titratexo->palette();
    ink.setColor(QPalette::WindowText, kInk);
    m_titratexo->setPalette(ink);

    m_intratro = label(QStringLiteral("intratro"), QStringLiteral("Sélectionner un fichier"), this,
                       fontOfPixels(22, false, true));
    m_intratro->setAlignment(Qt::AlignCenter);
    QPalette grey = m_intratro->palette();
    grey.setColor(QPalette::WindowText, QColor(150, 156, 170));
    m_intratro->setPalette(grey);

    m_label4 = label(QStringLiteral("Label4"), QStringLiteral("Niveau de difficulté :"), this,
                     fontOfPixels(14, true));
    for (std::size_t k = 0; k < m_image4.size(); ++k) {
        m_image4[k] = label(QStringLiteral("Image4(%1)").arg(k), QString(), this, font());
        m_image4[k]->setPixmap(m_dark);
    }
    m_durationLabel =
        label(QStringLiteral("Label6"), QStringLiteral("Durée :"), this, fontOfPixels(14, true));
    m_text2 = new HourglassBox(this);
    m_text2->setObjectName(QStringLiteral("Text2"));
    m_text2->setToolTip(QStringLiteral("Durée de l'exercice"));

    m_label1 =
        label(QStringLiteral("Label1"), QStringLiteral("Notions abordées :"), this, fontOfPixels(14, true));
    m_text1 = new QPlainTextEdit(this);
    m_text1->setObjectName(QStringLiteral("Text1"));
    m_text1->setReadOnly(true);
    m_text1->setFont(fontOfPixels(14));
    m_text1->setStyleSheet(
        QStringLiteral("QPlainTextEdit { background: #fffbea; border: 1px solid #eadca8;"
                       " border-radius: 6px; padding: 4px; }"));

    // The shadow first, so that the label is drawn over it.
    m_label3 = label(QStringLiteral("Label3"), QString(), this, fontOfPixels(17, true));
    m_label2 = label(QStringLiteral("Label2"), QString(), this, fontOfPixels(17, true));
    QPalette shadow = m_label3->palette();
    shadow.setColor(QPalette::WindowText, QColor(200, 204, 212));
    m_label3->setPalette(shadow);

    m_ouvreur =
        imageButton(QStringLiteral("ouvreur"), openPicture(), QStringLiteral("Ouvrir l'exercice"),
                    QStringLiteral("background: #e3f4e6; border: 1px solid #5fae72; color: #1d5e2c"), this);
    m_ouvreur->setToolTip(QStringLiteral("Charger l'énoncé et la configuration de l'exercice"));
    m_image5 =
        imageButton(QStringLiteral("Image5"), closePicture(), QStringLiteral("Fermer"),
                    QStringLiteral("background: #fbe9e7; border: 1px solid #d08a84; color: #7a2420"), this);
    m_image5->setToolTip(QStringLiteral("Fermer la liste des exercices"));
    connect(m_ouvreur, &QToolButton::clicked, this, &Fichexo::ouvreur);
    connect(m_image5, &QToolButton::clicked, this, &Fichexo::Image5_Click);

    // Until a file is previewed only the hint shows.
    clearPreview();
}

void Fichexo::buildLoadingPanel() {
    m_frame2 = new QFrame(this);
    m_frame2->setObjectName(QStringLiteral("Frame2"));
    m_frame2->setStyleSheet(
        QStringLiteral("QFrame#Frame2 { background: white; border: 2px solid #183e8a;"
                       " border-radius: 12px; }"));
    auto* icon = new QLabel(m_frame2);
    icon->setPixmap(hourglassPicture(48));
    auto* wait = label(QStringLiteral("Label7"), QStringLiteral("Patienter quelques instants"), m_frame2,
                       fontOfPixels(17, true));
    auto* loading = label(QStringLiteral("Label8"), QStringLiteral(" Chargement des fichiers"), m_frame2,
                          fontOfPixels(14));
    auto* texts = new QVBoxLayout;
    texts->addStretch();
    texts->addWidget(wait);
    texts->addWidget(loading);
    texts->addStretch();
    auto* row = new QHBoxLayout(m_frame2);
    row->setContentsMargins(24, 12, 24, 12);
    row->setSpacing(18);
    row->addWidget(icon);
    row->addLayout(texts, 1);
}

void Fichexo::Form_Load() {
    m_titratexo->clear();
    m_frame2->hide();
    // The browser covers the main window exactly.
    const QWidget& window = m_context.window;
    setWindowState(window.windowState());
    setWindowTitle(window.windowTitle());
    setWindowIcon(window.windowIcon());
    setGeometry(window.geometry());
    layoutControls();
    m_file1->setPattern(QString::fromLatin1(exercises::kExercisePattern.data(),
                                            static_cast<qsizetype>(exercises::kExercisePattern.size())));
    m_text1->clear();
    m_text2->clear();
    const QString folder = startFolder(m_context.services.applicationFolder);
    {
        const QSignalBlocker quiet(m_drive1);
        m_drive1->setDrive(folder);
    }
    if (m_dir1->setPath(folder)) m_file1->setPath(m_dir1->path());
}

QString Fichexo::startFolder(const QString& applicationFolder) {
    const QString shipped = QDir(applicationFolder).filePath(QStringLiteral("exercises"));
    return QFileInfo(shipped).isDir() ? shipped : applicationFolder;
}

void Fichexo::layoutControls() {
    const int w = width();
    const int h = height();
    m_tito->setGeometry(0, 0, w, kBandHeight);
    m_tito->raise();
    m_frame1->setGeometry(kMargin, kBandHeight - kOverlap, kListWidth,
                          h - (kBandHeight - kOverlap) - kMargin);
    const int listWidth = kListWidth - 28;
    m_drive1->setGeometry(14, kOverlap + 36, listWidth, 26);
    m_dir1->setGeometry(14, kOverlap + 68, listWidth, 150);
    m_file1->setGeometry(14, kOverlap + 226, listWidth, m_frame1->height() - (kOverlap + 226) - 14);

    const int x0 = kMargin + kListWidth + 12 + 20;
    const int cw = w - kMargin - 20 - x0;
    m_fichierexo->setGeometry(x0, 72, cw, 22);
    m_titratexo->setGeometry(x0, 102, cw, 58);
    m_intratro->setGeometry(x0, 180, cw, 120);
    m_label4->setGeometry(x0, 178, 170, 32);
    for (std::size_t k = 0; k < m_image4.size(); ++k)
        m_image4[k]->setGeometry(x0 + 172 + static_cast<int>(k) * 38, 178, kLevelIconSize, kLevelIconSize);
    m_durationLabel->setGeometry(x0, 220, 170, 30);
    m_text2->setGeometry(x0 + 170, 218, cw - 170, 32);
    m_label1->setGeometry(x0, 262, cw, 22);
    m_text1->setGeometry(x0, 288, cw, 128);
    m_label2->setGeometry(x0, 432, 260, 30);
    m_label3->setGeometry(x0 + 2, 432, 260, 30);
    const int buttonsTop = h - kMargin - 18 - 48;
    m_image5->setGeometry(w - kMargin - 20 - 124, buttonsTop, 124, 48);
    m_ouvreur->setGeometry(m_image5->x() - 14 - 196, buttonsTop, 196, 48);
    m_frame2->setGeometry((w - 360) / 2, (h - 120) / 2, 360, 120);
}

void Fichexo::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    layoutControls();
}

void Fichexo::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QLinearGradient background(0, 0, 0, height());
    background.setColorAt(0.0, QColor(248, 249, 252));
    background.setColorAt(1.0, QColor(222, 226, 214));
    painter.fillRect(rect(), background);
    // Two white cards with a soft shadow: the lists, and the preview.
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect cards[] = {m_frame1->geometry(),
                           QRect(m_frame1->geometry().right() + 12, kBandHeight + kOverlap,
                                 width() - kMargin - (m_frame1->geometry().right() + 12),
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
    const int x0 = m_titratexo->x();
    painter.drawLine(x0, 166, x0 + m_titratexo->width(), 166);
}

void Fichexo::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Form_Activate();
}

void Fichexo::Form_Activate() {
    if (m_file1->count() > 0) m_file1->selectFile(0);
}

void Fichexo::File1_Click(const QString& name) {
    const QString folder = QDir::fromNativeSeparators(m_file1->path());
    QDir::setCurrent(folder);
    m_context.session.setFolder(withSeparator(folder));
    m_fichierexo->setText(m_context.session.folder() + name);
    apercu();
}

void Fichexo::File1_PathChange() {
    m_fichierexo->clear();
    apercu();
}

QString Fichexo::fichierexo() const {
    return m_fichierexo->text();
}

void Fichexo::setFichierexo(const QString& path) {
    m_fichierexo->setText(path);
}

void Fichexo::showLevel(double level) {
    for (std::size_t k = 0; k < m_image4.size(); ++k) {
        m_image4[k]->setPixmap(level > static_cast<double>(k) ? m_lit : m_dark);
        m_image4[k]->show();
    }
}

std::array<QWidget*, 8> Fichexo::previewWidgets() const {
    return {m_label4, m_durationLabel, m_text2, m_label1, m_text1, m_label2, m_label3, m_ouvreur};
}

void Fichexo::clearPreview() {
    m_text1->clear();
    m_text2->clear();
    m_titratexo->clear();
    m_label2->clear();
    m_label3->clear();
    for (QWidget* widget : previewWidgets()) widget->hide();
    for (QLabel* icon : m_image4) icon->hide();
}

void Fichexo::apercu() {
    // What another file showed must not stay beside a file that cannot be read, nor over a folder
    // where no file is chosen.
    clearPreview();
    const QString path = m_fichierexo->text();
    if (path.trimmed().isEmpty()) {
        m_intratro->show();
        return;
    }
    m_intratro->hide();
    // The level icons show once the level is read.
    for (QWidget* widget : previewWidgets()) widget->show();
    const auto exercise = readExerciseAt(path);
    if (!exercise) {
        showReadFailure(m_context);
        return;
    }
    const QString corrected =
        exercise->isCorrected() ? QStringLiteral("Exercice corrigé") : QStringLiteral("Non corrigé");
    m_label2->setText(corrected);
    m_label3->setText(corrected);
    QPalette colour = m_label2->palette();
    colour.setColor(QPalette::WindowText, exercise->isCorrected() ? kCorrected : kNotCorrected);
    m_label2->setPalette(colour);
    showLevel(exercise->level);
    m_text1->setPlainText(recordText(exercise->notions()));
    m_titratexo->setText(recordText(exercise->title));
    m_text2->setCount(exercise->hourglassCount);
}

void Fichexo::ouvreur() {
    const QString path = m_fichierexo->text();
    if (path.trimmed().isEmpty()) return;
    m_frame2->show();
    m_frame2->raise();
    m_frame2->repaint();

    const auto exercise = readExerciseAt(path);
    if (!exercise) {
        showReadFailure(m_context);
        m_frame2->hide();
        return;
    }
    workbench::ExerciseSession& session = m_context.session;
    const QString folder = session.folder();
    ExerciseSetUp setUp(session, folder, exercise->configuration);
    if (setUp.refused() || !loadExerciseText(m_context, folder + recordText(exercise->statement))) {
        m_frame2->hide();
        return;
    }
    session.setName(path);
    // From the exercise's own records, whichever way it was opened.
    session.setCorrectionAvailable(exercise->isCorrected());
    setUp.apply();
    m_frame2->hide();
    session.text().setReadOnly(false);
    session.setModified(false);
    done(QDialog::Accepted);
}

void Fichexo::Image5_Click() {
    reject();
}

void openExerciseBrowser(const ExerciseContext& context) {
    auto* browser = new Fichexo(context);
    browser->setAttribute(Qt::WA_DeleteOnClose);
    // exec() deletes the window when it returns.
    browser->exec();
}

void openExerciseByPath(const ExerciseContext& context, const QString& path) {
    context.session.setFolder(folderOf(path));
    Fichexo browser(context);
    browser.setFichierexo(path);
    browser.ouvreur();
}

}  // namespace exercisewindow
