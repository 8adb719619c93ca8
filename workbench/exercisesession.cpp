#include "workbench/exercisesession.h"

#include <QTextDocument>

#include "platform/richtextbox.h"
#include "workbench/welcometext.h"

namespace workbench {

ExerciseSession::ExerciseSession(platform::RichTextBox& text, Document& document, QObject* parent)
    : QObject(parent), m_text(text), m_document(document) {
    connect(&m_text, &QTextEdit::textChanged, this, [this] {
        if (!m_name.isEmpty()) m_modified = true;
    });
}

void ExerciseSession::setName(const QString& name) {
    if (name == m_name) return;
    m_name = name;
    emit nameChanged(m_name);
}

void ExerciseSession::writeWelcomeText() {
    workbench::writeWelcomeText(m_text);
    // Written by the program: Ctrl+Z in the text area undoes the pupil's typing only.
    m_text.document()->clearUndoRedoStacks();
}

}  // namespace workbench
