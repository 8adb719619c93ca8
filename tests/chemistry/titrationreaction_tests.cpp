// The titration reactions of a set-up against amounts worked out in the tests: the equations in the
// order the titrant reaches the pairs, the equivalence volumes n / c_B, and the amounts of the total
// reactions against the equilibrium of charge balances written apart from the engine.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "chemistry/chemistry.h"
#include "chemistry/titrationreaction.h"
#include "tests/chargebalance.h"
#include "tests/chemistry/mixturereference.h"

using namespace chemistry;

namespace {

constexpr double kBeakerVolume = 20;  // mL, the panel's default
constexpr double kAgreement = 0.001;  // mmol
// The rows of the table of values at the default measuring step.
constexpr double kMeasuringStep = 0.5;  // mL
constexpr int kRowCount = 51;           // 0 to 25 mL

double rowVolume(int row) {
    return row * kMeasuringStep;
}

struct Part {
    const char* name;
    int index;  // in the list of its nature
    double concentration;
    int titratedPairs;  // pairs with a total reaction
};

struct ReactionCase {
    const char* why;
    bool acid;
    std::vector<Part> parts;
    double titrant;
    std::vector<std::string> equations;
};

std::string decimalComma(double value) {
    std::string text = std::to_string(value);
    text[text.find('.')] = ',';
    return text;
}

SolutionSpec panelOf(const ReactionCase& c) {
    SolutionSpec s;
    s.beakerIsAcid = c.acid;
    s.speciesIndex = c.parts[0].index;
    s.beakerConcentration = decimalComma(c.parts[0].concentration);
    s.titrantConcentration = decimalComma(c.titrant);
    if (c.parts.size() > 1) {
        s.secondSpeciesIndex = c.parts[1].index;
        s.secondConcentration = decimalComma(c.parts[1].concentration);
    }
    return s;
}

const ReactionCase kCases[] = {
    {"WeakAcidGivesItsBase",
     true,
     {{"acide éthanoïque", 4, 0.01, 1}},
     0.01,
     {"CH₃COOH + HO⁻ → CH₃COO⁻ + H₂O"}},
    {"StrongAcidGivesOnlyWater", true, {{"acide chlorhydrique", 2, 0.01, 1}}, 0.01, {"H₃O⁺ + HO⁻ → 2 H₂O"}},
    {"WeakBaseTakesAProton", false, {{"ammoniac", 1, 0.008, 1}}, 0.01, {"NH₃ + H₃O⁺ → NH₄⁺ + H₂O"}},
    {"StrongBaseGivesOnlyWater", false, {{"hydroxyde de sodium", 8, 0.01, 1}}, 0.02, {"HO⁻ + H₃O⁺ → 2 H₂O"}},
    {"PhosphoricAcidsThirdPairIsTooWeak",
     true,
     {{"acide phosphorique", 15, 0.004, 2}},
     0.01,
     {"H₃PO₄ + HO⁻ → H₂PO₄⁻ + H₂O", "H₂PO₄⁻ + HO⁻ → HPO₄²⁻ + H₂O"}},
    {"SodiumCarbonateTakesTwoProtons",
     false,
     {{"carbonate de sodium", 15, 0.005, 2}},
     0.01,
     {"CO₃²⁻ + H₃O⁺ → HCO₃⁻ + H₂O", "HCO₃⁻ + H₃O⁺ → CO₂,H₂O + H₂O"}},
    {"StrongAcidOfAMixtureReactsFirst",
     true,
     {{"acide éthanoïque", 4, 0.005, 1}, {"acide chlorhydrique", 2, 0.004, 1}},
     0.01,
     {"H₃O⁺ + HO⁻ → 2 H₂O", "CH₃COOH + HO⁻ → CH₃COO⁻ + H₂O"}},
};

void PrintTo(const ReactionCase& c, std::ostream* os) {
    *os << c.why;
}

// The amount each reaction consumes, in the order the titrant reaches them: every titrated pair
// of a solute holds one proton per formula unit; the strong acid before the weak one.
std::vector<double> stepAmounts(const ReactionCase& c) {
    std::vector<double> amounts;
    std::vector<Part> parts = c.parts;
    std::stable_sort(parts.begin(), parts.end(), [](const Part& a, const Part& b) {
        return std::string(a.name) == "acide chlorhydrique" && std::string(b.name) != a.name;
    });
    for (const Part& p : parts)
        for (int k = 0; k < p.titratedPairs; ++k) amounts.push_back(p.concentration * kBeakerVolume);
    return amounts;
}

class Reactions : public ::testing::TestWithParam<ReactionCase> {};

// The equations in the order the titrant reaches the pairs, each consuming its amount, complete at
// n / c_B so far, and taking the titrant only once the earlier ones are complete.
TEST_P(Reactions, StepsComeInOrderWithTheirAmountsEquivalencesAndAdvancements) {
    const ReactionCase& c = GetParam();
    const auto reactions = titrationReactions(panelOf(c), SpeciesCatalogue());
    ASSERT_TRUE(reactions);
    std::vector<std::string> equations;
    for (const ReactionStep& step : reactions->steps) equations.push_back(step.equation);
    EXPECT_EQ(equations, c.equations);
    const std::vector<double> amounts = stepAmounts(c);
    ASSERT_EQ(reactions->steps.size(), amounts.size());
    double taken = 0;
    for (std::size_t k = 0; k < amounts.size(); ++k) {
        taken += amounts[k];
        // The engine reads the panel in single precision.
        EXPECT_NEAR(reactions->equivalenceVolume(static_cast<int>(k)), taken / c.titrant, 1e-4) << k;
        EXPECT_NEAR(reactions->steps[k].amount, amounts[k], 1e-7) << k;
    }
    for (int row = 0; row < kRowCount; ++row) {
        double left = c.titrant * rowVolume(row);
        for (std::size_t k = 0; k < amounts.size(); ++k) {
            const double x = std::min(left, amounts[k]);
            left -= x;
            EXPECT_NEAR(reactions->advancement(static_cast<int>(k), rowVolume(row)), x, 1e-6)
                << "step " << k << " at " << rowVolume(row) << " mL";
        }
    }
}

TEST_P(Reactions, TheLimitingReagentSwitchesFromTheTitrantToTheBeakersAtEachEquivalence) {
    const ReactionCase& c = GetParam();
    const auto reactions = titrationReactions(panelOf(c), SpeciesCatalogue());
    ASSERT_TRUE(reactions);
    for (std::size_t k = 0; k < reactions->steps.size(); ++k) {
        const ReactionStep& step = reactions->steps[k];
        const double equivalence = reactions->equivalenceVolume(static_cast<int>(k));
        const auto before = reactions->totalReactionAmounts(equivalence - kMeasuringStep);
        const auto after = reactions->totalReactionAmounts(equivalence + kMeasuringStep);
        const auto r = static_cast<std::size_t>(step.reactant);
        const auto t = static_cast<std::size_t>(step.titrant);
        EXPECT_NEAR(before[t], 0, 1e-9) << k;
        EXPECT_GT(before[r], 0.5 * c.titrant * kMeasuringStep) << k;
        // After the last equivalence the titrant is left over; before a later one it is taken.
        if (k + 1 == reactions->steps.size()) {
            EXPECT_NEAR(after[t], c.titrant * kMeasuringStep, 1e-6) << k;
        }
        // The reactant of this step is used up, unless the step after makes it again (none does).
        EXPECT_NEAR(after[r], 0, 1e-9) << k;
    }
}

INSTANTIATE_TEST_SUITE_P(SetUps, Reactions, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.why); });

// The amounts of the monoprotic titration by the independent charge balance: the reactant, the
// titrant's ion and the product, in the order titrationReactions lists them.
struct Equilibrium {
    std::vector<double> amounts;  // mmol
    double ownIon = 0;            // mmol of H₃O⁺ an acid gives water (HO⁻ for a base)
};

Equilibrium independentAmounts(const testing_support::Titration& t, bool strong, double poured) {
    const double pH = testing_support::titrationPh(t, poured);
    const double total = t.beakerVolume + t.waterVolume + poured;
    const double h = std::pow(10.0, -pH) * total;
    const double w = std::pow(10.0, pH - 14) * total;
    const double n = t.concentration * t.beakerVolume;
    // The share of the beaker's form that has reacted: the protons lost (acid) or taken (base).
    const double lost = testing_support::protonsLost(t.pKa, -pH);
    const double reacted = t.beakerIsAcid ? lost : 1 - lost;
    Equilibrium e;
    e.ownIon = t.beakerIsAcid ? h : w;
    if (strong) {
        e.amounts = t.beakerIsAcid ? std::vector<double>{h, w} : std::vector<double>{w, h};
    } else {
        e.amounts = {n * (1 - reacted), t.beakerIsAcid ? w : h, n * reacted};
    }
    return e;
}

struct MonoproticCase {
    const char* why;
    bool acid;
    int index;
    double pKa;  // the reference's: far beyond water's range for a fully dissociated solute
    bool strong;
};

const MonoproticCase kMonoprotic[] = {
    {"StrongAcidBySoda", true, 2, -20, true},
    {"StrongBaseByHydrochloricAcid", false, 8, 34, true},
    {"WeakAcidBySoda", true, 4, 4.75, false},
    {"WeakBaseByHydrochloricAcid", false, 1, 9.2, false},
};

void PrintTo(const MonoproticCase& c, std::ostream* os) {
    *os << c.why;
}

class TotalReactions : public ::testing::TestWithParam<MonoproticCase> {
  protected:
    TotalReactions() {
        const MonoproticCase& c = GetParam();
        reference.beakerIsAcid = c.acid;
        reference.pKa = {c.pKa};
        reference.concentration = 0.01;
        reference.titrantConcentration = 0.0125;
        panel.beakerIsAcid = c.acid;
        panel.speciesIndex = c.index;
        panel.beakerConcentration = "0,01";
        panel.titrantConcentration = "0,0125";
    }
    testing_support::Titration reference;
    SolutionSpec panel;
};

// A strong acid or base is fully dissociated: the total reaction is all that happens, at every
// row. A weak one also gives water its own ion (an acid its H₃O⁺, a base its HO⁻): before much
// titrant is poured that share is not negligible, and the total reactions miss exactly it.
TEST_P(TotalReactions, AgreeWithTheEquilibriumOfAChargeBalanceAtEveryRowBarTheSolutesOwnDissociation) {
    const MonoproticCase& c = GetParam();
    const auto reactions = titrationReactions(panel, SpeciesCatalogue());
    ASSERT_TRUE(reactions);
    for (int row = 0; row < kRowCount; ++row) {
        const double volume = rowVolume(row);
        const Equilibrium expected = independentAmounts(reference, c.strong, volume);
        const auto amounts = reactions->totalReactionAmounts(volume);
        ASSERT_EQ(amounts.size(), expected.amounts.size());
        const double ownDissociation = c.strong ? 0.0 : expected.ownIon;
        for (std::size_t i = 0; i < amounts.size(); ++i)
            EXPECT_NEAR(amounts[i], expected.amounts[i], kAgreement + ownDissociation)
                << reactions->species[i].name << " at " << volume << " mL";
        // Before the pour, that share is the weak solute's product, beyond the agreement.
        if (row == 0 && !c.strong) {
            EXPECT_GT(expected.amounts.back() - amounts.back(), kAgreement);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Monoprotic, TotalReactions, ::testing::ValuesIn(kMonoprotic),
                         [](const auto& info) { return std::string(info.param.why); });

}  // namespace
