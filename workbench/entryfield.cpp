#include "workbench/entryfield.h"

#include <QKeyEvent>

#include "workbench/workbench.h"

namespace workbench {

EntryField::EntryField(int index, QWidget* parent) : QLineEdit(parent), m_index(index) {
    setObjectName(QStringLiteral("Text1(%1)").arg(index));
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
        emit edited(m_index, filtered);
    });
}

void EntryField::commit() {
    m_edited = false;
    emit validationRequested(m_index);
}

void EntryField::connectTo(Workbench& workbench, const std::function<void(const QString&)>& hint) {
    Workbench* bench = &workbench;
    connect(this, &EntryField::edited, bench,
            [bench](int i, const QString& text) { bench->setFieldText(i, text); });
    connect(this, &EntryField::validationRequested, bench, [bench](int i) { bench->Text1_LostFocus(i); });
    connect(this, &EntryField::clicked, bench, [bench](int i) { bench->Text1_Click(i); });
    connect(this, &EntryField::gotFocus, this,
            [hint] { hint(QStringLiteral("Valider à la fin de la saisie.")); });
}

void EntryField::takeFrom(const Workbench& workbench) {
    const QString text = workbench.fieldText(m_index);
    if (this->text() != text) {
        setText(text);
        // A formatted value may be longer than the box: its beginning is what must show.
        setCursorPosition(0);
    }
    setReadOnly(workbench.fieldsLocked());
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
    emit edited(m_index, text());
    event->accept();
}

void EntryField::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    m_edited = false;
    emit gotFocus(m_index);
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
    if (event->button() == Qt::LeftButton) emit clicked(m_index);
}

void EntryField::mouseMoveEvent(QMouseEvent* event) {
    QLineEdit::mouseMoveEvent(event);
    emit mouseMoved(m_index);
}

}  // namespace workbench
