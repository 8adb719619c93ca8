// A situation read from a file is brought within the panel's limits; one within them is left as
// it stands, so that a sound file saves back unchanged.
#include <gtest/gtest.h>

#include "chemistry/fieldvalidation.h"
#include "numbers/decimalreader.h"

using chemistry::Situation;

namespace {

using Text = std::string Situation::*;

// Within the limits, though the panel would show some of these texts otherwise ("0,012 5").
Situation sound() {
    Situation s;
    s.otherPKaText = "14";
    s.titrantConcentrationText = "0,0125";
    s.pouredVolumeText = "12,25";
    s.beakerConcentrationText = "1E-8";
    s.beakerVolumeText = "15,0";
    s.waterVolumeText = "5,0";
    s.speciesIndex = 14;
    s.indicatorIndex = 9;
    return s;
}

}  // namespace

TEST(SituationCorrection, ValuesOutsideThePanelsLimitsTakeItsCorrectionAndOthersStayAsTheyStand) {
    // Concentrations and the poured volume through a whole load: DocumentTest.
    const Text pKa = &Situation::otherPKaText, v2 = &Situation::beakerVolumeText,
               v3 = &Situation::waterVolumeText;
    const struct {
        Text field;
        const char* read;
        Text corrected;  // the field the correction lands in, with the text the panel would give
        const char* shown;
    } cases[] = {
        {&Situation::titrantConcentrationText, "", &Situation::titrantConcentrationText, "0,000 000 01"},
        {pKa, "15", pKa, "13,9"},
        {v2, "NaN", v2, "15,0"},  // not a number reads as 0, raised to make 20 mL with the water
        {v3, "-5", v2, "20,0"},   // the beaker's volume is checked first, against no water
        {v3, "300", v2, "1,0"},   // then the water, against the beaker's corrected volume
    };
    for (const auto& c : cases) {
        Situation damaged = sound();
        damaged.*c.field = c.read;
        EXPECT_TRUE(chemistry::correctSituation(damaged)) << c.read;
        EXPECT_EQ(damaged.*c.corrected, c.shown) << c.read;
        const double total = numbers::readTypedNumberOr(damaged.beakerVolumeText, 0) +
                             numbers::readTypedNumberOr(damaged.waterVolumeText, 0);
        EXPECT_TRUE(total >= 20 && total <= 200) << c.read << ": " << total << " mL in the beaker";
    }
    Situation lists = sound();
    lists.speciesIndex = -1;
    lists.indicatorIndex = 10;
    EXPECT_TRUE(chemistry::correctSituation(lists));
    EXPECT_EQ(lists.speciesIndex, 0);
    EXPECT_EQ(lists.indicatorIndex, 0);
    for (const Situation& s : {chemistry::defaultSituation(), sound()}) {
        Situation kept = s;
        EXPECT_FALSE(chemistry::correctSituation(kept));
        EXPECT_EQ(kept, s);
    }
}
