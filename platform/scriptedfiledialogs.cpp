#include "platform/scriptedfiledialogs.h"

namespace platform {

void ScriptedFileDialogs::reset() {
    m_answers.clear();
    m_calls.clear();
    m_failures.clear();
}

std::optional<QString> ScriptedFileDialogs::openFile(QWidget*, const QString& title, const QString& filter,
                                                     const QString& initialName) {
    return answer(Call{Kind::Open, title, filter, QString(), initialName, std::nullopt});
}

std::optional<QString> ScriptedFileDialogs::saveFile(QWidget*, const QString& title, const QString& filter,
                                                     const QString& defaultSuffix,
                                                     const QString& initialName) {
    return answer(Call{Kind::Save, title, filter, defaultSuffix, initialName, std::nullopt});
}

std::optional<QString> ScriptedFileDialogs::answer(Call call) {
    const QString kind = call.kind == Kind::Open ? QStringLiteral("open") : QStringLiteral("save");
    if (m_answers.empty()) {
        m_failures << QStringLiteral("unexpected %1 dialog \"%2\"").arg(kind, call.title);
    } else {
        Answer queued = m_answers.front();
        m_answers.pop_front();
        if (queued.kind == call.kind) {
            call.answer = queued.path;
        } else {
            m_failures << QStringLiteral("answer queued for another dialog than the %1 dialog \"%2\"")
                              .arg(kind, call.title);
        }
    }
    m_calls.push_back(call);
    return call.answer;
}

}  // namespace platform
