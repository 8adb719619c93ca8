#include "platform/scriptedmessageboxes.h"

namespace platform {

void ScriptedMessageBoxes::reset() {
    m_answers.clear();
    m_calls.clear();
    m_failures.clear();
}

MessageAnswer ScriptedMessageBoxes::show(MessageIcon icon, const QString& text, const QString& title,
                                         MessageButtons buttons) {
    MessageAnswer answer = refusal(buttons);
    if (m_answers.empty()) {
        m_failures << QStringLiteral("unexpected message box \"%1\": %2").arg(title, text);
    } else {
        const MessageAnswer queued = m_answers.front();
        m_answers.pop_front();
        if (isAnswerOf(queued, buttons)) {
            answer = queued;
        } else {
            m_failures
                << QStringLiteral("queued answer not offered by message box \"%1\": %2").arg(title, text);
        }
    }
    m_calls.push_back(Call{icon, text, title, buttons, answer});
    return answer;
}

}  // namespace platform
