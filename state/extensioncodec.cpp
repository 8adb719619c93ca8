#include "state/extensioncodec.h"

#include <array>

#include "state/conductimetrycodec.h"
#include "state/contrastcodec.h"
#include "state/measuremententries.h"
#include "state/redoxcodec.h"
#include "state/secondsolutecodec.h"

namespace state {

bool ExtensionCodec::accept(configuration::ConfigurationFile&) const {
    return true;
}

bool ExtensionCodec::corrects(const configuration::ConfigurationFile&) const {
    return false;
}

void ExtensionCodec::load(const configuration::ConfigurationFile&, BenchState&) const {}

std::span<const ExtensionCodec* const> extensionCodecs() {
    static const std::array<const ExtensionCodec*, 5> codecs{
        &measurementCodec(), &conductimetryCodec(), &secondSoluteCodec(), &contrastCodec(), &redoxCodec()};
    return codecs;
}

}  // namespace state
