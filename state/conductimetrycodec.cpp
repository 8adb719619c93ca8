#include "state/conductimetrycodec.h"

namespace state {

namespace {

constexpr std::string_view kConductimeterKey = "conductimètre";
constexpr std::string_view kGraphKey = "graphe";
constexpr std::string_view kShown = "1";
constexpr std::string_view kSigmaGraph = "sigma";

}  // namespace

void writeConductimetryEntries(const ConductimetrySwitches& switches,
                               configuration::ExtensionEntries& entries) {
    entries.remove(kConductimeterKey);
    entries.remove(kGraphKey);
    if (switches.showConductimeter) entries.set(kConductimeterKey, kShown);
    if (switches.showConductimeter && switches.conductivityGraph) entries.set(kGraphKey, kSigmaGraph);
}

ConductimetrySwitches readConductimetryEntries(const configuration::ExtensionEntries& entries) {
    ConductimetrySwitches read;
    read.showConductimeter = entries.value(kConductimeterKey) == kShown;
    read.conductivityGraph = read.showConductimeter && entries.value(kGraphKey) == kSigmaGraph;
    return read;
}

}  // namespace state
