#include "chemistry/substances.h"

#include <initializer_list>

namespace chemistry {

namespace {

// --- Ions ---------------------------------------------------------------------------------------
//
// λ° at 25 °C in mS · m² · mol-1, that is the handbooks' S · cm² · mol-1 divided by ten. The
// handbook lists a multiply charged ion per unit charge (½ CO₃²⁻, ⅓ PO₄³⁻): the ion's own value is
// z times that, as the comments beside show.

constexpr std::string_view kSchoolTables = "tables des manuels de lycée";
constexpr std::string_view kHandbook =
    "CRC Handbook of Chemistry and Physics, table « Ionic Conductivity and Diffusion at Infinite Dilution »";

constexpr IonData kIons[] = {
    // Water and the titrants' counter-ions.
    {kHydroniumName, 1, 34.98, kSchoolTables, false},
    {kHydroxideName, -1, 19.86, kSchoolTables, false},
    {kSodiumName, 1, 5.01, kSchoolTables, false},
    {kChlorideName, -1, 7.63, kSchoolTables, false},
    // Forms of the monoprotic solutes.
    {"NH₄⁺", 1, 7.34, kSchoolTables, false},
    {"CH₃COO⁻", -1, 4.09, kSchoolTables, false},
    {"HCOO⁻", -1, 5.46, kSchoolTables, false},
    {"C₆H₅COO⁻", -1, 3.24, kSchoolTables, false},
    {"F⁻", -1, 5.54, kSchoolTables, false},
    {"NO₂⁻", -1, 7.18, kSchoolTables, false},
    {"CH₃NH₃⁺", 1, 5.87, kSchoolTables, false},
    {"ClCH₂COO⁻", -1, 4.22, kHandbook, false},  // chloroacetate 42.2
    {"CN⁻", -1, 7.8, kHandbook, false},         // 78
    {"C₈H₇O₂COO⁻", -1, 3.24, "estimée d'après C₆H₅COO⁻", true},
    {"ClO⁻", -1, 5.2, "estimée d'après ClO₂⁻ (CRC Handbook : 52)", true},
    {"C₆H₅NH₃⁺", 1, 3.24, "estimée d'après C₆H₅COO⁻, de même taille", true},
    {"C₆H₅O⁻", -1, 3.24, "estimée d'après C₆H₅COO⁻", true},
    {"A⁻", -1, 4.09, "estimée d'après CH₃COO⁻", true},
    {"BH⁺", 1, 7.34, "estimée d'après NH₄⁺", true},
    // Forms of the polyacids and polybases.
    {"H₂PO₄⁻", -1, 3.6, kHandbook, false},      // 36
    {"HPO₄²⁻", -2, 11.4, kHandbook, false},     // 2 × 57
    {"PO₄³⁻", -3, 27.84, kHandbook, false},     // 3 × 92.8
    {"HC₂O₄⁻", -1, 4.02, kHandbook, false},     // hydrogen oxalate 40.2
    {"C₂O₄²⁻", -2, 14.822, kHandbook, false},   // 2 × 74.11
    {"C₄H₄O₆²⁻", -2, 11.92, kHandbook, false},  // tartrate, 2 × 59.6
    {"H₂C₆H₅O₇⁻", -1, 3.0, kHandbook, false},   // dihydrogen citrate 30
    {"C₆H₅O₇³⁻", -3, 21.06, kHandbook, false},  // citrate, 3 × 70.2
    {"HCO₃⁻", -1, 4.45, kHandbook, false},      // 44.5
    {"CO₃²⁻", -2, 13.86, kHandbook, false},     // 2 × 69.3
    {"HC₄H₄O₆⁻", -1, 3.0, "estimée d'après H₂C₆H₅O₇⁻", true},
    {"HC₆H₅O₇²⁻", -2, 11.92, "estimée d'après C₄H₄O₆²⁻", true},
    {"C₆H₇O₆⁻", -1, 3.0, "estimée d'après H₂C₆H₅O₇⁻", true},
    {"C₆H₆O₆²⁻", -2, 11.92, "estimée d'après C₄H₄O₆²⁻", true},
    {"Hen⁺", 1, 5.87, "estimée d'après CH₃NH₃⁺", true},
    {"H₂en²⁺", 2, 11.74, "estimée : deux fois CH₃NH₃⁺", true},
    {"HA⁻", -1, 4.09, "estimée d'après CH₃COO⁻", true},
    {"A²⁻", -2, 11.92, "estimée d'après C₄H₄O₆²⁻", true},
    {"HB⁺", 1, 7.34, "estimée d'après NH₄⁺", true},
    {"H₂B²⁺", 2, 14.68, "estimée : deux fois NH₄⁺", true},
};

// --- Solutes ------------------------------------------------------------------------------------

using Forms = std::array<std::string_view, kMaxForms>;

// One entry. `protonsLost` says which form the pupil puts in the beaker; a salt brings as many
// counter-ions as that form has charges, so the salt is neutral.
constexpr SpeciesData species(std::string_view name, bool isAcid, std::initializer_list<double> pKa,
                              const Forms& forms, int protonatedCharge, int protonsLost,
                              CounterIon counterIon = CounterIon::None, bool freePKa = false) {
    SpeciesData s;
    s.name = name;
    s.isAcid = isAcid;
    s.pairCount = static_cast<int>(pKa.size());
    int i = 0;
    for (const double p : pKa) s.pKa[static_cast<std::size_t>(i++)] = p;
    s.forms = forms;
    s.protonatedCharge = protonatedCharge;
    s.protonsLost = protonsLost;
    s.counterIon = counterIon;
    const int charge = protonatedCharge - protonsLost;
    s.counterIonCount = counterIon == CounterIon::None ? 0 : (charge < 0 ? -charge : charge);
    s.freePKa = freePKa;
    return s;
}

constexpr bool kAcid = true;
constexpr bool kBase = false;
constexpr CounterIon kNa = CounterIon::Sodium;
constexpr CounterIon kCl = CounterIon::Chloride;

// Forms shared by an acid and its conjugate base.
constexpr Forms kAspirin = {"C₈H₇O₂COOH", "C₈H₇O₂COO⁻"};
constexpr Forms kBenzoic = {"C₆H₅COOH", "C₆H₅COO⁻"};
constexpr Forms kChloroacetic = {"ClCH₂COOH", "ClCH₂COO⁻"};
constexpr Forms kAcetic = {"CH₃COOH", "CH₃COO⁻"};
constexpr Forms kFluoride = {"HF", "F⁻"};
constexpr Forms kHypochlorite = {"HClO", "ClO⁻"};
constexpr Forms kFormic = {"HCOOH", "HCOO⁻"};
constexpr Forms kNitrite = {"HNO₂", "NO₂⁻"};
constexpr Forms kAmmonia = {"NH₄⁺", "NH₃"};
constexpr Forms kAniline = {"C₆H₅NH₃⁺", "C₆H₅NH₂"};
constexpr Forms kMethylamine = {"CH₃NH₃⁺", "CH₃NH₂"};
constexpr Forms kCyanide = {"HCN", "CN⁻"};
constexpr Forms kPhenol = {"C₆H₅OH", "C₆H₅O⁻"};
constexpr Forms kPhosphate = {"H₃PO₄", "H₂PO₄⁻", "HPO₄²⁻", "PO₄³⁻"};
constexpr Forms kCarbonate = {"CO₂,H₂O", "HCO₃⁻", "CO₃²⁻"};

// pKa at 25 °C. The monoprotic solutes keep the values of the solute list the program has always
// had (SpeciesCatalogue); the polyacids and polybases take the values of the secondary-school
// tables: phosphoric 2,15 / 7,20 / 12,35; oxalic 1,25 / 4,27; tartaric 2,98 / 4,34; citric 3,13 /
// 4,76 / 6,40; ascorbic 4,10 / 11,60; carbon dioxide 6,35 / 10,33; ethylenediamine 6,85 / 9,93.
// The free solutes start at 7 (one pKa) or 4 and 9 (two).
constexpr SpeciesData kSpecies[] = {
    species("acide acétylsalicylique", kAcid, {3.6}, kAspirin, 0, 0),
    species("acide benzoïque", kAcid, {4.2}, kBenzoic, 0, 0),
    species("acide chlorhydrique", kAcid, {0}, {"HCl", "Cl⁻"}, 0, 0),
    species("acide chlorométhanoïque", kAcid, {2.86}, kChloroacetic, 0, 0),
    species("acide éthanoïque", kAcid, {4.75}, kAcetic, 0, 0),
    species("acide fluorhydrique", kAcid, {3.17}, kFluoride, 0, 0),
    species("acide hypochloreux", kAcid, {7.3}, kHypochlorite, 0, 0),
    species("acide méthanoïque", kAcid, {3.75}, kFormic, 0, 0),
    species("acide nitreux", kAcid, {3.3}, kNitrite, 0, 0),
    species("chlorure d'ammonium", kAcid, {9.2}, kAmmonia, 1, 0, kCl),
    species("chlorure d'anilinium", kAcid, {4.62}, kAniline, 1, 0, kCl),
    species("chlorure de méthylammonium", kAcid, {10.7}, kMethylamine, 1, 0, kCl),
    species("cyanure d'hydrogène", kAcid, {9.21}, kCyanide, 0, 0),
    species("phénol", kAcid, {10}, kPhenol, 0, 0),
    species("autre acide", kAcid, {7}, {"AH", "A⁻"}, 0, 0, CounterIon::None, true),
    species("acide phosphorique", kAcid, {2.15, 7.20, 12.35}, kPhosphate, 0, 0),
    species("acide oxalique", kAcid, {1.25, 4.27}, {"H₂C₂O₄", "HC₂O₄⁻", "C₂O₄²⁻"}, 0, 0),
    species("acide tartrique", kAcid, {2.98, 4.34}, {"H₂C₄H₄O₆", "HC₄H₄O₆⁻", "C₄H₄O₆²⁻"}, 0, 0),
    species("acide citrique", kAcid, {3.13, 4.76, 6.40}, {"H₃C₆H₅O₇", "H₂C₆H₅O₇⁻", "HC₆H₅O₇²⁻", "C₆H₅O₇³⁻"},
            0, 0),
    species("acide ascorbique", kAcid, {4.10, 11.60}, {"C₆H₈O₆", "C₆H₇O₆⁻", "C₆H₆O₆²⁻"}, 0, 0),
    species("dioxyde de carbone dissous", kAcid, {6.35, 10.33}, kCarbonate, 0, 0),
    species("autre diacide", kAcid, {4.0, 9.0}, {"H₂A", "HA⁻", "A²⁻"}, 0, 0, CounterIon::None, true),

    species("acétylsalicylate de sodium", kBase, {3.6}, kAspirin, 0, 1, kNa),
    species("ammoniac", kBase, {9.2}, kAmmonia, 1, 1),
    species("aniline", kBase, {4.62}, kAniline, 1, 1),
    species("benzoate de sodium", kBase, {4.2}, kBenzoic, 0, 1, kNa),
    species("chloroéthanoate de sodium", kBase, {2.86}, kChloroacetic, 0, 1, kNa),
    species("cyanure de sodium", kBase, {9.21}, kCyanide, 0, 1, kNa),
    species("éthanoate de sodium", kBase, {4.75}, kAcetic, 0, 1, kNa),
    species("fluorure de sodium", kBase, {3.17}, kFluoride, 0, 1, kNa),
    // The strong base as the pH equations see it: NaOH gives Na⁺ and HO⁻ with Kb = 1 for the
    // monoprotic solver, fully dissociated for the mixture engine, which names Na⁺ alone.
    species("hydroxyde de sodium", kBase, {14}, {kSodiumName, "NaOH"}, 1, 1),
    species("hypochlorite de sodium", kBase, {7.3}, kHypochlorite, 0, 1, kNa),
    species("méthanoate de sodium", kBase, {3.75}, kFormic, 0, 1, kNa),
    species("méthylamine", kBase, {10.7}, kMethylamine, 1, 1),
    species("nitrite de sodium", kBase, {3.3}, kNitrite, 0, 1, kNa),
    species("phénate de sodium", kBase, {10}, kPhenol, 0, 1, kNa),
    species("autre base", kBase, {7}, {"BH⁺", "B"}, 1, 1, CounterIon::None, true),
    species("carbonate de sodium", kBase, {6.35, 10.33}, kCarbonate, 0, 2, kNa),
    species("phosphate de sodium", kBase, {2.15, 7.20, 12.35}, kPhosphate, 0, 3, kNa),
    species("éthylènediamine", kBase, {6.85, 9.93}, {"H₂en²⁺", "Hen⁺", "en"}, 2, 2),
    species("autre dibase", kBase, {4.0, 9.0}, {"H₂B²⁺", "HB⁺", "B"}, 2, 2, CounterIon::None, true),
};

}  // namespace

std::span<const SpeciesData> speciesTable() {
    return kSpecies;
}

std::span<const IonData> ionTable() {
    return kIons;
}

const SpeciesData* findSpecies(std::string_view name) {
    for (const SpeciesData& s : kSpecies) {
        if (s.name == name) return &s;
    }
    return nullptr;
}

const IonData* findIon(std::string_view name) {
    for (const IonData& ion : kIons) {
        if (ion.name == name) return &ion;
    }
    return nullptr;
}

double ionConductivity(std::string_view name) {
    const IonData* ion = findIon(name);
    return ion ? ion->molarConductivity : 0.0;
}

double SpeciesData::formConductivity(int form) const {
    if (form < 0 || form >= formCount() || formCharge(form) == 0) return 0.0;
    return ionConductivity(forms[static_cast<std::size_t>(form)]);
}

}  // namespace chemistry
