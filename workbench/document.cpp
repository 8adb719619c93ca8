#include "workbench/document.h"

#include <filesystem>

#include "chemistry/fieldvalidation.h"
#include "configuration/contrastcodec.h"
#include "configuration/secondsolutecodec.h"
#include "platform/messageboxes.h"
#include "state/conductimetrycodec.h"
#include "state/measuremententries.h"
#include "state/situationactions.h"
#include "workbench/benchcontroller.h"

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
    configuration::ConfigurationFile file;
    const state::BenchState& bench = m_bench.state();
    file.concentrationMasked = bench.switches.concentrationMasked;
    file.superposeCurves = bench.switches.superposeCurves;
    file.boldStrokes = bench.switches.boldStrokes;
    file.situations = bench.situations.records;
    state::writeMeasurementEntries(bench.lab.points, file.extensions);
    state::writeConductimetryEntries({bench.switches.showConductimeter, bench.switches.conductivityGraph},
                                     file.extensions);
    configuration::writeSecondSolutes(file);
    configuration::writeHighContrast(file.extensions, bench.switches.highContrast);
    return file;
}

configuration::ConfigurationFile Document::currentConfiguration() {
    const int current = m_bench.state().situations.current;
    if (current >= 0) m_bench.perform(state::switchSituation, current);
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
    // A solute this program does not know (a file of a later version) is refused, never read as
    // another one.
    bool known = configuration::readSecondSolutes(file);
    for (const auto& situation : file.situations) known = known && chemistry::knowsItsSolutes(situation);
    if (!known) {
        showFailure(m_messageBoxes, configuration::kNotAConfigurationFileMessage);
        return std::nullopt;
    }
    return file;
}

void Document::applyConfiguration(const QString& path, configuration::ConfigurationFile file) {
    // Every situation, not only the one shown first: the pH shown is always that of the values
    // shown, whichever situation the pupil picks.
    bool corrected = file.damagedEntriesLeftOut;
    for (auto& situation : file.situations) corrected = chemistry::correctSituation(situation) || corrected;
    corrected = state::readMeasurementEntries(file.extensions).corrected || corrected;
    m_bench.perform(state::loadConfiguration, file);
    m_configurationPath = path;
    setCaption(path);
    if (corrected) {
        m_messageBoxes.show(platform::MessageIcon::Information, QString::fromUtf8(kCorrectedMessage),
                            QString::fromUtf8(kCorrectedTitle), platform::MessageButtons::Ok);
    }
}

}  // namespace workbench
