#pragma once
// The exercise the main window's text area works on: the text area itself, the name of what it
// shows, whether the pupil changed it, whether a correction can be shown, and the folder the
// names of the exercise file are relative to. The exercise windows read and change it here, and
// load an exercise's configuration through the document.
#include <QObject>
#include <QString>

namespace platform {
class RichTextBox;
}

namespace workbench {

class Document;

class ExerciseSession : public QObject {
    Q_OBJECT

  public:
    ExerciseSession(platform::RichTextBox& text, Document& document, QObject* parent = nullptr);

    platform::RichTextBox& text() { return m_text; }
    Document& document() { return m_document; }

    // The exercise file open, or "Texte: " and the path of a text reopened; empty while the
    // welcome text shows. A change is announced by nameChanged.
    QString name() const { return m_name; }
    void setName(const QString& name);
    // Typing into the text counts only while something is open: the welcome text may be written
    // in and let go without a question.
    bool isModified() const { return m_modified; }
    void setModified(bool modified) { m_modified = modified; }
    bool correctionAvailable() const { return m_correctionAvailable; }
    void setCorrectionAvailable(bool available) { m_correctionAvailable = available; }
    // Ends with "/".
    QString folder() const { return m_folder; }
    void setFolder(const QString& folder) { m_folder = folder; }

    void writeWelcomeText();

  signals:
    void nameChanged(const QString& name);
    // An exercise and its set-up were opened: the bench's history starts again from them.
    void exerciseOpened();

  private:
    platform::RichTextBox& m_text;
    Document& m_document;
    QString m_name;
    QString m_folder;
    bool m_modified = false;
    bool m_correctionAvailable = false;
};

}  // namespace workbench
