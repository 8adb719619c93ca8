#include "state/benchconfiguration.h"

#include "chemistry/fieldvalidation.h"
#include "state/extensioncodec.h"

namespace state {

namespace {

constexpr const char* kCorrectedMessage =
    "Certaines valeurs du fichier étaient incorrectes : elles ont été corrigées.";
constexpr const char* kCorrectedTitle = "Valeurs corrigées";

}  // namespace

configuration::ConfigurationFile configurationFromBench(const BenchState& bench) {
    configuration::ConfigurationFile file;
    file.concentrationMasked = bench.switches.concentrationMasked;
    file.superposeCurves = bench.switches.superposeCurves;
    file.boldStrokes = bench.switches.boldStrokes;
    file.situations = bench.situations.records;
    for (const ExtensionCodec* codec : extensionCodecs()) codec->write(bench, file);
    return file;
}

bool acceptConfiguration(configuration::ConfigurationFile& file) {
    for (const ExtensionCodec* codec : extensionCodecs()) {
        if (!codec->accept(file)) return false;
    }
    for (const auto& situation : file.situations) {
        if (!chemistry::knowsItsSolutes(situation)) return false;
    }
    return true;
}

std::optional<Message> correctConfiguration(configuration::ConfigurationFile& file) {
    bool corrected = file.damagedEntriesLeftOut;
    for (auto& situation : file.situations) corrected = chemistry::correctSituation(situation) || corrected;
    for (const ExtensionCodec* codec : extensionCodecs()) corrected = codec->corrects(file) || corrected;
    if (!corrected) return std::nullopt;
    return Message{MessageIcon::Information, kCorrectedMessage, kCorrectedTitle};
}

}  // namespace state
