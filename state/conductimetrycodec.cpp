#include "state/conductimetrycodec.h"

namespace state {

namespace {

constexpr std::string_view kConductimeterKey = "conductimètre";
constexpr std::string_view kGraphKey = "graphe";
constexpr std::string_view kShown = "1";
constexpr std::string_view kSigmaGraph = "sigma";
constexpr std::string_view kAmountGraph = "n";
constexpr std::string_view kPotentialGraph = "E";

}  // namespace

void writeConductimetryEntries(const ConductimetrySwitches& switches,
                               configuration::ExtensionEntries& entries) {
    entries.remove(kConductimeterKey);
    entries.remove(kGraphKey);
    if (switches.showConductimeter) entries.set(kConductimeterKey, kShown);
    if (switches.amountGraph) {
        entries.set(kGraphKey, kAmountGraph);
    } else if (switches.potentialGraph) {
        entries.set(kGraphKey, kPotentialGraph);
    } else if (switches.showConductimeter && switches.conductivityGraph) {
        entries.set(kGraphKey, kSigmaGraph);
    }
}

ConductimetrySwitches readConductimetryEntries(const configuration::ExtensionEntries& entries) {
    ConductimetrySwitches read;
    read.showConductimeter = entries.value(kConductimeterKey) == kShown;
    read.conductivityGraph = read.showConductimeter && entries.value(kGraphKey) == kSigmaGraph;
    read.amountGraph = entries.value(kGraphKey) == kAmountGraph;
    read.potentialGraph = entries.value(kGraphKey) == kPotentialGraph;
    return read;
}

namespace {

class ConductimetryCodec : public ExtensionCodec {
  public:
    void write(const BenchState& bench, configuration::ConfigurationFile& file) const override {
        writeConductimetryEntries({bench.switches.showConductimeter, bench.switches.conductivityGraph,
                                   bench.switches.amountGraph, bench.switches.potentialGraph},
                                  file.extensions);
    }
    void load(const configuration::ConfigurationFile& file, BenchState& bench) const override {
        const ConductimetrySwitches read = readConductimetryEntries(file.extensions);
        bench.switches.showConductimeter = read.showConductimeter;
        bench.switches.conductivityGraph = read.conductivityGraph;
        bench.switches.amountGraph = read.amountGraph;
        bench.switches.potentialGraph = read.potentialGraph;
        if (!bench.switches.showConductimeter) bench.readings.conductivity.clear();
    }
};

}  // namespace

const ExtensionCodec& conductimetryCodec() {
    static const ConductimetryCodec codec;
    return codec;
}

}  // namespace state
