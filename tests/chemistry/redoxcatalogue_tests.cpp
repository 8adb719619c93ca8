// Which oxidation-reduction pairs react, their equations balanced atom by atom and charge by
// charge, the set-up a panel's texts give, and the colours that mark the equivalence.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>
#include <string>
#include <vector>

#include "chemistry/chemistry.h"
#include "tests/chemistry/printcase.h"

using namespace chemistry;

namespace {

using ::PrintTo;  // for the cases of this namespace

std::u32string decoded(const std::string& text) {
    std::u32string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const int length = byte < 0x80 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? byte : byte & (0x7F >> length);
        for (int k = 1; k < length; ++k) c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        out += c;
        i += static_cast<std::size_t>(length);
    }
    return out;
}

int superscriptDigit(char32_t c) {
    if (c == U'¹') return 1;
    if (c == U'²') return 2;
    if (c == U'³') return 3;
    return c >= U'⁴' && c <= U'⁹' ? static_cast<int>(c - U'⁰') : -1;
}

// Atoms by element and the charge ("charge" key) of `count` times a formula such as "Cr₂O₇²⁻".
void addFormula(std::map<std::string, int>& balance, const std::u32string& formula, int count) {
    std::string element;
    int charge = 0;
    int sign = 0;
    std::size_t i = 0;
    while (i < formula.size()) {
        const char32_t c = formula[i];
        if (c >= U'A' && c <= U'Z') {
            element = std::string(1, static_cast<char>(c));
            if (i + 1 < formula.size() && formula[i + 1] >= U'a' && formula[i + 1] <= U'z')
                element += static_cast<char>(formula[++i]);
            int atoms = 0;
            while (i + 1 < formula.size() && formula[i + 1] >= U'₀' && formula[i + 1] <= U'₉')
                atoms = atoms * 10 + static_cast<int>(formula[++i] - U'₀');
            balance[element] += count * (atoms == 0 ? 1 : atoms);
        } else if (superscriptDigit(c) >= 0) {
            charge = charge * 10 + superscriptDigit(c);
        } else if (c == U'⁺' || c == U'⁻') {
            sign = c == U'⁺' ? 1 : -1;
        } else {
            ADD_FAILURE() << "not a formula";
        }
        ++i;
    }
    balance["charge"] += count * sign * (charge == 0 ? 1 : charge);
}

// Adds one side of an equation ("2 MnO₄⁻ + 8 H⁺"), each term times `side`; the coefficients
// go into `coefficients`, the formulas into `formulas`.
void addSide(const std::u32string& text, int side, std::map<std::string, int>& balance,
             std::vector<int>& coefficients, std::vector<std::u32string>& formulas) {
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(U" + ", start);
        if (end == std::u32string::npos) end = text.size();
        std::u32string term = text.substr(start, end - start);
        int coefficient = 1;
        if (!term.empty() && term[0] >= U'0' && term[0] <= U'9') {
            const std::size_t space = term.find(U' ');
            coefficient = std::stoi(std::string(term.begin(), term.begin() + static_cast<long>(space)));
            term = term.substr(space + 1);
        }
        coefficients.push_back(coefficient);
        formulas.push_back(term);
        addFormula(balance, term, side * coefficient);
        start = end + 3;
    }
}

struct Reaction {
    std::map<std::string, int> balance;  // reactants minus products: all zero when balanced
    std::vector<int> coefficients;
    std::vector<std::u32string> left;
};

Reaction parsed(const std::string& equation) {
    Reaction r;
    const std::u32string text = decoded(equation);
    const std::size_t arrow = text.find(U" → ");
    if (arrow == std::u32string::npos) return r;
    std::vector<std::u32string> right;
    addSide(text.substr(0, arrow), 1, r.balance, r.coefficients, r.left);
    addSide(text.substr(arrow + 3), -1, r.balance, r.coefficients, right);
    return r;
}

std::u32string formulaOf(int species) {
    const RedoxSpecies& s = redoxSpecies()[static_cast<std::size_t>(species)];
    const RedoxCouple& c = redoxCouples()[static_cast<std::size_t>(s.couple)];
    return decoded(std::string(s.oxidant ? c.oxidant : c.reductant));
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

TEST(RedoxSpeciesList, EachNameEndsWithTheFormulaOfItsCouplesForm) {
    for (int i = 0; i < static_cast<int>(redoxSpecies().size()); ++i) {
        const std::u32string name = decoded(std::string(redoxSpecies()[static_cast<std::size_t>(i)].name));
        EXPECT_NE(name.find(U" " + formulaOf(i)), std::u32string::npos) << i;
    }
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
