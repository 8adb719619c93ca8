#pragma once
// What the engine knows of every solute the beaker can hold and of every ion it can contain: the
// pKa, the forms from the fully protonated one to the fully deprotonated one with their charges,
// the form put in the beaker, its counter-ion, and the limiting molar ionic conductivities λ° at
// 25 °C. Each value comes with its source in substances.cpp.
#include <array>
#include <span>
#include <string_view>

namespace chemistry {

// A solute has at most three acid–base pairs, hence at most four forms.
inline constexpr int kMaxPairs = 3;
inline constexpr int kMaxForms = kMaxPairs + 1;

// An ion with its limiting molar ionic conductivity at 25 °C.
struct IonData {
    std::string_view name;  // as the table headers show it ("HPO₄²⁻")
    int charge = 0;
    double molarConductivity = 0;  // λ°, mS · m² · mol-1 (for the whole ion, not per charge)
    std::string_view source;       // where the value comes from, in French for the help page
    bool estimated = false;        // no published value: taken from a close ion ("estimée")
};

// The ions every titration involves and the titrants' counter-ions.
inline constexpr std::string_view kHydroniumName = "H₃O⁺";
inline constexpr std::string_view kHydroxideName = "HO⁻";
inline constexpr std::string_view kSodiumName = "Na⁺";
inline constexpr std::string_view kChlorideName = "Cl⁻";

// The counter-ion a salt brings into the beaker with its form.
enum class CounterIon { None, Sodium, Chloride };

struct SpeciesData {
    std::string_view name;  // as the solute list shows it
    bool isAcid = true;     // the list it belongs to; the titrant is of the other nature
    // Acid constants of the pairs, ascending: the form with j protons lost and the one with j + 1
    // make pair j. For a base too these are the pKa of the conjugate acids. The strong species keep
    // the convention pKa 0 (acid) and 14 (base), that is K = 1 (see isStrongPair).
    std::array<double, kMaxPairs> pKa{};
    int pairCount = 1;
    std::array<std::string_view, kMaxForms> forms{};  // fully protonated first
    int protonatedCharge = 0;                         // charge of forms[0]; each proton lost takes 1 away
    int protonsLost = 0;                              // the form put in the beaker, counted from forms[0]
    CounterIon counterIon = CounterIon::None;
    int counterIonCount = 0;  // counter-ions per formula unit of the salt (2 for Na₂CO₃)
    bool freePKa = false;     // "autre …": the pupil types its pKa

    int formCount() const { return pairCount + 1; }
    int formCharge(int form) const { return protonatedCharge - form; }
    // λ° of a form, mS · m² · mol-1: 0 for a neutral form.
    double formConductivity(int form) const;
};

// Every solute, acids then bases; the names are unique.
std::span<const SpeciesData> speciesTable();
// Every ion that a form, a counter-ion or water puts in the beaker.
std::span<const IonData> ionTable();

// nullptr when the table has no entry of that name.
const SpeciesData* findSpecies(std::string_view name);
const IonData* findIon(std::string_view name);

// λ° of an ion of the table, mS · m² · mol-1; 0 for a name the table does not hold.
double ionConductivity(std::string_view name);

}  // namespace chemistry
