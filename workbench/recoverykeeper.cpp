#include "workbench/recoverykeeper.h"

#include <QDateTime>
#include <chrono>

#include "platform/messageboxes.h"
#include "platform/richtextbox.h"
#include "platform/utf8text.h"
#include "state/benchrecovery.h"
#include "workbench/benchcontroller.h"
#include "workbench/document.h"
#include "workbench/exercisesession.h"

namespace workbench {

namespace {

// "le 12/03/2025 à 14:32", in the user's time.
QString moment(const QDateTime& when) {
    const QDateTime local = when.toLocalTime();
    return QStringLiteral("le %1 à %2")
        .arg(local.toString(QStringLiteral("dd/MM/yyyy")), local.toString(QStringLiteral("HH:mm")));
}

std::string utf8(const QString& text) {
    return text.toStdString();
}

using platform::fromUtf8;

}  // namespace

RecoveryKeeper::RecoveryKeeper(BenchController& bench, Document& document, ExerciseSession& session,
                               platform::MessageBoxes& messageBoxes, const QString& folder, QObject* parent)
    : QObject(parent),
      m_bench(bench),
      m_document(document),
      m_session(session),
      m_messageBoxes(messageBoxes),
      m_files(folder) {
    m_writer.setMaxThreadCount(1);
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &RecoveryKeeper::writeCopy);
    connect(&m_bench, &BenchController::changed, this, &RecoveryKeeper::noteChange);
    connect(&m_session.text(), &QTextEdit::textChanged, this, [this] {
        m_rtfStale = true;
        noteChange();
    });
    connect(&m_session, &ExerciseSession::nameChanged, this, &RecoveryKeeper::noteChange);
    connect(&m_document, &Document::captionChanged, this, &RecoveryKeeper::noteChange);
}

RecoveryKeeper::~RecoveryKeeper() {
    m_timer.stop();
    m_writer.waitForDone();
}

// Called at every tick of a pour: the timer is armed once, not started again at each change.
void RecoveryKeeper::noteChange() {
    if (m_closed) return;
    m_changed = true;
    if (!m_writing && !m_timer.isActive()) m_timer.start(m_delay);
}

state::RecoveryCopy RecoveryKeeper::currentCopy() {
    state::RecoveryCopy copy;
    copy.savedAt = QDateTime::currentSecsSinceEpoch();
    copy.bench = state::snapshotBench(m_bench.state());
    platform::RichTextBox& box = m_session.text();
    if (m_rtfStale) {
        m_rtf = box.textRtf().toStdString();
        m_rtfStale = false;
    }
    state::TextAreaSnapshot& text = copy.text;
    text.rtf = m_rtf;
    text.exerciseName = utf8(m_session.name());
    text.exerciseFolder = utf8(m_session.folder());
    text.correctionAvailable = m_session.correctionAvailable();
    text.readOnly = box.isReadOnly();
    text.modified = m_session.isModified();
    text.configurationPath = utf8(m_document.configurationPath());
    text.caption = utf8(m_document.caption());
    return copy;
}

void RecoveryKeeper::writeCopy() {
    if (m_closed || !m_files.usable()) return;
    m_changed = false;
    m_writing = true;
    // Taken now, between two events; encoded and written away from the user-interface thread.
    m_writer.start([this, copy = currentCopy()] {
        const bool written = m_files.write(state::encodeRecoveryCopy(copy));
        QMetaObject::invokeMethod(
            this, [this, written] { writeDone(written); }, Qt::QueuedConnection);
    });
}

void RecoveryKeeper::writeDone(bool written) {
    m_writing = false;
    if (m_changed && !m_closed) m_timer.start(m_delay);
    emit copyWritten(written);
}

void RecoveryKeeper::offerRestore() {
    if (m_offered) return;
    m_offered = true;
    const auto left = m_files.takeLeftCopy();
    if (!left) return;
    const auto bytes = platform::RecoveryFiles::read(left->path);
    const auto copy = bytes ? state::decodeRecoveryCopy(*bytes) : std::nullopt;
    if (!copy) {
        m_messageBoxes.show(platform::MessageIcon::Exclamation,
                            QStringLiteral("La copie de secours du travail laissé ") + moment(left->written) +
                                QStringLiteral(" est endommagée : elle ne peut pas être restaurée."),
                            QStringLiteral("Copie de secours"), platform::MessageButtons::Ok);
        return;
    }
    const auto answer = m_messageBoxes.show(
        platform::MessageIcon::Question,
        QStringLiteral("Vireltra s'est arrêté sans être fermé. Restaurer le travail laissé ") +
            moment(QDateTime::fromSecsSinceEpoch(copy->savedAt)) + QStringLiteral(" ?"),
        QStringLiteral("Travail retrouvé"), platform::MessageButtons::RestoreIgnore);
    if (answer == platform::MessageAnswer::Restore) restore(*copy);
}

void RecoveryKeeper::restore(const state::RecoveryCopy& copy) {
    m_bench.perform(state::restoreBench, copy.bench);
    const state::TextAreaSnapshot& text = copy.text;
    platform::RichTextBox& box = m_session.text();
    // The text put back is not an edit of the exercise: its name comes after it.
    m_session.setName(QString());
    if (box.setRtf(QByteArray::fromStdString(text.rtf))) box.select(0, 0);
    m_session.setName(fromUtf8(text.exerciseName));
    m_session.setFolder(fromUtf8(text.exerciseFolder));
    m_session.setCorrectionAvailable(text.correctionAvailable);
    box.setReadOnly(text.readOnly);
    m_session.setModified(text.modified);
    m_document.restoreCaption(fromUtf8(text.configurationPath), fromUtf8(text.caption));
}

void RecoveryKeeper::closeNormally() {
    m_closed = true;
    m_timer.stop();
    m_writer.waitForDone();
    m_files.removeAll();
}

}  // namespace workbench
