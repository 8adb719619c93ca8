// The ions, solids and salts of precipitation titrations, with their sources.
#include <array>
#include <string>

#include "chemistry/precipitation.h"

namespace chemistry {

namespace {

constexpr std::string_view kConductivitySource =
    "CRC Handbook of Chemistry and Physics, « Equivalent conductivity of electrolytes in aqueous "
    "solution », ions at infinite dilution, 25 °C";
constexpr std::string_view kPerChargeSource =
    "CRC Handbook of Chemistry and Physics, même table : λ° de l'ion par charge, multiplié par 2";
constexpr std::string_view kSolubilitySource =
    "CRC Handbook of Chemistry and Physics, « Solubility product constants », 25 °C";

// λ° in mS · m² · mol-1: the tables give S · cm² · mol-1, ten times as many.
constexpr std::array<PrecipitationIon, kIonCount> kPrecipitationIons = {{
    {"Ag⁺", 1, 6.19, kConductivitySource},
    {"Ba²⁺", 2, 12.72, kPerChargeSource},  // ½Ba²⁺ 6,36
    {"Na⁺", 1, 5.01, kConductivitySource},
    {"K⁺", 1, 7.35, kConductivitySource},
    {"NO₃⁻", -1, 7.14, kConductivitySource},
    {"Cl⁻", -1, 7.63, kConductivitySource},
    {"Br⁻", -1, 7.81, kConductivitySource},
    {"I⁻", -1, 7.68, kConductivitySource},
    {"CrO₄²⁻", -2, 17.0, kPerChargeSource},  // ½CrO₄²⁻ 8,5
    {"SO₄²⁻", -2, 16.0, kPerChargeSource},   // ½SO₄²⁻ 8,0
}};

// The colours a pupil sees: silver chloride white, the bromide cream, the iodide pale yellow,
// silver chromate red-brown, barium sulfate white, barium chromate yellow.
const std::array<Precipitate, 6> kSolids = {{
    {"AgCl", Ion::Silver, Ion::Chloride, 1, 9.74, {245, 245, 245}, kSolubilitySource},
    {"AgBr", Ion::Silver, Ion::Bromide, 1, 12.30, {240, 235, 200}, kSolubilitySource},
    {"AgI", Ion::Silver, Ion::Iodide, 1, 16.08, {240, 225, 140}, kSolubilitySource},
    {"Ag₂CrO₄", Ion::Silver, Ion::Chromate, 2, 11.95, {160, 50, 30}, kSolubilitySource},
    {"BaSO₄", Ion::Barium, Ion::Sulfate, 1, 9.97, {245, 245, 245}, kSolubilitySource},
    {"BaCrO₄", Ion::Barium, Ion::Chromate, 1, 9.93, {235, 210, 60}, kSolubilitySource},
}};

constexpr std::array<PrecipitationSalt, 4> kSalts = {{
    {"chlorure de sodium NaCl", Ion::Sodium, 1, Ion::Chloride, 1},
    {"bromure de potassium KBr", Ion::Potassium, 1, Ion::Bromide, 1},
    {"iodure de potassium KI", Ion::Potassium, 1, Ion::Iodide, 1},
    {"sulfate de sodium Na₂SO₄", Ion::Sodium, 2, Ion::Sulfate, 1},
}};

constexpr std::array<PrecipitationSalt, 2> kTitrants = {{
    {"nitrate d'argent AgNO₃", Ion::Silver, 1, Ion::Nitrate, 1},
    {"chlorure de baryum BaCl₂", Ion::Barium, 1, Ion::Chloride, 2},
}};

constexpr PrecipitationSalt kChromate{"chromate de potassium K₂CrO₄", Ion::Potassium, 2, Ion::Chromate, 1};

bool halide(Ion ion) {
    return ion == Ion::Chloride || ion == Ion::Bromide || ion == Ion::Iodide;
}

bool inList(int index, std::size_t size) {
    return index >= 0 && static_cast<std::size_t>(index) < size;
}

}  // namespace

std::span<const PrecipitationIon> precipitationIons() {
    return kPrecipitationIons;
}

const PrecipitationIon& precipitationIon(Ion ion) {
    return kPrecipitationIons[static_cast<std::size_t>(ion)];
}

std::span<const Precipitate> precipitationSolids() {
    return kSolids;
}

std::span<const PrecipitationSalt> precipitationSalts() {
    return kSalts;
}

std::span<const PrecipitationSalt> precipitationTitrants() {
    return kTitrants;
}

const PrecipitationSalt& chromateIndicator() {
    return kChromate;
}

const Precipitate* solidOf(Ion cation, Ion anion) {
    for (const Precipitate& solid : kSolids) {
        if (solid.cation == cation && solid.anion == anion) return &solid;
    }
    return nullptr;
}

bool precipitationHappens(int salt, int titrant) {
    if (!inList(salt, kSalts.size()) || !inList(titrant, kTitrants.size())) return false;
    return solidOf(kTitrants[static_cast<std::size_t>(titrant)].cation,
                   kSalts[static_cast<std::size_t>(salt)].anion) != nullptr;
}

bool secondSaltAllowed(int salt, int secondSalt) {
    if (!inList(salt, kSalts.size()) || !inList(secondSalt, kSalts.size()) || salt == secondSalt)
        return false;
    return halide(kSalts[static_cast<std::size_t>(salt)].anion) &&
           halide(kSalts[static_cast<std::size_t>(secondSalt)].anion);
}

std::string precipitationEquation(int salt, int titrant) {
    if (!precipitationHappens(salt, titrant)) return {};
    const Ion cation = kTitrants[static_cast<std::size_t>(titrant)].cation;
    const Precipitate& solid = *solidOf(cation, kSalts[static_cast<std::size_t>(salt)].anion);
    std::string equation;
    if (solid.cationsPerAnion > 1) equation = std::to_string(solid.cationsPerAnion) + " ";
    equation += std::string(precipitationIon(cation).formula) + " + " +
                std::string(precipitationIon(solid.anion).formula) + " → " + std::string(solid.formula);
    return equation;
}

}  // namespace chemistry
