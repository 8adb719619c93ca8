#include <gtest/gtest.h>

#include <cmath>

#include "chemistry/chemistry.h"
#include "tests/chemistry/printcase.h"

using namespace chemistry;

namespace {

constexpr int kAcetic = 4;
constexpr int kHydrochloric = 2;
constexpr int kAmmonia = 1;
constexpr int kSodiumHydroxide = 8;

std::vector<DistributionVertex> diagram(bool acid, int species, EngineState& state) {
    SpeciesCatalogue catalogue;
    SolutionSpec solution;
    solution.beakerIsAcid = acid;
    solution.speciesIndex = species;
    computeCurrentPoint(solution, catalogue, state);
    return distributionDiagram(state, acid);
}

// The volume at which the acid form's polyline crosses 50 %, by linear interpolation.
double halfwayVolume(const std::vector<DistributionVertex>& curve) {
    for (std::size_t i = 1; i < curve.size(); ++i) {
        const double a = curve[i - 1].acidPercent - 50;
        const double b = curve[i].acidPercent - 50;
        if (a * b <= 0 && a != b)
            return curve[i - 1].volume + (curve[i].volume - curve[i - 1].volume) * a / (a - b);
    }
    return std::nan("");
}

}  // namespace

struct WeakCase {
    const char* why;
    bool acid;
    int species;
    double startingShare;  // % of the beaker's own form at 0 mL
    double halfway;        // mL
};

class WeakSpecies : public ::testing::TestWithParam<WeakCase> {};

TEST_P(WeakSpecies, TurnsFromTheBeakersFormToTheOtherAcrossTheEquivalence) {
    const WeakCase& c = GetParam();
    EngineState state;
    const auto curve = diagram(c.acid, c.species, state);
    ASSERT_GE(curve.size(), 30u);
    const auto own = [&](const DistributionVertex& v) { return c.acid ? v.acidPercent : v.basicPercent; };
    const auto other = [&](const DistributionVertex& v) { return c.acid ? v.basicPercent : v.acidPercent; };

    EXPECT_EQ(curve.front().volume, 0.0f);
    EXPECT_NEAR(own(curve.front()), c.startingShare, 0.3) << c.why;
    EXPECT_NEAR(halfwayVolume(curve), c.halfway, 0.1) << c.why;
    for (const DistributionVertex& v : curve) {
        EXPECT_NEAR(v.acidPercent + v.basicPercent, 100.0, 1e-3);
        if (v.volume > 20.1f) {
            EXPECT_LT(own(v), 1.0f) << "at " << v.volume << " mL";
        }
        if (v.volume > 20.5f) {
            EXPECT_GT(other(v), 99.99f) << "at " << v.volume << " mL";
        }
    }
    // The curves close at 25 mL with the shares at the pH of that point.
    EXPECT_EQ(curve.back().volume, 25.0f);
    EXPECT_FLOAT_EQ(curve.back().pH, state.pH);
    EXPECT_FLOAT_EQ(state.pouredVolume, 25.0f);
}

INSTANTIATE_TEST_SUITE_P(
    AgainstTheStrongTitrant, WeakSpecies,
    ::testing::Values(
        WeakCase{"acetic acid starts at pH 3.38 and halves at its pKa, at 10 mL", true, kAcetic, 95.9, 10.0},
        WeakCase{"ammonia is the mirror: its basic form starts near 96 %", false, kAmmonia, 96.1, 10.0}));

TEST(Distribution, VerticesFollowTheTheoreticalCurve) {
    SpeciesCatalogue catalogue;
    SolutionSpec solution;
    solution.speciesIndex = kAcetic;
    EngineState curveState;
    const auto vertices = traceCurve(solution, catalogue, curveState);
    EngineState state;
    const auto curve = diagram(true, kAcetic, state);
    ASSERT_EQ(curve.size(), vertices.size());
    for (std::size_t i = 0; i < curve.size(); ++i) {
        EXPECT_EQ(curve[i].volume, vertices[i].volume);
        EXPECT_EQ(curve[i].pH, vertices[i].pH);
    }
}

struct StrongCase {
    const char* why;
    bool acid;
    int species;
    float acidPercent;
};

class StrongSpecies : public ::testing::TestWithParam<StrongCase> {};

TEST_P(StrongSpecies, GivesFlatCurvesAndLeavesKFullyDissociated) {
    const StrongCase& c = GetParam();
    EngineState state;
    const auto curve = diagram(c.acid, c.species, state);
    ASSERT_GE(curve.size(), 30u);
    for (const DistributionVertex& v : curve) {
        EXPECT_NEAR(v.acidPercent, c.acidPercent, 1e-4) << c.why << " at " << v.volume << " mL";
    }
    EXPECT_EQ(state.constantK, 1e35f);
}

INSTANTIATE_TEST_SUITE_P(
    KEqualsOne, StrongSpecies,
    ::testing::Values(StrongCase{"hydrochloric acid is all in its basic form", true, kHydrochloric, 0},
                      StrongCase{"sodium hydroxide is all in its acid form", false, kSodiumHydroxide, 100}));

struct FractionCase {
    const char* why;
    double pH;
    double pKa;  // of the acid of the pair
    bool acid;
    double fraction;
};

class AcidFormFraction : public ::testing::TestWithParam<FractionCase> {};

TEST_P(AcidFormFraction, FollowsThePairsPKaForAnAcidOrABase) {
    const FractionCase& c = GetParam();
    const double K = c.acid ? std::pow(10.0, -c.pKa) : std::pow(10.0, c.pKa - 14);
    EXPECT_NEAR(acidFormFraction(c.pH, K, c.acid), c.fraction, 1e-9) << c.why;
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, AcidFormFraction,
    ::testing::Values(FractionCase{"acid at its pKa: half", 4.75, 4.75, true, 0.5},
                      FractionCase{"acid one unit above: one part in eleven", 5.75, 4.75, true, 1.0 / 11},
                      FractionCase{"base at its conjugate's pKa: half", 9.2, 9.2, false, 0.5},
                      FractionCase{"base one unit below: ten parts in eleven", 8.2, 9.2, false, 10.0 / 11}));
