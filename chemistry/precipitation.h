#pragma once
// Precipitation titrations: the sparingly soluble solids with their pKs at 25 °C, the beaker's
// salts, the burette's, Mohr's chromate indicator and the ions' limiting molar conductivities;
// the titration of a halide (or sulfate) by the silver (or barium) ion, each solid present only
// once its ion product reaches Ks.
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

// The silver electrode: E = E°(Ag⁺/Ag) + 0,05916 log [Ag⁺], V against the standard hydrogen
// electrode.
inline constexpr double kSilverStandardPotential = 0.80;

enum class Ion : int {
    Silver,
    Barium,
    Sodium,
    Potassium,
    Nitrate,
    Chloride,
    Bromide,
    Iodide,
    Chromate,
    Sulfate
};
inline constexpr int kIonCount = 10;

struct PrecipitationIon {
    std::string_view formula;  // "Ag⁺"
    int charge = 0;
    double limitingConductivity = 0;  // λ°, mS · m² · mol-1, per ion (not per charge)
    std::string_view source;
};

// Cation_p Anion (s) ⇌ p Cation + Anion, Ks = [Cation]^p · [Anion].
struct Precipitate {
    std::string_view formula;  // "AgCl"
    Ion cation = Ion::Silver;
    Ion anion = Ion::Chloride;
    int cationsPerAnion = 1;  // p
    double pKs = 0;
    numbers::Rgb colour;  // of the precipitate
    std::string_view source;
};

// A salt of the beaker's lists or the burette's: ν cations and μ anions per formula.
struct PrecipitationSalt {
    std::string_view name;  // "chlorure de sodium NaCl", as the lists show it
    Ion cation = Ion::Sodium;
    int cations = 1;  // ν
    Ion anion = Ion::Chloride;
    int anions = 1;  // μ
};

std::span<const PrecipitationIon> precipitationIons();
const PrecipitationIon& precipitationIon(Ion ion);
std::span<const Precipitate> precipitationSolids();
// The beaker's salts: NaCl, KBr, KI, Na₂SO₄ in list order.
std::span<const PrecipitationSalt> precipitationSalts();
// The burette's: AgNO₃, BaCl₂ in list order.
std::span<const PrecipitationSalt> precipitationTitrants();
// Mohr's indicator, K₂CrO₄.
const PrecipitationSalt& chromateIndicator();
// The solid the two ions form; none when they stay dissolved.
const Precipitate* solidOf(Ion cation, Ion anion);

// Whether the burette's salt precipitates the beaker's anion.
bool precipitationHappens(int salt, int titrant);
// Whether a salt may join the first as the beaker's second: a halide beside a halide.
bool secondSaltAllowed(int salt, int secondSalt);
// "Ag⁺ + Cl⁻ → AgCl"; empty when the titration does not happen.
std::string precipitationEquation(int salt, int titrant);

// A set-up's values as the model computes from them.
struct PrecipitationSetUp {
    int salt = 0;
    int secondSalt = -1;                // -1: none
    double beakerConcentration = 0.01;  // mol · L-1, in the V₀ mL put in the beaker
    double secondConcentration = 0.01;  // mol · L-1, in the same V₀ mL
    double beakerVolume = 20;           // V₀, mL
    double waterVolume = 0;             // mL of water added
    int titrant = 0;
    double titrantConcentration = 0.01;  // mol · L-1
    double chromate = 0.005;             // mol · L-1 in the beaker (V₀ + water) before pouring
};

// The values of a set-up; nothing when a value is not a number or out of range, the kind is not
// Precipitation or the titration does not happen.
std::optional<PrecipitationSetUp> precipitationSetUp(const SolutionSpec& solution);

// The beaker after `volume` mL.
struct PrecipitationPoint {
    double volume = 0;                     // mL
    std::array<double, kIonCount> ions{};  // dissolved, mol · L-1, in Ion's order
    // Each solid of precipitationSolids(), mmol in the beaker.
    std::vector<double> solids;
    double conductivity = 0;  // σ, mS/cm
    double potential = 0;     // the silver electrode, V against the standard hydrogen electrode
    double concentration(Ion ion) const { return ions[static_cast<std::size_t>(ion)]; }
};

std::optional<PrecipitationPoint> solvePrecipitation(const PrecipitationSetUp& setUp, double volume);
// The equivalence volumes (mL), the least soluble solid's first; the indicator is not titrated.
std::vector<double> precipitationEquivalences(const PrecipitationSetUp& setUp);
// Whether the silver electrode follows the titration: the titrant brings Ag⁺.
bool silverTitrant(const PrecipitationSetUp& setUp);
// The ions the table lists, in order: the titrant's cation, the beaker's anions, the chromate,
// then the counter-ions.
std::vector<Ion> listedIons(const PrecipitationSetUp& setUp);
// The liquid: clear, clouded by each precipitate's colour, tinted yellow by the chromate.
numbers::Rgb precipitationLiquidColour(const PrecipitationSetUp& setUp, const PrecipitationPoint& point);

bool takesPrecipitation(const SolutionSpec& solution);
std::unique_ptr<TitrationModel> makePrecipitationModel(const SolutionSpec& solution,
                                                       const SpeciesCatalogue& catalogue);

}  // namespace chemistry
