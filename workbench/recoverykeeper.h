#pragma once
// The recovery copy kept while the program runs. A few seconds after a change of the bench or of
// the text area, the bench is taken down between two events and written whole on a thread of its
// own, so that a pouring tick never waits for it; a normal close removes it. At start-up, work
// left by a program that did not close is offered once: "Restaurer" shows it again as it was,
// "Ignorer" keeps it aside until this program closes normally.
#include <QObject>
#include <QThreadPool>
#include <QTimer>
#include <string>

#include "platform/recoveryfiles.h"
#include "state/recoverycopy.h"

namespace platform {
class MessageBoxes;
}

namespace workbench {

class BenchController;
class Document;
class ExerciseSession;

class RecoveryKeeper : public QObject {
    Q_OBJECT

  public:
    static constexpr int kDelay = 3000;  // ms from a change to its copy

    RecoveryKeeper(BenchController& bench, Document& document, ExerciseSession& session,
                   platform::MessageBoxes& messageBoxes, const QString& folder, QObject* parent = nullptr);
    // A copy being written is finished first; the copy stays, as after a crash.
    ~RecoveryKeeper() override;
    RecoveryKeeper(const RecoveryKeeper&) = delete;
    RecoveryKeeper& operator=(const RecoveryKeeper&) = delete;

    const platform::RecoveryFiles& files() const { return m_files; }
    void setDelay(int milliseconds) { m_delay = milliseconds; }
    // A change waits for its copy, or a copy is being written.
    bool pending() const { return m_timer.isActive() || m_writing; }

    // Asks, once, whether to restore the most recent work a program left without closing.
    void offerRestore();
    // The program closes normally: nothing more is written and the copies go.
    void closeNormally();

    // The bench and the text area as they are shown.
    state::RecoveryCopy currentCopy();
    void restore(const state::RecoveryCopy& copy);

  signals:
    // A copy was written (or could not be).
    void copyWritten(bool written);

  private:
    void noteChange();
    void writeCopy();
    void writeDone(bool written);

    BenchController& m_bench;
    Document& m_document;
    ExerciseSession& m_session;
    platform::MessageBoxes& m_messageBoxes;
    platform::RecoveryFiles m_files;
    QTimer m_timer;
    // One writer, so that the copies reach the disk in the order they were taken.
    QThreadPool m_writer;
    int m_delay = kDelay;
    // The text area's rich text, written again only after it changed: a statement with pictures
    // takes a while to write.
    std::string m_rtf;
    bool m_rtfStale = true;
    bool m_changed = false;
    bool m_writing = false;
    bool m_offered = false;
    bool m_closed = false;
};

}  // namespace workbench
