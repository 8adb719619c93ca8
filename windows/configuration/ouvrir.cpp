#include "windows/configuration/ouvrir.h"

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

Ouvrir::Ouvrir(workbench::Document& document, platform::MessageBoxes& messageBoxes, QWidget* mainWindow)
    : ConfigurationDialog(document, messageBoxes,
                          {QStringLiteral("Ouvrir une configuration"), QStringLiteral("Répertoire"),
                           QStringLiteral("Fichiers"), QStringLiteral("OUVRIR")},
                          mainWindow) {
    setObjectName(QStringLiteral("ouvrir"));
    m_ficharge = new QLineEdit(this);
    m_ficharge->setObjectName(QStringLiteral("ficharge"));
    setNameBox(m_ficharge);
    buildLoadingPanel();

    connect(m_file1, &platform::FileList::fileClicked, this, &Ouvrir::File1_Click);
    connect(m_file1, &platform::FileList::fileDoubleClicked, this, &Ouvrir::File1_DblClick);
    connect(m_command1, &QPushButton::clicked, this, &Ouvrir::Command1_Click);
}

void Ouvrir::buildLoadingPanel() {
    m_frame1 = new QFrame(this);
    m_frame1->setObjectName(QStringLiteral("Frame1"));
    m_frame1->setFrameShape(QFrame::Panel);
    m_frame1->setFrameShadow(QFrame::Raised);
    m_frame1->setAutoFillBackground(true);
    auto* icon = new QLabel(m_frame1);
    icon->setPixmap(loadingIcon());
    icon->setAlignment(Qt::AlignCenter);
    auto* text = new QLabel(QStringLiteral("Chargement du fichier"), m_frame1);
    QFont font = text->font();
    font.setPixelSize(16);
    font.setBold(true);
    text->setFont(font);
    text->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(m_frame1);
    layout->addStretch(1);
    layout->addWidget(icon);
    layout->addSpacing(8);
    layout->addWidget(text);
    layout->addStretch(1);
    m_frame1->setGeometry(rect());
    m_frame1->hide();
}

void Ouvrir::resizeEvent(QResizeEvent* event) {
    ConfigurationDialog::resizeEvent(event);
    m_frame1->setGeometry(rect());
}

void Ouvrir::File1_Click(const QString& name) {
    QDir::setCurrent(m_file1->path());
    m_ficharge->setText(inFolder(m_file1->path(), name));
}

void Ouvrir::File1_DblClick(const QString& name) {
    File1_Click(name);
    Command1_Click();
}

void Ouvrir::Command1_Click() {
    const QString path = m_ficharge->text();
    if (path.trimmed().isEmpty()) return;
    m_document.setConfigurationPath(path);
    // Only an ordinary file: not a folder, not a file the platform hides.
    const QFileInfo file(path);
    if (!file.isFile() || file.isHidden()) {
        m_messageBoxes.show(platform::MessageIcon::Stop,
                            QStringLiteral("Nom de fichier incorrect ou chemin non valide"),
                            QStringLiteral("impossible d'ouvrir ce fichier"), platform::MessageButtons::Ok);
        return;
    }
    // Seen during the load: shown and painted before the workbench is busy.
    m_frame1->setGeometry(rect());
    m_frame1->show();
    m_frame1->raise();
    m_frame1->repaint();
    m_document.LoadConfiguration();
    close();
}

Ouvrir* openOuvrir(workbench::Document& document, platform::MessageBoxes& messageBoxes, QWidget* mainWindow) {
    auto* dialog = new Ouvrir(document, messageBoxes, mainWindow);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
    return dialog;
}

}  // namespace configurationwindow
