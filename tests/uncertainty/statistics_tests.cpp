// The statistics of repeated results and the propagation formula against closed computations:
// sets whose mean and spread are known, Student's t from the tables, and the propagation formula
// against the uncertainties propagated by finite differences of c = c_B·V_E·d/V₀.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "uncertainty/propagation.h"
#include "uncertainty/statistics.h"

namespace {

struct SummaryCase {
    const char* why;
    std::vector<double> values;
    double mean;
    double deviation;
    double t;  // Student's t(0,975; n − 1) from the tables
};

TEST(Statistics, SummaryOfKnownSets) {
    const SummaryCase cases[] = {
        {"five integers", {1, 2, 3, 4, 5}, 3, std::sqrt(2.5), 2.7764},
        {"two values, the widest t", {0, 2}, 1, std::sqrt(2.0), 12.706},
        {"a spread tiny beside the mean", {1e9 + 1, 1e9 + 2, 1e9 + 3}, 1e9 + 2, 1, 4.3027},
        {"burette readings",
         {12.45, 12.50, 12.40, 12.55, 12.45, 12.50},
         12.475,
         std::sqrt(0.01375 / 5),
         2.5706},
    };
    for (const SummaryCase& c : cases) {
        SCOPED_TRACE(c.why);
        const auto s = uncertainty::summarize(c.values);
        ASSERT_TRUE(s.has_value());
        const double n = static_cast<double>(c.values.size());
        EXPECT_EQ(s->count, static_cast<int>(c.values.size()));
        EXPECT_NEAR(s->mean, c.mean, 1e-9 * std::abs(c.mean));
        EXPECT_NEAR(s->standardDeviation, c.deviation, 1e-6 * c.deviation);
        EXPECT_NEAR(s->standardUncertainty, c.deviation / std::sqrt(n), 1e-6 * c.deviation);
        EXPECT_NEAR(s->halfWidth95, c.t * c.deviation / std::sqrt(n), 1e-4 * c.t * c.deviation);
    }
}

TEST(Statistics, NoSummaryWithoutTwoFiniteValues) {
    const std::vector<std::vector<double>> refused = {{}, {1}, {1, NAN}, {1, INFINITY, 2}};
    for (const auto& values : refused) EXPECT_FALSE(uncertainty::summarize(values).has_value());
}

TEST(Statistics, QuantilesOfAnEvenlySpacedSet) {
    // a + k·d for k = 0 … n − 1: the p-quantile interpolated between ranks is a + p·(n − 1)·d.
    std::vector<double> sorted;
    sorted.reserve(41);
    for (int k = 0; k < 41; ++k) sorted.push_back(3 + 0.25 * k);
    for (const double p : {0.0, 0.025, 0.5, 0.975, 1.0, 0.3333}) {
        SCOPED_TRACE(p);
        const auto q = uncertainty::sortedQuantile(sorted, p);
        ASSERT_TRUE(q.has_value());
        EXPECT_NEAR(*q, 3 + p * 40 * 0.25, 1e-12);
    }
    EXPECT_FALSE(uncertainty::sortedQuantile({}, 0.5).has_value());
    EXPECT_FALSE(uncertainty::sortedQuantile(sorted, 1.5).has_value());
}

TEST(Statistics, HistogramBins) {
    struct Case {
        const char* why;
        std::vector<double> values;
        int bins;
        std::vector<int> counts;
    };
    std::vector<double> thousand;
    thousand.reserve(1000);
    for (int k = 0; k < 1000; ++k) thousand.push_back(k / 1000.0);
    const Case cases[] = {
        {"evenly spread values fill every bin alike", thousand, 10, std::vector<int>(10, 100)},
        {"the greatest value goes in the last bin", {0, 1, 2, 3, 4}, 2, {2, 3}},
        {"values that are not finite are left out", {0, NAN, 1, INFINITY}, 2, {1, 1}},
        {"one value repeated: one bin", {2, 2, 2}, 5, {3}},
        {"too many bins asked: the most there may be", {0, 1}, 1000, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const auto h = uncertainty::histogramOf(c.values, c.bins);
        if (c.counts.empty()) {
            EXPECT_EQ(h.counts.size(), static_cast<std::size_t>(uncertainty::kMostBins));
            continue;
        }
        EXPECT_EQ(h.counts, c.counts);
    }
}

TEST(Statistics, ZScoreAndItsReading) {
    struct Case {
        const char* why;
        double value, u, reference;
        double z;
        bool compatible;
        const char* text;
    };
    const Case cases[] = {
        {"well within", 1.00, 0.10, 1.15, 1.5, true, "z = 1,50 ≤ 2 : le résultat est compatible"},
        {"exactly two uncertainties away", 0.5, 0.25, 1.0, 2, true, "z = 2,00 ≤ 2"},
        {"too far", 1.00, 0.10, 0.75, 2.5, false, "z = 2,50 > 2 : le résultat n'est pas compatible"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const auto a = uncertainty::agreementOf(c.value, c.u, c.reference);
        ASSERT_TRUE(a.has_value());
        EXPECT_NEAR(a->z, c.z, 1e-12);
        EXPECT_EQ(a->compatible, c.compatible);
        EXPECT_NE(a->reading.find(c.text), std::string::npos) << a->reading;
    }
    EXPECT_FALSE(uncertainty::agreementOf(1, 0, 1).has_value());
    EXPECT_FALSE(uncertainty::agreementOf(NAN, 0.1, 1).has_value());
}

TEST(Propagation, MatchesFiniteDifferencesOfTheResult) {
    struct Case {
        const char* why;
        chemistry::InputUncertainties inputs;
        double volume;
    };
    const Case cases[] = {
        {"the burette alone", {0, 0, 0, 0.03}, 10},
        {"class A glassware and a stated titrant", {0.0015 / std::sqrt(3.0), 0, 0.01, 0.04}, 20},
        {"a dilution dominating", {0.001, 0.02, 0.001, 0.02}, 12.5},
    };
    // c = c_B·V_E·d/V₀ at unit nominal values but V_E: each input moved by its standard
    // uncertainty (relative ones times the nominal 1), the changes of c added in quadrature.
    const auto c = [](double cB, double vE, double d, double v0) { return cB * vE * d / v0; };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.why);
        const double c0 = c(1, k.volume, 1, 1);
        const double h = 1e-7;
        const double dVE = (c(1, k.volume + h, 1, 1) - c0) / h * k.inputs.equivalenceVolume;
        const double dV0 = (c(1, k.volume, 1, 1 + h) - c0) / h * k.inputs.beakerVolume;
        const double dCB = (c(1 + h, k.volume, 1, 1) - c0) / h * k.inputs.titrantConcentration;
        const double dD = (c(1, k.volume, 1 + h, 1) - c0) / h * k.inputs.dilution;
        const double expected = std::sqrt(dVE * dVE + dV0 * dV0 + dCB * dCB + dD * dD) / c0;
        const auto relative = uncertainty::relativeUncertainty(k.inputs, k.volume);
        ASSERT_TRUE(relative.has_value());
        EXPECT_NEAR(*relative, expected, 1e-5 * expected);
    }
    EXPECT_FALSE(uncertainty::relativeUncertainty({0, 0, 0, 0.03}, 0).has_value());
}

}  // namespace
