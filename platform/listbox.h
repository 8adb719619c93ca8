#pragma once
// The list under the directory and file lists: one entry per line, the item views' keys, and
// a frame in the highlight colour while it has the keyboard focus (item views of some styles
// show the focus only as a faint dotted line on the current entry, or not at all).
#include <QListWidget>

namespace platform {

class ListBox : public QListWidget {
    Q_OBJECT

  public:
    explicit ListBox(QWidget* parent = nullptr);

  protected:
    // The frame is painted on the list itself, around its viewport, so that scrolling the
    // entries never moves it.
    bool event(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

}  // namespace platform
