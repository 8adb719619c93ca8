// Oxidation-reduction situations in the exercise sources and the quantities their texts state,
// checked against the titration's chemistry computed here from the half-equations.
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "numbers/decimalreader.h"
#include "tools/quantity.h"
#include "tools/setupsource.h"

using namespace tools;

namespace {

// The lists' indices, in the panel's order.
constexpr int kIronII = 0;
constexpr int kPeroxide = 1;
constexpr int kIodine = 2;
constexpr int kThiosulfate = 6;
constexpr int kPermanganate = 7;
constexpr int kCerium = 9;
constexpr int kStarch = 1;
constexpr int kCalomel = 0;
constexpr int kSilverChloride = 1;

// Potentials against the standard hydrogen electrode, V, and Nernst's slope at 25 °C.
constexpr double kIronCouple = 0.77;
constexpr double kCeriumCouple = 1.44;
constexpr double kCalomelPotential = 0.244;
constexpr double kSilverChloridePotential = 0.197;
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

const std::string kIronByCerium =
    "situation 1 : ion fer(II) Fe²⁺ ; titrant = ion cérium(IV) Ce⁴⁺ ; acide = 1 ; suivi = calomel ; "
    "c = 0,1 ; V = 20 ; cb = 0,1";

TEST(RedoxSetUp, TakesTheListsNamesAndTheFollowUp) {
    const auto file = setUp({"graphe = E", kIronByCerium + " ; indicateur = ferroïne ; acide = 1,5",
                             "situation 2 : diiode I₂ ; titrant = ion thiosulfate S₂O₃²⁻ ; indicateur = "
                             "empois d'amidon ; suivi = Ag/AgCl"});
    const auto& iron = file.situations[0];
    EXPECT_EQ(iron.kind, chemistry::TitrationKind::Redox);
    EXPECT_EQ(iron.redoxBeakerSpecies, kIronII);
    EXPECT_EQ(iron.redoxTitrantSpecies, kCerium);
    EXPECT_EQ(iron.redoxReference, kCalomel);
    EXPECT_EQ(iron.redoxIndicator, 2);
    EXPECT_EQ(iron.sulfuricAcidText, "1,5");
    EXPECT_EQ(iron.beakerConcentrationText, "0,1");
    const auto& iodine = file.situations[1];
    EXPECT_EQ(iodine.redoxBeakerSpecies, kIodine);
    EXPECT_EQ(iodine.redoxTitrantSpecies, kThiosulfate);
    EXPECT_EQ(iodine.redoxIndicator, kStarch);
    EXPECT_EQ(iodine.redoxReference, kSilverChloride);
    EXPECT_EQ(file.situations[2].kind, chemistry::TitrationKind::AcidBase);
    // The file carries them as the bench saves them.
    EXPECT_EQ(file.extensions.value("s1.titrage"), "oxydoréduction");
    EXPECT_EQ(file.extensions.value("s2.oxred"), std::to_string(kIodine));
    EXPECT_EQ(file.extensions.value("graphe"), "E");
}

TEST(RedoxSetUp, FollowsTheColourAndKeepsATitrantThatTitrates) {
    const auto file = setUp(
        {"situation 1 : peroxyde d'hydrogène H₂O₂ (réducteur)", "situation 2 : diiode I₂ ; suivi = couleur"});
    EXPECT_EQ(file.situations[0].redoxTitrantSpecies, kPermanganate);  // the panel's first choice titrates it
    EXPECT_EQ(file.situations[0].redoxReference, -1);
    // Permanganate is an oxidant: the diiode takes a reductant instead.
    const int titrant = file.situations[1].redoxTitrantSpecies;
    EXPECT_NE(titrant, kPermanganate);
    EXPECT_EQ(evaluate("Ve S2", file).rfind("error", 0), std::string::npos) << evaluate("Ve S2", file);
}

struct Refused {
    const char* why;
    std::vector<std::string> lines;
};

void PrintTo(const Refused& r, std::ostream* out) {
    *out << r.why;
}

class RefusedRedoxSetUp : public ::testing::TestWithParam<Refused> {};

TEST_P(RefusedRedoxSetUp, SaysWhy) {
    SourceError error;
    EXPECT_FALSE(read(GetParam().lines, error).has_value()) << GetParam().why;
    EXPECT_FALSE(error.message.empty()) << GetParam().why;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, RefusedRedoxSetUp,
    ::testing::Values(
        Refused{"unknown titrant", {"situation 1 : ion fer(II) Fe²⁺ ; titrant = ion cérium Ce⁴⁺"}},
        Refused{"a titrant that does not react",
                {"situation 1 : ion fer(II) Fe²⁺ ; titrant = ion fer(III) Fe³⁺"}},
        Refused{"two reductants", {"situation 1 : ion fer(II) Fe²⁺ ; titrant = ion thiosulfate S₂O₃²⁻"}},
        Refused{"an acid-base indicator", {"situation 1 : ion fer(II) Fe²⁺ ; indicateur = Phénolphtaléine"}},
        Refused{"unknown reference", {"situation 1 : ion fer(II) Fe²⁺ ; suivi = hydrogène"}},
        Refused{"a pKa", {"situation 1 : ion fer(II) Fe²⁺ ; pKa = 4"}},
        Refused{"a second solute", {"situation 1 : ion fer(II) Fe²⁺ ; soluté2 = acide éthanoïque"}},
        Refused{"permanganate without acid", {"situation 1 : ion fer(II) Fe²⁺ ; acide = 0"}},
        Refused{"acid beyond the panel's limit", {"situation 1 : ion fer(II) Fe²⁺ ; acide = 6"}},
        Refused{"a titrant for an acid-base solute",
                {"situation 1 : acide éthanoïque ; titrant = ion cérium(IV) Ce⁴⁺"}},
        Refused{"E = f(V) without electrodes", {"graphe = E", "situation 1 : ion fer(II) Fe²⁺"}},
        Refused{"unknown graph", {"graphe = potentiel", "situation 1 : ion fer(II) Fe²⁺"}}));

// E against the calomel electrode along the titration of 20 mL of Fe²⁺ at 0,1 mol/L by Ce⁴⁺ at
// 0,1 mol/L: Nernst's law for Fe³⁺/Fe²⁺ before the equivalence, the mean of the two couples' E° at it.
TEST(RedoxQuantities, PotentialFollowsNernstsLaw) {
    const auto file = setUp({kIronByCerium});
    const auto ironPotential = [](double poured) {
        const double oxidised = poured / 20;  // Fe³⁺ formed over Fe²⁺ put in
        return kIronCouple + kNernst * std::log10(oxidised / (1 - oxidised)) - kCalomelPotential;
    };
    struct Case {
        const char* quantity;
        double volts;
    };
    const Case cases[] = {{"E S1 V=5", ironPotential(5)},
                          {"E S1 V=10", ironPotential(10)},
                          {"E S1 V=16", ironPotential(16)},
                          {"E S1 V=Ve/2", kIronCouple - kCalomelPotential},
                          {"E S1 V=Ve", (kIronCouple + kCeriumCouple) / 2 - kCalomelPotential}};
    for (const Case& c : cases)
        EXPECT_NEAR(number(evaluate(c.quantity, file)), c.volts, 0.0015) << c.quantity;
    // Three decimals, as the millivoltmeter shows them.
    EXPECT_EQ(evaluate("E S1 V=Ve/2", file), "0,526");
    EXPECT_EQ(evaluate("Ve S1", file), "20,0");
    EXPECT_EQ(evaluate("tangentes S1", file), "acceptée");
}

TEST(RedoxQuantities, PotentialIsReadAgainstTheChosenReference) {
    auto line = kIronByCerium;
    line.replace(line.find("calomel"), 7, "Ag/AgCl");
    EXPECT_NEAR(number(evaluate("E S1 V=Ve/2", setUp({line}))), kIronCouple - kSilverChloridePotential,
                0.0005);
    const auto colour = setUp({"situation 1 : ion fer(II) Fe²⁺ ; titrant = ion cérium(IV) Ce⁴⁺"});
    EXPECT_EQ(evaluate("E S1 V=10", colour).rfind("error:", 0), 0u);
    EXPECT_EQ(evaluate("tangentes S1", colour).rfind("error:", 0), 0u);
}

// V_E and the concentration deduced from it follow the balanced equation's coefficients:
// 2 MnO₄⁻ + 5 H₂O₂ + 6 H⁺ → 2 Mn²⁺ + 5 O₂ + 8 H₂O, I₂ + 2 S₂O₃²⁻ → 2 I⁻ + S₄O₆²⁻,
// Ce⁴⁺ + Fe²⁺ → Ce³⁺ + Fe³⁺.
struct Stoichiometry {
    const char* line;
    double c;
    double va;
    double cb;
    double beakerPerTitrant;
};

void PrintTo(const Stoichiometry& s, std::ostream* out) {
    *out << s.line;
}

class RedoxEquivalence : public ::testing::TestWithParam<Stoichiometry> {};

TEST_P(RedoxEquivalence, FollowsTheBalancedEquation) {
    const Stoichiometry& s = GetParam();
    const auto file = setUp({s.line});
    const double ve = s.c * s.va / (s.beakerPerTitrant * s.cb);
    EXPECT_NEAR(number(evaluate("Ve S1", file)), ve, 0.05) << s.line;
    // The pupil's c, from V_E as shown to a tenth of a millilitre.
    const double shownVe = std::round(ve * 10) / 10;
    EXPECT_NEAR(number(evaluate("C S1", file)), s.cb * shownVe * s.beakerPerTitrant / s.va, 1e-9) << s.line;
}

INSTANTIATE_TEST_SUITE_P(
    Titrations, RedoxEquivalence,
    ::testing::Values(
        Stoichiometry{"situation 1 : peroxyde d'hydrogène H₂O₂ (réducteur) ; c = 0,045 ; V = 20 ; cb = 0,02",
                      0.045, 20, 0.02, 2.5},
        Stoichiometry{
            "situation 1 : diiode I₂ ; titrant = ion thiosulfate S₂O₃²⁻ ; c = 0,004 ; V = 20 ; cb = 0,01",
            0.004, 20, 0.01, 0.5},
        Stoichiometry{
            "situation 1 : ion fer(II) Fe²⁺ ; titrant = ion cérium(IV) Ce⁴⁺ ; c = 0,05 ; V = 20 ; cb = 0,1",
            0.05, 20, 0.1, 1}));

TEST(RedoxQuantities, AreRefusedWhereTheyDoNotApply) {
    const auto file = setUp({kIronByCerium, "situation 2 : acide éthanoïque"});
    for (const char* quantity : {"pH S1 V=10", "%acide S1 V=5", "Ve2 S1", "n0 S1", "E S2 V=10"})
        EXPECT_EQ(evaluate(quantity, file).rfind("error:", 0), 0u) << quantity;
    std::string error;
    EXPECT_FALSE(parseQuantity("E S1 pH=3", "", error).has_value());
    EXPECT_FALSE(parseQuantity("E S1", "", error).has_value());
}

}  // namespace
