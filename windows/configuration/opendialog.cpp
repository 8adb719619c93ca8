#include "windows/configuration/opendialog.h"

#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/filelist.h"
#include "platform/messageboxes.h"
#include "platform/pixelratio.h"
#include "windows/configuration/filenames.h"
#include "workbench/document.h"

namespace configurationwindow {

namespace {

// A sheet of paper with a titration curve on it: what is being loaded.
QPixmap loadingIcon() {
    constexpr int kSide = 64;
    QPixmap icon = platform::transparentPixmap(QSize(kSide, kSide));
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(kSide / 48.0, kSide / 48.0);
    painter.setPen(QPen(QColor(90, 90, 90), 1.2));
    painter.setBrush(Qt::white);
    painter.drawPolygon(QPolygonF{{8, 3}, {32, 3}, {41, 12}, {41, 45}, {8, 45}});
    painter.setBrush(QColor(225, 225, 225));
    painter.drawPolygon(QPolygonF{{32, 3}, {32, 12}, {41, 12}});
    painter.setPen(QPen(QColor(0, 0, 200), 2.2, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    QPainterPath curve(QPointF(12, 38));
    curve.cubicTo(25, 38, 20, 17, 36, 16);
    painter.drawPath(curve);
    return icon;
}

}  // namespace

OpenDialog::OpenDialog(workbench::Document& document, platform::MessageBoxes& messageBoxes,
                       QWidget* mainWindow)
    : OpenDialog(messageBoxes,
                 {{QStringLiteral("Ouvrir une configuration"), QStringLiteral("Répertoire"),
                   QStringLiteral("Fichiers"), QStringLiteral("OUVRIR"), QStringLiteral("*") + extension()},
                  [&document](const QString& path) { document.setConfigurationPath(path); },
                  [&document](const QString&) { document.openConfigurationPath(); }},
                 mainWindow) {}

OpenDialog::OpenDialog(platform::MessageBoxes& messageBoxes, FileOpening opening, QWidget* mainWindow)
    : ConfigurationDialog(messageBoxes, opening.captions, mainWindow), m_opening(std::move(opening)) {
    setObjectName(QStringLiteral("ouvrir"));
    m_pathBox = new QLineEdit(this);
    m_pathBox->setObjectName(QStringLiteral("ficharge"));
    m_pathBox->setAccessibleName(QStringLiteral("Nom du fichier à ouvrir"));
    setNameBox(m_pathBox);
    buildLoadingPanel();

    connect(m_files, &platform::FileList::fileClicked, this, &OpenDialog::chooseFile);
    connect(m_files, &platform::FileList::fileDoubleClicked, this, &OpenDialog::openListedFile);
    connect(m_actionButton, &QPushButton::clicked, this, &OpenDialog::openChosenFile);
}

void OpenDialog::buildLoadingPanel() {
    m_loadingPanel = new QFrame(this);
    m_loadingPanel->setObjectName(QStringLiteral("Frame1"));
    m_loadingPanel->setFrameShape(QFrame::Panel);
    m_loadingPanel->setFrameShadow(QFrame::Raised);
    m_loadingPanel->setAutoFillBackground(true);
    auto* icon = new QLabel(m_loadingPanel);
    icon->setPixmap(loadingIcon());
    icon->setAlignment(Qt::AlignCenter);
    auto* text = new QLabel(QStringLiteral("Chargement du fichier"), m_loadingPanel);
    QFont font = text->font();
    font.setPixelSize(16);
    font.setBold(true);
    text->setFont(font);
    text->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(m_loadingPanel);
    layout->addStretch(1);
    layout->addWidget(icon);
    layout->addSpacing(8);
    layout->addWidget(text);
    layout->addStretch(1);
    m_loadingPanel->setGeometry(rect());
    m_loadingPanel->hide();
}

void OpenDialog::resizeEvent(QResizeEvent* event) {
    ConfigurationDialog::resizeEvent(event);
    m_loadingPanel->setGeometry(rect());
}

void OpenDialog::chooseFile(const QString& name) {
    QDir::setCurrent(m_files->path());
    m_pathBox->setText(inFolder(m_files->path(), name));
}

void OpenDialog::openListedFile(const QString& name) {
    chooseFile(name);
    openChosenFile();
}

void OpenDialog::openChosenFile() {
    const QString path = m_pathBox->text();
    if (path.trimmed().isEmpty()) return;
    if (m_opening.notePath) m_opening.notePath(path);
    // Only an ordinary file: not a folder, not a file the platform hides.
    const QFileInfo file(path);
    if (!file.isFile() || file.isHidden()) {
        m_messageBoxes.show(platform::MessageIcon::Stop,
                            QStringLiteral("Nom de fichier incorrect ou chemin non valide"),
                            QStringLiteral("impossible d'ouvrir ce fichier"), platform::MessageButtons::Ok);
        return;
    }
    // Seen during the load: shown and painted before the workbench is busy.
    m_loadingPanel->setGeometry(rect());
    m_loadingPanel->show();
    m_loadingPanel->raise();
    m_loadingPanel->repaint();
    if (m_opening.open) m_opening.open(path);
    close();
}

OpenDialog* openOpenDialog(workbench::Document& document, platform::MessageBoxes& messageBoxes,
                           QWidget* mainWindow) {
    auto* dialog = new OpenDialog(document, messageBoxes, mainWindow);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
    return dialog;
}

}  // namespace configurationwindow
