#include "platform/listbox.h"

#include <QEvent>
#include <QPainter>

namespace platform {

ListBox::ListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setFocusPolicy(Qt::StrongFocus);
    // Room for the focus frame around the entries.
    setViewportMargins(1, 1, 1, 1);
}

bool ListBox::event(QEvent* event) {
    const bool handled = QListWidget::event(event);
    if (event->type() == QEvent::Paint && hasFocus()) {
        // A ring two pixels wide: the margin left around the viewport and the frame's inner line.
        const QRect inner = viewport()->geometry();
        const QRect outer = inner.adjusted(-2, -2, 2, 2);
        QPainter painter(this);
        painter.setClipRegion(QRegion(outer).subtracted(QRegion(inner)));
        painter.fillRect(outer, palette().color(QPalette::Highlight));
    }
    return handled;
}

void ListBox::focusInEvent(QFocusEvent* event) {
    QListWidget::focusInEvent(event);
    update();
}

void ListBox::focusOutEvent(QFocusEvent* event) {
    QListWidget::focusOutEvent(event);
    update();
}

}  // namespace platform
