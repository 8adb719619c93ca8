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
            const reference::Result expected = reference::solve(beaker, V);
            EXPECT_NEAR(point->pH, expected.pH, 0.005) << c.why << " at " << V << " mL by " << titrant;
            // The forms add up to the solutes' concentrations.
            for (int i = 0; i < mixture.soluteCount; ++i) {
                double total = 0;
                for (const double form : point->forms[i]) total += form;
                EXPECT_NEAR(total, c.parts[i].concentration * 20 / (20 + V), 1e-12) << c.why;
            }
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
                solution.pouredVolumeText = std::to_string(V);
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

struct CandidateCase {
    const char* why;
    Beaker beaker;
    std::vector<double> volumes;
    std::vector<bool> visible;
};

class Candidates : public ::testing::TestWithParam<CandidateCase> {};

TEST_P(Candidates, FollowTheCumulativeAmountsInTheOrderOfThePka) {
    const CandidateCase& c = GetParam();
    const auto candidates = MixtureModel(reference::mixtureOf(c.beaker)).equivalenceCandidates();
    ASSERT_EQ(candidates.size(), c.volumes.size()) << c.why;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        EXPECT_NEAR(candidates[i].volume, c.volumes[i], 1e-9) << c.why << " #" << i;
        EXPECT_EQ(candidates[i].visible, c.visible[i]) << c.why << " #" << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Titrations, Candidates,
    ::testing::Values(CandidateCase{"phosphoric acid: the third is beyond the burette",
                                    {{{"acide phosphorique", 0.01}}, 0.02},
                                    {10, 20, 30},
                                    {true, true, false}},
                      CandidateCase{"citric acid's close pKa merge the first two jumps",
                                    {{{"acide citrique", 0.01}}, 0.03},
                                    {20.0 / 3, 40.0 / 3, 20},
                                    {false, false, true}},
                      CandidateCase{"hydrochloric acid comes first but ethanoic acid hides its jump",
                                    {{{"acide éthanoïque", 0.01}, {"acide chlorhydrique", 0.01}}, 0.02},
                                    {10, 20},
                                    {false, true}},
                      CandidateCase{"sodium carbonate takes its two protons back",
                                    {{{"carbonate de sodium", 0.01}}, 0.02},
                                    {10, 20},
                                    {true, true}},
                      CandidateCase{"ethylenediamine's first jump is too small",
                                    {{{"éthylènediamine", 0.01}}, 0.02},
                                    {10, 20},
                                    {false, true}}));

struct MixtureTangentCase {
    const char* why;
    Beaker beaker;
    std::vector<TangentConstruction::Outcome> outcomes;
    std::vector<double> volumes;  // where the construction is drawn
};

class MixtureTangents : public ::testing::TestWithParam<MixtureTangentCase> {};

TEST_P(MixtureTangents, ConstructEachJumpTheyCanAndReadItsVolume) {
    const MixtureTangentCase& c = GetParam();
    const auto constructions = mixtureTangents(reference::mixtureOf(c.beaker));
    ASSERT_EQ(constructions.size(), c.outcomes.size()) << c.why;
    for (std::size_t i = 0; i < constructions.size(); ++i) {
        const TangentConstruction& t = constructions[i];
        EXPECT_EQ(t.outcome, c.outcomes[i]) << c.why << " #" << i;
        if (t.outcome != TangentConstruction::Outcome::Drawn) continue;
        EXPECT_NEAR(t.constructedVolume, c.volumes[i], 0.2) << c.why << " #" << i;
        EXPECT_EQ(t.rightAngleSide, findSpecies(c.beaker.parts[0].name)->isAcid ? -1 : 1) << c.why;
    }
}

using Outcome = TangentConstruction::Outcome;
INSTANTIATE_TEST_SUITE_P(Titrations, MixtureTangents,
                         ::testing::Values(MixtureTangentCase{"phosphoric acid by 0,02 soda: 10 and 20 mL",
                                                              {{{"acide phosphorique", 0.01}}, 0.02},
                                                              {Outcome::Drawn, Outcome::Drawn,
                                                               Outcome::Nothing},
                                                              {10, 20, 30}},
                                           MixtureTangentCase{"sodium carbonate by 0,02 hydrochloric acid",
                                                              {{{"carbonate de sodium", 0.01}}, 0.02},
                                                              {Outcome::Drawn, Outcome::Drawn},
                                                              {10, 20}},
                                           MixtureTangentCase{"ethylenediamine's first jump is refused",
                                                              {{{"éthylènediamine", 0.01}}, 0.02},
                                                              {Outcome::Refused, Outcome::Drawn},
                                                              {10, 20}}));

TEST(Tangent, TheMonoproticConstructionReadsItsVolumeWhereTheHalfwayParallelMeetsTheCurve) {
    SpeciesCatalogue catalogue;
    SolutionSpec solution;
    solution.speciesIndex = 4;  // "acide éthanoïque"
    EngineState state;
    computeCurrentPoint(solution, catalogue, state);
    const TangentConstruction t = tangentConstruction(state, true);
    ASSERT_EQ(t.outcome, TangentConstruction::Outcome::Drawn);
    EXPECT_NEAR(t.constructedVolume, 20.0, 0.05);
    EXPECT_NE(t.constructedVolume, t.equivalenceVolume);
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
    for (std::size_t i = 0; i < curve.size(); ++i) {
        if (i > 0) {
            EXPECT_GE(curve[i].volume, curve[i - 1].volume) << c.why;
        }
        const auto solved = solveMixture(mixture, curve[i].volume);
        ASSERT_TRUE(solved);
        EXPECT_NEAR(curve[i].pH, solved->pH, 0.005) << c.why << " at " << curve[i].volume << " mL";
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
}

INSTANTIATE_TEST_SUITE_P(Titrations, MixtureCurves,
                         ::testing::Values(BeakerCase{"phosphoric acid", {{"acide phosphorique", 0.01}}},
                                           BeakerCase{"sodium carbonate", {{"carbonate de sodium", 0.01}}},
                                           BeakerCase{
                                               "hydrochloric and ethanoic acids",
                                               {{"acide chlorhydrique", 0.01}, {"acide éthanoïque", 0.01}}}));

struct ShareCase {
    const char* why;
    const char* species;
    int form;
    double peakVolume;  // mL
    double peakShare;   // %, at least
};

class FormDistribution : public ::testing::TestWithParam<ShareCase> {};

TEST_P(FormDistribution, EachIntermediateFormPeaksAtItsEquivalence) {
    const ShareCase& c = GetParam();
    const auto shares = mixtureDistribution(reference::mixtureOf(Beaker{{{c.species, 0.01}}, 0.02}));
    ASSERT_FALSE(shares.empty());
    const FormShares* peak = &shares.front();
    for (const FormShares& vertex : shares) {
        double total = 0;
        for (int j = 0; j < vertex.formCount; ++j) total += vertex.percent[j];
        EXPECT_NEAR(total, 100, 1e-3) << c.why;
        if (vertex.percent[c.form] > peak->percent[c.form]) peak = &vertex;
    }
    EXPECT_NEAR(peak->volume, c.peakVolume, 0.5) << c.why;
    EXPECT_GT(peak->percent[c.form], c.peakShare) << c.why;
}

INSTANTIATE_TEST_SUITE_P(
    PolyacidsAndPolybases, FormDistribution,
    ::testing::Values(
        ShareCase{"dihydrogen phosphate at the first equivalence", "acide phosphorique", 1, 10, 99},
        ShareCase{"hydrogen phosphate at the second", "acide phosphorique", 2, 20, 99},
        ShareCase{"hydrogen carbonate between the two of sodium carbonate", "carbonate de sodium", 1, 10, 97},
        ShareCase{"ascorbate between its two far apart pKa", "acide ascorbique", 1, 10, 99}));

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
    EXPECT_FALSE(model.volumeFor(1e-7)) << c.why;
    EXPECT_TRUE(model.equivalenceCandidates().empty()) << c.why;
    EXPECT_TRUE(mixtureCurve(mixture).empty()) << c.why;
    EXPECT_TRUE(mixtureDistribution(mixture).empty()) << c.why;
    EXPECT_TRUE(mixtureTangents(mixture).empty()) << c.why;
    EXPECT_TRUE(mixtureDerivative(mixture).samples.empty()) << c.why;
    EXPECT_FALSE(mixtureConductivity(mixture, 10)) << c.why;
}

INSTANTIATE_TEST_SUITE_P(
    Values, Refusals,
    ::testing::Values(
        RefusalCase{"no liquid introduced", [](Mixture& m) { m.beakerVolume = 0; }},
        RefusalCase{"a negative concentration", [](Mixture& m) { m.solutes[0].concentration = -1; }},
        RefusalCase{"a pKa that is not a number", [](Mixture& m) { m.solutes[0].pKa[1] = std::nan(""); }},
        RefusalCase{"more forms lost than the solute has", [](Mixture& m) { m.solutes[0].protonsLost = 4; }},
        RefusalCase{"three solutes", [](Mixture& m) { m.soluteCount = 3; }},
        RefusalCase{"an infinite titrant",
                    [](Mixture& m) { m.titrantConcentration = std::numeric_limits<double>::infinity(); }}));

TEST(MixtureInverse, RunsOffToInfinityWhereOnlyPureTitrantWouldBringTheBeaker) {
    // Soda at 0,01 mol · L-1 cannot bring any beaker to [HO-] = 0,01 mol · L-1: h − Ke/h + Cb = 0.
    const Mixture mixture = reference::mixtureOf(Beaker{{{"acide éthanoïque", 0.01}}});
    const double h = (-0.01 + std::sqrt(0.01 * 0.01 + 4e-14)) / 2;
    const auto volume = MixtureModel(mixture).volumeFor(h);
    EXPECT_TRUE(!volume || std::abs(*volume) > 1e6);
    EXPECT_FALSE(MixtureModel(mixture).solve(-1));
}
