#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "chemistry/glassware.h"
#include "numbers/typednumber.h"

namespace chemistry {

class SpeciesCatalogue;

// The workbench keeps ten numbered set-ups side by side.
inline constexpr int kSituationCount = 10;

// Which reaction the burette's solution carries out with the beaker's.
enum class TitrationKind : std::uint8_t { AcidBase, Redox, Precipitation };

// An oxidation-reduction titration's choices, by their index in the lists of chemistry/redox.h:
// the beaker's species and the burette's, the medium's acidity, the indicator and what follows
// the titration.
struct RedoxChoice {
    int beakerSpecies = 0;
    int titrantSpecies = 7;
    numbers::TypedNumber sulfuricAcid = "1,0";  // sulfuric acid in the beaker before pouring, mol · L-1
    int indicator = 0;                          // 0: none
    int reference = -1;                         // the reference electrode; -1: the colour only
    bool operator==(const RedoxChoice&) const = default;
};

// A precipitation titration's choices, by their index in the lists of chemistry/precipitation.h:
// the beaker's salt and a second one, the burette's salt, Mohr's chromate and the reference
// electrode. The second salt's concentration is SolutionSpec::secondConcentration.
struct PrecipitationChoice {
    int salt = 0;
    int secondSalt = -1;  // -1: none
    int titrant = 0;
    numbers::TypedNumber chromate = "0,005";  // mol · L-1 in the beaker before pouring; 0: none
    int reference = -1;                       // -1: no millivoltmeter reading
    bool operator==(const PrecipitationChoice&) const = default;
};

// The parameters of one titration as the parameter panel holds them: each number with the text
// the pupil typed (decimal comma), read once when the text is set.
struct SolutionSpec {
    bool beakerIsAcid = true;
    int speciesIndex = 0;                    // list index in the catalogue list of the beaker's nature
    numbers::TypedNumber otherPKa = "7,0";   // the free solute's pKa (its first)
    numbers::TypedNumber secondPKa = "9,0";  // the free two-pKa solute's second pKa
    int secondSpeciesIndex = -1;             // a second solute of the same nature; -1: none
    numbers::TypedNumber secondConcentration = "0,01";   // c₂', mol · L-1
    numbers::TypedNumber beakerConcentration = "0,01";   // C0, mol · L-1
    numbers::TypedNumber beakerVolume = "20,0";          // V0, mL
    numbers::TypedNumber waterVolume = "0,0";            // Ve, mL
    numbers::TypedNumber titrantConcentration = "0,01";  // Cb, mol · L-1
    numbers::TypedNumber pouredVolume = "0,0";           // V, mL, 0 to 25
    int indicatorIndex = 0;
    TitrationKind kind = TitrationKind::AcidBase;
    // Read only when `kind` is Redox; the concentrations and volumes above serve both kinds.
    RedoxChoice redox;
    // Read only when `kind` is Precipitation.
    PrecipitationChoice precipitation;
    // What the glassware actually delivered of the typed values; the identity for "Titrage exact".
    Delivery delivery;
    bool operator==(const SolutionSpec&) const = default;
};

// The concentrations (mol · L-1) and volumes (mL) a set-up is computed with: the typed values,
// each read in single precision, with what the glassware delivered; none where a text is not a
// number.
struct SetUpQuantities {
    std::optional<double> beakerConcentration;
    std::optional<double> secondConcentration;
    std::optional<double> beakerVolume;
    std::optional<double> waterVolume;
    std::optional<double> titrantConcentration;
};
SetUpQuantities setUpQuantities(const SolutionSpec& solution);

// A quantity within [low, high], stored into `value`; false, `value` unchanged, otherwise.
bool quantityWithin(const std::optional<double>& quantity, double low, double high, double& value);

// One of the ten numbered set-ups, in the order the configuration file stores its fields.
struct Situation {
    bool completed = false;
    std::string otherPKaText = "7,0";
    std::string titrantConcentrationText = "0,01";
    std::string pouredVolumeText = "0,0";
    std::string beakerConcentrationText = "0,01";
    std::string beakerVolumeText = "20,0";
    std::string waterVolumeText = "0,0";
    std::int16_t reservedInteger = 0;
    std::int16_t speciesIndex = 0;
    std::int16_t indicatorIndex = 0;
    bool reservedFlag = false;
    bool beakerIsAcid = true;
    bool showBurette = true;
    bool showPhMeter = true;
    bool concentrationMasked = false;
    // Saved after the records, in entries of their own.
    std::int16_t secondSpeciesIndex = -1;
    std::string secondConcentrationText = "0,01";
    std::string secondPKaText = "9,0";
    TitrationKind kind = TitrationKind::AcidBase;
    std::int16_t redoxBeakerSpecies = 0;
    std::int16_t redoxTitrantSpecies = 7;
    std::string sulfuricAcidText = "1,0";
    std::int16_t redoxIndicator = 0;
    std::int16_t redoxReference = -1;
    std::int16_t precipitationSalt = 0;
    std::int16_t precipitationSecondSalt = -1;
    std::int16_t precipitationTitrant = 0;
    std::string chromateText = "0,005";
    std::int16_t precipitationReference = -1;

    bool operator==(const Situation&) const = default;
};

Situation defaultSituation();

// A typed number as the engine reads every parameter: in single precision; none when it is not a
// number or overflows a float.
std::optional<double> singleValue(const numbers::TypedNumber& number);

// The same within [low, high], stored into `value`; false, `value` unchanged, otherwise.
bool singleValueWithin(const numbers::TypedNumber& number, double low, double high, double& value);

// The parameters of a stored situation, as the panel would hold them: its texts are read here.
SolutionSpec specOf(const Situation& situation);
// Stores the panel's parameters into a situation (its flags and display switches stay).
void storeSolution(Situation& situation, const SolutionSpec& solution);

// Whether the panel's parameters still give the titration a situation was traced from: the same
// nature and solute, the same concentrations and volumes as the engine reads them, and for the
// free solute the same pKa. The poured volume and the indicator do not shape the curve.
bool sameTitration(const SolutionSpec& solution, const Situation& situation);

// The engine's working values, all single precision, derived before each computation.
struct EngineState {
    float dilutedConcentration = 0;  // A, mol · L-1
    float titrantConcentration = 0;  // B, mol · L-1
    float initialVolume = 0;         // C, mL
    float pouredVolume = 0;          // D, mL
    float constantK = 0;             // K: Ka for an acid in the beaker, Kb for a base
    float solvedConcentration = 0;   // x: [H3O+] for an acid, [HO-] for a base, mol · L-1
    float pH = 0;
    float equivalenceVolume = 0;  // mL
    bool operator==(const EngineState&) const = default;
};

// Computes A, B, C, D and K from the parameters' values, each rounded to single precision. A value
// whose text is not a number, or whose arithmetic fails, keeps its content in `previous`; so does
// K for the free solute while its pKa is not a number.
EngineState deriveEngineState(const SolutionSpec& solution, const SpeciesCatalogue& catalogue,
                              const EngineState& previous = {});

}  // namespace chemistry
