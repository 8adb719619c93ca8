#include "workbench/document.h"

#include <filesystem>

#include "configuration/configurationfile.h"
#include "platform/messageboxes.h"
#include "workbench/workbench.h"

namespace workbench {

namespace {

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

bool Document::SaveConfiguration(const QString& path) {
    configuration::ConfigurationFile file;
    file.masquerTicked = m_workbench.concentrationMasked();
    file.check1Ticked = m_workbench.superposeCurves();
    file.check2Ticked = m_workbench.boldStrokes();
    file.situations = m_workbench.situations();
    if (!configuration::saveConfigurationFile(fileSystemPath(path), file)) {
        emit saveFailed();
        showFailure(m_messageBoxes, configuration::kWriteFailedMessage);
        return false;
    }
    setCaption(path);
    return true;
}

bool Document::LoadConfiguration() {
    configuration::ConfigurationFile file;
    const configuration::LoadResult result =
        configuration::loadConfigurationFile(fileSystemPath(m_configurationPath), file);
    if (const auto message = configuration::failureMessage(result)) {
        showFailure(m_messageBoxes, *message);
        return false;
    }
    // A titration being poured belongs to the set-up that is replaced: the tap closes first, as
    // leaving a situation stops it, so that nothing is poured into the situations just read.
    Burette& burette = m_workbench.burette();
    if (burette.pouring() || burette.tapOpen()) burette.Image3_MouseUp();
    // The read values are all in place before Situation 1 is shown, and nothing of the panel is
    // stored over them.
    m_workbench.setDisplaySwitches(file.masquerTicked, file.check1Ticked, file.check2Ticked);
    m_workbench.replaceSituations(file.situations);
    m_workbench.showSituation(0);
    setCaption(m_configurationPath);
    return true;
}

}  // namespace workbench
