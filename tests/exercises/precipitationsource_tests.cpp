// Precipitation situations in the exercise sources and the quantities their texts state, checked
// against the titration's chemistry computed here from Ks, Kohlrausch's law and Nernst's relation.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "numbers/decimalreader.h"
#include "numbers/picture.h"
#include "tools/quantity.h"
#include "tools/setupsource.h"

using namespace tools;

namespace {

// Tables at 25 °C: Ks of AgCl and Ag₂CrO₄, λ° (mS · m² · mol-1, per ion), E°(Ag⁺/Ag) and the
// calomel electrode (V).
const double kSilverChlorideKs = std::pow(10.0, -9.75);
const double kSilverChromateKs = std::pow(10.0, -11.95);
constexpr double kSodium = 5.01, kPotassium = 7.35, kSilver = 6.19, kNitrate = 7.14, kChloride = 7.63,
                 kChromate = 17.0;
constexpr double kSilverStandard = 0.80;
constexpr double kCalomel = 0.244;

std::optional<configuration::ConfigurationFile> read(const std::vector<std::string>& texts,
                                                     SourceError& error) {
    std::vector<SourceLine> lines;
    for (const auto& text : texts) lines.push_back({static_cast<int>(lines.size()) + 1, text});
    return parseSetup(lines, error);
}

// The set-up is read after `before`, a line such as "graphe = E".
std::string evaluate(const std::string& quantityText, const std::string& situation,
                     const std::string& before = "") {
    SourceError sourceError;
    const auto file = read(
        before.empty() ? std::vector<std::string>{situation} : std::vector{before, situation}, sourceError);
    if (!file) return "setup: " + sourceError.message;
    std::string error;
    const auto quantity = parseQuantity(quantityText, "", error);
    if (!quantity) return "parse: " + error;
    return evaluateQuantity(*quantity, "", *file, error).value_or("error: " + error);
}

double number(const std::string& shown) {
    return numbers::readTypedNumberOr(shown, NAN);
}

// Sodium chloride titrated by silver nitrate, Mohr's chromate in the beaker.
struct Chloride {
    double c, V, cb, chromate;

    std::string line() const {
        const auto text = [](double x) { return numbers::formatPicture(x, "0.0#######"); };
        return "situation 1 : chlorure de sodium NaCl ; titrant = nitrate d'argent AgNO₃ ; suivi = argent ; "
               "c = " +
               text(c) + " ; V = " + text(V) + " ; cb = " + text(cb) + " ; chromate = " + text(chromate);
    }
    // [Ag⁺] after v mL: AgCl present once the ion product reaches Ks.
    double silver(double v) const {
        const double total = V + v;
        const double ag = cb * v / total, cl = c * V / total;
        if (ag * cl <= kSilverChlorideKs) return ag;
        const double d = cl - ag;
        return (-d + std::sqrt(d * d + 4 * kSilverChlorideKs)) / 2;
    }
    double chloride(double v) const { return silver(v) + (c * V - cb * v) / (V + v); }
    double chromateIons(double v) const { return chromate * V / (V + v); }
    // Kohlrausch: σ (mS/cm) = 10 Σ λ° c, c in mol · L-1.
    double sigma(double v) const {
        const double total = V + v;
        return 10 * (kSodium * c * V / total + kNitrate * cb * v / total + kSilver * silver(v) +
                     kChloride * chloride(v) + (2 * kPotassium + kChromate) * chromateIons(v));
    }
    double potential(double v) const { return kSilverStandard + 0.05916 * std::log10(silver(v)) - kCalomel; }
    // The first 0,1 mL at which [Ag⁺]² [CrO₄²⁻] reaches Ks of silver chromate.
    double red() const {
        for (int tenths = 0; tenths <= 250; ++tenths) {
            const double v = tenths / 10.0;
            if (silver(v) * silver(v) * chromateIons(v) > kSilverChromateKs) return v;
        }
        return NAN;
    }
};

const std::vector<Chloride> kChlorides = {
    {0.01, 20, 0.01, 0.005}, {0.001, 20, 0.001, 0.005}, {0.015, 20, 0.02, 0.01}, {0.005, 50, 0.02, 0.002}};

// Past the equivalence silver chromate takes Ag⁺ too: those points are checked without chromate.
Chloride chromateBefore(const Chloride& t, double v) {
    return v < t.c * t.V / t.cb ? t : Chloride{t.c, t.V, t.cb, 0};
}

TEST(PrecipitationQuantities, ConductivityFollowsKohlrauschOnBothSidesOfTheEquivalence) {
    for (const Chloride& t : kChlorides) {
        const double ve = t.c * t.V / t.cb;
        for (const int v : {0, static_cast<int>(ve / 2), static_cast<int>(ve) + 3}) {
            const Chloride checked = chromateBefore(t, v);
            const std::string shown = evaluate("sigma S1 V=" + std::to_string(v), checked.line());
            const double expected = checked.sigma(v);
            EXPECT_NEAR(number(shown), expected, 0.006 * expected)
                << checked.line() << " V=" << v << ": " << shown;
        }
    }
}

TEST(PrecipitationQuantities, SilverElectrodeFollowsNernstAgainstTheCalomelElectrode) {
    for (const Chloride& t : kChlorides) {
        const double ve = t.c * t.V / t.cb;
        for (const int v : {1, static_cast<int>(ve / 2), static_cast<int>(ve) + 2}) {
            const Chloride checked = chromateBefore(t, v);
            // The E graph is accepted with the silver electrode.
            const std::string shown = evaluate("E S1 V=" + std::to_string(v), checked.line(), "graphe = E");
            EXPECT_NEAR(number(shown), checked.potential(v), 0.002)
                << checked.line() << " V=" << v << ": " << shown;
        }
    }
}

TEST(PrecipitationQuantities, RedAppearsWhereSilverChromateReachesItsKs) {
    for (const Chloride& t : kChlorides) {
        const std::string shown = evaluate("rouge S1", t.line());
        EXPECT_NEAR(number(shown), t.red(), 0.01) << t.line() << ": " << shown;
    }
}

TEST(PrecipitationQuantities, EquivalenceAndConcentrationFromTheAmountsOfIons) {
    for (const Chloride& t : kChlorides) {
        const double ve = t.c * t.V / t.cb;
        EXPECT_NEAR(number(evaluate("Ve S1", t.line())), ve, 0.051) << t.line();
        const double shownVe = std::round(ve * 10) / 10;
        EXPECT_NEAR(number(evaluate("C S1", t.line())), t.cb * shownVe / t.V, 1e-9) << t.line();
        // The lines fitted on each side of the curved neighbourhood meet near the equivalence.
        EXPECT_NEAR(number(evaluate("droites S1", Chloride{t.c, t.V, t.cb, 0}.line())), ve, 0.3) << t.line();
    }
}

TEST(PrecipitationQuantities, TwoHalidesEachFromTheirOwnJump) {
    // AgI precipitates first (Ks 10⁻¹⁶ against 10⁻⁹·⁷⁵): E₁ titrates the iodide, E₂ the chloride too.
    const std::string line =
        "situation 1 : chlorure de sodium NaCl ; sel2 = iodure de potassium KI ; c = 0,004 ; c2 = 0,006 ; "
        "V = 20 ; cb = 0,01 ; chromate = 0";
    const double first = 0.006 * 20 / 0.01, second = (0.006 + 0.004) * 20 / 0.01;
    EXPECT_NEAR(number(evaluate("Ve S1", line)), first, 0.051);
    EXPECT_NEAR(number(evaluate("Ve2 S1", line)), second, 0.051);
    EXPECT_NEAR(number(evaluate("C S1", line)), 0.01 * (20.0 - 12.0) / 20, 1e-9);
    EXPECT_NEAR(number(evaluate("C2 S1", line)), 0.01 * 12.0 / 20, 1e-9);
}

TEST(PrecipitationQuantities, SulfateByBariumTakesBariumChlorideUnlessNamed) {
    const std::string line =
        "situation 1 : sulfate de sodium Na₂SO₄ ; c = 0,005 ; V = 20 ; cb = 0,01 ; chromate = 0";
    EXPECT_NEAR(number(evaluate("Ve S1", line)), 0.005 * 20 / 0.01, 0.051);
    EXPECT_NEAR(number(evaluate("C S1", line)), 0.005, 1e-9);
}

struct Refusal {
    std::vector<std::string> lines;
    std::string quantity;  // empty: the set-up itself is refused
};

TEST(PrecipitationSetUp, RefusesWhatTheBenchWouldNotTitrate) {
    const std::string salt = "situation 1 : chlorure de sodium NaCl";
    const std::vector<Refusal> refusals = {
        {{"situation 1 : chlorure de sodium"}, ""},
        {{salt + " ; titrant = chlorure de baryum BaCl₂"}, ""},
        {{salt + " ; titrant = nitrate d'argent"}, ""},
        {{salt + " ; sel2 = chlorure de sodium NaCl"}, ""},
        {{"situation 1 : sulfate de sodium Na₂SO₄ ; sel2 = iodure de potassium KI"}, ""},
        {{salt + " ; chromate = 0,5"}, ""},
        {{salt + " ; pKa = 4"}, ""},
        {{salt + " ; suivi = platine"}, ""},
        {{"situation 1 : sulfate de sodium Na₂SO₄ ; suivi = argent"}, ""},
        {{"graphe = E", salt + " ; suivi = couleur"}, ""},
        {{salt + " ; suivi = couleur"}, "E S1 V=5"},
        {{salt + " ; chromate = 0"}, "rouge S1"},
        {{salt}, "C2 S1"},
        {{salt}, "pH S1 V=5"},
        {{"situation 1 : acide chlorhydrique"}, "rouge S1"},
    };
    for (const Refusal& r : refusals) {
        SourceError error;
        const auto file = read(r.lines, error);
        if (r.quantity.empty()) {
            EXPECT_FALSE(file.has_value()) << r.lines.back();
            continue;
        }
        ASSERT_TRUE(file.has_value()) << r.lines.back() << ": " << error.message;
        std::string message;
        const auto quantity = parseQuantity(r.quantity, "", message);
        ASSERT_TRUE(quantity.has_value()) << r.quantity << ": " << message;
        EXPECT_FALSE(evaluateQuantity(*quantity, "", *file, message).has_value())
            << r.lines.back() << " " << r.quantity;
    }
}

}  // namespace
