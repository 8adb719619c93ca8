#pragma once
#include <array>
#include <string>

namespace chemistry {

struct Species {
    std::string name;
    double pKa = 0;  // for a base, the pKa of its conjugate acid
};

// The acids and the bases that can be put in the beaker. Each list has positions 1 to 20, of
// which 1 to 15 are filled; a list index shown to the pupil is the position minus one.
// Position 15 is the free solute ("autre acide" / "autre base") whose pKa the pupil types.
class SpeciesCatalogue {
  public:
    static constexpr int kPositions = 20;
    static constexpr int kFilled = 15;
    static constexpr int kOtherIndex = 14;      // list index of the free solute
    static constexpr int kStrongAcidIndex = 2;  // "acide chlorhydrique"
    static constexpr int kStrongBaseIndex = 8;  // "hydroxyde de sodium"

    SpeciesCatalogue() { loadSpeciesCatalogue(); }

    // Fills both lists with their fifteen entries; the free solutes start at pKa 7.
    void loadSpeciesCatalogue();

    // Position speciesIndex + 1 of the list of that nature; an index outside 0..19 gives an empty
    // species.
    const std::string& speciesName(bool beakerIsAcid, int speciesIndex) const;
    double speciesPKa(bool beakerIsAcid, int speciesIndex) const;

    // Stores the pKa of the free solute of that nature only.
    void setOtherPKa(bool beakerIsAcid, double pKa);

    static bool isStrong(bool beakerIsAcid, int speciesIndex) {
        return speciesIndex == (beakerIsAcid ? kStrongAcidIndex : kStrongBaseIndex);
    }

  private:
    const Species* at(bool beakerIsAcid, int speciesIndex) const;

    std::array<Species, kPositions> m_acids;
    std::array<Species, kPositions> m_bases;
};

}  // namespace chemistry
