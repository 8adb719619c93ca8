#include "windows/exercises/exercisetext.h"

#include <QFileInfo>
#include <filesystem>

#include "platform/messageboxes.h"
#include "platform/richtextbox.h"
#include "workbench/mainwindow.h"

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

TextLoad loadText(workbench::MainWindow& window, const QString& path) {
    if (!QFileInfo(path).isFile()) return TextLoad::Missing;
    return window.supertext().loadRtfFile(path) ? TextLoad::Loaded : TextLoad::Unreadable;
}

bool loadExerciseText(workbench::MainWindow& window, const QString& path) {
    switch (loadText(window, path)) {
        case TextLoad::Loaded:
            return true;
        case TextLoad::Missing:
            showMissing(window, path);
            return false;
        case TextLoad::Unreadable:
            break;
    }
    showReadFailure(window);
    return false;
}

ExerciseSetUp::ExerciseSetUp(workbench::MainWindow& window, const QString& folder, const std::string& record)
    : m_window(window) {
    if (exercises::isBlank(record)) return;
    m_path = folder + recordText(record);
    m_file = window.document().readConfiguration(m_path);
    m_refused = !m_file;
}

void ExerciseSetUp::apply() {
    if (!m_file) return;
    m_window.document().applyConfiguration(m_path, std::move(*m_file));
    m_file.reset();
}

void showStop(workbench::MainWindow& window, const QString& text, const QString& title) {
    window.services().messageBoxes.show(MessageIcon::Stop, text, title, MessageButtons::Ok);
}

void showReadFailure(workbench::MainWindow& window) {
    const auto& message = exercises::kExerciseReadFailedMessage;
    showStop(window, QString::fromUtf8(message.text.data(), static_cast<qsizetype>(message.text.size())),
             QString::fromUtf8(message.title.data(), static_cast<qsizetype>(message.title.size())));
}

void showMissing(workbench::MainWindow& window, const QString& path) {
    showStop(window, QStringLiteral("Le fichier ") + path + QStringLiteral(" est introuvable"),
             QStringLiteral("Fichier absent"));
}

bool confirmLoss(workbench::MainWindow& window) {
    if (!window.textModified()) return true;
    const MessageAnswer answer = window.services().messageBoxes.show(
        MessageIcon::Question, QStringLiteral("Attention: perte des modifications du texte."),
        QStringLiteral("Abandon des données?"), MessageButtons::OkCancel);
    return answer == MessageAnswer::Ok;
}

}  // namespace exercisewindow
