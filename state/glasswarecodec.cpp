#include "state/glasswarecodec.h"

#include "state/glasswarebench.h"
#include "state/glasswaretext.h"

namespace state {

namespace {

constexpr std::string_view kGlasswareKey = "verrerie";

std::optional<chemistry::Glassware> glasswareOf(const configuration::ConfigurationFile& file) {
    const auto value = file.extensions.value(kGlasswareKey);
    if (!value) return chemistry::Glassware{};
    return readGlasswareText(*value);
}

class GlasswareCodec : public ExtensionCodec {
  public:
    void write(const BenchState& bench, configuration::ConfigurationFile& file) const override {
        if (bench.glassware.exact) {
            file.extensions.remove(kGlasswareKey);
        } else {
            file.extensions.set(kGlasswareKey, glasswareText(bench.glassware));
        }
    }
    // Glassware this program cannot read refuses the file rather than titrating exactly.
    bool accept(configuration::ConfigurationFile& file) const override {
        return glasswareOf(file).has_value();
    }
    void load(const configuration::ConfigurationFile& file, BenchState& bench) const override {
        bench.glassware = glasswareOf(file).value_or(chemistry::Glassware{});
        bench.solution.delivery = deliveryOf(bench, bench.situations.current);
    }
};

}  // namespace

const ExtensionCodec& glasswareCodec() {
    static const GlasswareCodec codec;
    return codec;
}

}  // namespace state
