#pragma once
// The hint line `info`: one label where controls write their hint when the pointer passes over
// them, and where a copy confirms itself. The confirmation is a state of the line, not a text to
// recognise: it stays while the pointer moves over the copy button, and any other hint replaces it.
#include <QLabel>

namespace workbench {

class HintLine : public QLabel {
    Q_OBJECT

  public:
    explicit HintLine(QWidget* parent = nullptr);

    // What a copy of a picture or of the table's contents says once done.
    static QString copyDoneMessage();

    // A control's hint, or the window's default: replaces whatever the line shows.
    void showHint(const QString& text);
    // A copy was placed on the clipboard.
    void confirmCopy();
    // The copy button's own hint, which leaves a confirmation in place.
    void showCopyButtonHint(const QString& text);
    bool showsCopyConfirmation() const { return m_confirming; }

  signals:
    void copyConfirmed(const QString& text);

  private:
    bool m_confirming = false;
};

}  // namespace workbench
