// A situation read from a file is brought within the panel's limits; one within them is left as
// it stands, so that a sound file saves back unchanged.
#include <gtest/gtest.h>

#include <functional>

#include "chemistry/fieldvalidation.h"

using chemistry::Situation;

namespace {

struct CorrectionCase {
    const char* why;
    std::function<void(Situation&)> damage;
    std::function<void(Situation&)> expected;  // the correction, applied to the sound situation
};

Situation sound() {
    Situation s;
    s.otherPKaText = "4,75";
    s.titrantConcentrationText = "0,0125";  // the panel would show "0,012 5": kept as it is
    s.pouredVolumeText = "12,25";
    s.beakerConcentrationText = "1E-3";
    s.beakerVolumeText = "15,0";
    s.waterVolumeText = "5,0";
    s.speciesIndex = 14;
    s.indicatorIndex = 9;
    return s;
}

}  // namespace

TEST(SituationCorrection, ValuesOutsideThePanelsLimitsTakeThePanelsCorrection) {
    const CorrectionCase cases[] = {
        {"a negative concentration becomes the least one",
         [](Situation& s) { s.titrantConcentrationText = "-5"; },
         [](Situation& s) { s.titrantConcentrationText = "0,000 000 01"; }},
        {"a text that is not a number reads as 0", [](Situation& s) { s.beakerConcentrationText = "NaN"; },
         [](Situation& s) { s.beakerConcentrationText = "0,000 000 01"; }},
        {"a huge concentration becomes 0,1", [](Situation& s) { s.beakerConcentrationText = "1E+30"; },
         [](Situation& s) { s.beakerConcentrationText = "0,1"; }},
        {"an empty text reads as 0", [](Situation& s) { s.titrantConcentrationText = ""; },
         [](Situation& s) { s.titrantConcentrationText = "0,000 000 01"; }},
        {"a pKa above 14", [](Situation& s) { s.otherPKaText = "15"; },
         [](Situation& s) { s.otherPKaText = "13,9"; }},
        {"a negative pKa", [](Situation& s) { s.otherPKaText = "-3"; },
         [](Situation& s) { s.otherPKaText = "0,0"; }},
        {"more than the burette holds", [](Situation& s) { s.pouredVolumeText = "99,9"; },
         [](Situation& s) { s.pouredVolumeText = "25,0"; }},
        {"a negative poured volume", [](Situation& s) { s.pouredVolumeText = "-25"; },
         [](Situation& s) { s.pouredVolumeText = "0,0"; }},
        {"a beaker volume that is not a number", [](Situation& s) { s.beakerVolumeText = "NaN"; },
         [](Situation& s) { s.beakerVolumeText = "15,0"; }},
        {"too little liquid for the probe", [](Situation& s) { s.waterVolumeText = "0,0"; },
         [](Situation& s) {
             s.beakerVolumeText = "20,0";
             s.waterVolumeText = "0,0";
         }},
        {"a negative water volume", [](Situation& s) { s.waterVolumeText = "-5"; },
         [](Situation& s) {
             s.beakerVolumeText = "20,0";
             s.waterVolumeText = "0,0";
         }},
        {"more than the beaker holds", [](Situation& s) { s.waterVolumeText = "300"; },
         [](Situation& s) {
             s.beakerVolumeText = "1,0";
             s.waterVolumeText = "199,0";
         }},
        {"a solute beyond the list", [](Situation& s) { s.speciesIndex = 15; },
         [](Situation& s) { s.speciesIndex = 0; }},
        {"no solute chosen", [](Situation& s) { s.speciesIndex = -1; },
         [](Situation& s) { s.speciesIndex = 0; }},
        {"an indicator beyond the list", [](Situation& s) { s.indicatorIndex = 10; },
         [](Situation& s) { s.indicatorIndex = 0; }},
    };
    for (const auto& c : cases) {
        Situation damaged = sound();
        c.damage(damaged);
        Situation expected = sound();
        c.expected(expected);
        EXPECT_TRUE(chemistry::correctSituation(damaged)) << c.why;
        EXPECT_EQ(damaged, expected) << c.why;
    }
}

TEST(SituationCorrection, SoundSituationsAreLeftAsTheyStand) {
    Situation limits = sound();
    limits.beakerConcentrationText = "0,1";
    limits.titrantConcentrationText = "1E-8";
    limits.otherPKaText = "14";
    limits.pouredVolumeText = "25";
    limits.beakerVolumeText = "1";
    limits.waterVolumeText = "199";
    for (const Situation& s : {chemistry::defaultSituation(), sound(), limits}) {
        Situation corrected = s;
        EXPECT_FALSE(chemistry::correctSituation(corrected));
        EXPECT_EQ(corrected, s);
    }
}
