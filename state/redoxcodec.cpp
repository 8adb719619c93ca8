#include "state/redoxcodec.h"

#include <optional>
#include <string>

namespace state {

using configuration::ConfigurationFile;
using configuration::situationKey;

namespace {

constexpr std::string_view kKind = "titrage";
constexpr std::string_view kRedoxKind = "oxydoréduction";
constexpr std::string_view kBeaker = "oxred";
constexpr std::string_view kTitrant = "titrant";
constexpr std::string_view kAcid = "acide";
constexpr std::string_view kIndicator = "indicateur_redox";
constexpr std::string_view kReference = "référence";
constexpr std::string_view kPrecipitationKind = "précipitation";
constexpr std::string_view kSalt = "sel";
constexpr std::string_view kSecondSalt = "second_sel";
constexpr std::string_view kPrecipitant = "précipitant";
constexpr std::string_view kChromate = "chromate";
constexpr std::string_view kSilverReference = "référence_argent";

std::string kindText(chemistry::TitrationKind kind) {
    if (kind == chemistry::TitrationKind::Redox) return std::string(kRedoxKind);
    if (kind == chemistry::TitrationKind::Precipitation) return std::string(kPrecipitationKind);
    return {};
}

void writeEntries(ConfigurationFile& file) {
    const chemistry::Situation start;
    for (int slot = 0; slot < kSituationCount; ++slot) {
        const chemistry::Situation& s = file.situations[static_cast<std::size_t>(slot)];
        const auto keep = [&](std::string_view name, const std::string& value, const std::string& initial) {
            keepSituationEntry(file, slot, name, value, initial);
        };
        keep(kKind, kindText(s.kind), std::string());
        keep(kBeaker, std::to_string(s.redoxBeakerSpecies), std::to_string(start.redoxBeakerSpecies));
        keep(kTitrant, std::to_string(s.redoxTitrantSpecies), std::to_string(start.redoxTitrantSpecies));
        keep(kAcid, s.sulfuricAcidText, start.sulfuricAcidText);
        keep(kIndicator, std::to_string(s.redoxIndicator), std::to_string(start.redoxIndicator));
        keep(kReference, std::to_string(s.redoxReference), std::to_string(start.redoxReference));
        keep(kSalt, std::to_string(s.precipitationSalt), std::to_string(start.precipitationSalt));
        keep(kSecondSalt, std::to_string(s.precipitationSecondSalt),
             std::to_string(start.precipitationSecondSalt));
        keep(kPrecipitant, std::to_string(s.precipitationTitrant),
             std::to_string(start.precipitationTitrant));
        keep(kChromate, s.chromateText, start.chromateText);
        keep(kSilverReference, std::to_string(s.precipitationReference),
             std::to_string(start.precipitationReference));
    }
}

// The situations take the entries' values, and those a file does not hold a situation's start.
// False, with nothing changed, for a kind this program does not know or an index that is not a
// whole number.
bool readEntries(ConfigurationFile& file) {
    auto situations = file.situations;
    const chemistry::Situation start;
    for (int slot = 0; slot < kSituationCount; ++slot) {
        chemistry::Situation& s = situations[static_cast<std::size_t>(slot)];
        s.kind = chemistry::TitrationKind::AcidBase;
        if (const auto kind = file.extensions.value(situationKey(slot, kKind))) {
            if (*kind == kRedoxKind) {
                s.kind = chemistry::TitrationKind::Redox;
            } else if (*kind == kPrecipitationKind) {
                s.kind = chemistry::TitrationKind::Precipitation;
            } else {
                return false;
            }
        }
        const auto index = [&](std::string_view name, std::int16_t& into, std::int16_t initial) {
            into = initial;
            const auto text = file.extensions.value(situationKey(slot, name));
            if (!text) return true;
            const auto read = entryIndex(*text);
            if (read) into = *read;
            return read.has_value();
        };
        if (!index(kBeaker, s.redoxBeakerSpecies, start.redoxBeakerSpecies) ||
            !index(kTitrant, s.redoxTitrantSpecies, start.redoxTitrantSpecies) ||
            !index(kIndicator, s.redoxIndicator, start.redoxIndicator) ||
            !index(kReference, s.redoxReference, start.redoxReference) ||
            !index(kSalt, s.precipitationSalt, start.precipitationSalt) ||
            !index(kSecondSalt, s.precipitationSecondSalt, start.precipitationSecondSalt) ||
            !index(kPrecipitant, s.precipitationTitrant, start.precipitationTitrant) ||
            !index(kSilverReference, s.precipitationReference, start.precipitationReference))
            return false;
        s.sulfuricAcidText = start.sulfuricAcidText;
        if (const auto acid = file.extensions.value(situationKey(slot, kAcid)))
            s.sulfuricAcidText = std::string(*acid);
        s.chromateText = start.chromateText;
        if (const auto chromate = file.extensions.value(situationKey(slot, kChromate)))
            s.chromateText = std::string(*chromate);
    }
    file.situations = situations;
    return true;
}

class RedoxCodec : public ExtensionCodec {
  public:
    void write(const BenchState&, ConfigurationFile& file) const override { writeEntries(file); }
    bool accept(ConfigurationFile& file) const override { return readEntries(file); }
};

}  // namespace

void writeRedoxChoices(ConfigurationFile& file) {
    writeEntries(file);
}

bool readRedoxChoices(ConfigurationFile& file) {
    return readEntries(file);
}

const ExtensionCodec& redoxCodec() {
    static const RedoxCodec codec;
    return codec;
}

}  // namespace state
