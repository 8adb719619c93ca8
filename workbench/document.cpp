#include "workbench/document.h"

#include <filesystem>

#include "chemistry/fieldvalidation.h"
#include "platform/messageboxes.h"
#include "workbench/workbench.h"

namespace workbench {

namespace {

constexpr const char* kCorrectedMessage =
    "Certaines valeurs du fichier étaient incorrectes : elles ont été corrigées.";
constexpr const char* kCorrectedTitle = "Valeurs corrigées";

std::filesystem::path fileSystemPath(const QString& path) {
    return std::filesystem::path(path.toStdU16String());
}

void showFailure(platform::MessageBoxes& boxes, const configuration::FailureMessage& message) {
    boxes.show(platform::MessageIcon::Stop, QString::fromUtf8(message.text.data(), message.text.size()),
               QString::fromUtf8(message.title.data(), message.title.size()), platform::MessageButtons::Ok);
}

}  // namespace

Document::Document(Workbench& workbench, platform::MessageBoxes& messageBoxes, QObject* parent)
    : QObject(parent), m_workbench(workbench), m_messageBoxes(messageBoxes) {}

void Document::setCaption(const QString& path) {
    m_caption = QStringLiteral("Vireltra - ") + path;
    emit captionChanged(m_caption);
}

configuration::ConfigurationFile Document::storedConfiguration() const {
    configuration::ConfigurationFile file;
    file.masquerTicked = m_workbench.concentrationMasked();
    file.check1Ticked = m_workbench.superposeCurves();
    file.check2Ticked = m_workbench.boldStrokes();
    file.situations = m_workbench.situations();
    return file;
}

configuration::ConfigurationFile Document::currentConfiguration() {
    if (m_workbench.currentSituation() >= 0) m_workbench.Option2_Click(m_workbench.currentSituation());
    return storedConfiguration();
}

bool Document::SaveConfiguration(const QString& path) {
    if (!configuration::saveConfigurationFile(fileSystemPath(path), storedConfiguration())) {
        emit saveFailed();
        showFailure(m_messageBoxes, configuration::kWriteFailedMessage);
        return false;
    }
    setCaption(path);
    return true;
}

bool Document::LoadConfiguration() {
    auto file = readConfiguration(m_configurationPath);
    if (!file) return false;
    applyConfiguration(m_configurationPath, std::move(*file));
    return true;
}

std::optional<configuration::ConfigurationFile> Document::readConfiguration(const QString& path) {
    configuration::ConfigurationFile file;
    const configuration::LoadResult result = configuration::loadConfigurationFile(fileSystemPath(path), file);
    if (const auto message = configuration::failureMessage(result)) {
        showFailure(m_messageBoxes, *message);
        return std::nullopt;
    }
    return file;
}

void Document::applyConfiguration(const QString& path, configuration::ConfigurationFile file) {
    // Every situation, not only the one shown first: the pH shown is always that of the values
    // shown, whichever situation the pupil picks.
    bool corrected = false;
    for (auto& situation : file.situations) corrected = chemistry::correctSituation(situation) || corrected;
    // A titration being poured belongs to the set-up that is replaced: the tap closes first, as
    // leaving a situation stops it, so that nothing is poured into the situations just read.
    Burette& burette = m_workbench.burette();
    if (burette.pouring() || burette.tapOpen()) burette.Image3_MouseUp();
    // The read values are all in place before Situation 1 is shown, and nothing of the panel is
    // stored over them.
    m_workbench.setDisplaySwitches(file.masquerTicked, file.check1Ticked, file.check2Ticked);
    m_workbench.replaceSituations(file.situations);
    m_workbench.showSituation(0);
    m_configurationPath = path;
    setCaption(path);
    if (corrected) {
        m_messageBoxes.show(platform::MessageIcon::Information, QString::fromUtf8(kCorrectedMessage),
                            QString::fromUtf8(kCorrectedTitle), platform::MessageButtons::Ok);
    }
}

}  // namespace workbench
