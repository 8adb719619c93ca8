// Oxidation-reduction situations in the exercise sources and the quantities their texts state,
// checked against the titration's chemistry computed here from the half-equations.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "numbers/decimalreader.h"
#include "tools/quantity.h"
#include "tools/setupsource.h"

using namespace tools;

namespace {

// E° against the standard hydrogen electrode, the references' potentials (V) and Nernst's slope.
constexpr double kIron = 0.77;
constexpr double kCerium = 1.44;
constexpr double kCalomel = 0.244;
constexpr double kSilverChloride = 0.197;
constexpr double kNernst = 0.059;

std::optional<configuration::ConfigurationFile> read(const std::vector<std::string>& texts,
                                                     SourceError& error) {
    std::vector<SourceLine> lines;
    for (const auto& text : texts) lines.push_back({static_cast<int>(lines.size()) + 1, text});
    return parseSetup(lines, error);
}

configuration::ConfigurationFile setUp(const std::vector<std::string>& texts) {
    SourceError error;
    const auto file = read(texts, error);
    EXPECT_TRUE(file.has_value()) << texts.back() << ": " << error.message;
    return file.value_or(configuration::ConfigurationFile{});
}

std::string evaluate(const std::string& text, const configuration::ConfigurationFile& file) {
    std::string error;
    const auto quantity = parseQuantity(text, "", error);
    if (!quantity) return "parse: " + error;
    return evaluateQuantity(*quantity, "", file, error).value_or("error: " + error);
}

double number(const std::string& shown) {
    return numbers::readTypedNumberOr(shown, NAN);
}

bool refused(const std::string& shown) {
    return shown.rfind("error:", 0) == 0 || shown.rfind("parse:", 0) == 0;
}

const std::string kIronByCerium =
    "situation 1 : ion fer(II) Fe²⁺ ; titrant = ion cérium(IV) Ce⁴⁺ ; acide = 1,5 ; "
    "suivi = calomel ; c = 0,1 ; V = 20 ; cb = 0,1";

TEST(RedoxSetUp, TakesTheListsNamesAndTravelsAsTheBenchSavesIt) {
    const auto file = setUp({"graphe = E", kIronByCerium + " ; indicateur = ferroïne",
                             "situation 2 : diiode I₂ ; titrant = ion thiosulfate S₂O₃²⁻ ; indicateur = "
                             "empois d'amidon ; suivi = Ag/AgCl",
                             "situation 3 : peroxyde d'hydrogène H₂O₂ (réducteur)"});
    const auto& s = file.situations;
    EXPECT_EQ(s[0].kind, chemistry::TitrationKind::Redox);
    // Indices in the lists' order: Fe²⁺ 0, I₂ 2, S₂O₃²⁻ 6, MnO₄⁻ 7, Ce⁴⁺ 9; starch 1, ferroin 2.
    EXPECT_EQ(std::vector<int>({s[0].redoxBeakerSpecies, s[0].redoxTitrantSpecies, s[0].redoxIndicator,
                                s[0].redoxReference, s[1].redoxBeakerSpecies, s[1].redoxTitrantSpecies,
                                s[1].redoxIndicator, s[1].redoxReference, s[2].redoxTitrantSpecies}),
              std::vector<int>({0, 9, 2, 0, 2, 6, 1, 1, 7}));
    EXPECT_EQ(s[0].sulfuricAcidText, "1,5");
    EXPECT_EQ(s[2].redoxReference, -1);  // the colour alone
    EXPECT_EQ(s[3].kind, chemistry::TitrationKind::AcidBase);
    EXPECT_EQ(file.extensions.value("s1.titrage"), "oxydoréduction");
    EXPECT_EQ(file.extensions.value("graphe"), "E");
}

class RefusedRedoxSetUp : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(RefusedRedoxSetUp, SaysWhy) {
    SourceError error;
    EXPECT_FALSE(read(GetParam(), error).has_value()) << GetParam().back();
    EXPECT_FALSE(error.message.empty()) << GetParam().back();
}

INSTANTIATE_TEST_SUITE_P(
    Lines, RefusedRedoxSetUp,
    ::testing::Values(
        std::vector<std::string>{"situation 1 : ion fer(II) Fe²⁺ ; titrant = ion cérium Ce⁴⁺"},
        std::vector<std::string>{"situation 1 : ion fer(II) Fe²⁺ ; titrant = ion thiosulfate S₂O₃²⁻"},
        std::vector<std::string>{"situation 1 : ion fer(II) Fe²⁺ ; indicateur = Phénolphtaléine"},
        std::vector<std::string>{"situation 1 : ion fer(II) Fe²⁺ ; suivi = hydrogène"},
        std::vector<std::string>{"situation 1 : ion fer(II) Fe²⁺ ; pKa = 4"},
        std::vector<std::string>{"situation 1 : ion fer(II) Fe²⁺ ; acide = 0"},  // MnO₄⁻ takes H⁺
        std::vector<std::string>{"situation 1 : acide éthanoïque ; suivi = calomel"},
        std::vector<std::string>{"graphe = E", "situation 1 : ion fer(II) Fe²⁺"}));

// 20 mL of Fe²⁺ at 0,1 mol/L by Ce⁴⁺ at 0,1 mol/L: Nernst's law for Fe³⁺/Fe²⁺ before the
// equivalence, the mean of the two E° at it, each against the reference chosen.
TEST(RedoxQuantities, PotentialFollowsNernstsLawAgainstTheReference) {
    const auto file = setUp({kIronByCerium});
    for (const double poured : {5.0, 10.0, 16.0}) {
        const double oxidised = poured / 20;
        const double e = kIron + kNernst * std::log10(oxidised / (1 - oxidised)) - kCalomel;
        EXPECT_NEAR(number(evaluate("E S1 V=" + std::to_string(int(poured)), file)), e, 0.0015) << poured;
    }
    EXPECT_NEAR(number(evaluate("E S1 V=Ve", file)), (kIron + kCerium) / 2 - kCalomel, 0.0015);
    EXPECT_EQ(evaluate("E S1 V=Ve/2", file), "0,526");  // three decimals, as the millivoltmeter
    auto silver = kIronByCerium;
    silver.replace(silver.find("calomel"), 7, "Ag/AgCl");
    EXPECT_NEAR(number(evaluate("E S1 V=Ve/2", setUp({silver}))), kIron - kSilverChloride, 0.0005);
    EXPECT_EQ(evaluate("tangentes S1", file), "acceptée");
    // Without the electrodes there is no E to read nor E = f(V) to construct on.
    silver.replace(silver.find("Ag/AgCl"), 7, "couleur");
    EXPECT_TRUE(refused(evaluate("E S1 V=10", setUp({silver}))));
    EXPECT_TRUE(refused(evaluate("tangentes S1", setUp({silver}))));
}

// V_E and the concentration deduced from it follow the balanced equation's coefficients:
// 2 MnO₄⁻ + 5 H₂O₂ + 6 H⁺ → 2 Mn²⁺ + 5 O₂ + 8 H₂O, I₂ + 2 S₂O₃²⁻ → 2 I⁻ + S₄O₆²⁻,
// Ce⁴⁺ + Fe²⁺ → Ce³⁺ + Fe³⁺; 20 mL in the beaker.
struct Stoichiometry {
    const char* beaker;
    const char* concentrations;  // as the source writes c and cb
    double c;
    double cb;
    double beakerPerTitrant;
};

void PrintTo(const Stoichiometry& s, std::ostream* out) {
    *out << s.beaker;
}

class RedoxEquivalence : public ::testing::TestWithParam<Stoichiometry> {};

TEST_P(RedoxEquivalence, FollowsTheBalancedEquation) {
    const Stoichiometry& s = GetParam();
    const auto file = setUp({std::string("situation 1 : ") + s.beaker + " ; V = 20 ; " + s.concentrations});
    const double ve = s.c * 20 / (s.beakerPerTitrant * s.cb);
    EXPECT_NEAR(number(evaluate("Ve S1", file)), ve, 0.05);
    // The pupil's c, from V_E as shown to a tenth of a millilitre.
    EXPECT_NEAR(number(evaluate("C S1", file)), s.cb * std::round(ve * 10) / 10 * s.beakerPerTitrant / 20,
                1e-9);
}

INSTANTIATE_TEST_SUITE_P(Titrations, RedoxEquivalence,
                         ::testing::Values(Stoichiometry{"peroxyde d'hydrogène H₂O₂ (réducteur)",
                                                         "c = 0,045 ; cb = 0,02", 0.045, 0.02, 2.5},
                                           Stoichiometry{"diiode I₂ ; titrant = ion thiosulfate S₂O₃²⁻",
                                                         "c = 0,0041 ; cb = 0,01", 0.0041, 0.01, 0.5},
                                           Stoichiometry{"ion fer(II) Fe²⁺ ; titrant = ion cérium(IV) Ce⁴⁺",
                                                         "c = 0,05 ; cb = 0,1", 0.05, 0.1, 1}));

TEST(RedoxQuantities, AreRefusedWhereTheyDoNotApply) {
    const auto file = setUp({kIronByCerium, "situation 2 : acide éthanoïque"});
    for (const char* quantity :
         {"pH S1 V=10", "%acide S1 V=5", "Ve2 S1", "n0 S1", "E S2 V=10", "E S1 pH=3", "E S1"})
        EXPECT_TRUE(refused(evaluate(quantity, file))) << quantity;
}

}  // namespace
