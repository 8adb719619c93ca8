#include "chemistry/catalogue.h"

namespace chemistry {

namespace {
const std::string kEmpty;
}

void SpeciesCatalogue::loadSpeciesCatalogue() {
    m_acids = {};
    m_bases = {};
    const Species acids[kFilled] = {
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
    };
    const Species bases[kFilled] = {
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
    };
    for (int i = 0; i < kFilled; ++i) {
        m_acids[static_cast<std::size_t>(i)] = acids[i];
        m_bases[static_cast<std::size_t>(i)] = bases[i];
    }
}

const Species* SpeciesCatalogue::at(bool beakerIsAcid, int speciesIndex) const {
    if (speciesIndex < 0 || speciesIndex >= kPositions) return nullptr;
    const auto& list = beakerIsAcid ? m_acids : m_bases;
    return &list[static_cast<std::size_t>(speciesIndex)];
}

const std::string& SpeciesCatalogue::speciesName(bool beakerIsAcid, int speciesIndex) const {
    const Species* s = at(beakerIsAcid, speciesIndex);
    return s ? s->name : kEmpty;
}

double SpeciesCatalogue::speciesPKa(bool beakerIsAcid, int speciesIndex) const {
    const Species* s = at(beakerIsAcid, speciesIndex);
    return s ? s->pKa : 0.0;
}

void SpeciesCatalogue::setOtherPKa(bool beakerIsAcid, double pKa) {
    auto& list = beakerIsAcid ? m_acids : m_bases;
    list[kOtherIndex].pKa = pKa;
}

}  // namespace chemistry
