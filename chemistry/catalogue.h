#pragma once
#include <string>

namespace chemistry {

struct Species {
    std::string name;
    double pKa = 0;  // for a base, the pKa of its conjugate acid
};

// The acids and the bases that can be put in the beaker: constant data. Each list has positions
// 1 to 20, of which 1 to 15 are filled; a list index shown to the pupil is the position minus one.
// Position 15 is the free solute ("autre acide" / "autre base") whose pKa the pupil types: the
// caller gives it to the lookup.
class SpeciesCatalogue {
  public:
    static constexpr int kPositions = 20;
    static constexpr int kFilled = 15;
    static constexpr int kOtherIndex = 14;      // list index of the free solute
    static constexpr int kStrongAcidIndex = 2;  // "acide chlorhydrique"
    static constexpr int kStrongBaseIndex = 8;  // "hydroxyde de sodium"

    // Position speciesIndex + 1 of the list of that nature; an index outside 0..19 gives an empty
    // species.
    const std::string& speciesName(bool beakerIsAcid, int speciesIndex) const;
    // The free solute's is `otherPKa`; an empty position's is 0.
    double speciesPKa(bool beakerIsAcid, int speciesIndex, double otherPKa) const;

    static bool isStrong(bool beakerIsAcid, int speciesIndex) {
        return speciesIndex == (beakerIsAcid ? kStrongAcidIndex : kStrongBaseIndex);
    }
};

}  // namespace chemistry
