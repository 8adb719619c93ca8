#include "chemistry/catalogue.h"

#include <array>
#include <vector>

#include "chemistry/substances.h"

namespace chemistry {

namespace {

const std::string kEmpty;

struct Entry {
    const char* name;
    double pKa;
};

// Positions 1 to 15 of each list; the free solutes' 7 is only shown, never used.
constexpr std::array<Entry, SpeciesCatalogue::kFilled> kAcids{{
    {"acide acétylsalicylique", 3.6},
    {"acide benzoïque", 4.2},
    {"acide chlorhydrique", 0},
    {"acide chlorométhanoïque", 2.86},
    {"acide éthanoïque", 4.75},
    {"acide fluorhydrique", 3.17},
    {"acide hypochloreux", 7.3},
    {"acide méthanoïque", 3.75},
    {"acide nitreux", 3.3},
    {"chlorure d'ammonium", 9.2},
    {"chlorure d'anilinium", 4.62},
    {"chlorure de méthylammonium", 10.7},
    {"cyanure d'hydrogène", 9.21},
    {"phénol", 10},
    {"autre acide", 7},
}};
constexpr std::array<Entry, SpeciesCatalogue::kFilled> kBases{{
    {"acétylsalicylate de sodium", 3.6},
    {"ammoniac", 9.2},
    {"aniline", 4.62},
    {"benzoate de sodium", 4.2},
    {"chloroéthanoate de sodium", 2.86},
    {"cyanure de sodium", 9.21},
    {"éthanoate de sodium", 4.75},
    {"fluorure de sodium", 3.17},
    {"hydroxyde de sodium", 14},
    {"hypochlorite de sodium", 7.3},
    {"méthanoate de sodium", 3.75},
    {"méthylamine", 10.7},
    {"nitrite de sodium", 3.3},
    {"phénate de sodium", 10},
    {"autre base", 7},
}};

// After them, at the next stored indices, the solutes of several pairs; their constants are those
// of the species table.
constexpr std::array<const char*, SpeciesCatalogue::kAcidCount - SpeciesCatalogue::kFilled> kPolyacids{
    "acide phosphorique",         "acide oxalique", "acide tartrique", "acide citrique", "acide ascorbique",
    "dioxyde de carbone dissous", "autre diacide",
};
constexpr std::array<const char*, SpeciesCatalogue::kBaseCount - SpeciesCatalogue::kFilled> kPolybases{
    "carbonate de sodium",
    "phosphate de sodium",
    "éthylènediamine",
    "autre dibase",
};

struct Listed {
    std::string name;
    const SpeciesData* data = nullptr;
};

// Each list with its names as strings and its entries of the species table, made once.
const std::vector<Listed>& listOf(bool acids) {
    static const auto make = [](const auto& monoprotic, const auto& poly) {
        std::vector<Listed> out;
        out.reserve(std::size(monoprotic) + std::size(poly));
        for (const Entry& e : monoprotic) out.push_back({e.name, findSpecies(e.name)});
        for (const char* name : poly) out.push_back({name, findSpecies(name)});
        return out;
    };
    static const auto acidList = make(kAcids, kPolyacids);
    static const auto baseList = make(kBases, kPolybases);
    return acids ? acidList : baseList;
}

}  // namespace

const std::string& SpeciesCatalogue::speciesName(bool beakerIsAcid, int speciesIndex) const {
    if (!isKnown(beakerIsAcid, speciesIndex)) return kEmpty;
    return listOf(beakerIsAcid)[static_cast<std::size_t>(speciesIndex)].name;
}

double SpeciesCatalogue::speciesPKa(bool beakerIsAcid, int speciesIndex, double otherPKa) const {
    if (isFree(beakerIsAcid, speciesIndex)) return otherPKa;
    if (!isKnown(beakerIsAcid, speciesIndex)) return 0.0;
    if (isMonoprotic(speciesIndex))
        return (beakerIsAcid ? kAcids : kBases)[static_cast<std::size_t>(speciesIndex)].pKa;
    const SpeciesData* data = speciesData(beakerIsAcid, speciesIndex);
    if (!data) return 0.0;
    return data->pKa[static_cast<std::size_t>(beakerIsAcid ? 0 : data->pairCount - 1)];
}

const SpeciesData* SpeciesCatalogue::speciesData(bool beakerIsAcid, int speciesIndex) const {
    if (!isKnown(beakerIsAcid, speciesIndex)) return nullptr;
    return listOf(beakerIsAcid)[static_cast<std::size_t>(speciesIndex)].data;
}

}  // namespace chemistry
