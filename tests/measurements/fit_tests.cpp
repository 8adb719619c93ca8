#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <functional>
#include <iterator>
#include <limits>
#include <memory>
#include <optional>
#include <random>
#include <stop_token>
#include <string>
#include <vector>

#include "chemistry/catalogue.h"
#include "chemistry/mixture.h"
#include "chemistry/titration.h"
#include "chemistry/titrationmodel.h"
#include "measurements/concentrationfit.h"
#include "measurements/fitmodels.h"
#include "measurements/measurementreader.h"
#include "measurements/normalmatrix.h"
#include "numbers/decimalreader.h"
#include "tests/chargebalance.h"
#include "tests/chemistry/mixturereference.h"
#include "tests/labpoints.h"

using namespace measurements;

namespace {

using testing_support::Titration;
using testing_support::titrationPh;

chemistry::Mixture mixtureOf(const char* species, bool acid, double concentration) {
    chemistry::Mixture mixture;
    mixture.beakerIsAcid = acid;
    mixture.solutes[0] = chemistry::soluteOf(*chemistry::findSpecies(species), concentration);
    return mixture;
}

std::vector<double> tablePKa(const char* species) {
    const chemistry::SpeciesData& data = *chemistry::findSpecies(species);
    return {data.pKa.begin(), data.pKa.begin() + data.pairCount};
}

// The independent solver's pH every `step` mL from 0 to 25 mL, plus a noise uniform within
// ±noise that is the same at every run.
std::vector<MeasuredPoint> measured(const Titration& t, double step, double noise) {
    std::mt19937 random(2024);
    std::uniform_real_distribution<double> spread(-noise, noise);
    std::vector<MeasuredPoint> points;
    const int count = static_cast<int>(std::round(25 / step));
    for (int i = 0; i <= count; ++i) {
        const double v = 25.0 * i / count;
        points.push_back(
            testing_points::labPoint(v, std::clamp(titrationPh(t, v) + spread(random), 0.0, 14.0)));
    }
    return points;
}

MonoproticPhModel monoprotic(const Titration& t) {
    return MonoproticPhModel({t.beakerIsAcid, t.beakerVolume, t.waterVolume, t.titrantConcentration});
}

MixturePhModel general(const char* species, const Titration& t, int fittedPKa) {
    chemistry::Mixture mixture = mixtureOf(species, t.beakerIsAcid, 0.01);
    mixture.beakerVolume = t.beakerVolume;
    mixture.waterVolume = t.waterVolume;
    mixture.titrantConcentration = t.titrantConcentration;
    return MixturePhModel(mixture, 0, fittedPKa);
}

FitSettings fitting(int pKaCount, std::array<double, 2> given = {7, 7}) {
    FitSettings settings;
    settings.fittedPKaCount = pKaCount;
    settings.pKa = given;
    return settings;
}

struct RecoveryCase {
    const char* why;
    Titration truth;
    std::function<ReadingModel(const Titration&)> model;
    FitSettings settings;  // a fitted pKa starts from nothing the test knows
    double noise;          // pH
    double step = 0.5;     // mL between measurements
};

void PrintTo(const RecoveryCase& c, std::ostream* os) {
    *os << c.why;
}

}  // namespace

class Recovery : public ::testing::TestWithParam<RecoveryCase> {};

// The engines compute in single precision and the test's solver in double: without noise the
// values agree to the engines' grain.
TEST_P(Recovery, FindsTheValuesTheSolverWasGiven) {
    const RecoveryCase& c = GetParam();
    const ReadingModel model = c.model(c.truth);
    auto points = measured(c.truth, c.step, c.noise);
    std::reverse(points.begin(), points.end());  // the points' order does not matter
    const FitResult fit = fitConcentration(points, model, state::phReading(), c.settings);
    ASSERT_TRUE(fit.converged) << c.why << ": " << fit.message;
    const bool noisy = c.noise > 0;
    EXPECT_NEAR(fit.concentration / c.truth.concentration, 1.0, noisy ? 0.02 : 0.002) << c.why;
    std::vector<double> pKa = c.truth.pKa;
    std::sort(pKa.begin(), pKa.end());
    ASSERT_EQ(fit.fittedPKaCount, c.settings.fittedPKaCount);
    for (int k = 0; k < fit.fittedPKaCount; ++k) {
        EXPECT_NEAR(fit.pKa[k], pKa[k], noisy ? 0.06 : 0.01) << c.why << ", pKa " << k + 1;
    }
    // A uniform noise within ±a has a standard deviation of a/√3.
    if (noisy) {
        EXPECT_NEAR(fit.residualDeviation, c.noise / std::sqrt(3.0), 0.2 * c.noise) << c.why;
    } else {
        EXPECT_LT(fit.residualDeviation, 0.005) << c.why;
    }
    EXPECT_TRUE(fit.describesPoints());
    EXPECT_EQ(fit.pointCount, static_cast<int>(points.size()));
    // Kept for the values' uncertainty: the residuals at the result, point by point, and JᵀJ.
    ASSERT_EQ(fit.residuals.size(), points.size());
    ModelParameters at{fit.concentration, fit.pKa};
    for (const std::size_t i : {std::size_t{0}, points.size() / 2, points.size() - 1}) {
        EXPECT_NEAR(fit.residuals[i], *model(points[i].volume, at) - testing_points::pHOf(points[i]), 1e-9)
            << c.why;
    }
    ASSERT_EQ(fit.normalMatrix.size(), 1 + fit.fittedPKaCount);
    EXPECT_GT(fit.normalMatrix(0, 0), 0);
    EXPECT_TRUE(fit.uncertaintyKnown()) << c.why;
    ASSERT_GE(fit.curve.size(), 100u);
    EXPECT_EQ(fit.curve.front().volume, 0);
    EXPECT_EQ(fit.curve.back().volume, 25);
    for (std::size_t i = 1; i < fit.curve.size(); ++i) {
        ASSERT_GT(fit.curve[i].volume, fit.curve[i - 1].volume) << c.why;
    }
}

INSTANTIATE_TEST_SUITE_P(
    ConcentrationFit, Recovery,
    ::testing::Values(
        RecoveryCase{"ethanoic acid, 20 mL against soda at 0,01",
                     {true, {4.75}, 0.0123},
                     monoprotic,
                     fitting(0, {4.75}),
                     0.03},
        RecoveryCase{
            "ethanoic acid without noise", {true, {4.75}, 0.0123}, monoprotic, fitting(0, {4.75}), 0},
        RecoveryCase{"hydrochloric acid diluted with water",
                     {true, {0}, 0.0123, 10, 20},
                     monoprotic,
                     fitting(0, {0}),
                     0.03},
        RecoveryCase{"ammonia against hydrochloric acid, every millilitre",
                     {false, {9.2}, 0.0123},
                     monoprotic,
                     fitting(0, {9.2}),
                     0.03,
                     1.0},
        RecoveryCase{"a free acid and its pKa", {true, {4.2}, 0.0123}, monoprotic, fitting(1), 0.03},
        RecoveryCase{"a free base and its pKa", {false, {8.6}, 0.0123}, monoprotic, fitting(1), 0.03},
        RecoveryCase{"a free acid from 10 001 logged points",
                     {true, {4.2}, 0.0123},
                     monoprotic,
                     fitting(1),
                     0.03,
                     0.0025},
        RecoveryCase{"phosphoric acid through the general solver",
                     {true, tablePKa("acide phosphorique"), 0.0052},
                     [](const Titration& t) { return general("acide phosphorique", t, 0); },
                     fitting(0),
                     0.03},
        RecoveryCase{"a free diacid and its two pKa",
                     {true, {3.5, 8.5}, 0.005},
                     [](const Titration& t) { return general("autre diacide", t, 2); },
                     fitting(2),
                     0.03},
        RecoveryCase{"a free diacid without noise",
                     {true, {8.5, 3.5}, 0.005},
                     [](const Titration& t) { return general("autre diacide", t, 2); },
                     fitting(2),
                     0},
        RecoveryCase{"a free dibase and its two pKa",
                     {false, {4.0, 9.0}, 0.005},
                     [](const Titration& t) { return general("autre dibase", t, 2); },
                     fitting(2),
                     0.03}));

struct RefusedFitCase {
    const char* why;
    std::vector<testing_points::PhPoint> points;
    ReadingModel model;
    std::string message;
    FitSettings settings = {};
};

void PrintTo(const RefusedFitCase& c, std::ostream* os) {
    *os << c.why;
}

class RefusedFits : public ::testing::TestWithParam<RefusedFitCase> {};

TEST_P(RefusedFits, SayWhyAndGiveNoValue) {
    const RefusedFitCase& c = GetParam();
    const FitResult fit =
        fitConcentration(testing_points::labPoints(c.points), c.model, state::phReading(), c.settings);
    EXPECT_FALSE(fit.converged) << c.why;
    EXPECT_EQ(fit.message, c.message) << c.why;
    EXPECT_EQ(describeFit(fit), c.message) << c.why;
    EXPECT_EQ(fit.concentration, 0) << c.why;
    EXPECT_TRUE(fit.curve.empty()) << c.why;
}

namespace {

const Titration kEthanoic{true, {4.75}, 0.008};
const Titration kDiacid{true, {3.5, 8.5}, 0.005};  // equivalences at 10 and 20 mL

// The solver's points at the volumes given.
std::vector<testing_points::PhPoint> at(const Titration& t, std::vector<double> volumes) {
    std::vector<testing_points::PhPoint> points;
    for (const double v : volumes) points.push_back({v, titrationPh(t, v)});
    return points;
}

ReadingModel withPKa(double pKa) {
    return [pKa](double v, const ModelParameters& p) {
        return MonoproticPhModel({true, 20, 0, 0.01})(v, {p.concentration, {pKa, 7}});
    };
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(
    ConcentrationFit, RefusedFits,
    ::testing::Values(
        RefusedFitCase{"three points", at(kEthanoic, {0, 10, 20}), withPKa(4.75),
                       "Il faut au moins 5 mesures pour ajuster la concentration ; il y en a 3."},
        RefusedFitCase{
            "six measurements all at 0 mL for c₂ and the pKa",
            {{0, 3.38}, {0, 3.40}, {0, 3.41}, {0, 3.39}, {0, 3.42}, {0, 3.40}},
            monoprotic(kEthanoic),
            "L'ajustement est impossible : les mesures ne sont prises qu'à un seul volume ; ajuster c₂ "
            "et le pKa en demande au moins 4, et les mesures doivent couvrir l'équivalence.",
            fitting(1)},
        RefusedFitCase{"three volumes for a diacid's three values", at(kDiacid, {0, 0, 5, 5, 15, 15}),
                       general("autre diacide", kDiacid, 2),
                       "L'ajustement est impossible : les mesures ne sont prises qu'à 3 volumes différents ; "
                       "ajuster c₂, le pKa₁ et le pKa₂ en demande au moins 5, et les mesures doivent couvrir "
                       "l'équivalence.",
                       fitting(2)},
        RefusedFitCase{"a model that computes nothing", at(kEthanoic, {0, 5, 10, 15, 20, 25}),
                       [](double, const ModelParameters&) { return std::optional<double>(); },
                       "L'ajustement est impossible : aucune courbe calculée ne passe par ces mesures."},
        RefusedFitCase{
            "a beaker more concentrated than the panel allows", at({true, {0}, 0.5}, {0, 5, 10, 15, 20, 25}),
            withPKa(0),
            "L'ajustement n'a pas convergé : la concentration qui conviendrait sort des limites (de "
            "10⁻⁸ à 0,1 mol · L-1)."},
        RefusedFitCase{
            "a pKa the points past the equivalence do not show", at(kEthanoic, {20, 21, 22, 23, 24, 25}),
            monoprotic(kEthanoic),
            "L'ajustement est impossible : le pKa n'est pas déterminé par ces points ; les mesures "
            "doivent couvrir la demi-équivalence.",
            fitting(1)},
        RefusedFitCase{
            "a diacid's second pKa before the first equivalence", at(kDiacid, {0, 1, 2, 3, 4, 5, 6, 7, 8}),
            general("autre diacide", kDiacid, 2),
            "L'ajustement est impossible : le pKa₂ n'est pas déterminé par ces points ; les mesures "
            "doivent couvrir les deux demi-équivalences.",
            fitting(2)}));

TEST(ConcentrationFit, StopsWhenAskedAndSaysSo) {
    const auto points = measured(kEthanoic, 0.0025, 0.03);
    std::stop_source stop;
    stop.request_stop();
    const FitResult fit =
        fitConcentration(points, monoprotic(kEthanoic), state::phReading(), fitting(1), stop.get_token());
    EXPECT_FALSE(fit.converged);
    EXPECT_EQ(fit.message, "Ajustement annulé.");
}

TEST(FitModels, TheMonoproticModelIsThePhMeterOfTheBench) {
    struct Setup {
        bool acid;
        int species;
        const char* concentration;
        const char* volume;
        const char* water;
        const char* titrant;
    };
    const Setup setups[] = {{true, 4, "0,0123", "20,0", "0,0", "0,01"},
                            {true, 2, "0,05", "10", "15,5", "0,1"},
                            {false, 1, "0,0123", "20", "0", "0,01"},
                            {false, 6, "0,0123", "20", "0", "0,01"},
                            {false, 8, "0,002", "25", "30", "0,005"}};
    chemistry::SpeciesCatalogue catalogue;
    for (const Setup& s : setups) {
        const MonoproticPhModel model({s.acid, *numbers::readTypedNumber(s.volume),
                                       *numbers::readTypedNumber(s.water),
                                       *numbers::readTypedNumber(s.titrant)});
        for (const char* poured : {"0,0", "0,1", "7,5", "12,3", "20", "25"}) {
            chemistry::SolutionSpec solution;
            solution.beakerIsAcid = s.acid;
            solution.speciesIndex = s.species;
            solution.beakerConcentration = s.concentration;
            solution.beakerVolume = s.volume;
            solution.waterVolume = s.water;
            solution.titrantConcentration = s.titrant;
            solution.pouredVolume = poured;
            chemistry::EngineState state;
            const float expected = chemistry::computeCurrentPoint(solution, catalogue, state);
            const auto pH = model(*numbers::readTypedNumber(poured),
                                  {*numbers::readTypedNumber(s.concentration),
                                   {catalogue.speciesPKa(s.acid, s.species, *solution.otherPKa.value()), 7}});
            ASSERT_TRUE(pH);
            EXPECT_EQ(*pH, expected) << s.species << (s.acid ? " acid" : " base") << " at " << poured
                                     << " mL";
        }
    }
}

TEST(FitModels, TheGeneralModelAgreesWithTheMonoproticOneOnAFreeSolute) {
    for (const bool acid : {true, false}) {
        const MonoproticPhModel monoprotic({acid, 20, 5, 0.02});
        chemistry::Mixture mixture = mixtureOf(acid ? "autre acide" : "autre base", acid, 0.01);
        mixture.waterVolume = 5;
        mixture.titrantConcentration = 0.02;
        const MixturePhModel general(mixture, 0, 1);
        for (const double c : {0.004, 0.0123}) {
            for (const double pKa : {3.5, 9.0}) {
                for (const double v : {0.0, 2.0, 12.0, 24.0}) {
                    const ModelParameters p{c, {pKa, 7}};
                    EXPECT_NEAR(*general(v, p), *monoprotic(v, p), 0.005)
                        << (acid ? "acid" : "base") << " c=" << c << " pKa=" << pKa << " V=" << v;
                }
            }
        }
    }
}

TEST(FitDescription, WritesTheValuesAsThePupilReadsThem) {
    struct Case {
        double concentration;
        int fittedPKaCount;
        std::array<double, 2> pKa;
        double deviation;
        const char* text;
    };
    const Case cases[] = {
        {0.012345,
         0,
         {7, 7},
         0.0312,
         "c₂ ajustée = 1,23 × 10⁻² mol · L-1 (incertitude non calculable ; écart type des résidus 0,03)"},
        {1.5e-8,
         1,
         {4.756, 7},
         0.0312,
         "c₂ ajustée = 1,50 × 10⁻⁸ mol · L-1 et pKa ajusté = 4,76 (incertitude non calculable ; écart type "
         "des résidus 0,03)"},
        {0.005,
         2,
         {3.504, 8.496},
         0.02,
         "c₂ ajustée = 5,00 × 10⁻³ mol · L-1, pKa₁ ajusté = 3,50 et pKa₂ ajusté = 8,50 (incertitude non "
         "calculable ; écart type des résidus 0,02)"},
        {0.0123,
         0,
         {7, 7},
         0.35,
         "Le modèle ne décrit pas ces mesures : l'écart type des résidus dépasse 0,1 pH. c₂ ajustée = 1,23 × "
         "10⁻² mol · L-1 (incertitude non calculable ; écart type des résidus 0,35)"},
    };
    for (const Case& c : cases) {
        FitResult fit;
        fit.converged = true;
        fit.concentration = c.concentration;
        fit.fittedPKaCount = c.fittedPKaCount;
        fit.pKa = c.pKa;
        fit.residualDeviation = c.deviation;
        EXPECT_EQ(describeFit(fit), c.text);
    }
}

// The ± is the 95 % half-width, rounded to one significant digit (two when the first is a 1), the
// value to the same decimal place and in the same power of ten.
TEST(FitDescription, WritesEachValueWithItsInterval) {
    struct Case {
        double concentration;
        double concentrationHalfWidth;
        std::vector<double> pKa;  // and their half-widths, in pairs
        const char* text;
    };
    const Case cases[] = {
        {0.012345, 0.00021, {}, "c₂ ajustée = (1,23 ± 0,02) × 10⁻² mol · L-1"},
        {0.012347, 0.000145, {}, "c₂ ajustée = (1,235 ± 0,015) × 10⁻² mol · L-1"},
        {0.0123, 0.000097, {}, "c₂ ajustée = (1,230 ± 0,010) × 10⁻² mol · L-1"},
        {0.0123, 0.034, {}, "c₂ ajustée = (1 ± 3) × 10⁻² mol · L-1"},
        {0.0123, 0.16, {}, "c₂ ajustée = (1 ± 16) × 10⁻² mol · L-1"},
        {0.0123, 0.34, {}, "c₂ ajustée = (0 ± 30) × 10⁻² mol · L-1"},
        {0.00999996, 4e-7, {}, "c₂ ajustée = (1,00000 ± 0,00004) × 10⁻² mol · L-1"},
        {2.04e-8,
         3e-10,
         {4.7563, 0.052},
         "c₂ ajustée = (2,04 ± 0,03) × 10⁻⁸ mol · L-1 et pKa ajusté = 4,76 ± 0,05"},
        {0.005,
         0.00012,
         {3.5043, 0.12, 8.4962, 0.0061},
         "c₂ ajustée = (5,00 ± 0,12) × 10⁻³ mol · L-1, pKa₁ ajusté = 3,50 ± 0,12 et pKa₂ ajusté = 8,496 ± "
         "0,006"},
    };
    for (const Case& c : cases) {
        FitResult fit;
        fit.converged = true;
        fit.concentration = c.concentration;
        fit.concentrationHalfWidth95 = c.concentrationHalfWidth;
        fit.fittedPKaCount = static_cast<int>(c.pKa.size() / 2);
        for (std::size_t k = 0; k < c.pKa.size() / 2; ++k) {
            fit.pKa[k] = c.pKa[2 * k];
            fit.pKaHalfWidth95[k] = c.pKa[2 * k + 1];
        }
        fit.residualDeviation = 0.021;
        EXPECT_EQ(describeFit(fit),
                  c.text + std::string(" (intervalle à 95 % ; écart type des résidus 0,02)"));
    }
}

TEST(ExampleMeasurements, AVinegarTitrationFitsItsConcentration) {
    std::ifstream file(VIRELTRA_EXAMPLE_MEASUREMENTS, std::ios::binary);
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(file), {}};
    const ReadResult read = readMeasurements(bytes, state::labReadings());
    ASSERT_TRUE(read.ok()) << read.error;
    EXPECT_GE(read.points.size(), 30u);
    // 20 mL of vinegar diluted tenfold, against soda at 0,1 mol · L-1.
    const FitResult fit = fitConcentration(read.points, MonoproticPhModel({true, 20, 0, 0.1}),
                                           state::phReading(), fitting(0, {4.75}));
    ASSERT_TRUE(fit.converged) << fit.message;
    EXPECT_NEAR(fit.concentration, 0.08, 0.005);
    EXPECT_LT(fit.residualDeviation, 0.1);
}

TEST(NormalMatrix, SolvesAndTellsASingularOrBadlyConditionedSystem) {
    constexpr double kInfinite = std::numeric_limits<double>::infinity();
    struct Case {
        const char* why;
        int size;
        std::vector<ParameterVector> rows;  // of J: the matrix is their sum of outer products
        ParameterVector b;
        double damping;
        std::optional<ParameterVector> solution;
        std::optional<ParameterVector> inverseDiagonal;
        double condition;
    };
    const Case cases[] = {
        {"correlated parameters",
         2,
         {{1, 1, 0}, {1, 0, 0}, {0, 1, 0}},
         {3, 3, 0},
         0,
         ParameterVector{1, 1, 0},
         ParameterVector{2.0 / 3, 2.0 / 3, 0},
         3},
        {"units far apart but independent",
         2,
         {{1e-4, 0, 0}, {0, 1e4, 0}},
         {1e-8, 1e8, 0},
         0,
         ParameterVector{1, 1, 0},
         ParameterVector{1e8, 1e-8, 0},
         1},
        {"two parameters that move the points alike",
         2,
         {{1, 2, 0}, {2, 4, 0}},
         {1, 2, 0},
         0,
         std::nullopt,
         std::nullopt,
         kInfinite},
        {"damped with a parameter the points do not feel",
         2,
         {{1, 0, 0}},
         {2, 0, 0},
         1,
         ParameterVector{1, 0, 0},
         std::nullopt,
         kInfinite},
    };
    for (const Case& c : cases) {
        NormalMatrix a(c.size);
        for (const ParameterVector& row : c.rows) a.addRow(row);
        const auto solution = a.solve(c.b, c.damping);
        ASSERT_EQ(solution.has_value(), c.solution.has_value()) << c.why;
        const auto inverse = a.inverseDiagonal();
        ASSERT_EQ(inverse.has_value(), c.inverseDiagonal.has_value()) << c.why;
        for (int k = 0; k < c.size; ++k) {
            if (solution) {
                EXPECT_NEAR((*solution)[k], (*c.solution)[k], 1e-12) << c.why;
            }
            if (inverse) {
                EXPECT_NEAR((*inverse)[k] / (*c.inverseDiagonal)[k], 1, 1e-12) << c.why;
            }
        }
        if (std::isfinite(c.condition)) {
            EXPECT_NEAR(a.scaledCondition(), c.condition, 1e-9) << c.why;
        } else {
            EXPECT_EQ(a.scaledCondition(), kInfinite) << c.why;
        }
    }
}

namespace {

struct ConductivityCase {
    const char* why;
    const char* species;
    bool acid;
    int index;             // in the list of its nature
    double concentration;  // the truth, mol · L-1
};

void PrintTo(const ConductivityCase& c, std::ostream* os) {
    *os << c.why;
}

class ConductivityRecovery : public ::testing::TestWithParam<ConductivityCase> {};

}  // namespace

// σ measured on the beaker the test's own charge balance describes, with a noise of a few
// thousandths of mS/cm, and no pH at all: the fit reads the conductimeter's column.
TEST_P(ConductivityRecovery, FindsTheConcentrationFromSigmaAlone) {
    const ConductivityCase& c = GetParam();
    const reference::Beaker beaker{{{c.species, c.concentration}}, 0.01, 20};
    std::mt19937 random(7);
    std::uniform_real_distribution<double> noise(-0.004, 0.004);
    std::vector<MeasuredPoint> points;
    for (int i = 0; i <= 50; ++i) {
        const double v = i * 0.5;
        MeasuredPoint point;
        point.volume = v;
        point.set(state::conductivityReading().slot,
                  static_cast<double>(reference::solve(beaker, v).conductivity) + noise(random));
        points.push_back(point);
    }
    chemistry::SolutionSpec panel;  // at the panel's 0,01 mol · L-1: the fit looks for c₂
    panel.beakerIsAcid = c.acid;
    panel.speciesIndex = c.index;
    const std::shared_ptr<const chemistry::TitrationModel> model =
        chemistry::makeTitrationModel(panel, chemistry::SpeciesCatalogue());
    const FitResult fit = fitConcentration(points, TitrationFitModel(model, chemistry::kConductivityMeter),
                                           state::conductivityReading(), fitting(0));
    ASSERT_TRUE(fit.converged) << c.why << ": " << fit.message;
    EXPECT_NEAR(fit.concentration / c.concentration, 1.0, 0.01) << c.why;
    EXPECT_EQ(fit.meter, "sigma");
    EXPECT_TRUE(fit.describesPoints()) << c.why;
    EXPECT_LT(fit.residualDeviation, 0.004) << c.why;
}

INSTANTIATE_TEST_SUITE_P(Conductimeter, ConductivityRecovery,
                         ::testing::Values(ConductivityCase{"WeakAcid", "acide éthanoïque", true, 4, 0.012},
                                           ConductivityCase{"WeakBase", "ammoniac", false, 1, 0.009},
                                           ConductivityCase{"Triacid", "acide phosphorique", true, 15,
                                                            0.0045}),
                         [](const auto& info) { return std::string(info.param.why); });
