#include "workbench/undokeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QShortcut>
#include <QTextEdit>

#include "workbench/benchcontroller.h"

namespace workbench {

namespace {

enum class Key { None, Undo, Redo };

Key undoKey(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    if (event.key() == Qt::Key_Z && modifiers == Qt::ControlModifier) return Key::Undo;
    if ((event.key() == Qt::Key_Y && modifiers == Qt::ControlModifier) ||
        (event.key() == Qt::Key_Z && modifiers == (Qt::ControlModifier | Qt::ShiftModifier)))
        return Key::Redo;
    return Key::None;
}

// Whether an editable text box has its own typing to undo or redo.
bool textBoxCan(QObject* box, Key key) {
    if (auto* line = qobject_cast<QLineEdit*>(box); line && !line->isReadOnly())
        return key == Key::Undo ? line->isUndoAvailable() : line->isRedoAvailable();
    if (auto* text = qobject_cast<QTextEdit*>(box); text && !text->isReadOnly())
        return key == Key::Undo ? text->document()->isUndoAvailable() : text->document()->isRedoAvailable();
    return false;
}

void textBoxDoes(QObject* box, Key key) {
    if (auto* line = qobject_cast<QLineEdit*>(box)) {
        key == Key::Undo ? line->undo() : line->redo();
    } else if (auto* text = qobject_cast<QTextEdit*>(box)) {
        key == Key::Undo ? text->undo() : text->redo();
    }
}

// A text box with nothing of its own to undo lets the keys go to the bench; one with typing to
// undo keeps them, as usual.
class UndoKeys : public QObject {
  public:
    UndoKeys(QWidget& window, BenchController& bench) : QObject(&window), m_window(window), m_bench(bench) {
        for (const QKeySequence& sequence :
             {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y),
              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}) {
            auto* shortcut = new QShortcut(sequence, &window);
            shortcut->setContext(Qt::WindowShortcut);
            const Key key = sequence == QKeySequence(Qt::CTRL | Qt::Key_Z) ? Key::Undo : Key::Redo;
            connect(shortcut, &QShortcut::activated, this, [this, key] { act(key); });
        }
        qApp->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ShortcutOverride || !watched->isWidgetType()) return false;
        if (static_cast<QWidget*>(watched)->window() != &m_window) return false;
        const Key key = undoKey(*static_cast<QKeyEvent*>(event));
        // Left unclaimed, the key goes to the window's shortcut.
        return key != Key::None && !textBoxCan(watched, key);
    }

  private:
    void act(Key key) {
        QWidget* focus = QApplication::focusWidget();
        // Ctrl+Y, which a line does not claim, still redoes what was typed in it.
        if (textBoxCan(focus, key)) {
            textBoxDoes(focus, key);
        } else if (key == Key::Undo) {
            m_bench.undo();
        } else {
            m_bench.redo();
        }
    }

    QWidget& m_window;
    BenchController& m_bench;
};

}  // namespace

void addUndoKeys(QWidget& window, BenchController& bench) {
    new UndoKeys(window, bench);
}

}  // namespace workbench
