#include "chemistry/catalogue.h"

#include <array>

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

// The names as strings, made once.
const std::array<std::string, SpeciesCatalogue::kFilled>& names(bool acids) {
    static const auto make = [](const std::array<Entry, SpeciesCatalogue::kFilled>& entries) {
        std::array<std::string, SpeciesCatalogue::kFilled> out;
        for (std::size_t i = 0; i < entries.size(); ++i) out[i] = entries[i].name;
        return out;
    };
    static const auto acidNames = make(kAcids);
    static const auto baseNames = make(kBases);
    return acids ? acidNames : baseNames;
}

bool isFilled(int speciesIndex) {
    return speciesIndex >= 0 && speciesIndex < SpeciesCatalogue::kFilled;
}

}  // namespace

const std::string& SpeciesCatalogue::speciesName(bool beakerIsAcid, int speciesIndex) const {
    if (!isFilled(speciesIndex)) return kEmpty;
    return names(beakerIsAcid)[static_cast<std::size_t>(speciesIndex)];
}

double SpeciesCatalogue::speciesPKa(bool beakerIsAcid, int speciesIndex, double otherPKa) const {
    if (speciesIndex == kOtherIndex) return otherPKa;
    if (!isFilled(speciesIndex)) return 0.0;
    return (beakerIsAcid ? kAcids : kBases)[static_cast<std::size_t>(speciesIndex)].pKa;
}

}  // namespace chemistry
