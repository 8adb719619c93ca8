#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "measurements/concentrationfit.h"
#include "measurements/fitmodels.h"
#include "measurements/studentquantile.h"
#include "tests/chargebalance.h"
#include "tests/labpoints.h"

using namespace measurements;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// c₂ = 0,0123 fitted from one point a row of derivatives in `j`, with a residual deviation of s.
FitResult fittedFrom(const std::vector<ParameterVector>& j, double s, int pKaCount) {
    FitResult result;
    result.converged = true;
    result.concentration = 0.0123;
    result.fittedPKaCount = pKaCount;
    result.residualDeviation = s;
    result.pointCount = static_cast<int>(j.size());
    result.normalMatrix = NormalMatrix(1 + pKaCount);
    for (const ParameterVector& row : j) result.normalMatrix.addRow(row);
    return result;
}

const std::vector<ParameterVector> kFivePoints{{0.1, 0.9}, {0.4, 0.7}, {2.0, -0.3}, {1.5, 0.1}, {0.2, 1.0}};

}  // namespace

TEST(StudentQuantile, AgreesWithThePrintedTables) {
    struct Case {
        double probability;
        int degrees;
        double t;  // three decimals, as printed
    };
    const Case cases[] = {{0.975, 1, 12.706}, {0.975, 4, 2.776},   {0.975, 10, 2.228},
                          {0.975, 30, 2.042}, {0.975, 120, 1.980}, {0.975, 5000000, 1.960},
                          {0.995, 3, 5.841},  {0.025, 4, -2.776}};
    for (const Case& c : cases) {
        const auto t = studentQuantile(c.probability, c.degrees);
        ASSERT_TRUE(t) << c.probability << ", " << c.degrees;
        EXPECT_NEAR(*t, c.t, 0.0006) << c.probability << ", " << c.degrees;
    }
    for (const auto& [probability, degrees] : {std::pair{0.975, 0}, {0.0, 5}, {1.0, 5}, {kNaN, 5}})
        EXPECT_FALSE(studentQuantile(probability, degrees)) << probability << ", " << degrees;
}

// One parameter: u(log10 c₂) = s / √ΣJ², u(c₂) = c₂ · ln 10 · u(log10 c₂), and t(0,975; 4) = 2,776.
TEST(FitUncertainty, TakesTheResidualsOrTheMetersSpreadWhicheverIsLarger) {
    struct Case {
        const char* why;
        double residuals;
        double meter;
        double used;
    };
    const Case cases[] = {{"residuals wider than the meter reads", 0.02, 0.0115, 0.02},
                          {"points closer to the curve than the meter reads", 0.004, 0.0115, 0.0115},
                          {"points read off the curve itself", 0, 0.0115, 0.0115}};
    double sum = 0;
    for (const ParameterVector& row : kFivePoints) sum += row[0] * row[0];
    for (const Case& c : cases) {
        FitResult result = fittedFrom(kFivePoints, c.residuals, 0);
        estimateUncertainties(result, c.meter);
        ASSERT_TRUE(result.uncertaintyKnown()) << c.why;
        const double u = 0.0123 * std::log(10.0) * c.used / std::sqrt(sum);
        EXPECT_NEAR(*result.concentrationStandardError / u, 1, 1e-9) << c.why;
        EXPECT_NEAR(*result.concentrationHalfWidth95 / (2.776 * u), 1, 2e-4) << c.why;
    }
}

TEST(FitUncertainty, IsLeftUnknownWhenThePointsCannotGiveIt) {
    struct Case {
        const char* why;
        FitResult result;
    };
    FitResult fewPoints = fittedFrom(kFivePoints, 0.02, 1);
    fewPoints.pointCount = 2;
    const Case cases[] = {
        {"no more points than values", fewPoints},
        {"a pKa no point feels", fittedFrom({{0.1, 0}, {0.4, 0}, {2.0, 0}, {1.5, 0}, {0.2, 0}}, 0.02, 1)},
        {"residuals all zero", fittedFrom(kFivePoints, 0, 1)},
        {"a deviation that is not a number", fittedFrom(kFivePoints, kNaN, 1)},
    };
    for (Case c : cases) {
        c.result.concentrationHalfWidth95 = 1;  // a previous estimate's, cleared too
        estimateUncertainties(c.result);
        EXPECT_FALSE(c.result.concentrationStandardError || c.result.concentrationHalfWidth95) << c.why;
        EXPECT_FALSE(c.result.pKaStandardError[0] || c.result.pKaHalfWidth95[0]) << c.why;
        const std::string text = describeFit(c.result);
        EXPECT_NE(text.find("(incertitude non calculable ; "), std::string::npos) << c.why << ": " << text;
        EXPECT_EQ(text.find("±"), std::string::npos) << c.why << ": " << text;
    }
}

namespace {

struct RepeatedCase {
    const char* why;
    testing_support::Titration truth;
    int fittedPKaCount;
};

void PrintTo(const RepeatedCase& c, std::ostream* os) {
    *os << c.why;
}

// What the fits over many datasets gave, against what each said of itself.
struct Tally {
    std::vector<double> values;
    double standardErrors = 0;
    int covered = 0;

    void add(double value, double standardError, double halfWidth, double truth) {
        values.push_back(value);
        standardErrors += standardError;
        covered += std::abs(value - truth) <= halfWidth ? 1 : 0;
    }
    void expectHonest(const std::string& why) const {
        const double n = static_cast<double>(values.size());
        double mean = 0, squares = 0;
        for (const double v : values) mean += v / n;
        for (const double v : values) squares += (v - mean) * (v - mean);
        EXPECT_NEAR(standardErrors / n / std::sqrt(squares / (n - 1)), 1, 0.1) << why;
        EXPECT_GE(covered / n, 0.90) << why;
        EXPECT_LE(covered / n, 0.98) << why;
    }
};

}  // namespace

class RepeatedMeasurements : public ::testing::TestWithParam<RepeatedCase> {};

// 200 datasets of 30 points: the independent solver's pH with a normal noise of 0,02. The standard
// error a fit gives is the spread of the fitted values, and 95 % of the intervals hold the truth.
TEST_P(RepeatedMeasurements, GiveTheSpreadAndCoverageTheirUncertaintySays) {
    const RepeatedCase& c = GetParam();
    const MonoproticPhModel model(
        {c.truth.beakerIsAcid, c.truth.beakerVolume, c.truth.waterVolume, c.truth.titrantConcentration});
    FitSettings settings;
    settings.fittedPKaCount = c.fittedPKaCount;
    settings.pKa = {c.truth.pKa[0], 7};
    // Narrower than the panel's range, about the truth: the same minimum, scanned for sooner.
    settings.minConcentration = 1e-4;
    settings.minPKa = 1;
    settings.maxPKa = 8;
    std::mt19937 random(20261210);
    std::normal_distribution<double> noise(0, 0.02);
    Tally concentration, pKa;
    for (int set = 0; set < 200; ++set) {
        std::vector<MeasuredPoint> points;
        for (int i = 0; i < 30; ++i) {
            const double v = 25.0 * i / 29;
            points.push_back(
                testing_points::labPoint(v, testing_support::titrationPh(c.truth, v) + noise(random)));
        }
        const FitResult fit = fitConcentration(points, model, state::phReading(), settings);
        ASSERT_TRUE(fit.converged && fit.uncertaintyKnown())
            << c.why << ", set " << set << ": " << fit.message;
        concentration.add(fit.concentration, *fit.concentrationStandardError, *fit.concentrationHalfWidth95,
                          c.truth.concentration);
        if (c.fittedPKaCount == 1)
            pKa.add(fit.pKa[0], *fit.pKaStandardError[0], *fit.pKaHalfWidth95[0], c.truth.pKa[0]);
    }
    concentration.expectHonest(std::string(c.why) + ", c₂");
    if (c.fittedPKaCount == 1) pKa.expectHonest(std::string(c.why) + ", pKa");
}

INSTANTIATE_TEST_SUITE_P(
    FitUncertainty, RepeatedMeasurements,
    ::testing::Values(RepeatedCase{"hydrochloric acid against soda", {true, {0}, 0.008}, 0},
                      RepeatedCase{"ammonia against hydrochloric acid", {false, {9.2}, 0.008}, 0},
                      RepeatedCase{"a free acid and its pKa", {true, {4.2}, 0.008}, 1}));
