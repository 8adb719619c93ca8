#pragma once
// The conductimeter's switches in a configuration file: "conductimètre=1" while it is shown,
// "graphe=sigma" while the graph shows σ = f(V) and "graphe=n" while it shows n = f(V). Off, they write
// nothing, so that a file saved without them is byte for byte what it always was; a file without them reads
// as off.
#include "configuration/extensionrecords.h"
#include "state/benchstate.h"
#include "state/extensioncodec.h"

namespace state {

struct ConductimetrySwitches {
    bool showConductimeter = false;
    bool conductivityGraph = false;
    bool amountGraph = false;
    bool potentialGraph = false;  // E = f(V), of an oxidation-reduction titration
    bool operator==(const ConductimetrySwitches&) const = default;
};

// Replaces the two entries by those of the switches given.
void writeConductimetryEntries(const ConductimetrySwitches& switches,
                               configuration::ExtensionEntries& entries);

// Only the exact texts "1", "sigma" and "n" switch on; any other value reads as off. The σ graph is
// shown only with the conductimeter.
ConductimetrySwitches readConductimetryEntries(const configuration::ExtensionEntries& entries);

// The switches of the bench, saved and loaded; a file without the meter clears its display.
const ExtensionCodec& conductimetryCodec();

}  // namespace state
