#include <gtest/gtest.h>

#include <cmath>

#include "chemistry/chemistry.h"

using namespace chemistry;

TEST(SpeciesCatalogue, StrongSpeciesGiveKExactlyOne) {
    SpeciesCatalogue catalogue;
    SolutionSpec solution;
    solution.speciesIndex = SpeciesCatalogue::kStrongAcidIndex;
    EXPECT_EQ(deriveEngineState(solution, catalogue).constantK, 1.0f);
    EXPECT_EQ(catalogue.speciesName(true, 2), "acide chlorhydrique");
    solution.beakerIsAcid = false;
    solution.speciesIndex = SpeciesCatalogue::kStrongBaseIndex;
    EXPECT_EQ(deriveEngineState(solution, catalogue).constantK, 1.0f);
    EXPECT_EQ(catalogue.speciesName(false, 8), "hydroxyde de sodium");
    EXPECT_TRUE(SpeciesCatalogue::isStrong(true, 2));
    EXPECT_FALSE(SpeciesCatalogue::isStrong(false, 2));
}

TEST(SpeciesCatalogue, BaseConstantIsKbOfTheConjugateAcid) {
    SpeciesCatalogue catalogue;
    SolutionSpec solution;
    solution.beakerIsAcid = false;
    solution.speciesIndex = 6;  // "éthanoate de sodium", pKa 4.75
    EXPECT_EQ(catalogue.speciesName(false, 6), "éthanoate de sodium");
    EXPECT_NEAR(deriveEngineState(solution, catalogue).constantK, 5.6234e-10, 1e-13);
}

TEST(SpeciesCatalogue, FreeSoluteChangesOnlyTheListOfItsNature) {
    SpeciesCatalogue catalogue;
    catalogue.setOtherPKa(true, 4.0);
    EXPECT_EQ(catalogue.speciesPKa(true, SpeciesCatalogue::kOtherIndex), 4.0);
    EXPECT_EQ(catalogue.speciesPKa(false, SpeciesCatalogue::kOtherIndex), 7.0);
    EXPECT_EQ(catalogue.speciesName(true, 14), "autre acide");
    EXPECT_EQ(catalogue.speciesPKa(true, 13), 10.0);  // its neighbour is untouched
    catalogue.loadSpeciesCatalogue();
    EXPECT_EQ(catalogue.speciesPKa(true, SpeciesCatalogue::kOtherIndex), 7.0);
}

TEST(SpeciesCatalogue, PositionsBeyondTheFilledOnesAreEmpty) {
    SpeciesCatalogue catalogue;
    EXPECT_EQ(catalogue.speciesName(true, 15), "");
    EXPECT_EQ(catalogue.speciesName(false, 19), "");
    EXPECT_EQ(catalogue.speciesName(true, -1), "");
    EXPECT_EQ(catalogue.speciesName(true, 400), "");
    EXPECT_EQ(catalogue.speciesPKa(false, 20), 0.0);
}

TEST(SolutionModel, DilutionByWaterSetsConcentrationVolumeAndEquivalence) {
    SpeciesCatalogue catalogue;
    SolutionSpec solution;
    solution.waterVolumeText = "80";
    EngineState state = deriveEngineState(solution, catalogue);
    EXPECT_FLOAT_EQ(state.dilutedConcentration, 0.002f);
    EXPECT_FLOAT_EQ(state.initialVolume, 100.0f);
    EXPECT_FLOAT_EQ(state.titrantConcentration, 0.01f);
    solveBeakerAlone(state);
    EXPECT_FLOAT_EQ(state.equivalenceVolume, 20.0f);
}

TEST(SolutionModel, TextsThatAreNotNumbersKeepThePreviousValues) {
    SpeciesCatalogue catalogue;
    const EngineState previous = deriveEngineState(SolutionSpec{}, catalogue);
    SolutionSpec solution;
    solution.titrantConcentrationText = "abc";
    solution.beakerVolumeText = "";
    solution.pouredVolumeText = "1e60";  // beyond single precision: an overflow
    const EngineState state = deriveEngineState(solution, catalogue, previous);
    EXPECT_EQ(state.titrantConcentration, previous.titrantConcentration);
    EXPECT_EQ(state.dilutedConcentration, previous.dilutedConcentration);
    EXPECT_EQ(state.initialVolume, previous.initialVolume);
    EXPECT_EQ(state.pouredVolume, previous.pouredVolume);
}

TEST(SolutionModel, SituationDefaultsMatchThePanelDefaults) {
    const Situation situation = defaultSituation();
    const SolutionSpec fromSituation = specOf(situation);
    const SolutionSpec panel;
    EXPECT_FALSE(situation.completed);
    EXPECT_TRUE(situation.showBurette && situation.showPhMeter && situation.beakerIsAcid);
    EXPECT_FALSE(situation.concentrationMasked);
    EXPECT_EQ(fromSituation.beakerConcentrationText, panel.beakerConcentrationText);
    EXPECT_EQ(fromSituation.beakerVolumeText, panel.beakerVolumeText);
    EXPECT_EQ(fromSituation.waterVolumeText, panel.waterVolumeText);
    EXPECT_EQ(fromSituation.titrantConcentrationText, panel.titrantConcentrationText);
    EXPECT_EQ(fromSituation.pouredVolumeText, panel.pouredVolumeText);
    EXPECT_EQ(fromSituation.otherPKaText, panel.otherPKaText);
}

TEST(SolutionModel, OnlyValuesThatShapeTheCurveMakeAnotherTitration) {
    constexpr int kFree = SpeciesCatalogue::kOtherIndex;
    struct Case {
        const char* why;
        int species;  // of the traced situation and, before the change, of the panel
        void (*change)(SolutionSpec&);
        bool same;
    };
    const Case cases[] = {
        {"nothing changed", 0, [](SolutionSpec&) {}, true},
        {"the same value written otherwise", 0, [](SolutionSpec& p) { p.beakerConcentrationText = "0,010"; },
         true},
        {"poured volume", 0, [](SolutionSpec& p) { p.pouredVolumeText = "12,5"; }, true},
        {"indicator", 0, [](SolutionSpec& p) { p.indicatorIndex = 3; }, true},
        {"pKa text beside a catalogue solute", 0, [](SolutionSpec& p) { p.otherPKaText = "3,0"; }, true},
        {"beaker concentration", 0, [](SolutionSpec& p) { p.beakerConcentrationText = "0,005"; }, false},
        {"titrant concentration", 0, [](SolutionSpec& p) { p.titrantConcentrationText = "0,02"; }, false},
        {"beaker volume", 0, [](SolutionSpec& p) { p.beakerVolumeText = "25,0"; }, false},
        {"water volume", 0, [](SolutionSpec& p) { p.waterVolumeText = "10,0"; }, false},
        {"a text that is no longer a number", 0, [](SolutionSpec& p) { p.beakerVolumeText = "abc"; }, false},
        {"nature", 0, [](SolutionSpec& p) { p.beakerIsAcid = false; }, false},
        {"solute", 0, [](SolutionSpec& p) { p.speciesIndex = 4; }, false},
        {"pKa of the free solute", kFree, [](SolutionSpec& p) { p.otherPKaText = "4,2"; }, false},
        {"same pKa of the free solute", kFree, [](SolutionSpec& p) { p.otherPKaText = "7"; }, true},
    };
    for (const Case& c : cases) {
        Situation traced = defaultSituation();
        traced.speciesIndex = static_cast<std::int16_t>(c.species);
        SolutionSpec panel = specOf(traced);
        c.change(panel);
        EXPECT_EQ(sameTitration(panel, traced), c.same) << c.why;
    }
}
