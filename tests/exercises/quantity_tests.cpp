#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "numbers/decimalreader.h"
#include "tools/quantity.h"
#include "tools/setupsource.h"

using namespace tools;

namespace {

// Situation 1 holds `solute` (list index of its nature) at c against a titrant at cb, 20 mL.
configuration::ConfigurationFile oneSituation(bool acid, int index, std::string c = "0,01",
                                              std::string cb = "0,01") {
    configuration::ConfigurationFile file;
    auto& s = file.situations[0];
    s.beakerIsAcid = acid;
    s.speciesIndex = static_cast<std::int16_t>(index);
    s.beakerConcentrationText = std::move(c);
    s.titrantConcentrationText = std::move(cb);
    return file;
}

constexpr int kEthanoicAcid = 4;
constexpr int kHydrochloricAcid = 2;
constexpr int kAmmoniumChloride = 9;
constexpr int kAmmonia = 1;
constexpr int kOther = 14;

std::string evaluate(const std::string& text, const configuration::ConfigurationFile& file,
                     const std::string& picture = "") {
    std::string error;
    const auto quantity = parseQuantity(text, picture, error);
    if (!quantity) return "parse: " + error;
    return evaluateQuantity(*quantity, picture, file, error).value_or("error: " + error);
}

struct Shown {
    const char* why;
    bool acid;
    int index;
    const char* quantity;
    const char* expected;
};

class ShownQuantity : public ::testing::TestWithParam<Shown> {};

TEST_P(ShownQuantity, IsWhatTheWorkbenchShows) {
    const Shown& c = GetParam();
    EXPECT_EQ(evaluate(c.quantity, oneSituation(c.acid, c.index)), c.expected) << c.why;
}

INSTANTIATE_TEST_SUITE_P(
    Titrations, ShownQuantity,
    ::testing::Values(Shown{"ethanoic acid before pouring", true, kEthanoicAcid, "pH S1 V=0", "3,38"},
                      Shown{"ethanoic acid at half equivalence", true, kEthanoicAcid, "pH S1 V=10", "4,75"},
                      Shown{"ethanoic acid at 20 mL", true, kEthanoicAcid, "pH S1 V=20", "8,23"},
                      Shown{"equivalence point of the model", true, kEthanoicAcid, "pH S1 V=Ve", "8,23"},
                      Shown{"equivalence volume with a comma", true, kEthanoicAcid, "Ve S1", "20,0"},
                      Shown{"concentration deduced from Ve", true, kEthanoicAcid, "C S1", "0,01"},
                      Shown{"strong acid solved with K = 1", true, kHydrochloricAcid, "pH S1 V=0", "2,00"},
                      Shown{"ammonia before pouring", false, kAmmonia, "pH S1 V=0", "10,59"},
                      Shown{"ammonia at equivalence", false, kAmmonia, "pH S1 V=Ve", "5,75"},
                      Shown{"acid form at pH = pKa", true, kEthanoicAcid, "%acide S1 pH=4,75", "50,0"},
                      Shown{"basic form at pH = pKa of a base", false, kAmmonia, "%base S1 pH=9,2", "50,0"},
                      Shown{"tangents find a weak acid", true, kEthanoicAcid, "tangentes S1", "acceptée"},
                      Shown{"tangents refuse a very weak acid", true, kAmmoniumChloride, "tangentes S1",
                            "refusée"},
                      Shown{"no second equivalence for the lines", true, kEthanoicAcid, "droites2 S1",
                            "error: the straight lines find no equivalence E2"}));

TEST(SharesOfTheForms, FollowTheDistributionDiagram) {
    const auto ethanoic = oneSituation(true, kEthanoicAcid);
    const auto percent = [&](const char* quantity) {
        return numbers::readTypedNumberOr(evaluate(quantity, ethanoic), -1);
    };
    EXPECT_NEAR(percent("%acide S1 V=0"), 96, 1);   // before pouring, mostly the acid
    EXPECT_NEAR(percent("%acide S1 V=10"), 50, 1);  // the curves cross at half equivalence
    EXPECT_LT(percent("%acide S1 V=Ve"), 1);
    EXPECT_DOUBLE_EQ(percent("%acide S1 V=5") + percent("%base S1 V=5"), 100);
    const auto ammonia = oneSituation(false, kAmmonia);
    EXPECT_NEAR(numbers::readTypedNumberOr(evaluate("%base S1 V=0", ammonia), -1), 96, 1);
    EXPECT_EQ(evaluate("%acide S1 V=0", oneSituation(true, kHydrochloricAcid)),
              "error: a strong species has no distribution diagram");
}

TEST(TangentMethod, DoesNothingOutsideUsableEquivalenceVolumes) {
    // Ve = 1 mL: 20 mL at 0,001 mol/L against 0,02 mol/L.
    EXPECT_EQ(evaluate("tangentes S1", oneSituation(true, kEthanoicAcid, "0,001", "0,02")), "sans effet");
    // Ve = 40 mL, beyond the burette.
    EXPECT_EQ(evaluate("tangentes S1", oneSituation(true, kEthanoicAcid, "0,02", "0,01")), "sans effet");
}

TEST(Quantities, ReadTheSituationTheyName) {
    auto file = oneSituation(true, kEthanoicAcid);
    file.situations[2] = file.situations[0];
    file.situations[2].waterVolumeText = "80,0";
    EXPECT_EQ(evaluate("Ve S3", file), "20,0");                           // water changes nothing to Ve
    EXPECT_NE(evaluate("pH S3 V=0", file), evaluate("pH S1 V=0", file));  // but the dilution does
}

TEST(Quantities, TheFreeSoluteTakesItsTypedPKa) {
    auto file = oneSituation(true, kOther);
    file.situations[0].otherPKaText = "4,0";
    EXPECT_EQ(evaluate("%acide S1 pH=4", file), "50,0");
    file.situations[0].otherPKaText = "6,0";
    EXPECT_EQ(evaluate("%acide S1 pH=6", file), "50,0");
}

TEST(Quantities, ConcentrationIsDeducedFromTheVolumeAsShown) {
    // Ve = 0,01 × 20 / 0,015 = 13,33 mL, shown 13,3: the pupil finds c = 0,015 × 13,3 / 20.
    const auto file = oneSituation(true, kEthanoicAcid, "0,01", "0,015");
    EXPECT_EQ(evaluate("Ve S1", file), "13,3");
    EXPECT_EQ(evaluate("C S1", file), "0,009975");
    EXPECT_EQ(evaluate("C S1", file, "0.00E+00"), "9,98E-03");
}

// n₀ = c·V_A and x_max = min(n₀, c_B·V), in mmol, with three significant digits.
TEST(ProgressQuantities, AreTheAmountsOfTheFirstReactionAtThePoint) {
    const auto file = oneSituation(true, kEthanoicAcid, "0,008", "0,01");
    const double n0 = 0.008 * 20;
    struct Case {
        const char* quantity;
        double mmol;
    };
    const Case cases[] = {{"n0 S1", n0},        {"xmax S1 V=0", 0},         {"xmax S1 V=10", 0.01 * 10},
                          {"xmax S1 V=Ve", n0}, {"xmax S1 V=Ve/2", n0 / 2}, {"xmax S1 V=24", n0}};
    for (const Case& c : cases) {
        // Read back from the shown text: "1,60 × 10⁻¹" is 1,60 times a tenth.
        const std::string shown = evaluate(c.quantity, file, "0.00E+00");
        EXPECT_NEAR(numbers::readTypedNumberOr(shown, -1), c.mmol, 1e-9) << c.quantity << ": " << shown;
    }
    EXPECT_EQ(evaluate("n0 S1", file), "1,60 × 10⁻¹");
    EXPECT_EQ(evaluate("xmax S1 V=0", file), "0");
}

struct Malformed {
    const char* why;
    const char* quantity;
    const char* picture;
};

class MalformedQuantity : public ::testing::TestWithParam<Malformed> {};

TEST_P(MalformedQuantity, IsRefused) {
    std::string error;
    EXPECT_FALSE(parseQuantity(GetParam().quantity, GetParam().picture, error).has_value()) << GetParam().why;
    EXPECT_FALSE(error.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Syntax, MalformedQuantity,
    ::testing::Values(Malformed{"unknown kind", "pOH S1 V=2", ""}, Malformed{"no situation", "Ve", ""},
                      Malformed{"situation 11", "Ve S11", ""}, Malformed{"pH without a point", "pH S1", ""},
                      Malformed{"Ve takes no point", "Ve S1 V=3", ""},
                      Malformed{"volume between two tenths", "pH S1 V=10,05", ""},
                      Malformed{"volume beyond the burette", "pH S1 V=30", ""},
                      Malformed{"pH asked at a pH", "pH S1 pH=3", ""},
                      Malformed{"picture the program never uses", "pH S1 V=3", "0.0000"},
                      Malformed{"the tangent method shows no number", "tangentes S1", "#0.0"},
                      Malformed{"words after the point", "pH S1 V=3 mL", ""},
                      Malformed{"sigma without a point", "sigma S1", ""},
                      Malformed{"sigma at the model's equivalence", "sigma S1 V=Ve", ""},
                      Malformed{"straight lines take no point", "droites S1 V=3", ""},
                      Malformed{"n0 takes no point", "n0 S1 V=3", ""},
                      Malformed{"xmax without a point", "xmax S1", ""},
                      Malformed{"xmax at a pH", "xmax S1 pH=3", ""}));

}  // namespace

namespace {

// A set-up line as a teacher writes it, read by the builder.
configuration::ConfigurationFile setUp(const std::string& line) {
    const std::vector<SourceLine> lines{{1, line}};
    SourceError error;
    const auto file = parseSetup(lines, error);
    EXPECT_TRUE(file.has_value()) << line << ": " << error.message;
    return file.value_or(configuration::ConfigurationFile{});
}

double number(const std::string& shown) {
    return numbers::readTypedNumberOr(shown, -1);
}

struct Equivalences {
    const char* why;
    const char* line;
    double ve1;
    double ve2;
    double c1;  // C S1
    double c2;  // C2 S1
};

class MixtureQuantity : public ::testing::TestWithParam<Equivalences> {};

}  // namespace

TEST_P(MixtureQuantity, FollowTheTangentsAtEachJump) {
    const Equivalences& e = GetParam();
    const auto file = setUp(e.line);
    EXPECT_NEAR(number(evaluate("Ve S1", file)), e.ve1, 0.2) << e.why;
    EXPECT_EQ(evaluate("Ve1 S1", file), evaluate("Ve S1", file)) << e.why;
    EXPECT_NEAR(number(evaluate("Ve2 S1", file)), e.ve2, 0.2) << e.why;
    EXPECT_NEAR(number(evaluate("C S1", file)), e.c1, 2e-4) << e.why;
    EXPECT_NEAR(number(evaluate("C2 S1", file)), e.c2, 2e-4) << e.why;
    EXPECT_EQ(evaluate("tangentes2 S1", file), "acceptée") << e.why;
    // Past E₁ the pH has risen; halfway to E₂ it lies below E₂'s.
    EXPECT_GT(number(evaluate("pH S1 V=Ve2", file)), number(evaluate("pH S1 V=Ve2/2", file))) << e.why;
    EXPECT_EQ(evaluate("%acide S1 V=5", file).rfind("error:", 0), 0u) << e.why;
}

INSTANTIATE_TEST_SUITE_P(
    SetUps, MixtureQuantity,
    ::testing::Values(
        Equivalences{"phosphoric acid", "situation 1 : acide phosphorique ; cb = 0,02", 10, 20, 0.01, 0.01},
        Equivalences{"free diacid", "situation 1 : autre diacide ; pKa = 3 ; pKa2 = 8 ; cb = 0,02", 10, 20,
                     0.01, 0.01}));

TEST(Quantities, ASingleMonoproticSoluteHasOneEquivalence) {
    const auto file = oneSituation(true, kEthanoicAcid);
    EXPECT_EQ(evaluate("Ve2 S1", file).rfind("error:", 0), 0u);
    EXPECT_EQ(evaluate("C2 S1", file).rfind("error:", 0), 0u);
}

TEST(SecondSoluteSetUp, IsOfTheFirstOnesNature) {
    const auto file =
        setUp("situation 1 : acide chlorhydrique ; c = 0,005 ; soluté2 = acide éthanoïque ; c2 = 0,004");
    EXPECT_EQ(file.situations[0].secondSpeciesIndex, kEthanoicAcid);
    EXPECT_EQ(file.situations[0].secondConcentrationText, "0,004");
    for (const char* refused : {"situation 1 : acide chlorhydrique ; soluté2 = ammoniac",
                                "situation 1 : acide chlorhydrique ; soluté2 = autre acide",
                                "situation 1 : acide éthanoïque ; pKa2 = 8"}) {
        const std::vector<SourceLine> lines{{1, refused}};
        SourceError error;
        EXPECT_FALSE(parseSetup(lines, error).has_value()) << refused;
        EXPECT_FALSE(error.message.empty()) << refused;
    }
}

TEST(GlasswareSetUp, StatesTheUncertaintyByThePropagationFormula) {
    // Pipette 20 mL ± 0,03, burette ± 0,05 read ± 0,025 twice, soda 0,100 ± 0,001: V_E = 10 mL.
    const std::vector<SourceLine> lines{
        {1, "verrerie = graine=4;v0=2:0,03;eau=-1:0;burette=4:0,05;lecture=0,025;titrant=0,001"},
        {2, "situation 1 : acide chlorhydrique ; c = 0,05 ; V = 20 ; cb = 0,1"}};
    SourceError error;
    const auto file = parseSetup(lines, error);
    ASSERT_TRUE(file.has_value()) << error.message;
    const double byHand = 100 * std::sqrt(std::pow(0.03 / std::sqrt(3.0) / 20, 2) + std::pow(0.001 / 0.1, 2) +
                                          (0.05 * 0.05 / 3 + 2 * 0.025 * 0.025 / 3) / 100);
    EXPECT_NEAR(number(evaluate("u(c)/c S1", *file)), byHand, 0.005);
    EXPECT_EQ(evaluate("u(c)/c S1", *file, "0.000").size(), 5u);
    // Without glassware there is no uncertainty to state; an unreadable glassware line is refused.
    EXPECT_EQ(evaluate("u(c)/c S1", oneSituation(true, kHydrochloricAcid)).rfind("error:", 0), 0u);
    for (const char* refused : {"verrerie = graine=4;v0=4:0,03", "verrerie = ", "verrerie = titrage exact"}) {
        const std::vector<SourceLine> one{{1, refused}};
        EXPECT_FALSE(parseSetup(one, error).has_value()) << refused;
    }
}
