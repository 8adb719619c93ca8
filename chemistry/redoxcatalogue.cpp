// The couples, species, indicators and reference electrodes of oxidation-reduction titrations,
// which pairs react, and their balanced equations.
#include <array>
#include <cstdlib>
#include <numeric>
#include <string>

#include "chemistry/redox.h"

namespace chemistry {

namespace {

constexpr std::string_view kHandbook = "CRC Handbook of Chemistry and Physics, Electrochemical Series";

// a Ox + m H⁺ + n e⁻ → b Red + water.
const std::array<RedoxCouple, 10> kCouples = {{
    {"MnO₄⁻", "Mn²⁺", 1.51, 5, 8, 1, 1, 4, kHandbook},
    {"Cr₂O₇²⁻", "Cr³⁺", 1.33, 6, 14, 1, 2, 7, kHandbook},
    {"Ce⁴⁺", "Ce³⁺", 1.44, 1, 0, 1, 1, 0,
     "formal potential in 1 mol · L-1 sulfuric acid, Harris, Quantitative Chemical Analysis"},
    {"Fe³⁺", "Fe²⁺", 0.77, 1, 0, 1, 1, 0, kHandbook},
    {"I₂", "I⁻", 0.54, 2, 0, 1, 2, 0, kHandbook},
    {"S₄O₆²⁻", "S₂O₃²⁻", 0.08, 2, 0, 1, 2, 0, kHandbook},
    // H₂O₂ + 2 H⁺ + 2 e⁻ → 2 H₂O: the reduced form is the solvent.
    {"H₂O₂", "H₂O", 1.78, 2, 2, 1, 0, 2, kHandbook},
    {"O₂", "H₂O₂", 0.69, 2, 2, 1, 1, 0, kHandbook},
    {"CO₂", "H₂C₂O₄", -0.49, 2, 2, 2, 1, 0, kHandbook},
    {"Sn⁴⁺", "Sn²⁺", 0.15, 2, 0, 1, 1, 0, kHandbook},
}};

constexpr int kPermanganate = 0;
constexpr int kDichromate = 1;
constexpr int kCerium = 2;
constexpr int kIron = 3;
constexpr int kIodine = 4;
constexpr int kThiosulfate = 5;
constexpr int kPeroxideReduced = 6;
constexpr int kOxygen = 7;
constexpr int kOxalic = 8;
constexpr int kTin = 9;

// The panel's and the files' indexes: do not reorder.
const std::array<RedoxSpecies, 12> kSpecies = {{
    {"ion fer(II) Fe²⁺", kIron, false},
    {"peroxyde d'hydrogène H₂O₂ (réducteur)", kOxygen, false},
    {"diiode I₂", kIodine, true},
    {"acide oxalique H₂C₂O₄", kOxalic, false},
    {"ion étain(II) Sn²⁺", kTin, false},
    {"ion iodure I⁻", kIodine, false},
    {"ion thiosulfate S₂O₃²⁻", kThiosulfate, false},
    {"ion permanganate MnO₄⁻", kPermanganate, true},
    {"ion dichromate Cr₂O₇²⁻", kDichromate, true},
    {"ion cérium(IV) Ce⁴⁺", kCerium, true},
    {"ion fer(III) Fe³⁺", kIron, true},
    {"peroxyde d'hydrogène H₂O₂ (oxydant)", kPeroxideReduced, true},
}};

constexpr numbers::Rgb kColourless{255, 255, 255};

const std::array<RedoxIndicator, 4> kIndicators = {{
    {"aucun", 0, kColourless, kColourless, 1, ""},
    // The blue-black complex forms with the diiode itself (redoxLiquidColour).
    {"empois d'amidon", 0, {30, 40, 110}, kColourless, 2, "the starch-iodine complex"},
    {"ferroïne", 1.06, {170, 200, 240}, {220, 50, 40}, 1, "Harris, Quantitative Chemical Analysis"},
    {"diphénylaminesulfonate",
     0.84,
     {130, 40, 150},
     kColourless,
     2,
     "Harris, Quantitative Chemical Analysis"},
}};

const std::array<ReferenceElectrode, 2> kReferences = {{
    {"électrode au calomel saturée", 0.244},
    {"électrode Ag/AgCl", 0.197},
}};

// RT·ln 10 / F at 25 °C, V per decade.
constexpr double kNernstSlope = 0.05916;
// K of the balanced equation at least 10⁴: the reaction is quantitative.
constexpr double kQuantitativeLogK = 4;

bool validSpecies(int index) {
    return index >= 0 && index < static_cast<int>(kSpecies.size());
}

// The formula a species' list name ends with.
std::string_view formulaOf(const RedoxSpecies& species) {
    const RedoxCouple& couple = kCouples[static_cast<std::size_t>(species.couple)];
    return species.oxidant ? couple.oxidant : couple.reductant;
}

// "5 Fe²⁺", "Mn²⁺"; nothing for no coefficient.
void appendTerm(std::string& side, int coefficient, std::string_view formula) {
    if (coefficient <= 0) return;
    if (!side.empty()) side += " + ";
    if (coefficient != 1) side += std::to_string(coefficient) + " ";
    side += formula;
}

}  // namespace

std::span<const RedoxCouple> redoxCouples() {
    return kCouples;
}

std::span<const RedoxSpecies> redoxSpecies() {
    return kSpecies;
}

std::span<const RedoxIndicator> redoxIndicators() {
    return kIndicators;
}

std::span<const ReferenceElectrode> referenceElectrodes() {
    return kReferences;
}

bool titrationHappens(int beakerSpecies, int titrantSpecies) {
    if (!validSpecies(beakerSpecies) || !validSpecies(titrantSpecies)) return false;
    const RedoxSpecies& beaker = kSpecies[static_cast<std::size_t>(beakerSpecies)];
    const RedoxSpecies& titrant = kSpecies[static_cast<std::size_t>(titrantSpecies)];
    if (beaker.oxidant == titrant.oxidant || beaker.couple == titrant.couple) return false;
    // Hydrogen peroxide against itself would only disproportionate.
    if (formulaOf(beaker) == formulaOf(titrant)) return false;
    const RedoxCouple& oxidant =
        kCouples[static_cast<std::size_t>(beaker.oxidant ? beaker.couple : titrant.couple)];
    const RedoxCouple& reductant =
        kCouples[static_cast<std::size_t>(beaker.oxidant ? titrant.couple : beaker.couple)];
    const int electrons = std::lcm(oxidant.electrons, reductant.electrons);
    const double logK = electrons * (oxidant.standardPotential - reductant.standardPotential) / kNernstSlope;
    return logK >= kQuantitativeLogK;
}

std::vector<int> titrantsFor(int beakerSpecies) {
    std::vector<int> titrants;
    for (int i = 0; i < static_cast<int>(kSpecies.size()); ++i) {
        if (titrationHappens(beakerSpecies, i)) titrants.push_back(i);
    }
    return titrants;
}

std::string redoxEquation(int beakerSpecies, int titrantSpecies) {
    if (!titrationHappens(beakerSpecies, titrantSpecies)) return {};
    const RedoxSpecies& beaker = kSpecies[static_cast<std::size_t>(beakerSpecies)];
    const RedoxSpecies& titrant = kSpecies[static_cast<std::size_t>(titrantSpecies)];
    const RedoxCouple& ox =
        kCouples[static_cast<std::size_t>(beaker.oxidant ? beaker.couple : titrant.couple)];
    const RedoxCouple& red =
        kCouples[static_cast<std::size_t>(beaker.oxidant ? titrant.couple : beaker.couple)];
    // The oxidant's reduction and the reductant's oxidation, each taken as many times as makes
    // their electrons equal, then divided by what all the coefficients share.
    const int electrons = std::lcm(ox.electrons, red.electrons);
    int times = electrons / ox.electrons;
    int reversed = electrons / red.electrons;
    const int protons = times * ox.protons - reversed * red.protons;
    const int water = times * ox.water - reversed * red.water;
    int common = std::gcd(std::gcd(times * ox.oxidantCoefficient, times * ox.reductantCoefficient),
                          std::gcd(reversed * red.oxidantCoefficient, reversed * red.reductantCoefficient));
    common = std::gcd(std::gcd(common, std::abs(protons)), std::abs(water));
    if (common <= 0) common = 1;
    std::string left;
    std::string right;
    appendTerm(left, times * ox.oxidantCoefficient / common, ox.oxidant);
    appendTerm(left, reversed * red.reductantCoefficient / common, red.reductant);
    appendTerm(left, protons / common, "H⁺");
    appendTerm(left, -water / common, "H₂O");
    // The solvent as the oxidant's reduced form is counted in the water.
    if (ox.reductantCoefficient > 0)
        appendTerm(right, times * ox.reductantCoefficient / common, ox.reductant);
    appendTerm(right, reversed * red.oxidantCoefficient / common, red.oxidant);
    appendTerm(right, -protons / common, "H⁺");
    appendTerm(right, water / common, "H₂O");
    return left + " → " + right;
}

std::array<std::string, 4> redoxFormNames(const RedoxSetUp& setUp) {
    if (!validSpecies(setUp.beakerSpecies) || !validSpecies(setUp.titrantSpecies)) return {};
    const RedoxCouple& beaker =
        kCouples[static_cast<std::size_t>(kSpecies[static_cast<std::size_t>(setUp.beakerSpecies)].couple)];
    const RedoxCouple& titrant =
        kCouples[static_cast<std::size_t>(kSpecies[static_cast<std::size_t>(setUp.titrantSpecies)].couple)];
    return {std::string(beaker.oxidant), std::string(beaker.reductant), std::string(titrant.oxidant),
            std::string(titrant.reductant)};
}

}  // namespace chemistry
