#include "platform/helpviewer.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace platform {

HelpViewer::HelpViewer(const QString& folder, QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_folder(folder),
      m_browser(new QTextBrowser(this)),
      m_back(new QToolButton(this)),
      m_forward(new QToolButton(this)),
      m_home(new QToolButton(this)) {
    setWindowTitle(QStringLiteral("Aide de Vireltra"));
    setObjectName(QStringLiteral("helpViewer"));
    m_back->setText(QStringLiteral("Précédent"));
    m_back->setObjectName(QStringLiteral("helpBack"));
    m_forward->setText(QStringLiteral("Suivant"));
    m_forward->setObjectName(QStringLiteral("helpForward"));
    m_home->setText(QStringLiteral("Sommaire"));
    m_home->setObjectName(QStringLiteral("helpContents"));
    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    m_browser->setOpenExternalLinks(true);
    m_browser->setSearchPaths({folder});

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_home);
    buttons->addWidget(m_back);
    buttons->addWidget(m_forward);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_browser);

    connect(m_back, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_home, &QToolButton::clicked, this, &HelpViewer::showContents);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QToolButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QToolButton::setEnabled);
    resize(640, 520);
}

bool HelpViewer::showContents() {
    const QString path = QDir(m_folder).filePath(QString::fromLatin1(kContentsPage));
    if (!QFileInfo(path).isFile()) return false;
    m_browser->setSource(QUrl::fromLocalFile(path));
    show();
    raise();
    activateWindow();
    return true;
}

}  // namespace platform
