// Oxidation-reduction titrations against the equilibrium solved apart in redoxreference.h, the
// stoichiometry of the balanced equations and the colours a pupil sees turn.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "chemistry/chemistry.h"
#include "tests/chemistry/printcase.h"
#include "tests/chemistry/redoxreference.h"

using namespace chemistry;

namespace {

namespace ref = redox_reference;
using ::PrintTo;  // for the cases of this namespace

// The couples as the curriculum's tables give them.
constexpr ref::Couple kIron{0.77, 1, 0, 1, 1};
constexpr ref::Couple kCerium{1.44, 1, 0, 1, 1};
constexpr ref::Couple kPermanganate{1.51, 5, 8, 1, 1};
constexpr ref::Couple kDichromate{1.33, 6, 14, 1, 2};
constexpr ref::Couple kIodine{0.54, 2, 0, 1, 2};
constexpr ref::Couple kThiosulfate{0.08, 2, 0, 1, 2};
constexpr ref::Couple kPeroxide{1.78, 2, 2, 1, 0};
constexpr ref::Couple kOxygen{0.69, 2, 2, 1, 1};
constexpr ref::Couple kOxalic{-0.49, 2, 2, 2, 1};
constexpr ref::Couple kTin{0.15, 2, 0, 1, 1};

struct Pair {
    const char* why;
    int beaker, titrant;  // list indexes
    ref::Couple beakerCouple, titrantCouple;
    double c0, titrantConcentration, acid;
    double titrantPerBeaker;  // mol of titrant per mol of the beaker's species, from the equation
};

// Equivalences between 8 and 17 mL from 20 mL in the beaker.
const std::vector<Pair> kPairs = {
    {"Fe2+ by Ce4+", 0, 9, kIron, kCerium, 0.1, 0.1, 1, 1},
    {"Fe2+ by MnO4-", 0, 7, kIron, kPermanganate, 0.1, 0.02, 1, 1.0 / 5},
    {"Fe2+ by Cr2O7 2-", 0, 8, kIron, kDichromate, 0.1, 0.02, 1, 1.0 / 6},
    {"Fe2+ by H2O2", 0, 11, kIron, kPeroxide, 0.1, 0.1, 1, 1.0 / 2},
    {"I2 by S2O3 2-", 2, 6, kIodine, kThiosulfate, 0.005, 0.01, 0, 2},
    {"H2O2 by MnO4-", 1, 7, kOxygen, kPermanganate, 0.02, 0.02, 1, 2.0 / 5},
    {"H2C2O4 by MnO4-", 3, 7, kOxalic, kPermanganate, 0.02, 0.02, 1, 2.0 / 5},
    {"Sn2+ by Fe3+", 4, 10, kTin, kIron, 0.02, 0.05, 0.5, 2},
    {"I- by Ce4+", 5, 9, kIodine, kCerium, 0.05, 0.1, 1, 1},
};

// "0,02" from 0.02.
numbers::TypedNumber commaText(double value) {
    std::string text = std::to_string(value);
    text[text.find('.')] = ',';
    return text;
}

RedoxSetUp setUpOf(const Pair& p, double acid) {
    return {p.beaker, p.titrant, p.c0, 20, 0, p.titrantConcentration, acid, 0};
}

double stoichiometricVolume(const Pair& p) {
    return p.c0 * 20 * p.titrantPerBeaker / p.titrantConcentration;
}

ref::Titration referenceOf(const Pair& p, double acid) {
    const auto& species = redoxSpecies();
    return {{p.beakerCouple, species[p.beaker].oxidant, p.c0},
            {p.titrantCouple, species[p.titrant].oxidant, p.titrantConcentration},
            20,
            acid};
}

class RedoxPairs : public testing::TestWithParam<Pair> {};

TEST_P(RedoxPairs, PotentialAcidityAndFormsMatchTheEquilibriumSolvedApart) {
    const Pair& p = GetParam();
    const double ve = stoichiometricVolume(p);
    for (double share : {0.25, 0.5, 0.98, 1.02, 1.4}) {
        const double volume = share * ve;
        const auto point = solveRedox(setUpOf(p, p.acid), volume);
        ASSERT_TRUE(point) << volume;
        const ref::State expected = ref::solve(referenceOf(p, p.acid), volume);
        EXPECT_NEAR(point->potential, expected.potential, 1e-3) << volume;
        EXPECT_NEAR(std::log10(point->hydronium), std::log10(expected.hydronium), 5e-3) << volume;
        const double found[4] = {expected.ox[0], expected.red[0], expected.ox[1], expected.red[1]};
        for (int i = 0; i < 4; ++i) {
            if (found[i] > 1e-6) {
                EXPECT_NEAR(point->concentrations[i] / found[i], 1, 0.05) << volume << " " << i;
            }
        }
    }
}

TEST_P(RedoxPairs, TheSteepestPointOfThePotentialIsTheStoichiometricEquivalence) {
    const Pair& p = GetParam();
    const double ve = stoichiometricVolume(p);
    const RedoxSetUp setUp = setUpOf(p, p.acid);
    EXPECT_NEAR(redoxEquivalenceVolume(setUp), ve, 0.01);
    double steepest = 0;
    double where = 0;
    double before = solveRedox(setUp, ve - 0.3)->potential;
    for (int step = 1; step <= 600; ++step) {
        const double volume = ve - 0.3 + step * 0.001;
        const double e = solveRedox(setUp, volume)->potential;
        if (std::abs(e - before) > steepest) {
            steepest = std::abs(e - before);
            where = volume - 0.0005;
        }
        before = e;
    }
    EXPECT_NEAR(where, ve, 0.01);
}

TEST_P(RedoxPairs, TooLittleAcidForTheProtonsTakenGivesNoPointAndSaysHowMuchIsNeeded) {
    const Pair& p = GetParam();
    // H⁺ per mol of the beaker's species, from the two half-reactions.
    const auto& species = redoxSpecies();
    const ref::Couple& ox = species[p.beaker].oxidant ? p.beakerCouple : p.titrantCouple;
    const ref::Couple& red = species[p.beaker].oxidant ? p.titrantCouple : p.beakerCouple;
    const ref::Couple& own = p.beakerCouple;
    const double electronsPerBeaker = own.n / static_cast<double>(species[p.beaker].oxidant ? own.a : own.b);
    const double taken = electronsPerBeaker * (ox.m / double(ox.n) - red.m / double(red.n)) * p.c0 * 20;
    const RedoxSetUp none = setUpOf(p, 0);
    if (taken <= 0) {
        EXPECT_EQ(redoxProblem(none), "");
        EXPECT_TRUE(solveRedox(none, stoichiometricVolume(p)));
        return;
    }
    EXPECT_FALSE(solveRedox(none, 0));
    EXPECT_FALSE(solveRedox(none, stoichiometricVolume(p)));
    const std::string problem = redoxProblem(none);
    ASSERT_NE(problem.find("pas assez acide"), std::string::npos) << problem;
    // What the sentence asks for: more than the acid whose H⁺ the reaction takes all.
    const std::size_t at = problem.find("plus de ") + 8;
    std::string number = problem.substr(at, problem.find(' ', at) - at);
    if (number.find(',') != std::string::npos) number[number.find(',')] = '.';
    const double needed = std::stod(number);
    EXPECT_NEAR(needed, taken / (2 * 20), 0.002);
    EXPECT_NE(redoxProblem(setUpOf(p, 0.99 * taken / (2 * 20))), "");
    EXPECT_EQ(redoxProblem(setUpOf(p, needed * 1.05)), "");
}

TEST_P(RedoxPairs, TheModelReadsThePotentialAndThePhOfTheEquilibrium) {
    const Pair& p = GetParam();
    SolutionSpec solution;
    solution.kind = TitrationKind::Redox;
    solution.redox = {p.beaker, p.titrant, commaText(p.acid), 0, 0};
    solution.beakerConcentration = commaText(p.c0);
    solution.titrantConcentration = commaText(p.titrantConcentration);
    const auto model = makeTitrationModel(solution, SpeciesCatalogue());
    const double half = stoichiometricVolume(p) / 2;
    const ref::State expected = ref::solve(referenceOf(p, p.acid), half);
    const auto potential = model->reading(kPotentialMeter, half);
    const auto pH = model->reading(kPhMeter, half);
    ASSERT_TRUE(potential && pH);
    EXPECT_NEAR(*potential, expected.potential, 1e-3);
    EXPECT_NEAR(*pH, -std::log10(expected.hydronium), 5e-3);
    EngineState state;
    state.pouredVolume = static_cast<float>(half);
    model->solve(state);
    const TitrationPoint point = model->point(state);
    EXPECT_NEAR(point.potential, expected.potential, 1e-3);
    ASSERT_EQ(point.formCount, 4);
    EXPECT_NEAR(point.forms[2] / expected.ox[1], 1, 0.05);
    ASSERT_EQ(model->equivalenceVolumes().size(), 1u);
    EXPECT_NEAR(model->withSolute({p.c0 / 2})->equivalenceVolumes()[0], stoichiometricVolume(p) / 2, 0.01);
}

INSTANTIATE_TEST_SUITE_P(Redox, RedoxPairs, testing::ValuesIn(kPairs));

// Every pair that reacts, from a dilute to a concentrated beaker: a point at each 0,1 mL whose
// forms keep each couple's element and exchange as many electrons one way as the other.
TEST(RedoxEveryPair, SolvesEveryVolumeKeepingTheElementsAndTheElectrons) {
    const auto species = redoxSpecies();
    const auto couples = redoxCouples();
    for (int b = 0; b < static_cast<int>(species.size()); ++b) {
        for (int t : titrantsFor(b)) {
            for (const double c : {1e-4, 0.01, 0.1}) {
                const RedoxSetUp setUp{b, t, c, 20, 10, 0.05, 2, 0};
                const RedoxCouple& own = couples[species[b].couple];
                const RedoxCouple& other = couples[species[t].couple];
                const auto produced = [](const RedoxCouple& k, bool oxidant, double ox, double red,
                                         double total) {
                    if (!oxidant) return ox / k.oxidantCoefficient;
                    return k.reductantCoefficient ? red / k.reductantCoefficient
                                                  : total - ox / k.oxidantCoefficient;
                };
                for (int tenth = 1; tenth <= 250; ++tenth) {
                    const double v = tenth / 10.0;
                    const auto p = solveRedox(setUp, v);
                    ASSERT_TRUE(p) << b << " " << t << " " << c << " " << v;
                    ASSERT_GT(p->potential, -1);
                    ASSERT_LT(p->potential, 2.2);
                    const auto& f = p->concentrations;
                    const double units =
                        c * 20 / (30 + v) /
                        (species[b].oxidant ? own.oxidantCoefficient : own.reductantCoefficient);
                    // The solvent as reduced form is not counted.
                    if (own.reductantCoefficient > 0) {
                        EXPECT_NEAR(f[0] / own.oxidantCoefficient + f[1] / own.reductantCoefficient, units,
                                    1e-9 * units);
                    }
                    const double poured =
                        0.05 * v / (30 + v) /
                        (species[t].oxidant ? other.oxidantCoefficient : other.reductantCoefficient);
                    const double given = own.electrons * produced(own, species[b].oxidant, f[0], f[1], units);
                    const double taken =
                        other.electrons * produced(other, species[t].oxidant, f[2], f[3], poured);
                    ASSERT_NEAR(given, taken, 1e-8 * units) << b << " " << t << " " << c << " " << v;
                }
            }
        }
    }
}

struct PotentialCase {
    const char* why;
    Pair pair;
    double share;     // of the equivalence volume
    double expected;  // V
};

class RedoxClassics : public testing::TestWithParam<PotentialCase> {};

TEST_P(RedoxClassics, PotentialIsTheTextbookValue) {
    const PotentialCase& c = GetParam();
    const double volume = c.share * stoichiometricVolume(c.pair);
    // The acid is chosen for [H₃O⁺] ≈ 1 at the equivalence, where the textbook formula holds.
    const ref::State apart = ref::solve(referenceOf(c.pair, c.pair.acid), volume);
    if (c.pair.titrantCouple.m > 0) {
        ASSERT_NEAR(std::log10(apart.hydronium), 0, 0.02);
    }
    EXPECT_NEAR(solveRedox(setUpOf(c.pair, c.pair.acid), volume)->potential, c.expected, 0.005);
}

INSTANTIATE_TEST_SUITE_P(
    Redox, RedoxClassics,
    testing::Values(
        PotentialCase{"Fe2+ by Ce4+, half", {"", 0, 9, kIron, kCerium, 0.1, 0.1, 1, 1}, 0.5, 0.77},
        PotentialCase{
            "Fe2+ by Ce4+, equivalence", {"", 0, 9, kIron, kCerium, 0.1, 0.1, 1, 1}, 1, (0.77 + 1.44) / 2},
        PotentialCase{"Fe2+ by MnO4-, equivalence",
                      {"", 0, 7, kIron, kPermanganate, 0.1, 0.02, 2.14, 1.0 / 5},
                      1,
                      (0.77 + 5 * 1.51) / 6}));

}  // namespace
