#pragma once
// What the apparatus illustration shows, read from the bench state, and the drawing steps an
// action asks of it.
#include <optional>
#include <string>
#include <vector>

#include "numbers/rgb.h"

namespace state {

// A solute the label beside the beaker names, with its forms ("H₃PO₄, H₂PO₄⁻, …").
struct BeakerSolute {
    std::string name;
    std::string forms;
    bool operator==(const BeakerSolute&) const = default;
};

struct ApparatusScene {
    bool showBurette = true;         // burette, tap and stirrer
    bool showPhMeter = true;         // probe, electrode support and meter
    bool showConductimeter = false;  // conductimetry cell, its cable and meter
    bool showElectrodes = false;     // platinum and reference electrodes, their millivoltmeter
    bool beakerIsAcid = true;
    int indicatorIndex = 0;
    double beakerVolume = 20.0;  // mL
    double pouredVolume = 0.0;   // mL
    double waterVolume = 0.0;    // mL
    double pH = 7.0;
    // An oxidation-reduction titration's liquid, whose colour its species give.
    std::optional<numbers::Rgb> liquid;
    // What the burette holds, when it is not the acid-base titrant the nature of the beaker names.
    std::string titrant;
    bool pouring = false;  // the tap is running: the stream falls
    bool tapOpen = false;
    bool highContrast = false;
    // Polyacids, polybases and two solutes are named beside the beaker; a single monoprotic
    // solute leaves the illustration as it always was.
    std::vector<BeakerSolute> beakerSolutes;
};

// One drawing step on the illustration, with the scene as it was when the step was asked for.
struct ApparatusPaint {
    enum class Kind {
        Background,    // the background layer for the apparatus shown
        LiquidLevels,  // the drawing layer again over the background layer
        Drop,          // a frame of the falling drop, its picture's top at `dropTop`
        BuretteTip,    // the short lines at the burette tip, which a passing drop covers
    };
    Kind kind = Kind::LiquidLevels;
    ApparatusScene scene;
    double dropTop = 0;  // px
};

}  // namespace state
