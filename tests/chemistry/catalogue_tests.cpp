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

TEST(SpeciesCatalogue, FreeSoluteTakesThePKaOfItsOwnParameters) {
    SpeciesCatalogue catalogue;
    EXPECT_EQ(catalogue.speciesName(true, SpeciesCatalogue::kOtherIndex), "autre acide");
    EXPECT_EQ(catalogue.speciesPKa(true, 13, 4.0), 10.0);  // a listed solute keeps its own
    // Two set-ups of the free solute, each with its pKa: one lookup does not change the other.
    SolutionSpec first;
    first.speciesIndex = SpeciesCatalogue::kOtherIndex;
    first.otherPKa = "4,0";
    SolutionSpec second = first;
    second.otherPKa = "9,0";
    EXPECT_FLOAT_EQ(deriveEngineState(first, catalogue).constantK, 1e-4f);
    EXPECT_FLOAT_EQ(deriveEngineState(second, catalogue).constantK, 1e-9f);
    second.beakerIsAcid = false;
    EXPECT_FLOAT_EQ(deriveEngineState(second, catalogue).constantK, 1e-5f);
    // A pKa that is not a number keeps the constant it had.
    const EngineState previous = deriveEngineState(first, catalogue);
    first.otherPKa = "-";
    EXPECT_EQ(deriveEngineState(first, catalogue, previous).constantK, previous.constantK);
}

TEST(SpeciesCatalogue, PositionsBeyondTheFilledOnesAreEmpty) {
    SpeciesCatalogue catalogue;
    EXPECT_EQ(catalogue.speciesName(true, SpeciesCatalogue::kAcidCount), "");
    EXPECT_EQ(catalogue.speciesName(false, 19), "");
    EXPECT_EQ(catalogue.speciesName(true, -1), "");
    EXPECT_EQ(catalogue.speciesName(true, 400), "");
    EXPECT_EQ(catalogue.speciesPKa(false, 20, 4.0), 0.0);
}

TEST(SolutionModel, DilutionByWaterSetsConcentrationVolumeAndEquivalence) {
    SpeciesCatalogue catalogue;
    SolutionSpec solution;
    solution.waterVolume = "80";
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
    solution.titrantConcentration = "abc";
    solution.beakerVolume = "";
    solution.pouredVolume = "1e60";  // beyond single precision: an overflow
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
    EXPECT_EQ(fromSituation.beakerConcentration, panel.beakerConcentration);
    EXPECT_EQ(fromSituation.beakerVolume, panel.beakerVolume);
    EXPECT_EQ(fromSituation.waterVolume, panel.waterVolume);
    EXPECT_EQ(fromSituation.titrantConcentration, panel.titrantConcentration);
    EXPECT_EQ(fromSituation.pouredVolume, panel.pouredVolume);
    EXPECT_EQ(fromSituation.otherPKa, panel.otherPKa);
}
