#pragma once
// One element of the entry-field array `Text1`: a one-line box that accepts only what a number
// typed with the decimal comma needs, and reports validation, clicks, focus and the mouse.
#include <QLineEdit>
#include <functional>
#include <optional>

#include "state/benchstate.h"

namespace workbench {

class BenchController;

class EntryField : public QLineEdit {
    Q_OBJECT

  public:
    // The object is named "Text1(n)", n the field's element number in the array.
    explicit EntryField(state::Field field, QWidget* parent = nullptr);

    state::Field field() const { return m_field; }

    // Validates the field where it is, as losing the focus would.
    void commit();

    // Hands typing, validation and clicks to the bench; the focus hint goes to `hint`.
    void connectTo(BenchController& bench, const std::function<void(const QString&)>& hint);
    // Shows the bench's text for this field (without reporting an edit) and its lock.
    void showFrom(const BenchController& bench);

    // The key filter: digits, the comma, the minus sign and Backspace pass; a full stop becomes a
    // comma; anything else is refused. Returns the character to insert, or none.
    static std::optional<QChar> filterKey(QChar typed);
    // Text pasted or dropped goes through the same filter.
    static QString filterText(const QString& text);

  signals:
    // Enter typed, or the focus lost: the field must be validated.
    void validationRequested(state::Field field);
    void gotFocus(state::Field field);
    void clicked(state::Field field);
    void mouseMoved(state::Field field);
    // The pupil changed the text (typing, deleting, pasting).
    void edited(state::Field field, const QString& text);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    state::Field m_field;
    // Typed in since the field got the focus or was last validated.
    bool m_edited = false;
};

}  // namespace workbench
