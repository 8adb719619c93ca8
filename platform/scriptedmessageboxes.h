#pragma once
// Message boxes for tests: every call is recorded and answered from a queue the test fills.
// A call with nothing queued, or with an answer its buttons do not offer, is recorded as a
// failure and answered with Cancel (or No, or OK) instead of blocking.
#include <QStringList>
#include <deque>
#include <vector>

#include "platform/messageboxes.h"

namespace platform {

class ScriptedMessageBoxes : public MessageBoxes {
  public:
    struct Call {
        MessageIcon icon;
        QString text;
        QString title;
        MessageButtons buttons;
        MessageAnswer answer;
    };

    void queueAnswer(MessageAnswer answer) { m_answers.push_back(answer); }
    std::size_t pendingAnswers() const { return m_answers.size(); }

    const std::vector<Call>& calls() const { return m_calls; }
    const QStringList& failures() const { return m_failures; }
    bool hasFailures() const { return !m_failures.isEmpty(); }
    void reset();

    MessageAnswer show(MessageIcon icon, const QString& text, const QString& title,
                       MessageButtons buttons) override;

  private:
    std::deque<MessageAnswer> m_answers;
    std::vector<Call> m_calls;
    QStringList m_failures;
};

}  // namespace platform
