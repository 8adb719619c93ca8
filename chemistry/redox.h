#pragma once
// Oxidation-reduction titrations: the couples with their standard potentials at 25 °C, the species
// the beaker and the burette may hold, the redox indicators and the reference electrodes, and the
// titration of one couple's species by another's, every couple at equilibrium by Nernst's law.
#include <array>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "chemistry/titrationmodel.h"
#include "numbers/rgb.h"

namespace chemistry {

// The meter of the platinum electrode's potential.
inline constexpr std::string_view kPotentialMeter = "E";

// a Ox + m H⁺ + n e⁻ → b Red (+ water), with E° against the standard hydrogen electrode.
struct RedoxCouple {
    std::string_view oxidant;      // "MnO₄⁻"
    std::string_view reductant;    // "Mn²⁺"; "H₂O" when the reduced form is the solvent
    double standardPotential = 0;  // V
    int electrons = 1;             // n
    int protons = 0;               // m, consumed by the reduction
    int oxidantCoefficient = 1;    // a
    int reductantCoefficient = 1;  // b; 0 when the reduced form is the solvent
    int water = 0;                 // H₂O the reduction gives, the solvent as reduced form included
    std::string_view source;
};

// An entry of the beaker's and the burette's lists: one form of one couple.
struct RedoxSpecies {
    std::string_view name;  // "ion fer(II) Fe²⁺", as the lists show it
    int couple = 0;         // index in redoxCouples()
    bool oxidant = false;   // the couple's oxidised form, else its reduced one
};

// "aucun", "empois d'amidon", "ferroïne", "diphénylaminesulfonate" in list order.
struct RedoxIndicator {
    std::string_view name;
    double standardPotential = 0;  // V; the starch follows the diiode instead
    numbers::Rgb oxidisedColour;
    numbers::Rgb reducedColour;
    int electrons = 1;  // of its own half-reaction, for its Nernst fraction
    std::string_view source;
};

// "électrode au calomel saturée", "électrode Ag/AgCl" in list order.
struct ReferenceElectrode {
    std::string_view name;
    double potential = 0;  // V against the standard hydrogen electrode
};

std::span<const RedoxCouple> redoxCouples();
std::span<const RedoxSpecies> redoxSpecies();
std::span<const RedoxIndicator> redoxIndicators();
std::span<const ReferenceElectrode> referenceElectrodes();

// Whether the burette's species titrates the beaker's: one is a reductant and the other an
// oxidant, and the reaction is quantitative (the oxidant's couple above the reductant's).
bool titrationHappens(int beakerSpecies, int titrantSpecies);
// The burette's species that titrate the beaker's, in list order.
std::vector<int> titrantsFor(int beakerSpecies);
// The balanced equation with the smallest whole coefficients, water and H⁺ included:
// "MnO₄⁻ + 5 Fe²⁺ + 8 H⁺ → Mn²⁺ + 5 Fe³⁺ + 4 H₂O"; empty when the titration does not happen.
std::string redoxEquation(int beakerSpecies, int titrantSpecies);

// A set-up's values as the model computes from them.
struct RedoxSetUp {
    int beakerSpecies = 0;
    int titrantSpecies = 7;
    double beakerConcentration = 0.01;   // mol · L-1, in the V₀ mL put in the beaker
    double beakerVolume = 20;            // V₀, mL
    double waterVolume = 0;              // mL of water added
    double titrantConcentration = 0.01;  // mol · L-1
    double sulfuricAcid = 1;             // mol · L-1 in the beaker (V₀ + water) before pouring
    int indicator = 0;
};

// The values of a set-up; nothing when a value is not a number or out of range, or the kind is
// not Redox or the titration does not happen.
std::optional<RedoxSetUp> redoxSetUp(const SolutionSpec& solution);

// The beaker after `volume` mL: the potential, the medium's acidity and the four forms.
struct RedoxPoint {
    double volume = 0;     // mL
    double potential = 0;  // V against the standard hydrogen electrode
    double hydronium = 0;  // [H₃O⁺], mol · L-1
    // The beaker's couple's oxidant and reductant, then the titrant's, mol · L-1.
    std::array<double, 4> concentrations{};
};

// Nothing when the point cannot be solved (see redoxProblem).
std::optional<RedoxPoint> solveRedox(const RedoxSetUp& setUp, double volume);
// Why a set-up cannot be solved, in French ("Le milieu n'est pas assez acide pour …"); empty when
// it can.
std::string redoxProblem(const RedoxSetUp& setUp);
// The stoichiometric equivalence volume, mL.
double redoxEquivalenceVolume(const RedoxSetUp& setUp);
// The potential (V against the standard hydrogen electrode) every 0,1 mL from 0 to 25 mL: 251
// values; a point that cannot be solved repeats the one before it. Empty when the set-up cannot
// be solved at all.
std::vector<double> redoxPotentialCurve(const RedoxSetUp& setUp);
// The formulas of the four forms, in RedoxPoint's order.
std::array<std::string, 4> redoxFormNames(const RedoxSetUp& setUp);
// The liquid's colour: the coloured species and the indicator at their concentrations over
// kClearLiquid.
numbers::Rgb redoxLiquidColour(const RedoxSetUp& setUp, const RedoxPoint& point);

bool takesRedox(const SolutionSpec& solution);
std::unique_ptr<TitrationModel> makeRedoxModel(const SolutionSpec& solution,
                                               const SpeciesCatalogue& catalogue);

}  // namespace chemistry
