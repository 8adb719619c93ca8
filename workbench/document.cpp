#include "workbench/document.h"

#include <QDir>
#include <filesystem>

#include "platform/messageboxes.h"
#include "state/benchconfiguration.h"
#include "state/situationactions.h"
#include "workbench/benchcontroller.h"

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

Document::Document(BenchController& bench, platform::MessageBoxes& messageBoxes, QObject* parent)
    : QObject(parent), m_bench(bench), m_messageBoxes(messageBoxes) {}

void Document::setCaption(const QString& path) {
    m_caption = QStringLiteral("Vireltra - ") + path;
    emit captionChanged(m_caption);
}

void Document::restoreCaption(const QString& path, const QString& caption) {
    m_configurationPath = path;
    if (caption == m_caption) return;
    m_caption = caption;
    emit captionChanged(m_caption);
}

configuration::ConfigurationFile Document::storedConfiguration() const {
    return state::configurationFromBench(m_bench.state());
}

configuration::ConfigurationFile Document::storePanelAndTakeConfiguration() {
    const int current = m_bench.state().situations.current;
    if (current >= 0) m_bench.perform(state::switchSituation, current);
    return storedConfiguration();
}

bool Document::saveBenchTo(const QString& path) {
    if (!configuration::saveConfigurationFile(fileSystemPath(path), storedConfiguration())) {
        emit saveFailed();
        showFailure(m_messageBoxes, configuration::kWriteFailedMessage);
        return false;
    }
    setCaption(path);
    return true;
}

bool Document::openConfigurationPath() {
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
    // A solute this program does not know (a file of a later version) is refused, never read as
    // another one.
    if (!state::acceptConfiguration(file)) {
        showFailure(m_messageBoxes, configuration::kNotAConfigurationFileMessage);
        return std::nullopt;
    }
    return file;
}

void Document::applyConfiguration(const QString& path, configuration::ConfigurationFile file) {
    const std::optional<state::Message> notice = state::correctConfiguration(file);
    m_bench.perform(state::loadConfiguration, file);
    // However it was typed, the caption names the file as the system writes paths.
    m_configurationPath = QDir::toNativeSeparators(path);
    setCaption(m_configurationPath);
    // Once the file is shown, so that the pupil sees what was corrected.
    if (notice) {
        m_messageBoxes.show(platform::MessageIcon::Information, QString::fromStdString(notice->text),
                            QString::fromStdString(notice->title), platform::MessageButtons::Ok);
    }
}

}  // namespace workbench
