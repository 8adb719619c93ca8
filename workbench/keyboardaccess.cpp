#include "workbench/keyboardaccess.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <algorithm>
#include <iterator>

namespace workbench {

bool showsFocus(const QWidget& widget) {
    return widget.hasFocus() && widget.window()->testAttribute(Qt::WA_KeyboardFocusChange);
}

void drawFocusFrame(QPainter& painter, const QRect& area, const QPalette& palette) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette.color(QPalette::Active, QPalette::Highlight));
    const QRegion ring = QRegion(area).subtracted(QRegion(area.adjusted(2, 2, -2, -2)));
    for (const QRect& part : ring) painter.drawRect(part);
    painter.restore();
}

void setTabOrder(const std::vector<QWidget*>& controls) {
    std::vector<QWidget*> chain;
    std::copy_if(controls.begin(), controls.end(), std::back_inserter(chain),
                 [](QWidget* control) { return control != nullptr; });
    for (std::size_t i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
}

// --- EnterPressesButton --------------------------------------------------------------------------

void EnterPressesButton::watch(QAbstractButton* button) {
    if (button) button->installEventFilter(this);
}

bool EnterPressesButton::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (!enter || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return QObject::eventFilter(watched, event);
    auto* button = qobject_cast<QAbstractButton*>(watched);
    if (!button || !button->isEnabled()) return QObject::eventFilter(watched, event);
    if (!key->isAutoRepeat()) button->click();
    return true;
}

// --- FocusFrame ----------------------------------------------------------------------------------

FocusFrame::FocusFrame(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("focusFrame"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { follow(now); });
}

void FocusFrame::watch(QWidget* control) {
    if (!control) return;
    m_watched.emplace_back(control);
    control->installEventFilter(this);
    if (control->hasFocus()) follow(control);
}

void FocusFrame::follow(QWidget* focused) {
    const bool watched =
        focused && std::any_of(m_watched.begin(), m_watched.end(),
                               [focused](const QPointer<QWidget>& w) { return w == focused; });
    m_target = watched ? focused : nullptr;
    place();
}

void FocusFrame::place() {
    QWidget* over = parentWidget();
    if (!m_target || !over || !m_target->isVisible() || !over->isAncestorOf(m_target) ||
        !showsFocus(*m_target)) {
        hide();
        return;
    }
    const QRect area(m_target->mapTo(over, QPoint(0, 0)), m_target->size());
    setGeometry(area.adjusted(-kMargin, -kMargin, kMargin, kMargin));
    show();
    raise();
    update();
}

bool FocusFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_target) {
        switch (event->type()) {
            case QEvent::Move:
            case QEvent::Resize:
            case QEvent::Show:
            case QEvent::Hide:
            case QEvent::FocusIn:
                place();
                break;
            default:
                break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FocusFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawFocusFrame(painter, rect(), palette());
}

}  // namespace workbench
