#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "chemistry/catalogue.h"
#include "chemistry/mixture.h"
#include "chemistry/titration.h"
#include "measurements/concentrationfit.h"
#include "measurements/fitmodels.h"
#include "measurements/measurementreader.h"
#include "numbers/decimalreader.h"

using namespace measurements;

namespace {

chemistry::Mixture mixtureOf(const char* species, bool acid, double concentration) {
    chemistry::Mixture mixture;
    mixture.beakerIsAcid = acid;
    mixture.solutes[0] = chemistry::soluteOf(*chemistry::findSpecies(species), concentration);
    return mixture;
}

// Points computed by a model at every `step` mL, plus a noise of ±0,03 pH that is the same at
// every run.
std::vector<MeasuredPoint> measuredWithNoise(const PhModel& model, double c, double pKa, double step) {
    std::mt19937 random(2024);
    std::vector<MeasuredPoint> points;
    for (double v = 0; v <= 25 + 1e-9; v += step) {
        const double noise = (static_cast<int>(random() % 6001) - 3000) / 100000.0;
        points.push_back({v, std::clamp(*model(v, c, pKa) + noise, 0.0, 14.0)});
    }
    return points;
}

struct RecoveryCase {
    const char* why;
    std::function<PhModel()> model;
    double concentration;
    double pKa;
    bool fitPKa;
    double step = 0.5;  // mL between measurements
};

void PrintTo(const RecoveryCase& c, std::ostream* os) {
    *os << c.why;
}

}  // namespace

class Recovery : public ::testing::TestWithParam<RecoveryCase> {};

TEST_P(Recovery, FindsTheConcentrationWithinTwoPercentThroughNoise) {
    const RecoveryCase& c = GetParam();
    const PhModel model = c.model();
    const auto points = measuredWithNoise(model, c.concentration, c.pKa, c.step);
    FitSettings settings;
    settings.fitPKa = c.fitPKa;
    settings.pKa = c.fitPKa ? 7.0 : c.pKa;  // a fitted pKa starts from nothing the test knows
    const FitResult fit = fitConcentration(points, model, settings);
    ASSERT_TRUE(fit.converged) << c.why << ": " << fit.message;
    EXPECT_NEAR(fit.concentration / c.concentration, 1.0, 0.02) << c.why;
    if (c.fitPKa) {
        EXPECT_NEAR(fit.pKa, c.pKa, 0.05) << c.why;
    }
    // A uniform noise of ±0,03 has a standard deviation of 0,017.
    EXPECT_GT(fit.residualDeviation, 0.012) << c.why;
    EXPECT_LT(fit.residualDeviation, 0.022) << c.why;
    EXPECT_EQ(fit.pointCount, static_cast<int>(points.size()));
    ASSERT_GE(fit.curve.size(), 100u);
    EXPECT_EQ(fit.curve.front().volume, 0);
    EXPECT_EQ(fit.curve.back().volume, 25);
    for (std::size_t i = 1; i < fit.curve.size(); ++i) {
        ASSERT_GT(fit.curve[i].volume, fit.curve[i - 1].volume) << c.why;
    }
}

INSTANTIATE_TEST_SUITE_P(
    ConcentrationFit, Recovery,
    ::testing::Values(RecoveryCase{"ethanoic acid, 20 mL against soda at 0,01",
                                   [] {
                                       return MonoproticPhModel({true, 20, 0, 0.01});
                                   },
                                   0.0123, 4.75, false},
                      RecoveryCase{"hydrochloric acid diluted with water",
                                   [] {
                                       return MonoproticPhModel({true, 10, 20, 0.01});
                                   },
                                   0.0123, 0, false},
                      RecoveryCase{"ammonia against hydrochloric acid, every millilitre",
                                   [] {
                                       return MonoproticPhModel({false, 20, 0, 0.01});
                                   },
                                   0.0123, 9.2, false, 1.0},
                      RecoveryCase{"a free acid and its pKa",
                                   [] {
                                       return MonoproticPhModel({true, 20, 0, 0.01});
                                   },
                                   0.0123, 4.2, true},
                      RecoveryCase{"a free base and its pKa",
                                   [] {
                                       return MonoproticPhModel({false, 20, 0, 0.01});
                                   },
                                   0.0123, 8.6, true},
                      RecoveryCase{"phosphoric acid through the general solver",
                                   [] { return MixturePhModel(mixtureOf("acide phosphorique", true, 0.01)); },
                                   0.0052, 0, false},
                      RecoveryCase{"a free acid's pKa through the general solver",
                                   [] { return MixturePhModel(mixtureOf("autre acide", true, 0.01), 0, 0); },
                                   0.0123, 4.2, true}));

struct RefusedFitCase {
    const char* why;
    std::vector<MeasuredPoint> points;
    PhModel model;
    std::string message;
    FitSettings settings = {};
};

void PrintTo(const RefusedFitCase& c, std::ostream* os) {
    *os << c.why;
}

class RefusedFits : public ::testing::TestWithParam<RefusedFitCase> {};

TEST_P(RefusedFits, SayWhyAndGiveNoValue) {
    const RefusedFitCase& c = GetParam();
    const FitResult fit = fitConcentration(c.points, c.model, c.settings);
    EXPECT_FALSE(fit.converged) << c.why;
    EXPECT_EQ(fit.message, c.message) << c.why;
    EXPECT_EQ(describeFit(fit), c.message) << c.why;
    EXPECT_EQ(fit.concentration, 0) << c.why;
    EXPECT_TRUE(fit.curve.empty()) << c.why;
}

namespace {

const PhModel kEthanoic = [](double v, double c, double) {
    return MonoproticPhModel({true, 20, 0, 0.01})(v, c, 4.75);
};

// Ethanoic acid well past its equivalence, where the pH no longer depends on the pKa.
std::vector<MeasuredPoint> pastTheEquivalence() {
    std::vector<MeasuredPoint> points;
    for (int v = 20; v <= 25; ++v) points.push_back({double(v), *kEthanoic(v, 0.008, 0)});
    return points;
}

std::vector<MeasuredPoint> hydrochloricAt(double c) {
    std::vector<MeasuredPoint> points;
    for (int v = 0; v <= 25; v += 5)
        points.push_back({double(v), *MonoproticPhModel({true, 20, 0, 0.01})(v, c, 0)});
    return points;
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(
    ConcentrationFit, RefusedFits,
    ::testing::Values(
        RefusedFitCase{"three points",
                       {{0, 3.4}, {10, 4.7}, {20, 8.2}},
                       kEthanoic,
                       "Il faut au moins 5 mesures pour ajuster la concentration ; il y en a 3."},
        RefusedFitCase{"a model that computes nothing", hydrochloricAt(0.01),
                       [](double, double, double) { return std::optional<double>(); },
                       "L'ajustement est impossible : aucune courbe calculée ne passe par ces mesures."},
        RefusedFitCase{
            "a beaker more concentrated than the panel allows", hydrochloricAt(0.5),
            [](double v, double c, double) {
                return MonoproticPhModel({true, 20, 0, 0.01})(v, c, 0);
            },
            "L'ajustement n'a pas convergé : la concentration qui conviendrait sort des limites (de "
            "10⁻⁸ à 0,1 mol · L-1)."},
        RefusedFitCase{
            "a pKa the measurements do not show",
            pastTheEquivalence(),
            [](double v, double c, double pKa) {
                return MonoproticPhModel({true, 20, 0, 0.01})(v, c, pKa);
            },
            "L'ajustement n'a pas convergé : le pKa qui conviendrait sort des limites (de 0 à 14).",
            {true, 7}}));

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
            const auto pH =
                model(*numbers::readTypedNumber(poured), *numbers::readTypedNumber(s.concentration),
                      catalogue.speciesPKa(s.acid, s.species, *solution.otherPKa.value()));
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
        const MixturePhModel general(mixture, 0, 0);
        for (const double c : {0.004, 0.0123}) {
            for (const double pKa : {3.5, 9.0}) {
                for (const double v : {0.0, 2.0, 12.0, 24.0}) {
                    EXPECT_NEAR(*general(v, c, pKa), *monoprotic(v, c, pKa), 0.005)
                        << (acid ? "acid" : "base") << " c=" << c << " pKa=" << pKa << " V=" << v;
                }
            }
        }
    }
}

TEST(FitDescription, WritesTheValueAsThePupilReadsIt) {
    FitResult fit;
    fit.converged = true;
    fit.concentration = 0.012345;
    fit.residualDeviation = 0.0312;
    EXPECT_EQ(describeFit(fit), "c₂ ajustée = 1,23 × 10⁻² mol · L-1 (écart type des résidus 0,03)");
    fit.concentration = 1.5e-8;
    fit.pKa = 4.756;
    fit.pKaFitted = true;
    EXPECT_EQ(describeFit(fit),
              "c₂ ajustée = 1,50 × 10⁻⁸ mol · L-1 et pKa ajusté = 4,76 (écart type des résidus 0,03)");
}

TEST(ExampleMeasurements, AVinegarTitrationFitsItsConcentration) {
    std::ifstream file(VIRELTRA_EXAMPLE_MEASUREMENTS, std::ios::binary);
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(file), {}};
    const ReadResult read = readMeasurements(bytes);
    ASSERT_TRUE(read.ok()) << read.error;
    EXPECT_GE(read.points.size(), 30u);
    // 20 mL of vinegar diluted tenfold, against soda at 0,1 mol · L-1.
    const FitResult fit = fitConcentration(read.points, MonoproticPhModel({true, 20, 0, 0.1}), {false, 4.75});
    ASSERT_TRUE(fit.converged) << fit.message;
    EXPECT_NEAR(fit.concentration, 0.08, 0.005);
    EXPECT_LT(fit.residualDeviation, 0.1);
}
