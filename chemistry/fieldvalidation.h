#pragma once
// The limits of the parameter panel's entry fields, applied alike to a value the pupil types and
// to one read from a configuration file, so that the engine only ever sees parameters the panel
// would accept.
#include <string>
#include <string_view>

#include "chemistry/solution.h"

namespace chemistry {

// The entry fields, numbered as the panel's `Text1` elements.
enum class PanelField {
    BeakerConcentration = 0,
    TitrantConcentration = 1,
    OtherPKa = 2,
    SecondPKa = 3,  // the second pKa of "autre diacide" / "autre dibase"
    BeakerVolume = 4,
    PouredVolume = 5,
    WaterVolume = 6,
    SecondConcentration = 7,  // c₂' of the second solute
    SulfuricAcid = 8,         // the medium of an oxidation-reduction titration
    Chromate = 9,             // Mohr's indicator of a precipitation titration, 0 to 0,1 mol · L-1
};

// A volume correction the pupil is told of.
enum class VolumeNotice { None, BelowMinimum, AboveMaximum, AboveCapacity };

// The text of a notice's message box, whose title is "Volume corrigé"; empty for None.
const char* noticeText(VolumeNotice notice);

struct ValidatedField {
    double value = 0;          // the number the field holds once validated
    std::string text;          // what the field then shows
    bool outOfLimits = false;  // the text was not a number, or its number broke a limit
    VolumeNotice notice = VolumeNotice::None;
};

// Validates a field's text as leaving the field does: a text that is not a number reads as 0, a
// negative number becomes 0, then the field's limits apply: concentrations 1e-8 to 0.1 mol · L-1,
// a pKa above 14 becomes 13,9, the beaker's volume and the water's together 20 to 200 mL with
// the beaker's at least 1 mL, the poured volume at most 25 mL. `otherVolume` is the other of
// those two volumes (mL); a negative or unusable one counts as 0; the sulfuric acid 0 to
// 5 mol · L-1. Concentrations and the pKa are then kept to three significant digits.
ValidatedField validateField(PanelField field, std::string_view text, double otherVolume = 0);

// Brings a stored situation within the same limits, and its indicator within its list; a solute
// index of -1 (nothing chosen) becomes the first. A solute index that names no solute of the list
// is not corrected: see knowsItsSolutes. A text within the limits is kept as it stands, so that a sound file
// reads and saves back unchanged; a text that breaks them takes the validated text. True when anything
// changed.
bool correctSituation(Situation& situation);

// Whether the situation's solutes are all of the catalogue (none, -1, for the second one): a file
// naming a solute this program does not know is refused rather than misread.
bool knowsItsSolutes(const Situation& situation);

}  // namespace chemistry
