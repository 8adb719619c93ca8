#pragma once
#include <string>

namespace chemistry {

struct Species {
    std::string name;
    double pKa = 0;  // for a base, the pKa of its conjugate acid
};

struct SpeciesData;

// The acids and the bases that can be put in the beaker: constant data. A list index shown to the
// pupil is also the index a configuration stores. The first 15 of each list are the monoprotic
// solutes the program always had, position 15 being the free solute ("autre acide" / "autre
// base") whose pKa the pupil types; the polyacids and polybases follow, each list ending with its
// free two-pKa solute ("autre diacide" / "autre dibase").
class SpeciesCatalogue {
  public:
    static constexpr int kFilled = 15;  // the monoprotic solutes
    static constexpr int kAcidCount = 22;
    static constexpr int kBaseCount = 19;
    static constexpr int kOtherIndex = 14;  // list index of the free solute
    static constexpr int kOtherDiacidIndex = 21;
    static constexpr int kOtherDibaseIndex = 18;
    static constexpr int kStrongAcidIndex = 2;  // "acide chlorhydrique"
    static constexpr int kStrongBaseIndex = 8;  // "hydroxyde de sodium"

    // How many solutes the list of that nature holds.
    static constexpr int count(bool beakerIsAcid) { return beakerIsAcid ? kAcidCount : kBaseCount; }
    static constexpr bool isKnown(bool beakerIsAcid, int speciesIndex) {
        return speciesIndex >= 0 && speciesIndex < count(beakerIsAcid);
    }
    // A solute of the single-pair solver: the monoprotic ones, computed as they always were.
    static constexpr bool isMonoprotic(int speciesIndex) {
        return speciesIndex >= 0 && speciesIndex < kFilled;
    }
    // "autre diacide" / "autre dibase": its two pKa are typed.
    static constexpr bool isFreeDiprotic(bool beakerIsAcid, int speciesIndex) {
        return speciesIndex == (beakerIsAcid ? kOtherDiacidIndex : kOtherDibaseIndex);
    }
    static constexpr bool isFree(bool beakerIsAcid, int speciesIndex) {
        return speciesIndex == kOtherIndex || isFreeDiprotic(beakerIsAcid, speciesIndex);
    }

    // List index speciesIndex of the list of that nature; an unknown index gives an empty name.
    const std::string& speciesName(bool beakerIsAcid, int speciesIndex) const;
    // The free solute's is `otherPKa`; an unknown index's is 0. A polyacid's is its first pKa, a
    // polybase's the pKa of the pair the titrant reaches first.
    double speciesPKa(bool beakerIsAcid, int speciesIndex, double otherPKa) const;
    // The pairs, forms and charges of a solute; nullptr for an unknown index.
    const SpeciesData* speciesData(bool beakerIsAcid, int speciesIndex) const;

    static bool isStrong(bool beakerIsAcid, int speciesIndex) {
        return speciesIndex == (beakerIsAcid ? kStrongAcidIndex : kStrongBaseIndex);
    }
};

}  // namespace chemistry
