#include "state/secondsolutecodec.h"

#include <optional>
#include <string>

namespace state {

using configuration::ConfigurationFile;
using configuration::situationKey;

namespace {

constexpr std::string_view kSolute = "soluté2";
constexpr std::string_view kConcentration = "c2";
constexpr std::string_view kSecondPKa = "pKa2";

}  // namespace

void writeSecondSolutes(ConfigurationFile& file) {
    const chemistry::Situation start;
    for (int slot = 0; slot < kSituationCount; ++slot) {
        const chemistry::Situation& s = file.situations[static_cast<std::size_t>(slot)];
        const auto keep = [&](std::string_view name, const std::string& value, const std::string& initial) {
            keepSituationEntry(file, slot, name, value, initial);
        };
        keep(kSolute, std::to_string(s.secondSpeciesIndex), std::to_string(start.secondSpeciesIndex));
        keep(kConcentration, s.secondConcentrationText, start.secondConcentrationText);
        keep(kSecondPKa, s.secondPKaText, start.secondPKaText);
    }
}

bool readSecondSolutes(ConfigurationFile& file) {
    auto situations = file.situations;
    const chemistry::Situation start;
    for (int slot = 0; slot < kSituationCount; ++slot) {
        chemistry::Situation& s = situations[static_cast<std::size_t>(slot)];
        s.secondSpeciesIndex = start.secondSpeciesIndex;
        s.secondConcentrationText = start.secondConcentrationText;
        s.secondPKaText = start.secondPKaText;
        if (const auto index = file.extensions.value(situationKey(slot, kSolute))) {
            const auto read = entryIndex(*index);
            if (!read) return false;
            s.secondSpeciesIndex = *read;
        }
        if (const auto c = file.extensions.value(situationKey(slot, kConcentration)))
            s.secondConcentrationText = std::string(*c);
        if (const auto pKa = file.extensions.value(situationKey(slot, kSecondPKa)))
            s.secondPKaText = std::string(*pKa);
    }
    file.situations = situations;
    return true;
}

namespace {

class SecondSoluteCodec : public ExtensionCodec {
  public:
    void write(const BenchState&, ConfigurationFile& file) const override { writeSecondSolutes(file); }
    bool accept(ConfigurationFile& file) const override { return readSecondSolutes(file); }
};

}  // namespace

const ExtensionCodec& secondSoluteCodec() {
    static const SecondSoluteCodec codec;
    return codec;
}

}  // namespace state
