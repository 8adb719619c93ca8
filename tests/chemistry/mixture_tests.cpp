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
    EXPECT_FALSE(mixtureInitialP(model)) << c.why;
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
