#include "state/contrastcodec.h"

namespace state {

using configuration::ExtensionEntries;

namespace {

constexpr std::string_view kKey = "contraste";

}  // namespace

void writeHighContrast(ExtensionEntries& entries, bool highContrast) {
    if (highContrast) {
        entries.set(kKey, "1");
    } else {
        entries.remove(kKey);
    }
}

bool readHighContrast(const ExtensionEntries& entries) {
    const auto value = entries.value(kKey);
    return value && *value == "1";
}

namespace {

class ContrastCodec : public ExtensionCodec {
  public:
    void write(const BenchState& bench, configuration::ConfigurationFile& file) const override {
        writeHighContrast(file.extensions, bench.switches.highContrast);
    }
    void load(const configuration::ConfigurationFile& file, BenchState& bench) const override {
        bench.switches.highContrast = readHighContrast(file.extensions);
    }
};

}  // namespace

const ExtensionCodec& contrastCodec() {
    static const ContrastCodec codec;
    return codec;
}

}  // namespace state
