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
