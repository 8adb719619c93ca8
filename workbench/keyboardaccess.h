#pragma once
// What makes the main window usable from the keyboard alone: the Tab order laid down in reading
// order, Enter pressing a focused button as Space does, and a focus frame for the controls that
// draw themselves.
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <vector>

class QAbstractButton;
class QPainter;

namespace workbench {

// Whether `widget` has the focus and its window shows it, that is after the keyboard moved the
// focus: the standard controls of the style show theirs on the same condition.
bool showsFocus(const QWidget& widget);

// The focus frame: 2 px in the highlight colour along the inside of `area`.
void drawFocusFrame(QPainter& painter, const QRect& area, const QPalette& palette);

// Tab goes from each control to the next of `controls`, Shift+Tab back.
void setTabOrder(const std::vector<QWidget*>& controls);

// Enter and Return press the focused button they are installed on, as Space does; a key held
// down presses it once.
class EnterPressesButton : public QObject {
    Q_OBJECT

  public:
    using QObject::QObject;
    void watch(QAbstractButton* button);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// A frame drawn around whichever watched control has the focus, for the controls that draw no
// focus of their own (pictures, labels, a spinner covered by its arrows). It lies over the whole
// window, its parent, just outside the control, and lets the mouse through.
class FocusFrame : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kMargin = 2;  // px outside the control

    explicit FocusFrame(QWidget* parent = nullptr);

    void watch(QWidget* control);
    // The control framed now; none while no watched control shows the focus.
    QWidget* target() const { return isVisible() ? m_target.data() : nullptr; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void follow(QWidget* focused);
    void place();

    std::vector<QPointer<QWidget>> m_watched;
    QPointer<QWidget> m_target;
};

}  // namespace workbench
