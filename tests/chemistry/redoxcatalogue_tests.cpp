// Which oxidation-reduction pairs react, their equations balanced atom by atom and charge by
// charge, the set-up a panel's texts give, and the colours that mark the equivalence.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <iterator>
#include <map>
#include <numeric>
#include <sstream>
#include <string>
#include <vector>

#include "chemistry/chemistry.h"
#include "tests/chemistry/printcase.h"

using namespace chemistry;

namespace {

using ::PrintTo;  // for the cases of this namespace

// "2 Cr₂O₇²⁻ → …" as "2 Cr2O7^2- > …".
std::string ascii(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            out += text[i];
            continue;
        }
        const auto next = static_cast<unsigned char>(text[++i]);
        if (c == 0xC2) {  // ¹ ² ³
            out += next == 0xB9 ? "^1" : next == 0xB2 ? "^2" : "^3";
            continue;
        }
        const auto last = static_cast<unsigned char>(text[++i]);
        if (next == 0x86) out += '>';                                               // →
        if (next == 0x82) out += static_cast<char>('0' + last - 0x80);              // ₀ … ₉
        if (next == 0x81 && last < 0xBA) out += "^" + std::to_string(last - 0xB0);  // ⁴ … ⁹
        if (next == 0x81 && last >= 0xBA) out += last == 0xBA ? '+' : '-';          // ⁺ ⁻
    }
    return out;
}

// Reactants' atoms and charge (key "charge") minus the products'; the coefficients; the
// reactants' formulas.
struct Reaction {
    std::map<std::string, int> balance;
    std::vector<int> coefficients;
    std::vector<std::string> left;
};

// One formula, `count` times, into the balance with the sign of its side.
void addFormula(const std::string& formula, int count, Reaction& r) {
    int charge = 0;
    for (std::size_t i = 0; i < formula.size(); ++i) {
        if (std::isupper(formula[i])) {
            std::string element(1, formula[i]);
            if (std::islower(formula[i + 1])) element += formula[++i];
            int atoms = 0;
            while (std::isdigit(formula[i + 1])) atoms = atoms * 10 + formula[++i] - '0';
            r.balance[element] += count * std::max(atoms, 1);
        } else if (formula[i] == '^') {
            charge = formula[++i] - '0';
        } else {
            r.balance["charge"] += count * std::max(charge, 1) * (formula[i] == '+' ? 1 : -1);
        }
    }
}

Reaction parsed(const std::string& equation) {
    Reaction r;
    const std::string text = ascii(equation);
    const std::size_t arrow = text.find(" > ");
    if (arrow == std::string::npos) return r;
    for (const auto& [side, sign] :
         {std::pair{text.substr(0, arrow), 1}, std::pair{text.substr(arrow + 3), -1}}) {
        std::size_t start = 0;
        while (start < side.size()) {
            const std::size_t end = std::min(side.find(" + ", start), side.size());
            std::istringstream term(side.substr(start, end - start));
            int count = 1;
            if (std::isdigit(term.peek())) term >> count >> std::ws;
            const std::string formula(std::istreambuf_iterator<char>(term), {});
            r.coefficients.push_back(count);
            if (sign > 0) r.left.push_back(formula);
            addFormula(formula, sign * count, r);
            start = end + 3;
        }
    }
    return r;
}

std::string formulaOf(int species) {
    const RedoxSpecies& s = redoxSpecies()[static_cast<std::size_t>(species)];
    const RedoxCouple& c = redoxCouples()[static_cast<std::size_t>(s.couple)];
    return ascii(std::string(s.oxidant ? c.oxidant : c.reductant));
}

TEST(RedoxEquations, EveryReactingPairBalancesAtomsAndChargeWithTheSmallestWholeCoefficients) {
    const int count = static_cast<int>(redoxSpecies().size());
    int reacting = 0;
    for (int beaker = 0; beaker < count; ++beaker) {
        for (int titrant = 0; titrant < count; ++titrant) {
            const std::string equation = redoxEquation(beaker, titrant);
            ASSERT_EQ(equation.empty(), !titrationHappens(beaker, titrant)) << beaker << " " << titrant;
            if (equation.empty()) continue;
            ++reacting;
            const Reaction r = parsed(equation);
            for (const auto& [what, amount] : r.balance) EXPECT_EQ(amount, 0) << equation << ": " << what;
            EXPECT_EQ(std::accumulate(r.coefficients.begin(), r.coefficients.end(), 0,
                                      [](int g, int c) { return std::gcd(g, c); }),
                      1)
                << equation;
            EXPECT_EQ(std::count(r.left.begin(), r.left.end(), formulaOf(beaker)), 1) << equation;
            EXPECT_EQ(std::count(r.left.begin(), r.left.end(), formulaOf(titrant)), 1) << equation;
        }
    }
    EXPECT_GT(reacting, 20);
}

struct PairCase {
    const char* why;
    int beaker, titrant;
    bool happens;
    const char* equation;  // the curriculum's, when it writes one
};

class RedoxPairCases : public testing::TestWithParam<PairCase> {};

TEST_P(RedoxPairCases, ReactsAsTheCouplesPotentialsSay) {
    const PairCase& c = GetParam();
    EXPECT_EQ(titrationHappens(c.beaker, c.titrant), c.happens);
    if (*c.equation) {
        EXPECT_EQ(redoxEquation(c.beaker, c.titrant), c.equation);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Redox, RedoxPairCases,
    testing::Values(PairCase{"permanganate oxidises iron(II)", 0, 7, true,
                             "MnO₄⁻ + 5 Fe²⁺ + 8 H⁺ → Mn²⁺ + 5 Fe³⁺ + 4 H₂O"},
                    PairCase{"thiosulfate reduces diiode", 2, 6, true, "I₂ + 2 S₂O₃²⁻ → 2 I⁻ + S₄O₆²⁻"},
                    PairCase{"permanganate oxidises hydrogen peroxide", 1, 7, true,
                             "2 MnO₄⁻ + 5 H₂O₂ + 6 H⁺ → 2 Mn²⁺ + 5 O₂ + 8 H₂O"},
                    PairCase{"iron(II) in the burette reduces permanganate", 7, 0, true, ""},
                    PairCase{"iron(III) oxidises iodide", 5, 10, true, ""},
                    PairCase{"one couple's two forms", 0, 10, false, ""},
                    PairCase{"two reductants", 0, 4, false, ""}, PairCase{"two oxidants", 7, 9, false, ""},
                    PairCase{"iron(III) barely above O2/H2O2: K below 10^4", 1, 10, false, ""},
                    PairCase{"diiode below iron(III)/iron(II)", 2, 0, false, ""},
                    PairCase{"hydrogen peroxide against itself", 1, 11, false, ""},
                    PairCase{"not in the lists", 0, 12, false, ""}));

TEST(RedoxTitrants, AreTheOxidantsAboveAReductantAndTheReductantsBelowAnOxidant) {
    EXPECT_EQ(titrantsFor(0), (std::vector<int>{7, 8, 9, 11}));  // Fe²⁺
    EXPECT_EQ(titrantsFor(2), (std::vector<int>{3, 4, 6}));      // I₂
    EXPECT_EQ(titrantsFor(10), (std::vector<int>{3, 4, 5, 6}));  // Fe³⁺
}

struct SetUpCase {
    const char* why;
    TitrationKind kind;
    int beaker, titrant;
    const char* concentration;
    const char* acid;
    double read;  // the concentration read; 0: nothing
};

class RedoxSetUpCases : public testing::TestWithParam<SetUpCase> {};

TEST_P(RedoxSetUpCases, ReadsOnlyANumberedRedoxSetUpThatReacts) {
    const SetUpCase& c = GetParam();
    SolutionSpec s;
    s.kind = c.kind;
    s.redox.beakerSpecies = c.beaker;
    s.redox.titrantSpecies = c.titrant;
    s.beakerConcentration = c.concentration;
    s.redox.sulfuricAcid = c.acid;
    const auto setUp = redoxSetUp(s);
    ASSERT_EQ(setUp.has_value(), c.read > 0);
    if (setUp) {
        EXPECT_FLOAT_EQ(static_cast<float>(setUp->beakerConcentration), static_cast<float>(c.read));
        EXPECT_EQ(formNames(s, SpeciesCatalogue()).size(), 4u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Redox, RedoxSetUpCases,
    testing::Values(SetUpCase{"read", TitrationKind::Redox, 0, 7, "0,05", "1,0", 0.05},
                    SetUpCase{"acid-base", TitrationKind::AcidBase, 0, 7, "0,05", "1,0", 0},
                    SetUpCase{"no reaction", TitrationKind::Redox, 0, 10, "0,05", "1,0", 0},
                    SetUpCase{"no number", TitrationKind::Redox, 0, 7, "abc", "1,0", 0},
                    SetUpCase{"negative acid", TitrationKind::Redox, 0, 7, "0,05", "-1", 0}));

TEST(RedoxFormNames, AreTheBeakersCoupleThenTheTitrants) {
    SolutionSpec s;
    s.kind = TitrationKind::Redox;
    s.redox.beakerSpecies = 0;
    s.redox.titrantSpecies = 7;
    EXPECT_EQ(formNames(s, SpeciesCatalogue()), (std::vector<std::string>{"Fe³⁺", "Fe²⁺", "MnO₄⁻", "Mn²⁺"}));
}

// The colours, as a pupil names them.
bool violet(const numbers::Rgb& c) {
    return c.green + 40 < c.red && c.green + 40 < c.blue;
}
bool blueBlack(const numbers::Rgb& c) {
    return c.blue > c.red + 40 && c.red < 120;
}
bool red(const numbers::Rgb& c) {
    return c.red > c.green + 80 && c.red > c.blue + 80;
}
bool paleBlue(const numbers::Rgb& c) {
    return c.blue > c.red + 30 && c.green > 150;
}
bool neither(const numbers::Rgb& c) {
    return !violet(c) && !blueBlack(c) && !red(c) && !paleBlue(c);
}

struct ColourCase {
    const char* why;
    RedoxSetUp setUp;
    double equivalence;  // mL, from the equation
    bool (*before)(const numbers::Rgb&);
    bool (*after)(const numbers::Rgb&);
};

class RedoxColours : public testing::TestWithParam<ColourCase> {};

TEST_P(RedoxColours, TurnWithinOneDropOfTheEquivalence) {
    const ColourCase& c = GetParam();
    const auto colourAt = [&](double volume) {
        return redoxLiquidColour(c.setUp, *solveRedox(c.setUp, volume));
    };
    EXPECT_TRUE(c.before(colourAt(c.equivalence - 0.05))) << colourAt(c.equivalence - 0.05);
    EXPECT_TRUE(c.before(colourAt(c.equivalence / 2))) << colourAt(c.equivalence / 2);
    EXPECT_TRUE(c.after(colourAt(c.equivalence + 0.05))) << colourAt(c.equivalence + 0.05);
}

// MnO₄⁻ + 5 Fe²⁺: 20 mL at 0,1 by 0,02 mol · L-1 → 20 mL; I₂ + 2 S₂O₃²⁻: 20 mL at 0,005 by
// 0,01 → 20 mL; Ce⁴⁺ + Fe²⁺ at 0,1 → 20 mL.
INSTANTIATE_TEST_SUITE_P(
    Redox, RedoxColours,
    testing::Values(ColourCase{"permanganate", {0, 7, 0.1, 20, 0, 0.02, 1, 0}, 20, neither, violet},
                    ColourCase{"starch", {2, 6, 0.005, 20, 0, 0.01, 0, 1}, 20, blueBlack, neither},
                    ColourCase{"ferroin", {0, 9, 0.1, 20, 0, 0.1, 1, 2}, 20, red, paleBlue}));

}  // namespace
