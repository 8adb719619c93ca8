#include "windows/exercises/exercisetext.h"

#include <QDir>
#include <QFileInfo>
#include <filesystem>

#include "configuration/recordfile.h"
#include "platform/messageboxes.h"
#include "platform/richtextbox.h"
#include "workbench/document.h"
#include "workbench/exercisesession.h"
#include "workbench/services.h"

namespace exercisewindow {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

QString withSeparator(const QString& folder) {
    if (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\'))) return folder;
    return folder + QLatin1Char('/');
}

QString folderOf(const QString& filePath) {
    return withSeparator(QFileInfo(filePath).absolutePath());
}

QString recordText(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::optional<exercises::ExerciseFile> readExerciseAt(const QString& path) {
    return exercises::readExerciseFile(std::filesystem::path(path.toStdU16String()));
}

TextLoad loadText(const ExerciseContext& context, const QString& path) {
    if (!QFileInfo(path).isFile()) return TextLoad::Missing;
    return context.session.text().loadRtfFile(path) ? TextLoad::Loaded : TextLoad::Unreadable;
}

bool loadExerciseText(const ExerciseContext& context, const QString& path) {
    switch (loadText(context, path)) {
        case TextLoad::Loaded:
            return true;
        case TextLoad::Missing:
            showMissing(context, path);
            return false;
        case TextLoad::Unreadable:
            break;
    }
    showReadFailure(context, path);
    return false;
}

ExerciseSetUp::ExerciseSetUp(workbench::ExerciseSession& session, const QString& folder,
                             const std::string& record)
    : m_session(session) {
    if (exercises::isBlank(record)) return;
    m_path = folder + recordText(record);
    m_file = session.document().readConfiguration(m_path);
    m_refused = !m_file;
}

void ExerciseSetUp::apply() {
    if (!m_file) return;
    m_session.document().applyConfiguration(m_path, std::move(*m_file));
    m_file.reset();
}

void showStop(const ExerciseContext& context, const QString& text, const QString& title) {
    context.services.messageBoxes.show(MessageIcon::Stop, text, title, MessageButtons::Ok);
}

void showReadFailure(const ExerciseContext& context, const QString& path) {
    if (configuration::readingDenied(std::filesystem::path(path.toStdU16String()))) {
        showStop(context,
                 QStringLiteral("Accès refusé : vous n'avez pas le droit de lire le fichier ") +
                     QDir::toNativeSeparators(path) + QLatin1Char('.'),
                 QStringLiteral("Lecture impossible"));
        return;
    }
    const auto& message = exercises::kExerciseReadFailedMessage;
    showStop(context, QString::fromUtf8(message.text.data(), static_cast<qsizetype>(message.text.size())),
             QString::fromUtf8(message.title.data(), static_cast<qsizetype>(message.title.size())));
}

void showMissing(const ExerciseContext& context, const QString& path) {
    showStop(context, QStringLiteral("Le fichier ") + path + QStringLiteral(" est introuvable"),
             QStringLiteral("Fichier absent"));
}

bool confirmLoss(const ExerciseContext& context) {
    if (!context.session.isModified()) return true;
    const MessageAnswer answer = context.services.messageBoxes.show(
        MessageIcon::Question, QStringLiteral("Attention: perte des modifications du texte."),
        QStringLiteral("Abandon des données?"), MessageButtons::OkCancel);
    return answer == MessageAnswer::Ok;
}

}  // namespace exercisewindow
