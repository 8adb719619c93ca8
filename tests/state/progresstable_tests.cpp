// The progress table's texts at 0 mL, before, at and after the equivalence, for one reaction and
// for stacked ones, against amounts worked out here; and a hidden concentration that no text of
// the table gives away.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "state/benchstate.h"
#include "state/progresstable.h"

using namespace state;

namespace {

constexpr int kEthanoic = 4;
constexpr int kHydrochloric = 2;
constexpr int kPhosphoric = 15;

// "2,00 × 10⁻¹" from printf's "2.00e-01"; the units alone without a power.
std::string written(double mmol) {
    if (mmol == 0) return "0";
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2e", mmol);
    std::string text(buffer);
    const std::size_t e = text.find('e');
    const int exponent = std::atoi(text.c_str() + e + 1);
    std::string mantissa = text.substr(0, e);
    mantissa[1] = ',';
    if (exponent == 0) return mantissa;
    static const char* const kSuperscripts[] = {"⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹"};
    std::string power = exponent < 0 ? "⁻" : "";
    power += kSuperscripts[std::abs(exponent)];
    return mantissa + " × 10" + power;
}

chemistry::SolutionSpec setUp(int species, const char* c, const char* cb = "0,01") {
    chemistry::SolutionSpec s;
    s.speciesIndex = species;
    s.beakerConcentration = c;
    s.titrantConcentration = cb;
    return s;
}

struct Moment {
    const char* why;
    double volume;  // mL; acetic acid at 0,01 mol/L, 20 mL, by soda at 0,01: V_E = 20 mL
    bool equivalence;
    const char* limiting;
};

const Moment kMoments[] = {
    {"NothingPoured", 0, false, "HO⁻"},
    {"BeforeTheEquivalence", 10, false, "HO⁻"},
    {"OneDropBefore", 19.95, true, nullptr},
    {"AtTheEquivalence", 20, true, nullptr},
    {"OneDropAfter", 20.05, true, nullptr},
    {"TwoDropsAfter", 20.1, false, "CH₃COOH"},
    {"AfterTheEquivalence", 25, false, "CH₃COOH"},
};

class OneReaction : public ::testing::TestWithParam<Moment> {};

TEST_P(OneReaction, RowsLimitingReagentAndEquivalenceAsAPupilWritesThem) {
    const Moment& m = GetParam();
    const ProgressTable table = progressTable(setUp(kEthanoic, "0,01"), m.volume, false);
    ASSERT_EQ(table.steps.size(), 1u);
    const ProgressStep& step = table.steps[0];
    const double n0 = 0.01 * 20;
    const double nB = 0.01 * m.volume;
    const double x = std::min(n0, nB);
    EXPECT_EQ(step.equation, "CH₃COOH + HO⁻ → CH₃COO⁻ + H₂O");
    EXPECT_EQ(step.species, (std::vector<std::string>{"CH₃COOH", "HO⁻", "CH₃COO⁻", "H₂O"}));
    EXPECT_EQ(step.rows[0].cells, (std::vector<std::string>{written(n0), written(nB), "0", "excès"}));
    EXPECT_EQ(step.rows[1].cells,
              (std::vector<std::string>{written(n0) + " − x", written(nB) + " − x", "x", "excès"}));
    EXPECT_EQ(step.rows[2].cells,
              (std::vector<std::string>{written(n0 - x), written(nB - x), written(x), "excès"}));
    EXPECT_EQ(step.advancement, "x = " + written(x) + " mmol");
    EXPECT_EQ(step.maximalAdvancement, "x_max = " + written(x) + " mmol");
    // The titrant limits until the equivalence; within one drop of it the relation shows.
    if (m.limiting) {
        EXPECT_EQ(step.limitingReagent, std::string("Réactif limitant : ") + m.limiting);
    } else {
        EXPECT_NE(step.limitingReagent.find("stœchiométrique"), std::string::npos) << step.limitingReagent;
    }
    if (m.equivalence) {
        EXPECT_EQ(step.equivalence, "Équivalence : n(CH₃COOH)/1 = n(HO⁻)/1, soit " + written(0.2) +
                                        " mmol = " + written(0.01 * m.volume) + " mmol");
    } else {
        EXPECT_EQ(step.equivalence, "");
    }
}

INSTANTIATE_TEST_SUITE_P(Pouring, OneReaction, ::testing::ValuesIn(kMoments),
                         [](const auto& info) { return std::string(info.param.why); });

// 0,0125 × 16 and 0,01 × 20 read in single precision differ in their eighth digit: no reagent is
// left over, not even 7 × 10⁻⁹ mmol.
TEST(OneReactionAtItsEquivalence, LeavesNothingOfEitherReagentWhateverTheRounding) {
    const ProgressStep step = progressTable(setUp(kEthanoic, "0,01", "0,0125"), 16, false).steps.at(0);
    EXPECT_EQ(step.rows[2].cells, (std::vector<std::string>{"0", "0", written(0.2), "excès"}));
    EXPECT_FALSE(step.equivalence.empty());
    // A drop and a half beyond, the soda left shows.
    const ProgressStep after = progressTable(setUp(kEthanoic, "0,01", "0,0125"), 16.1, false).steps.at(0);
    EXPECT_EQ(after.rows[2].cells[1], written(0.0125 * 0.1));
}

TEST(StackedReactions, TheSecondStartsFromWhatTheFirstMadeAndTheTitrantItLeft) {
    // 0,08 mmol of H₃PO₄; 0,12 mmol of HO⁻ after 12 mL: the first reaction is complete.
    const ProgressTable table = progressTable(setUp(kPhosphoric, "0,004"), 12, false);
    ASSERT_EQ(table.steps.size(), 2u);
    const ProgressStep& second = table.steps[1];
    EXPECT_EQ(second.equation, "H₂PO₄⁻ + HO⁻ → HPO₄²⁻ + H₂O");
    EXPECT_EQ(second.rows[0].cells, (std::vector<std::string>{written(0.08), written(0.04), "0", "excès"}));
    EXPECT_EQ(second.rows[2].cells, (std::vector<std::string>{written(0.04), "0", written(0.04), "excès"}));
    EXPECT_EQ(table.steps[0].limitingReagent, "Réactif limitant : H₃PO₄");
    EXPECT_EQ(second.limitingReagent, "Réactif limitant : HO⁻");
    // The second reactant was made, not put in: the pupil writes n, not n₀.
    EXPECT_EQ(second.rows[1].cells[0], written(0.08) + " − x");
    EXPECT_EQ(second.notes.size(), 0u);
    // At 5 mL the first still runs: the second waits with no titrant.
    const ProgressTable early = progressTable(setUp(kPhosphoric, "0,004"), 5, false);
    ASSERT_EQ(early.steps.size(), 2u);
    EXPECT_EQ(early.steps[1].rows[0].cells, (std::vector<std::string>{written(0.05), "0", "0", "excès"}));
    EXPECT_EQ(early.steps[1].advancement, "x = 0 mmol");
}

TEST(StackedReactions, AMixturesSecondSoluteIsNamedWithItsOwnConcentration) {
    chemistry::SolutionSpec s = setUp(kHydrochloric, "0,005");
    s.secondSpeciesIndex = kEthanoic;
    s.secondConcentration = "0,0025";
    const ProgressTable table = progressTable(s, 15, false);
    ASSERT_EQ(table.steps.size(), 2u);
    EXPECT_EQ(table.steps[0].equation, "H₃O⁺ + HO⁻ → 2 H₂O");
    // Water is the only product: no column of its own beside the solvent's.
    EXPECT_EQ(table.steps[0].species, (std::vector<std::string>{"H₃O⁺", "HO⁻", "H₂O"}));
    ASSERT_FALSE(table.steps[1].notes.empty());
    EXPECT_EQ(table.steps[1].notes[0].rfind("n₀(CH₃COOH) = c₂·V_A = " + written(0.0025) + " mol·L⁻¹", 0), 0u)
        << table.steps[1].notes[0];
    // 0,15 mmol poured: 0,10 for H₃O⁺, 0,05 for CH₃COOH, which is then used up.
    EXPECT_EQ(table.steps[1].rows[2].cells, (std::vector<std::string>{"0", "0", written(0.05), "excès"}));
    EXPECT_EQ(table.steps[1].equivalence.rfind("Équivalence : n(CH₃COOH)/1 = n(HO⁻)/1", 0), 0u);
}

// Every texts a pupil sees, joined.
std::string shown(const ProgressTable& table) {
    return progressTableText(table);
}

struct HiddenCase {
    const char* why;
    int species;
    int second;  // -1: none
};

const HiddenCase kHidden[] = {
    {"OneWeakAcid", kEthanoic, -1},
    {"OneStrongAcid", kHydrochloric, -1},
    {"APolyacid", kPhosphoric, -1},
    {"AMixture", kHydrochloric, kEthanoic},
};

class HiddenConcentration : public ::testing::TestWithParam<HiddenCase> {
  protected:
    chemistry::SolutionSpec withConcentration(const char* c) const {
        chemistry::SolutionSpec s = setUp(GetParam().species, c);
        if (GetParam().second >= 0) {
            s.secondSpeciesIndex = GetParam().second;
            s.secondConcentration = c;
        }
        return s;
    }
};

// A table that reads the same whatever the concentration cannot give it away, nor the equivalence.
TEST_P(HiddenConcentration, TheTableReadsTheSameForAnyConcentrationAtEveryRow) {
    for (int row = 0; row <= 50; ++row) {
        const double volume = row * 0.5;
        const ProgressTable low = progressTable(withConcentration("0,004"), volume, true);
        const ProgressTable high = progressTable(withConcentration("0,0055"), volume, true);
        EXPECT_EQ(shown(low), shown(high)) << volume << " mL";
        // Shown, the two differ as soon as the titrant has reacted: the check above has teeth.
        if (volume > 0) {
            EXPECT_NE(shown(progressTable(withConcentration("0,004"), volume, false)),
                      shown(progressTable(withConcentration("0,0055"), volume, false)))
                << volume << " mL";
        }
    }
}

TEST_P(HiddenConcentration, TheInitialAmountIsUnknownAndTheRelationStaysInLetters) {
    const ProgressTable table = progressTable(withConcentration("0,004"), 12, true);
    ASSERT_FALSE(table.steps.empty());
    const ProgressStep& first = table.steps[0];
    EXPECT_EQ(first.rows[0].cells[0], "inconnue");
    EXPECT_EQ(first.rows[1].cells[0], "n₀ − x");
    EXPECT_EQ(first.advancement, "x : c inconnue");
    EXPECT_EQ(first.equivalence.rfind("À l'équivalence : n(", 0), 0u) << first.equivalence;
    // The titrant poured is known: c_B and V are on the panel.
    EXPECT_EQ(first.rows[0].cells[1], written(0.12));
}

INSTANTIATE_TEST_SUITE_P(Set_ups, HiddenConcentration, ::testing::ValuesIn(kHidden),
                         [](const auto& info) { return std::string(info.param.why); });

TEST(ProgressTableOfTheBench, HidesWhatTheMaskHidesAndFollowsThePouredVolume) {
    BenchState bench;
    bench.solution = setUp(kEthanoic, "0,01");
    bench.solution.pouredVolume = "7,5";
    EXPECT_EQ(progressTable(bench).steps.at(0).rows[0].cells[1], written(0.075));
    EXPECT_EQ(progressTable(bench).steps.at(0).rows[0].cells[0], written(0.2));
    bench.switches.concentrationMasked = true;
    EXPECT_EQ(progressTable(bench).steps.at(0).rows[0].cells[0], "inconnue");
    // A concentration the die drew stays hidden though the box is clear.
    bench.switches.concentrationMasked = false;
    bench.situations.current = 3;
    bench.situations.drawnConcentrationHidden[3] = true;
    EXPECT_EQ(progressTable(bench).steps.at(0).rows[0].cells[0], "inconnue");
}

TEST(ProgressTableText, HasOneTabSeparatedLineWithAllCellsPerRow) {
    const ProgressTable table = progressTable(setUp(kEthanoic, "0,01"), 10, false);
    const std::string text = progressTableText(table);
    const std::string initial = "État initial\t0\t" + written(0.2) + "\t" + written(0.1) + "\t0\texcès\n";
    EXPECT_NE(text.find("État\tAvancement (mmol)\tCH₃COOH\tHO⁻\tCH₃COO⁻\tH₂O\n"), std::string::npos) << text;
    EXPECT_NE(text.find(initial), std::string::npos) << text;
    EXPECT_NE(text.find("\nRéactif limitant : HO⁻\n"), std::string::npos) << text;
}

TEST(ProgressTableRefuses, ASetUpThatIsNotANumberOrAVolumeThatIsNot) {
    EXPECT_TRUE(progressTable(setUp(kEthanoic, "abc"), 10, false).steps.empty());
    EXPECT_FALSE(progressTable(setUp(kEthanoic, "abc"), 10, false).message.empty());
    EXPECT_TRUE(progressTable(setUp(kEthanoic, "0,01"), std::nan(""), false).steps.empty());
    EXPECT_TRUE(progressTable(setUp(kEthanoic, "0,01"), -1, false).steps.empty());
}

struct AmountCase {
    double mmol;
    const char* text;
};

TEST(AmountText, ThreeSignificantDigitsWithACommaAndAPowerOfTen) {
    const AmountCase cases[] = {
        {0.2, "2,00 × 10⁻¹"},       {1.25, "1,25"},        {12.5, "1,25 × 10¹"}, {0, "0"},
        {4.9996e-4, "5,00 × 10⁻⁴"}, {9.996, "1,00 × 10¹"}, {std::nan(""), ""},
    };
    for (const AmountCase& c : cases) EXPECT_EQ(amountText(c.mmol), c.text) << c.mmol;
}

}  // namespace
