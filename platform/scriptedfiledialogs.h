#pragma once
// File dialogs for tests: every call is recorded and answered from a queue the test fills.
// A call with nothing queued, or with an answer queued for the other kind of dialog, is
// recorded as a failure and answered as a cancel instead of blocking.
#include <QStringList>
#include <deque>
#include <vector>

#include "platform/filedialogs.h"

namespace platform {

class ScriptedFileDialogs : public FileDialogs {
  public:
    enum class Kind { Open, Save };

    struct Call {
        Kind kind;
        QString title;
        QString filter;
        QString defaultSuffix;  // empty for an open dialog
        QString initialName;
        std::optional<QString> answer;
    };

    // Nothing as the answer stands for the pupil cancelling.
    void queueOpenAnswer(std::optional<QString> path) { m_answers.push_back({Kind::Open, std::move(path)}); }
    void queueSaveAnswer(std::optional<QString> path) { m_answers.push_back({Kind::Save, std::move(path)}); }
    std::size_t pendingAnswers() const { return m_answers.size(); }

    const std::vector<Call>& calls() const { return m_calls; }
    const QStringList& failures() const { return m_failures; }
    bool hasFailures() const { return !m_failures.isEmpty(); }
    void reset();

    std::optional<QString> openFile(QWidget* parent, const QString& title, const QString& filter,
                                    const QString& initialName) override;
    std::optional<QString> saveFile(QWidget* parent, const QString& title, const QString& filter,
                                    const QString& defaultSuffix, const QString& initialName) override;

  private:
    struct Answer {
        Kind kind;
        std::optional<QString> path;
    };

    std::optional<QString> answer(Call call);

    std::deque<Answer> m_answers;
    std::vector<Call> m_calls;
    QStringList m_failures;
};

}  // namespace platform
