#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "chemistry/chemistry.h"
#include "tests/chemistry/mixturereference.h"
#include "tests/chemistry/printcase.h"

using namespace chemistry;
using reference::Beaker;

// --- pH against the reference ---------------------------------------------------------------

struct BeakerCase {
    const char* why;
    std::vector<reference::Part> parts;
};

class AgainstReference : public ::testing::TestWithParam<BeakerCase> {};

TEST_P(AgainstReference, GivesThePhAloneAndAlongTheTitrationWithinFiveThousandths) {
    const BeakerCase& c = GetParam();
    for (const double scale : {0.1, 1.0, 10.0}) {
        Beaker alone{c.parts};
        for (reference::Part& part : alone.parts) part.concentration *= scale;
        const auto point = solveMixture(reference::mixtureOf(alone), 0);
        ASSERT_TRUE(point) << c.why;
        EXPECT_NEAR(point->pH, reference::solve(alone, 0).pH, 0.005) << c.why << " alone, ×" << scale;
    }
    for (const double titrant : {0.01, 0.02}) {
        const Beaker beaker{c.parts, titrant};
        const Mixture mixture = reference::mixtureOf(beaker);
        for (int V = 0; V <= 25; ++V) {
            const auto point = solveMixture(mixture, V);
            ASSERT_TRUE(point) << c.why;
            EXPECT_NEAR(point->pH, reference::solve(beaker, V).pH, 0.005)
                << c.why << " at " << V << " mL by " << titrant;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    NewSpeciesAndMixtures, AgainstReference,
    ::testing::Values(
        BeakerCase{"phosphoric acid", {{"acide phosphorique", 0.01}}},
        BeakerCase{"oxalic acid", {{"acide oxalique", 0.01}}},
        BeakerCase{"tartaric acid", {{"acide tartrique", 0.01}}},
        BeakerCase{"citric acid", {{"acide citrique", 0.01}}},
        BeakerCase{"ascorbic acid", {{"acide ascorbique", 0.01}}},
        BeakerCase{"dissolved carbon dioxide", {{"dioxyde de carbone dissous", 0.01}}},
        BeakerCase{"free diacid", {{"autre diacide", 0.01}}},
        BeakerCase{"sodium carbonate brings two sodium ions", {{"carbonate de sodium", 0.01}}},
        BeakerCase{"sodium phosphate brings three", {{"phosphate de sodium", 0.01}}},
        BeakerCase{"ethylenediamine", {{"éthylènediamine", 0.01}}},
        BeakerCase{"free dibase", {{"autre dibase", 0.01}}},
        BeakerCase{"hydrochloric acid alone, fully dissociated", {{"acide chlorhydrique", 0.01}}},
        BeakerCase{"sodium hydroxide alone, fully dissociated", {{"hydroxyde de sodium", 0.01}}},
        BeakerCase{"hydrochloric and ethanoic acids",
                   {{"acide chlorhydrique", 0.01}, {"acide éthanoïque", 0.01}}},
        BeakerCase{"phosphoric and citric acids", {{"acide phosphorique", 0.005}, {"acide citrique", 0.005}}},
        BeakerCase{"ammonium chloride's chloride with an acid",
                   {{"chlorure d'ammonium", 0.01}, {"acide méthanoïque", 0.01}}},
        BeakerCase{"sodium carbonate and ammonia", {{"carbonate de sodium", 0.005}, {"ammoniac", 0.01}}}));

// --- One monoprotic solute: the present solver and the general one agree ----------------------

TEST(MonoproticThroughTheGeneralSolver, AgreesWithThePresentSolverForEveryCatalogueSpecies) {
    SpeciesCatalogue catalogue;
    for (const bool acid : {true, false}) {
        for (int index = 0; index < SpeciesCatalogue::kFilled; ++index) {
            // The general solver takes a strong species fully dissociated, not with K = 1: it is
            // checked against the reference above.
            if (SpeciesCatalogue::isStrong(acid, index)) continue;
            const std::string& name = catalogue.speciesName(acid, index);
            const SpeciesData* species = findSpecies(name);
            ASSERT_NE(species, nullptr) << name;
            Mixture mixture;
            mixture.beakerIsAcid = acid;
            mixture.solutes[0] = soluteOf(*species, 0.01);
            for (int V = 0; V <= 25; ++V) {
                SolutionSpec solution;
                solution.beakerIsAcid = acid;
                solution.speciesIndex = index;
                solution.pouredVolume = std::to_string(V);
                EngineState state;
                const float present = computeCurrentPoint(solution, catalogue, state);
                const auto general = solveMixture(mixture, V);
                ASSERT_TRUE(general) << name;
                EXPECT_NEAR(general->pH, present, 0.005) << name << " at " << V << " mL";
            }
        }
    }
}

// --- Equivalences ------------------------------------------------------------------------------

using Outcome = TangentConstruction::Outcome;

struct EquivalenceCase {
    const char* why;
    Beaker beaker;
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

// --- Curves -----------------------------------------------------------------------------------

class MixtureCurves : public ::testing::TestWithParam<BeakerCase> {};

TEST_P(MixtureCurves, VerticesFromTheInverseLieOnTheSolvedCurveAndPeaksMarkTheJumps) {
    const BeakerCase& c = GetParam();
    const Mixture mixture = reference::mixtureOf(Beaker{c.parts, 0.02});
    const auto curve = mixtureCurve(mixture);
    ASSERT_GE(curve.size(), 30u) << c.why;
    EXPECT_EQ(curve.front().volume, 0.0f);
    EXPECT_EQ(curve.back().volume, 25.0f);
    for (const CurveVertex& vertex : curve) {
        const auto solved = solveMixture(mixture, vertex.volume);
        ASSERT_TRUE(solved);
        EXPECT_NEAR(vertex.pH, solved->pH, 0.005) << c.why << " at " << vertex.volume << " mL";
    }

    // The derivative curve rises to a local peak at every visible jump.
    const DerivativeCurve derivative = mixtureDerivative(mixture);
    for (const EquivalenceCandidate& e : MixtureModel(mixture).equivalenceCandidates()) {
        if (!e.visible) continue;
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

    // The intermediate form of the first solute that a visible equivalence leaves peaks there.
    const auto shares = mixtureDistribution(mixture);
    ASSERT_EQ(shares.size(), curve.size()) << c.why;
    for (const EquivalenceCandidate& e : MixtureModel(mixture).equivalenceCandidates()) {
        const int form = mixture.beakerIsAcid ? e.pair + 1 : e.pair;
        if (!e.visible || e.solute != 0 || form == 0 || form == mixture.solutes[0].pairCount) continue;
        const auto peak = std::max_element(
            shares.begin(), shares.end(),
            [form](const auto& a, const auto& b) { return a.percent[form] < b.percent[form]; });
        EXPECT_NEAR(peak->volume, e.volume, 0.5) << c.why << " form " << form;
        EXPECT_GT(peak->percent[form], 95) << c.why << " form " << form;
    }
}

INSTANTIATE_TEST_SUITE_P(Titrations, MixtureCurves,
                         ::testing::Values(BeakerCase{"phosphoric acid", {{"acide phosphorique", 0.01}}},
                                           BeakerCase{"sodium carbonate", {{"carbonate de sodium", 0.01}}},
                                           BeakerCase{
                                               "hydrochloric and ethanoic acids",
                                               {{"acide chlorhydrique", 0.01}, {"acide éthanoïque", 0.01}}}));

// --- Refusals -----------------------------------------------------------------------------------

struct RefusalCase {
    const char* why;
    void (*spoil)(Mixture&);
};

class Refusals : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(Refusals, AMixtureThatMakesNoSenseGivesNoNumberAtAll) {
    const RefusalCase& c = GetParam();
    Mixture mixture = reference::mixtureOf(Beaker{{{"acide phosphorique", 0.01}}});
    c.spoil(mixture);
    const MixtureModel model(mixture);
    EXPECT_FALSE(model.valid()) << c.why;
    EXPECT_FALSE(model.solve(10)) << c.why;
    EXPECT_TRUE(mixtureCurve(mixture).empty()) << c.why;
    EXPECT_TRUE(mixtureTangents(mixture).empty()) << c.why;
    EXPECT_FALSE(mixtureConductivity(mixture, 10)) << c.why;
}

INSTANTIATE_TEST_SUITE_P(
    Values, Refusals,
    ::testing::Values(
        RefusalCase{"no liquid introduced", [](Mixture& m) { m.beakerVolume = 0; }},
        RefusalCase{"a negative concentration", [](Mixture& m) { m.solutes[0].concentration = -1; }},
        RefusalCase{"a pKa that is not a number", [](Mixture& m) { m.solutes[0].pKa[1] = std::nan(""); }},
        RefusalCase{"more forms lost than the solute has",
                    [](Mixture& m) { m.solutes[0].protonsLost = 4; }}));
