#include "workbench/entryfield.h"

#include <QKeyEvent>

#include "state/panelactions.h"
#include "workbench/benchcontroller.h"

namespace workbench {

EntryField::EntryField(state::Field field, QWidget* parent) : QLineEdit(parent), m_field(field) {
    setObjectName(QStringLiteral("Text1(%1)").arg(static_cast<int>(field)));
    setMouseTracking(true);
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
        // Whatever reached the box (a paste, a drop) keeps only what may be typed.
        const QString filtered = filterText(text);
        if (filtered != text) {
            const int cursor = cursorPosition() - static_cast<int>(text.size() - filtered.size());
            setText(filtered);
            setCursorPosition(std::max(0, cursor));
        }
        m_edited = true;
        emit edited(m_field, filtered);
    });
}

void EntryField::commit() {
    m_edited = false;
    emit validationRequested(m_field);
    // The typing is validated: from now on Ctrl+Z undoes the bench's step, not the typing.
    if (isUndoAvailable() || isRedoAvailable()) {
        const int cursor = cursorPosition();
        setText(text());
        setCursorPosition(cursor);
    }
}

void EntryField::connectTo(BenchController& bench, const std::function<void(const QString&)>& hint) {
    BenchController* controller = &bench;
    connect(this, &EntryField::edited, controller,
            [controller](state::Field field, const QString& text) { controller->setFieldText(field, text); });
    connect(this, &EntryField::validationRequested, controller,
            [controller](state::Field field) { controller->validateField(field); });
    connect(this, &EntryField::clicked, controller,
            [controller](state::Field field) { controller->perform(state::clickField, field); });
    connect(this, &EntryField::gotFocus, this,
            [hint] { hint(QStringLiteral("Valider à la fin de la saisie.")); });
}

void EntryField::showFrom(const BenchController& bench) {
    const QString text = bench.fieldText(m_field);
    if (this->text() != text) {
        setText(text);
        // A formatted value may be longer than the box: its beginning is what must show.
        setCursorPosition(0);
    }
    setReadOnly(bench.state().controls.fieldsLocked);
}

std::optional<QChar> EntryField::filterKey(QChar typed) {
    if (typed.isDigit() && typed.unicode() < 128) return typed;
    if (typed == QLatin1Char(',') || typed == QLatin1Char('-')) return typed;
    if (typed == QLatin1Char('.')) return QLatin1Char(',');
    return std::nullopt;
}

QString EntryField::filterText(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (const auto kept = filterKey(c)) out += *kept;
    }
    return out;
}

void EntryField::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        commit();
        event->accept();
        return;
    }
    // Editing and moving keys (Backspace, Delete, arrows, Home, End, shortcuts) work as usual;
    // only characters are filtered.
    const QString typed = event->text();
    const bool character = !typed.isEmpty() && typed.at(0).isPrint() &&
                           !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (!character) {
        if (event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut) ||
            event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo) ||
            !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) ||
            event->matches(QKeySequence::Copy) || event->matches(QKeySequence::SelectAll)) {
            QLineEdit::keyPressEvent(event);
        } else {
            event->ignore();
        }
        return;
    }
    QString accepted;
    for (const QChar c : typed) {
        if (const auto kept = filterKey(c)) accepted += *kept;
    }
    if (accepted.isEmpty() || isReadOnly()) {
        event->accept();
        return;
    }
    insert(accepted);
    m_edited = true;
    emit edited(m_field, text());
    event->accept();
}

void EntryField::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    m_edited = false;
    emit gotFocus(m_field);
}

void EntryField::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // Neither a pop-up (the box's own context menu) nor another window coming to the front (a
    // message box, perhaps shown by this very validation) ends the entry.
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason) return;
    // Tabbing through a field without typing in it keeps the titration: validating would
    // restart its display.
    const bool tabbed = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason;
    if (tabbed && !m_edited) return;
    commit();
}

void EntryField::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton) emit clicked(m_field);
}

void EntryField::mouseMoveEvent(QMouseEvent* event) {
    QLineEdit::mouseMoveEvent(event);
    emit mouseMoved(m_field);
}

}  // namespace workbench
