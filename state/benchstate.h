#pragma once
// The titration bench as one plain value: the panel's parameters, the ten situations, the
// switches, the measuring step, the readings, the burette, the measurements and what the graph
// shows. Panels read it through the controller's const access; only the actions declared in
// state/ change it, and each returns what it did (ActionResult).
#include <array>
#include <cstdint>
#include <optional>
#include <random>
#include <string>

#include "chemistry/catalogue.h"
#include "chemistry/fieldvalidation.h"
#include "chemistry/solution.h"
#include "state/apparatusscene.h"
#include "state/graphcontent.h"
#include "state/labmeasurements.h"
#include "state/measurementrows.h"
#include "state/situationcolours.h"

namespace state {

using chemistry::kSituationCount;
// The panel's entry fields, in the order the panel numbers them.
using Field = chemistry::PanelField;

// What the options page switches, and whether the mask may be cleared.
struct Switches {
    bool showBurette = true;  // the burette and its stirrer
    bool showPhMeter = true;
    bool concentrationMasked = false;
    bool maskEnabled = true;  // false while a concentration the die drew is hidden
    bool superposeCurves = false;
    bool boldStrokes = false;
    bool showConductimeter = false;  // the conductimetry cell and its meter
    // σ = f(V) chosen on the graph; shown only while the conductimeter is.
    bool conductivityGraph = false;
    bool amountGraph = false;  // n = f(V) chosen on the graph
    // E = f(V) chosen on the graph; shown only while an oxidation-reduction titration is followed
    // by its electrodes.
    bool potentialGraph = false;
    bool highContrast = false;       // "Contraste élevé", saved with the configuration
    bool themeHighContrast = false;  // the desktop's theme is dark or of high contrast
    bool operator==(const Switches&) const = default;
};

// What the controls may do now.
struct Controls {
    bool fieldsLocked = false;  // while the tap pours
    bool toolbarVisible = false;
    bool distributionEnabled = true;  // not for a strong acid or base
    bool operator==(const Controls&) const = default;
};

// The texts of the pH-meter's display and of the poured-volume reading.
struct Readings {
    std::string pH;
    std::string conductivity;  // the conductimeter's display, "4,26 mS/cm"
    std::string potential;     // the millivoltmeter's display, "E = 0,526 V"
    std::string pouredVolume = "0,0 mL";
    bool operator==(const Readings&) const = default;
};

// The tap and the drop.
struct BuretteState {
    static constexpr double kTickVolume = 0.1;   // mL poured by a tick of the tap
    static constexpr double kDropVolume = 0.05;  // mL, one drop
    // A drop is let fall while the burette holds it, with room for the rounding of the texts.
    static constexpr double kLastDropVolume = 25.0001;  // mL
    static constexpr int kDropFrames = 4;

    bool tapOpen = false;
    bool pouring = false;  // the tap's ticks run
    bool dropFalling = false;
    int dropFrame = 0;  // 1 to 4 while a drop falls
    bool operator==(const BuretteState&) const = default;
};

// The ten numbered set-ups and the one shown.
struct SituationBook {
    std::array<chemistry::Situation, kSituationCount> records{};
    // Situations whose concentration the die drew: the mask cannot be cleared there.
    std::array<bool, kSituationCount> drawnConcentrationHidden{};
    int current = -1;  // none until the first is shown
    bool operator==(const SituationBook&) const = default;
};

struct BenchState {
    chemistry::SolutionSpec solution;  // the panel's parameters
    chemistry::EngineState engine;     // the engine's values for the point shown
    SituationBook situations;
    Switches switches;
    int stepTenths = 5;  // the measuring step, tenths of a millilitre, 1 to 10
    Controls controls;
    Readings readings;
    BuretteState burette;
    MeasurementRows rows;
    LabMeasurements lab;
    GraphContent graph;
    // The graph generation whose initial point is marked: a restart records that point once.
    std::optional<std::uint64_t> initialMarkGeneration;
    SituationColours colours;
    // How the volumes are measured; "Titrage exact" unless the pupil chose glassware.
    chemistry::Glassware glassware;
    std::mt19937 random;
    bool operator==(const BenchState&) const = default;
};

// The species of the catalogue (constant data).
const chemistry::SpeciesCatalogue& catalogue();

// An entry field's number and text; its value, 0 when its text is not a number.
const numbers::TypedNumber& field(const BenchState& bench, Field which);
double fieldValue(const BenchState& bench, Field which);
inline double pouredVolume(const BenchState& bench) {
    return fieldValue(bench, Field::PouredVolume);
}

const chemistry::Situation* currentSituation(const BenchState& bench);
Colour situationColour(const BenchState& bench, int slot);
Colour currentColour(const BenchState& bench);
// A finished situation whose curve the graph shows: the current one, or any with superposition.
bool finishedCurveShown(const BenchState& bench, int slot);
// A situation's set-up: the panel's for the current one, else the stored one's.
chemistry::SolutionSpec setUpOf(const BenchState& bench, int slot);
// Whether a situation's concentration is hidden from the pupil: masked, or drawn by the die. The
// current situation's mask is the switch's.
bool concentrationHidden(const BenchState& bench, int slot);

// Whether the graph and the illustration are drawn in high contrast: asked for, or by the theme.
bool drawsInHighContrast(const BenchState& bench);

// What the illustration shows, and the ordinate of the liquid surface in the beaker, px.
ApparatusScene apparatusScene(const BenchState& bench);
int liquidSurface(const BenchState& bench);

}  // namespace state
