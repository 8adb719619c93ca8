#include <gtest/gtest.h>

#include <cmath>

#include "chemistry/chemistry.h"

using namespace chemistry;

namespace {

SolutionSpec setUp(bool acid, int species, const char* beaker, const char* titrant, const char* poured) {
    SolutionSpec solution;
    solution.beakerIsAcid = acid;
    solution.speciesIndex = species;
    solution.beakerConcentration = beaker;
    solution.titrantConcentration = titrant;
    solution.pouredVolume = poured;
    return solution;
}

constexpr int kAcetic = 4;
constexpr int kHydrochloric = 2;
constexpr int kAmmonia = 1;

}  // namespace

struct PointCase {
    const char* why;
    bool acid;
    int species;
    const char* beaker;
    const char* titrant;
    const char* poured;
    double pH;
    double tolerance;
};

void PrintTo(const PointCase& c, std::ostream* out) {
    *out << c.why;
}

class CurrentPoint : public ::testing::TestWithParam<PointCase> {};

TEST_P(CurrentPoint, GivesThePhOfTheMixture) {
    const PointCase& c = GetParam();
    SpeciesCatalogue catalogue;
    EngineState state;
    const float pH =
        computeCurrentPoint(setUp(c.acid, c.species, c.beaker, c.titrant, c.poured), catalogue, state);
    EXPECT_NEAR(pH, c.pH, c.tolerance) << c.why;
    EXPECT_EQ(state.pH, pH);
}

INSTANTIATE_TEST_SUITE_P(
    TitrationRuns, CurrentPoint,
    ::testing::Values(
        PointCase{"acetic acid before pouring", true, kAcetic, "0,01", "0,01", "0,0", 3.38, 0.005},
        PointCase{"acetic acid at half equivalence is at its pKa", true, kAcetic, "0,01", "0,01", "10", 4.75,
                  0.005},
        PointCase{"acetic acid at the equivalence is basic", true, kAcetic, "0,01", "0,01", "20", 8.23,
                  0.005},
        PointCase{"acetic acid with the burette empty", true, kAcetic, "0,01", "0,01", "25", 11.05, 0.005},
        PointCase{"hydrochloric acid solved with K = 1", true, kHydrochloric, "0,01", "0,01", "0,0", 2.004,
                  0.0005},
        PointCase{"hydrochloric acid at the equivalence is neutral", true, kHydrochloric, "0,01", "0,01",
                  "20", 7.00, 0.005},
        PointCase{"concentrated strong acid is not fully dissociated with K = 1", true, kHydrochloric, "0,1",
                  "0,01", "0,0", 1.04, 0.005},
        PointCase{"ammonia before pouring", false, kAmmonia, "0,01", "0,01", "0,0", 10.59, 0.005},
        PointCase{"ammonia at the equivalence is acid", false, kAmmonia, "0,01", "0,01", "20", 5.75, 0.005},
        PointCase{"ammonia with the burette empty", false, kAmmonia, "0,01", "0,01", "25", 2.95, 0.005},
        PointCase{"the default aspirin set-up", true, 0, "0,01", "0,01", "0,0", 2.83, 0.005}));

TEST(PhSolver, TypicalSolvesTakeTwentyFiveToFiftyFivePasses) {
    SpeciesCatalogue catalogue;
    for (const int species : {0, kAcetic, 9, kHydrochloric}) {
        for (const char* poured : {"0,0", "5", "10", "19,9", "20", "20,1", "25"}) {
            EngineState state = deriveEngineState(setUp(true, species, "0,01", "0,01", poured), catalogue);
            const int passes = state.pouredVolume == 0 ? solveBeakerAlone(state) : solveAtVolume(state, true);
            EXPECT_GE(passes, 20) << species << " at " << poured;
            EXPECT_LE(passes, 60) << species << " at " << poured;
        }
    }
}

TEST(PhSolver, ATinyPouredVolumeGivesTheBeakerAlonePhToFourDecimals) {
    SpeciesCatalogue catalogue;
    for (const int species : {0, kAcetic, kHydrochloric}) {
        EngineState alone;
        const float before = computeCurrentPoint(setUp(true, species, "0,01", "0,01", "0"), catalogue, alone);
        EngineState mixed;
        const float after =
            computeCurrentPoint(setUp(true, species, "0,01", "0,01", "0,0001"), catalogue, mixed);
        EXPECT_NEAR(before, after, 5e-5) << species;
    }
}

TEST(PhSolver, BeakerAloneSetsTheEquivalenceButNotThePh) {
    SpeciesCatalogue catalogue;
    EngineState state = deriveEngineState(setUp(true, kAcetic, "0,01", "0,02", "0"), catalogue);
    state.pH = 99.0f;
    solveBeakerAlone(state);
    EXPECT_FLOAT_EQ(state.equivalenceVolume, 10.0f);
    EXPECT_EQ(state.pH, 99.0f);
    EXPECT_NEAR(-std::log10(state.solvedConcentration), 3.38, 0.005);
}

TEST(PhSolver, ATitrantOfZeroLeavesTheEquivalenceVolumeUnchanged) {
    SpeciesCatalogue catalogue;
    EngineState state = deriveEngineState(setUp(true, kAcetic, "0,01", "0", "0"), catalogue);
    state.equivalenceVolume = 12.5f;
    const int passes = solveBeakerAlone(state);
    EXPECT_EQ(state.equivalenceVolume, 12.5f);
    EXPECT_LT(passes, 200);
    EXPECT_TRUE(std::isfinite(state.solvedConcentration));
}

TEST(PhSolver, VolumeForConcentrationIsZeroAtTheInitialPointAndNegativeAbove) {
    SpeciesCatalogue catalogue;
    EngineState state = deriveEngineState(setUp(true, kAcetic, "0,01", "0,01", "0"), catalogue);
    solveBeakerAlone(state);
    const double h0 = state.solvedConcentration;
    EXPECT_NEAR(volumeForConcentration(state, h0), 0.0, 1e-3);
    EXPECT_LT(volumeForConcentration(state, h0 * 1.5), 0.0);
    EXPECT_NEAR(volumeForConcentration(state, std::pow(10.0, -4.75)), 10.0, 0.1);
    EXPECT_GT(volumeForConcentration(state, std::pow(10.0, -11.5)), 25.0);  // not clamped to the burette
}

TEST(PhSolver, AbsurdInputsStillEndAndLeaveFiniteValues) {
    const float cases[][5] = {
        // A, B, C, D, K
        {0, 0, 0, 0, 0},
        {1e-30f, 1e-30f, 1, 1, 1},
        {3e38f, 3e38f, 3e38f, 3e38f, 3e38f},
        {-1, 0.01f, 20, 5, 1e-5f},
        {0.01f, -1e-7f, 20, 5, 1e-5f},
        {0.01f, 0.01f, -20, 5, 1e35f},
        {NAN, 0.01f, 20, 5, 1e-5f},
        {0.01f, 0.01f, 20, NAN, NAN},
    };
    for (const auto& c : cases) {
        for (const bool acid : {true, false}) {
            EngineState state{c[0], c[1], c[2], c[3], c[4], 0, 0, 0};
            EXPECT_LT(solveBeakerAlone(state), 2000);  // ended by its own stop rules, not the guard
            EXPECT_LT(solveAtVolume(state, acid), 2000);
            EXPECT_FALSE(std::isnan(state.pH));
        }
    }
}
