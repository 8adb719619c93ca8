#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "measurements/concentrationfit.h"
#include "measurements/fitmodels.h"
#include "measurements/normalmatrix.h"
#include "measurements/studentquantile.h"
#include "tests/chargebalance.h"
#include "tests/labpoints.h"

using namespace measurements;

namespace {

using testing_support::Titration;
using testing_support::titrationPh;

// Printed tables give three decimals.
constexpr double kTableTolerance = 0.0006;

struct QuantileCase {
    double probability;
    int degrees;
    double t;  // from a table of Student's law
};

}  // namespace

TEST(StudentQuantile, AgreesWithThePrintedTables) {
    const QuantileCase cases[] = {
        {0.975, 1, 12.706}, {0.975, 2, 4.303},   {0.975, 4, 2.776},       {0.975, 10, 2.228},
        {0.975, 30, 2.042}, {0.975, 120, 1.980}, {0.975, 5000000, 1.960}, {0.95, 5, 2.015},
        {0.995, 3, 5.841},  {0.9, 20, 1.325},    {0.025, 4, -2.776},      {0.5, 7, 0},
    };
    for (const QuantileCase& c : cases) {
        const auto t = studentQuantile(c.probability, c.degrees);
        ASSERT_TRUE(t) << c.probability << ", " << c.degrees;
        EXPECT_NEAR(*t, c.t, kTableTolerance) << c.probability << ", " << c.degrees;
    }
}

TEST(StudentQuantile, GivesNothingOutsideItsDomain) {
    const QuantileCase cases[] = {{0.975, 0, 0}, {0.975, -3, 0},
                                  {0, 5, 0},     {1, 5, 0},
                                  {1.5, 5, 0},   {std::numeric_limits<double>::quiet_NaN(), 5, 0}};
    for (const QuantileCase& c : cases) EXPECT_FALSE(studentQuantile(c.probability, c.degrees)) << c.degrees;
}

namespace {

// t(0,975) from the tables, by degrees of freedom.
double tableT(int degrees) {
    switch (degrees) {
        case 3:
            return 3.182;
        case 4:
            return 2.776;
        case 5:
            return 2.571;
        default:
            return std::numeric_limits<double>::quiet_NaN();
    }
}

// The inverse's diagonal by cofactors: apart from the fit's elimination.
std::vector<double> inverseDiagonalByCofactors(const std::vector<std::vector<double>>& a) {
    if (a.size() == 1) return {1 / a[0][0]};
    if (a.size() == 2) {
        const double det = a[0][0] * a[1][1] - a[0][1] * a[1][0];
        return {a[1][1] / det, a[0][0] / det};
    }
    const auto minor = [&](int i, int j, int k, int l) { return a[i][k] * a[j][l] - a[i][l] * a[j][k]; };
    const double det =
        a[0][0] * minor(1, 2, 1, 2) - a[0][1] * minor(1, 2, 0, 2) + a[0][2] * minor(1, 2, 0, 1);
    return {minor(1, 2, 1, 2) / det, minor(0, 2, 0, 2) / det, minor(0, 1, 0, 1) / det};
}

struct CovarianceCase {
    const char* why;
    std::vector<std::vector<double>> rows;  // of J, one a point
    double deviation;
    double concentration;
    double readingDeviation = 0;  // the meter's
    double deviationUsed = 0;     // 0: the residuals'
};

NormalMatrix normalOf(const std::vector<std::vector<double>>& rows, std::size_t size) {
    NormalMatrix a(static_cast<int>(size));
    for (const auto& row : rows) {
        ParameterVector r{};
        for (std::size_t k = 0; k < size; ++k) r[k] = row[k];
        a.addRow(r);
    }
    return a;
}

FitResult resultOf(const CovarianceCase& c) {
    const std::size_t size = c.rows.front().size();
    FitResult result;
    result.converged = true;
    result.concentration = c.concentration;
    result.fittedPKaCount = static_cast<int>(size) - 1;
    result.pKa = {4, 9};
    result.residualDeviation = c.deviation;
    result.pointCount = static_cast<int>(c.rows.size());
    result.normalMatrix = normalOf(c.rows, size);
    return result;
}

}  // namespace

// s²·(JᵀJ)⁻¹, s being the residuals' deviation or the meter's when it is larger.
TEST(FitUncertainty, WidensTheCovarianceByStudentsT) {
    const CovarianceCase cases[] = {
        {"c₂ alone from five points", {{0.1}, {0.4}, {2.0}, {1.5}, {0.2}}, 0.02, 0.0123},
        {"c₂ and a pKa from six points",
         {{0.1, 0.9}, {0.4, 0.7}, {2.0, -0.3}, {1.5, 0.1}, {0.2, 1.0}, {-0.1, 0.5}},
         0.03,
         0.005},
        {"c₂ and two pKa from eight points",
         {{0.1, 0.9, 0.0},
          {0.4, 0.7, 0.1},
          {2.0, -0.3, 0.2},
          {1.5, 0.1, 0.9},
          {0.2, 1.0, 0.3},
          {-0.1, 0.5, 1.1},
          {0.6, 0.0, -0.4},
          {1.1, 0.2, 0.6}},
         0.01,
         2e-4},
        {"residuals wider than the meter's readings",
         {{0.1}, {0.4}, {2.0}, {1.5}, {0.2}},
         0.02,
         0.0123,
         0.0115},
        {"points closer to the curve than the meter reads",
         {{0.1}, {0.4}, {2.0}, {1.5}, {0.2}},
         0.004,
         0.0123,
         0.0115,
         0.0115},
        {"points read off the curve itself",
         {{0.1, 0.9}, {0.4, 0.7}, {2.0, -0.3}, {1.5, 0.1}, {0.2, 1.0}, {-0.1, 0.5}},
         0,
         0.005,
         0.0115,
         0.0115},
    };
    for (const CovarianceCase& c : cases) {
        FitResult result = resultOf(c);
        estimateUncertainties(result, c.readingDeviation);
        const std::size_t size = c.rows.front().size();
        std::vector<std::vector<double>> a(size, std::vector<double>(size, 0.0));
        for (const auto& row : c.rows) {
            for (std::size_t i = 0; i < size; ++i) {
                for (std::size_t j = 0; j < size; ++j) a[i][j] += row[i] * row[j];
            }
        }
        const std::vector<double> inverse = inverseDiagonalByCofactors(a);
        const double t = tableT(static_cast<int>(c.rows.size() - size));
        const double deviation = c.deviationUsed > 0 ? c.deviationUsed : c.deviation;
        const double logError = deviation * std::sqrt(inverse[0]);
        ASSERT_TRUE(result.uncertaintyKnown()) << c.why;
        const double concentrationError = c.concentration * std::log(10.0) * logError;
        EXPECT_NEAR(*result.concentrationStandardError / concentrationError, 1, 1e-9) << c.why;
        EXPECT_NEAR(*result.concentrationHalfWidth95 / (t * concentrationError), 1, 3e-4) << c.why;
        for (std::size_t k = 1; k < size; ++k) {
            const double error = deviation * std::sqrt(inverse[k]);
            EXPECT_NEAR(*result.pKaStandardError[k - 1] / error, 1, 1e-9) << c.why << ", pKa " << k;
            EXPECT_NEAR(*result.pKaHalfWidth95[k - 1] / (t * error), 1, 3e-4) << c.why << ", pKa " << k;
        }
    }
}

TEST(FitUncertainty, IsLeftUnknownWhenThePointsCannotGiveIt) {
    struct Case {
        const char* why;
        CovarianceCase values;
        int pointCount;  // 0: one a row
    };
    const std::vector<std::vector<double>> good{{0.1, 0.9}, {0.4, 0.7}, {2.0, -0.3}, {1.5, 0.1}, {0.2, 1.0}};
    const Case cases[] = {
        {"no more points than values", {"", good, 0.02, 0.01}, 2},
        {"a pKa no point feels", {"", {{0.1, 0}, {0.4, 0}, {2.0, 0}, {1.5, 0}, {0.2, 0}}, 0.02, 0.01}, 0},
        {"two columns alike", {"", {{1, 2}, {2, 4}, {3, 6}, {0.5, 1}, {1, 2}}, 0.02, 0.01}, 0},
        {"residuals all zero", {"", good, 0, 0.01}, 0},
        {"a deviation that is not a number", {"", good, std::numeric_limits<double>::quiet_NaN(), 0.01}, 0},
        {"an infinite concentration", {"", good, 0.02, std::numeric_limits<double>::infinity()}, 0},
    };
    for (const Case& c : cases) {
        FitResult result = resultOf(c.values);
        if (c.pointCount > 0) result.pointCount = c.pointCount;
        // What a previous estimate left is cleared too.
        result.concentrationHalfWidth95 = 1;
        result.pKaHalfWidth95[0] = 1;
        estimateUncertainties(result);
        EXPECT_FALSE(result.uncertaintyKnown()) << c.why;
        EXPECT_FALSE(result.concentrationStandardError || result.concentrationHalfWidth95) << c.why;
        EXPECT_FALSE(result.pKaStandardError[0] || result.pKaHalfWidth95[0]) << c.why;
        const std::string text = describeFit(result);
        EXPECT_NE(text.find("incertitude non calculable"), std::string::npos) << c.why << ": " << text;
        EXPECT_EQ(text.find("±"), std::string::npos) << c.why << ": " << text;
    }
}

namespace {

struct RepeatedCase {
    const char* why;
    Titration truth;
    int fittedPKaCount;
};

void PrintTo(const RepeatedCase& c, std::ostream* os) {
    *os << c.why;
}

constexpr int kDatasets = 200;
constexpr int kPoints = 30;
constexpr double kNoise = 0.02;  // pH, a pH-meter's

// Of the values fitted over the datasets, against what each fit said of itself.
struct Tally {
    std::vector<double> values;
    double standardErrors = 0;
    int covered = 0;

    void add(double value, double standardError, double halfWidth, double truth) {
        values.push_back(value);
        standardErrors += standardError;
        if (std::abs(value - truth) <= halfWidth) ++covered;
    }
    double spread() const {
        double mean = 0;
        for (const double v : values) mean += v;
        mean /= static_cast<double>(values.size());
        double squares = 0;
        for (const double v : values) squares += (v - mean) * (v - mean);
        return std::sqrt(squares / static_cast<double>(values.size() - 1));
    }
    double meanStandardError() const { return standardErrors / static_cast<double>(values.size()); }
    double coverage() const { return covered / static_cast<double>(values.size()); }
};

void expectHonest(const Tally& tally, const char* what, const char* why) {
    ASSERT_EQ(tally.values.size(), static_cast<std::size_t>(kDatasets)) << why;
    EXPECT_NEAR(tally.meanStandardError() / tally.spread(), 1, 0.1) << why << ", " << what;
    EXPECT_GE(tally.coverage(), 0.90) << why << ", " << what;
    EXPECT_LE(tally.coverage(), 0.98) << why << ", " << what;
}

}  // namespace

class RepeatedMeasurements : public ::testing::TestWithParam<RepeatedCase> {};

// Each dataset is the independent solver's curve with a normal noise on the pH; the standard error
// a fit gives is what the fitted value's spread over many such datasets is.
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
    std::normal_distribution<double> noise(0, kNoise);
    std::vector<double> exact;
    for (int i = 0; i < kPoints; ++i) exact.push_back(titrationPh(c.truth, 25.0 * i / (kPoints - 1)));
    Tally concentration;
    Tally pKa;
    for (int set = 0; set < kDatasets; ++set) {
        std::vector<MeasuredPoint> points;
        for (int i = 0; i < kPoints; ++i)
            points.push_back(testing_points::labPoint(25.0 * i / (kPoints - 1), exact[i] + noise(random)));
        const FitResult fit = fitConcentration(points, model, state::phReading(), settings);
        ASSERT_TRUE(fit.converged) << c.why << ", set " << set << ": " << fit.message;
        ASSERT_TRUE(fit.uncertaintyKnown()) << c.why << ", set " << set;
        concentration.add(fit.concentration, *fit.concentrationStandardError, *fit.concentrationHalfWidth95,
                          c.truth.concentration);
        if (c.fittedPKaCount == 1)
            pKa.add(fit.pKa[0], *fit.pKaStandardError[0], *fit.pKaHalfWidth95[0], c.truth.pKa[0]);
    }
    expectHonest(concentration, "c₂", c.why);
    if (c.fittedPKaCount == 1) expectHonest(pKa, "pKa", c.why);
}

INSTANTIATE_TEST_SUITE_P(
    FitUncertainty, RepeatedMeasurements,
    ::testing::Values(RepeatedCase{"hydrochloric acid against soda", {true, {0}, 0.008}, 0},
                      RepeatedCase{"ammonia against hydrochloric acid", {false, {9.2}, 0.008}, 0},
                      RepeatedCase{"a free acid and its pKa", {true, {4.2}, 0.008}, 1}));
