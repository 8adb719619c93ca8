#include "workbench/copymenu.h"

#include <QAbstractButton>
#include <QCursor>
#include <QMouseEvent>
#include <utility>

#include "platform/clipboard.h"
#include "platform/surface.h"
#include "workbench/benchcontroller.h"
#include "workbench/hintline.h"
#include "workbench/historypanel.h"
#include "workbench/measurementtable.h"

namespace workbench {

CopyMenu::CopyMenu(BenchController& bench, std::function<HistoryPanel&()> history,
                   std::function<MeasurementTable&()> table, platform::Clipboard& clipboard,
                   HintLine& hintLine, QWidget* parent)
    : QMenu(parent),
      m_bench(bench),
      m_history(std::move(history)),
      m_table(std::move(table)),
      m_clipboard(clipboard),
      m_hintLine(hintLine) {
    setObjectName(QStringLiteral("menucopie"));
    addEntry(*this, "coptop", QStringLiteral("Copier l'illustration"), &CopyMenu::copyIllustration);
    addEntry(*this, "copisemidev", QStringLiteral("Copier le graphe"), &CopyMenu::copyGraph);
    addSeparator();
    addEntry(*this, "cophisto", QStringLiteral("Copier l'historique"), &CopyMenu::copyHistory);
    addSeparator();
    QMenu* tableMenu = addMenu(QStringLiteral("Copier le tableau"));
    tableMenu->setObjectName(QStringLiteral("copietableau"));
    addEntry(*tableMenu, "coptab", QStringLiteral("Copier le contenu du tableau"), &CopyMenu::copyTableText);
    addEntry(*tableMenu, "copima", QStringLiteral("Copier une image du tableau"),
             &CopyMenu::copyTablePicture);
}

QAction* CopyMenu::addEntry(QMenu& menu, const char* name, const QString& caption,
                            void (CopyMenu::*handler)()) {
    QAction* action = menu.addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, handler);
    return action;
}

void CopyMenu::setButton(QAbstractButton* button) {
    if (m_button) m_button->removeEventFilter(this);
    m_button = button;
    if (!m_button) return;
    m_button->installEventFilter(this);
    m_button->setToolTip(QStringLiteral("Placer l'image dans le presse-papiers"));
}

bool CopyMenu::eventFilter(QObject* watched, QEvent* event) {
    // The button clicks on this release exactly when it is down and the pointer still on it;
    // every other click comes from the keyboard.
    // The type is tested first: while the button is being destroyed it is no longer a button.
    if (event->type() == QEvent::MouseButtonRelease && watched == m_button) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        m_clickedWithMouse = mouse->button() == Qt::LeftButton && m_button->isDown() &&
                             m_button->rect().contains(mouse->position().toPoint());
    }
    return QMenu::eventFilter(watched, event);
}

void CopyMenu::popUpCopyMenu() {
    const bool mouse = m_clickedWithMouse || !m_button;
    m_clickedWithMouse = false;
    popup(mouse ? QCursor::pos() : m_button->mapToGlobal(QPoint(0, m_button->height())));
}

void CopyMenu::copyIllustration() {
    m_clipboard.clear();
    m_clipboard.setImage(platform::atLogicalSize(m_bench.composedIllustration()));
    m_hintLine.confirmCopy();
}

void CopyMenu::copyGraph() {
    m_clipboard.clear();
    m_clipboard.setImage(m_bench.graph().surface().logicalImage());
    m_hintLine.confirmCopy();
}

void CopyMenu::copyHistory() {
    m_history().copyHistory(m_clipboard);
}

void CopyMenu::copyTableText() {
    m_table().copyContents(m_clipboard);
    m_hintLine.confirmCopy();
}

void CopyMenu::copyTablePicture() {
    m_table().copyPicture(m_clipboard);
}

}  // namespace workbench
