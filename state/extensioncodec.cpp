#include "state/extensioncodec.h"

#include <array>
#include <charconv>

#include "state/conductimetrycodec.h"
#include "state/contrastcodec.h"
#include "state/glasswarecodec.h"
#include "state/measuremententries.h"
#include "state/redoxcodec.h"
#include "state/secondsolutecodec.h"

namespace state {

std::optional<std::int16_t> entryIndex(std::string_view text) {
    std::int16_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

void keepSituationEntry(configuration::ConfigurationFile& file, int slot, std::string_view name,
                        const std::string& value, const std::string& initial) {
    const std::string key = configuration::situationKey(slot, name);
    if (value == initial) {
        file.extensions.remove(key);
    } else {
        file.extensions.set(key, value);
    }
}

bool ExtensionCodec::accept(configuration::ConfigurationFile&) const {
    return true;
}

bool ExtensionCodec::corrects(const configuration::ConfigurationFile&) const {
    return false;
}

void ExtensionCodec::load(const configuration::ConfigurationFile&, BenchState&) const {}

std::span<const ExtensionCodec* const> extensionCodecs() {
    static const std::array<const ExtensionCodec*, 6> codecs{&measurementCodec(),  &conductimetryCodec(),
                                                             &secondSoluteCodec(), &contrastCodec(),
                                                             &redoxCodec(),        &glasswareCodec()};
    return codecs;
}

}  // namespace state
