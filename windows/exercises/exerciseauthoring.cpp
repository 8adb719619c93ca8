#include "windows/exercises/exerciseauthoring.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "exercises/exercisewriter.h"
#include "platform/filedialogs.h"
#include "platform/messageboxes.h"
#include "platform/richtextbox.h"
#include "platform/savelocations.h"
#include "platform/utf8text.h"
#include "rtf/reader.h"
#include "windows/exercises/exercisetext.h"
#include "workbench/document.h"
#include "workbench/exercisesession.h"
#include "workbench/services.h"

namespace exercisewindow {
namespace {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

const QString kCannotSave = QStringLiteral("Enregistrement impossible");

using platform::fromUtf8;

std::filesystem::path fileSystemPath(const QString& path) {
    return std::filesystem::path(path.toStdU16String());
}

// A rich-text file of the exercise; "Fichier absent" or "Lecture impossible" when it cannot be had.
std::optional<rtf::Document> readText(const ExerciseContext& context, const QString& path) {
    QFile file(path);
    if (!QFileInfo(path).isFile()) {
        showMissing(context, path);
        return std::nullopt;
    }
    std::optional<rtf::Document> document;
    if (file.open(QIODevice::ReadOnly) && file.size() <= platform::RichTextBox::kMaxRtfFileBytes) {
        const QByteArray bytes = file.readAll();
        if (file.error() == QFileDevice::NoError)
            document = rtf::read(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    }
    if (!document) showReadFailure(context, path);
    return document;
}

void refuse(const ExerciseContext& context, const exercises::Refusal& refusal) {
    context.services.messageBoxes.show(MessageIcon::Exclamation, fromUtf8(refusal.text),
                                       fromUtf8(refusal.title), MessageButtons::Ok);
}

// Replacing any file of the exercise asks first, naming the exercise the teacher chose when it is
// there, else the first of its files found.
bool mayReplace(const ExerciseContext& context, const QString& folder,
                const exercises::ExerciseContent& content) {
    std::vector<std::string> names = exercises::fileNamesOf(content);
    const std::string index = exercises::indexFileName(content);
    std::stable_partition(names.begin(), names.end(),
                          [&index](const std::string& name) { return name == index; });
    for (const std::string& name : names) {
        const QString path = folder + fromUtf8(name);
        if (!QFileInfo::exists(path)) continue;
        const MessageAnswer answer = context.services.messageBoxes.show(
            MessageIcon::Question,
            QStringLiteral("Le fichier ") + QDir::toNativeSeparators(path) +
                QStringLiteral(" existe déjà.\r\nÉcraser l'ancien ?"),
            QStringLiteral("Écraser le fichier ?"), MessageButtons::OkCancel);
        return answer == MessageAnswer::Ok;
    }
    return true;
}

}  // namespace

exercises::ExerciseDraft draftOfWorkbench(const ExerciseContext& context) {
    exercises::ExerciseDraft draft;
    draft.statement = context.session.text().richDocument();
    draft.setUp = context.session.document().storePanelAndTakeConfiguration();
    return draft;
}

std::optional<exercises::ExerciseDraft> draftOfOpenExercise(const ExerciseContext& context) {
    workbench::ExerciseSession& session = context.session;
    const QString path = session.name();
    const auto index = readExerciseAt(path);
    if (!index) {
        showReadFailure(context, path);
        return std::nullopt;
    }
    const QString folder = folderOf(path);
    exercises::ExerciseDraft draft;
    draft.title = index->title;
    draft.level = std::clamp(index->level, exercises::kMinLevel, exercises::kMaxLevel);
    draft.hourglasses =
        std::clamp(index->hourglassCount, exercises::kMinHourglasses, exercises::kMaxHourglasses);
    const auto notions = exercises::notionsOf(index->notionLines);
    std::copy(notions.begin(), notions.begin() + std::min(notions.size(), draft.notions.size()),
              draft.notions.begin());

    // A correction shows read-only: the statement and its set-up are then the exercise's own.
    const bool correctionShown = session.text().isReadOnly();
    if (correctionShown) {
        auto statement = readText(context, folder + recordText(index->statement));
        if (!statement) return std::nullopt;
        draft.statement = std::move(*statement);
    } else {
        draft.statement = session.text().richDocument();
    }
    if (correctionShown && index->hasConfiguration()) {
        auto setUp = session.document().readConfiguration(folder + recordText(index->configuration));
        if (!setUp) return std::nullopt;
        draft.setUp = std::move(*setUp);
    } else {
        draft.setUp = session.document().storePanelAndTakeConfiguration();
    }
    if (!exercises::isBlank(index->correction) || !exercises::isBlank(index->correctionConfiguration))
        draft.correction = rtf::Document{};
    if (!exercises::isBlank(index->correction)) {
        draft.correction = readText(context, folder + recordText(index->correction));
        if (!draft.correction) return std::nullopt;
    }
    if (!exercises::isBlank(index->correctionConfiguration)) {
        draft.correctionSetUp =
            session.document().readConfiguration(folder + recordText(index->correctionConfiguration));
        if (!draft.correctionSetUp) return std::nullopt;
    }
    return draft;
}

std::optional<QString> saveExercise(const ExerciseContext& context, const exercises::ExerciseDraft& draft,
                                    const QString& initialPath) {
    if (const auto refusal = exercises::checkDraft(draft)) {
        refuse(context, *refusal);
        return std::nullopt;
    }
    platform::SaveLocations& locations = context.saveLocations;
    const auto chosen = context.services.fileDialogs.saveFile(
        &context.window, QStringLiteral("Enregistrer l'exercice"), QStringLiteral("Exercice|*.E36"),
        QStringLiteral("E36"), initialPath);
    if (!chosen) return std::nullopt;
    const QFileInfo index(QDir::fromNativeSeparators(*chosen));
    const QString folder = withSeparator(index.absolutePath());
    // The shipped exercises are never replaced, even where the system would allow it.
    if (locations.isInDataFolder(*chosen)) {
        context.services.messageBoxes.show(
            MessageIcon::Stop,
            QStringLiteral(
                "Les exercices fournis avec le logiciel ne peuvent pas être remplacés : choisir un autre "
                "dossier (par exemple dans Documents)."),
            kCannotSave, MessageButtons::Ok);
        return std::nullopt;
    }
    const std::string name = index.completeBaseName().toStdString();
    if (const auto refusal = exercises::checkFileName(name)) {
        refuse(context, *refusal);
        return std::nullopt;
    }
    const exercises::ExerciseContent content = exercises::contentOf(draft, name);
    if (!mayReplace(context, folder, content)) return std::nullopt;
    exercises::WriteFailure failure;
    if (!exercises::writeExerciseFiles(content, fileSystemPath(folder), &failure)) {
        const QString why = failure.lackOfRoom
                                ? fromUtf8(exercises::roomText(failure.bytesNeeded, failure.bytesAvailable))
                                : QStringLiteral("Vérifier l'état du lecteur et le nom du dossier.");
        context.services.messageBoxes.show(MessageIcon::Stop,
                                           QStringLiteral("Écriture impossible dans le dossier ") +
                                               QDir::toNativeSeparators(folder) + QStringLiteral("\r\n") +
                                               why,
                                           kCannotSave, MessageButtons::Ok);
        return std::nullopt;
    }
    const QString written = folder + fromUtf8(exercises::indexFileName(content));
    locations.noteSaved(written);
    return written;
}

}  // namespace exercisewindow
