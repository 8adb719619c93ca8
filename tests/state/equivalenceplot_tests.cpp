// The equivalence analysis as the graph draws it: the tangent method's construction and the
// derivative curve in pixels, for one solute and for mixtures.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "chemistry/chemistry.h"
#include "state/equivalenceplot.h"
#include "tests/chemistry/mixturereference.h"
#include "tests/chemistry/printcase.h"
#include "tests/randomtext.h"

using namespace chemistry;
using namespace state;

namespace {

constexpr int kAcetic = 4;
constexpr int kHydrochloric = 2;
constexpr int kHypochlorous = 6;
constexpr int kAmmoniumChloride = 9;
constexpr int kAmmonia = 1;

// The state as the panel's computation of the point before pouring leaves it: derived, the beaker
// solved alone, so equivalenceVolume is stored.
EngineState panelState(bool acid, int species, const char* beaker = "0,01", const char* titrant = "0,01",
                       const char* beakerVolume = "20,0") {
    SpeciesCatalogue catalogue;
    SolutionSpec solution;
    solution.beakerIsAcid = acid;
    solution.speciesIndex = species;
    solution.beakerConcentration = beaker;
    solution.titrantConcentration = titrant;
    solution.beakerVolume = beakerVolume;
    EngineState state;
    computeCurrentPoint(solution, catalogue, state);
    return state;
}

// Height of the line pH = pH0 + s·(V − V0) at pixel column x.
double lineY(double x, double V0, double pH0, double s) {
    return PlotFrame::y(pH0 + s * (PlotFrame::volumeAt(x) - V0));
}

}  // namespace

// --- Tangent method -------------------------------------------------------------------------

struct TangentCase {
    const char* why;
    bool acid;
    int species;
    double slope;
    double pH1;  // at Ve − 1
    double pH2;  // at Ve + 1
    double pHE;
    double gap;
    bool marks;
    int side;
};

class TangentDrawn : public ::testing::TestWithParam<TangentCase> {};

TEST_P(TangentDrawn, FindsTheModelsEquivalencePointBetweenTwoParallelTangents) {
    const TangentCase& c = GetParam();
    EngineState state = panelState(c.acid, c.species);
    const TangentConstruction t = tangentConstruction(state, c.acid);
    ASSERT_EQ(t.outcome, TangentConstruction::Outcome::Drawn);
    EXPECT_FLOAT_EQ(t.equivalenceVolume, 20.0f);
    EXPECT_EQ(t.left, 15);
    EXPECT_EQ(t.right, 25);
    EXPECT_NEAR(t.slope, c.slope, 0.001);
    EXPECT_NEAR(t.pH1, c.pH1, 0.005);
    EXPECT_NEAR(t.pH2, c.pH2, 0.005);
    EXPECT_NEAR(t.pHE, c.pHE, 0.005);
    EXPECT_NEAR(t.gap, c.gap, 0.5);
    EXPECT_EQ(t.equalityMarks, c.marks);
    EXPECT_EQ(t.rightAngleSide, c.side);

    // The three parallels span 15 to 25 mL through their points.
    EXPECT_EQ(t.firstTangent.from.x, PlotFrame::x(15));
    EXPECT_EQ(t.firstTangent.to.x, PlotFrame::x(25));
    for (const auto& [segment, V, pH] :
         {std::tuple{t.firstTangent, 19.0, t.pH1}, std::tuple{t.secondTangent, 21.0, t.pH2},
          std::tuple{t.middleParallel, 20.0, t.pHE}}) {
        EXPECT_NEAR(segment.from.y, lineY(segment.from.x, V, pH, t.slope), 0.01);
        EXPECT_NEAR(segment.to.y, lineY(segment.to.x, V, pH, t.slope), 0.01);
    }
    EXPECT_NEAR(t.firstTangent.from.y - t.secondTangent.from.y, t.gap, 0.01);
    EXPECT_EQ(t.labelE, (PlotPoint{PlotFrame::x(20) - 10, PlotFrame::y(t.pHE) + 5}));

    // Whole-pixel perpendicular from the tangency point on the first tangent to the second.
    const CommonPerpendicular& p = t.perpendicular;
    EXPECT_EQ(p.h, 306);
    EXPECT_NEAR(p.g, lineY(p.h, 19, t.pH1, t.slope), 0.5);
    EXPECT_NEAR(p.f, lineY(p.d, 21, t.pH2, t.slope), 1.0);
    const double W = 16 * t.slope / 14;
    const double along = (p.d - p.h) - W * (p.f - p.g);  // dot product with the direction (1, −W)
    EXPECT_LT(std::abs(along) / std::hypot(p.d - p.h, p.f - p.g), 0.03);

    // The right-angle mark starts on the first tangent and turns towards the second.
    const auto& [first, second] = t.rightAngle;
    EXPECT_NEAR(first.from.y, lineY(first.from.x, 19, t.pH1, t.slope), 0.6);
    EXPECT_EQ(first.to, second.from);
    EXPECT_GT((second.from.y - first.from.y) * (t.secondTangent.from.y - t.firstTangent.from.y), 0);
}

INSTANTIATE_TEST_SUITE_P(
    EquivalenceAt20mL, TangentDrawn,
    ::testing::Values(TangentCase{"acetic acid against soda", true, kAcetic, 0.457, 6.03, 10.39, 8.23, 55.1,
                                  true, -1},
                      TangentCase{"ammonia against hydrochloric acid slopes down", false, kAmmonia, -0.457,
                                  7.92, 3.61, 5.75, -54.3, true, +1},
                      TangentCase{"hypochlorous acid's small jump leaves no room for the marks", true,
                                  kHypochlorous, 0.444, 8.57, 10.39, 9.50, 14.9, false, -1}));

TEST(Tangent, EqualityMarksSitAtAQuarterAndThreeQuartersOfThePerpendicular) {
    EngineState state = panelState(true, kAcetic);
    const TangentConstruction t = tangentConstruction(state, true);
    ASSERT_TRUE(t.equalityMarks);
    const CommonPerpendicular& p = t.perpendicular;
    EXPECT_EQ(t.equalityCentres[0], (PlotPoint{p.h + (p.d - p.h) * 0.25, p.g + (p.f - p.g) * 0.25}));
    EXPECT_EQ(t.equalityCentres[1], (PlotPoint{p.h + (p.d - p.h) * 0.75, p.g + (p.f - p.g) * 0.75}));
}

TEST(Tangent, LeavesTheStateAtTheEquivalencePoint) {
    EngineState state = panelState(true, kAcetic);
    const TangentConstruction t = tangentConstruction(state, true);
    EXPECT_FLOAT_EQ(state.pouredVolume, 20.0f);
    EXPECT_EQ(state.pH, t.pHE);
}

TEST(Tangent, AVeryWeakAcidIsRefusedWithItsTwoTangentsAndTheStateAtVePlusOne) {
    EngineState state = panelState(true, kAmmoniumChloride);
    const TangentConstruction t = tangentConstruction(state, true);
    ASSERT_EQ(t.outcome, TangentConstruction::Outcome::Refused);
    EXPECT_LT(std::abs(t.gap), 1.0f);
    EXPECT_EQ(t.firstTangent.from.x, PlotFrame::x(15));
    EXPECT_EQ(t.secondTangent.to.x, PlotFrame::x(25));
    EXPECT_FALSE(t.equalityMarks);
    EXPECT_FLOAT_EQ(state.pouredVolume, 21.0f);
    EXPECT_EQ(state.pH, t.pH2);
}

struct UnusableCase {
    const char* why;
    const char* beaker;
    const char* titrant;
};

class TangentUnusable : public ::testing::TestWithParam<UnusableCase> {};

TEST_P(TangentUnusable, DoesNothingAndLeavesTheStateAlone) {
    const UnusableCase& c = GetParam();
    EngineState state = panelState(true, kAcetic, c.beaker, c.titrant);
    const EngineState before = state;
    const TangentConstruction t = tangentConstruction(state, true);
    EXPECT_EQ(t.outcome, TangentConstruction::Outcome::Nothing) << c.why;
    EXPECT_EQ(std::memcmp(&state, &before, sizeof state), 0) << c.why;
}

INSTANTIATE_TEST_SUITE_P(EquivalenceOutside2To23mL, TangentUnusable,
                         ::testing::Values(UnusableCase{"1 mL", "0,001", "0,02"},
                                           UnusableCase{"25 mL", "0,01", "0,008"}));

TEST(TangentMethod, UsesOnlyFiniteEquivalenceVolumesFrom2To23mL) {
    const std::pair<double, bool> cases[] = {
        {1.99, false},  {2.0, true},           {23.0, true},
        {23.01, false}, {std::nan(""), false}, {std::numeric_limits<double>::infinity(), false}};
    for (const auto& [volume, usable] : cases) EXPECT_EQ(isUsableEquivalenceVolume(volume), usable) << volume;
}

struct ExtentCase {
    const char* why;
    const char* beakerVolume;
    int left;
    int right;
};

class TangentExtent : public ::testing::TestWithParam<ExtentCase> {};

TEST_P(TangentExtent, SpansFiveMillilitresEachSideRoundedAndBoundedToTheBurette) {
    const ExtentCase& c = GetParam();
    EngineState state = panelState(true, kAcetic, "0,01", "0,01", c.beakerVolume);
    const TangentConstruction t = tangentConstruction(state, true);
    ASSERT_NE(t.outcome, TangentConstruction::Outcome::Nothing) << c.why;
    EXPECT_EQ(t.left, c.left) << c.why;
    EXPECT_EQ(t.right, c.right) << c.why;
}

INSTANTIATE_TEST_SUITE_P(
    EquivalenceVolumes, TangentExtent,
    ::testing::Values(ExtentCase{"2 mL, the first usable volume, starts at 0 mL", "2,0", 0, 7},
                      ExtentCase{"13.5 mL rounds 8.5 and 18.5 to even", "13,5", 8, 18},
                      ExtentCase{"23 mL, the last usable volume, ends at 25 mL", "23,0", 18, 25}));

struct PerpendicularCase {
    const char* why;
    float W;
    float gap;
    int d;
    int f;
};

class Perpendicular : public ::testing::TestWithParam<PerpendicularCase> {};

TEST_P(Perpendicular, EndsOnTheSecondParallel) {
    const PerpendicularCase& c = GetParam();
    const CommonPerpendicular p = commonPerpendicular(100, 100, c.W, c.gap);
    EXPECT_EQ(p.h, 100);
    EXPECT_EQ(p.g, 100);
    EXPECT_EQ(p.d, c.d) << c.why;
    EXPECT_EQ(p.f, c.f) << c.why;
}

INSTANTIATE_TEST_SUITE_P(Slopes, Perpendicular,
                         ::testing::Values(PerpendicularCase{"rising at 45 degrees", 1, 40, 80, 80},
                                           PerpendicularCase{"falling at 45 degrees", -1, -40, 80, 120},
                                           PerpendicularCase{"horizontal parallels give a vertical line", 0,
                                                             30, 100, 70}));

// --- Derivative curve -----------------------------------------------------------------------

struct DerivativeCase {
    const char* why;
    bool acid;
    int species;
};

class DerivativePeak : public ::testing::TestWithParam<DerivativeCase> {};

TEST_P(DerivativePeak, RisesHighestAtTheEquivalenceAndStartsAtTheSecondUsableSample) {
    const DerivativeCase& c = GetParam();
    EngineState state = panelState(c.acid, c.species);
    const DerivativeCurve curve = derivativeCurve(state);
    ASSERT_GE(curve.samples.size(), 3u);
    ASSERT_FALSE(curve.polyline.empty());

    EXPECT_EQ(curve.samples[0].use, DerivativeSample::Use::Arms);
    const DerivativeSample& dot = curve.samples[1];
    EXPECT_EQ(dot.use, DerivativeSample::Use::Dot);
    EXPECT_EQ(curve.polyline.front(), dot.point);
    // Its slope runs from the initial point (0 mL), not from the arming sample.
    EXPECT_NEAR(dot.point.x, PlotFrame::x(dot.volume / 2), 1e-4);

    const auto highest = std::min_element(curve.polyline.begin(), curve.polyline.end(),
                                          [](const PlotPoint& a, const PlotPoint& b) { return a.y < b.y; });
    EXPECT_NEAR(PlotFrame::volumeAt(highest->x), 20.0, 0.05) << c.why;
    // Flat at both ends of the burette: well below the peak.
    EXPECT_GT(curve.polyline.back().y, highest->y + 40) << c.why;
}

INSTANTIATE_TEST_SUITE_P(EquivalenceAt20mL, DerivativePeak,
                         ::testing::Values(DerivativeCase{"acetic acid", true, kAcetic},
                                           DerivativeCase{"ammonia's pOH peaks upwards too", false, kAmmonia},
                                           DerivativeCase{"hydrochloric acid", true, kHydrochloric}));

TEST(Derivative, PolylineHoldsTheDotThenOnlyThePointsInsideTheBand) {
    // A very dilute beaker against a concentrated titrant: the jump is nearly vertical, so some
    // slopes leave the graph.
    EngineState state = panelState(true, kAcetic, "0,000001", "10");
    const DerivativeCurve curve = derivativeCurve(state);
    std::vector<PlotPoint> drawn;
    int outside = 0;
    for (const DerivativeSample& sample : curve.samples) {
        if (sample.use == DerivativeSample::Use::Dot || sample.use == DerivativeSample::Use::Segment) {
            drawn.push_back(sample.point);
        }
        if (sample.use == DerivativeSample::Use::Segment) {
            EXPECT_GE(sample.point.y, 10.0);
            EXPECT_LE(sample.point.y, 250.0);
        }
        if (sample.use == DerivativeSample::Use::OutsideBand) {
            ++outside;
            EXPECT_TRUE(sample.point.y < 10.0 || sample.point.y > 250.0);
        }
    }
    EXPECT_GT(outside, 0);
    EXPECT_EQ(curve.polyline, drawn);
}

TEST(Derivative, StrongAcidIsSolvedFullyDissociatedFromItsFirstSample) {
    EngineState state = panelState(true, kHydrochloric);
    state.equivalenceVolume = 7;  // not written by the derivative
    const DerivativeCurve curve = derivativeCurve(state);
    ASSERT_FALSE(curve.samples.empty());
    // With K = 1 the beaker alone is at pH 2.004; fully dissociated it is at 2.000.
    EXPECT_NEAR(curve.samples[0].p, 2.0, 1e-4);
    EXPECT_EQ(state.constantK, 1e35f);
    EXPECT_EQ(state.equivalenceVolume, 7.0f);
}

// --- Mixtures ----------------------------------------------------------------------------------

using Outcome = TangentConstruction::Outcome;

struct EquivalenceCase {
    const char* why;
    reference::Beaker beaker;
    std::vector<double> volumes;
    std::vector<bool> visible;
    std::vector<Outcome> tangents;
};

class Equivalences : public ::testing::TestWithParam<EquivalenceCase> {};

TEST_P(Equivalences, FollowTheAmountsInTheOrderOfThePkaAndTheTangentsReadTheVisibleOnes) {
    const EquivalenceCase& c = GetParam();
    const Mixture mixture = reference::mixtureOf(c.beaker);
    const auto candidates = MixtureModel(mixture).equivalenceCandidates();
    const auto constructions = mixtureTangents(mixture);
    ASSERT_EQ(candidates.size(), c.volumes.size()) << c.why;
    ASSERT_EQ(constructions.size(), c.volumes.size()) << c.why;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        EXPECT_NEAR(candidates[i].volume, c.volumes[i], 1e-9) << c.why << " #" << i;
        EXPECT_EQ(candidates[i].visible, c.visible[i]) << c.why << " #" << i;
        EXPECT_EQ(constructions[i].outcome, c.tangents[i]) << c.why << " #" << i;
        if (c.tangents[i] == Outcome::Drawn) {
            EXPECT_NEAR(constructions[i].constructedVolume, c.volumes[i], 0.2) << c.why << " #" << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Titrations, Equivalences,
    ::testing::Values(
        EquivalenceCase{"phosphoric acid by 0,02 soda: 10 and 20 mL, the third beyond the burette",
                        {{{"acide phosphorique", 0.01}}, 0.02},
                        {10, 20, 30},
                        {true, true, false},
                        {Outcome::Drawn, Outcome::Drawn, Outcome::Nothing}},
        EquivalenceCase{"citric acid's close pKa merge the first two jumps",
                        {{{"acide citrique", 0.01}}, 0.03},
                        {20.0 / 3, 40.0 / 3, 20},
                        {false, false, true},
                        {Outcome::Refused, Outcome::Refused, Outcome::Drawn}},
        EquivalenceCase{"hydrochloric acid comes first but ethanoic acid hides its jump",
                        {{{"acide éthanoïque", 0.01}, {"acide chlorhydrique", 0.01}}, 0.02},
                        {10, 20},
                        {false, true},
                        {Outcome::Refused, Outcome::Drawn}},
        EquivalenceCase{"sodium carbonate takes its two protons back",
                        {{{"carbonate de sodium", 0.01}}, 0.02},
                        {10, 20},
                        {true, true},
                        {Outcome::Drawn, Outcome::Drawn}},
        EquivalenceCase{"ethylenediamine's first jump is too small",
                        {{{"éthylènediamine", 0.01}}, 0.02},
                        {10, 20},
                        {false, true},
                        {Outcome::Refused, Outcome::Drawn}}));

struct MixtureCase {
    const char* why;
    std::vector<reference::Part> parts;
};

class MixtureDerivative : public ::testing::TestWithParam<MixtureCase> {};

// The derivative curve rises to a local peak at every visible jump.
TEST_P(MixtureDerivative, PeaksAtEveryVisibleJump) {
    const MixtureCase& c = GetParam();
    const Mixture mixture = reference::mixtureOf(reference::Beaker{c.parts, 0.02});
    const DerivativeCurve derivative = mixtureDerivative(mixture);
    int visible = 0;
    for (const EquivalenceCandidate& e : MixtureModel(mixture).equivalenceCandidates()) {
        if (!e.visible) continue;
        ++visible;
        double highest = std::numeric_limits<double>::max();
        double where = -1;
        for (const PlotPoint& p : derivative.polyline) {
            const double V = PlotFrame::volumeAt(p.x);
            if (std::abs(V - e.volume) < 2 && p.y < highest) {
                highest = p.y;
                where = V;
            }
        }
        EXPECT_NEAR(where, e.volume, 0.3) << c.why;
        EXPECT_LT(highest, PlotFrame::kOriginY - 30) << c.why;
    }
    EXPECT_GT(visible, 0) << c.why;
}

INSTANTIATE_TEST_SUITE_P(Titrations, MixtureDerivative,
                         ::testing::Values(MixtureCase{"phosphoric acid", {{"acide phosphorique", 0.01}}},
                                           MixtureCase{"sodium carbonate", {{"carbonate de sodium", 0.01}}},
                                           MixtureCase{
                                               "hydrochloric and ethanoic acids",
                                               {{"acide chlorhydrique", 0.01}, {"acide éthanoïque", 0.01}}}));

TEST(MixtureAnalyses, AMixtureThatMakesNoSenseHasNoTangentsAndNoDerivative) {
    Mixture mixture = reference::mixtureOf(reference::Beaker{{{"acide phosphorique", 0.01}}});
    mixture.beakerVolume = 0;
    EXPECT_TRUE(mixtureTangents(mixture).empty());
    EXPECT_TRUE(mixtureDerivative(mixture).polyline.empty());
}

// --- Robustness --------------------------------------------------------------------------------

namespace {

bool finite(const PlotPoint& p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

}  // namespace

TEST(Robustness, RandomTextsInEveryFieldNeverGiveANonFinitePixel) {
    std::mt19937 rng(20261208);
    std::uniform_int_distribution<int> species(-2, 21);
    SpeciesCatalogue catalogue;
    for (int run = 0; run < 300; ++run) {
        SolutionSpec solution;
        solution.beakerIsAcid = run % 2 == 0;
        solution.speciesIndex = species(rng);
        solution.otherPKa = testing_support::randomText(rng);
        solution.beakerConcentration = testing_support::randomText(rng);
        solution.beakerVolume = testing_support::randomText(rng);
        solution.waterVolume = testing_support::randomText(rng);
        solution.titrantConcentration = testing_support::randomText(rng);
        EngineState state;
        computeCurrentPoint(solution, catalogue, state);
        const EngineState panel = state;
        for (const auto& point : derivativeCurve(state).polyline) ASSERT_TRUE(finite(point));
        state = panel;
        const TangentConstruction t = tangentConstruction(state, solution.beakerIsAcid);
        for (const auto& segment :
             {t.firstTangent, t.secondTangent, t.middleParallel, t.rightAngle[0], t.rightAngle[1]}) {
            ASSERT_TRUE(finite(segment.from) && finite(segment.to));
        }
        ASSERT_TRUE(std::isfinite(t.slope) && std::isfinite(t.gap));
    }
}
