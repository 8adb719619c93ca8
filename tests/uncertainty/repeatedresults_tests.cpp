// The "Résultats" of situations titrated with glassware: each volume read is the equivalence the
// delivered values give (c₀·V₀·f/c_B for the strong acid) plus the burette's error, their
// statistics those computed here, and a hidden concentration stays hidden.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "state/actions.h"
#include "state/glasswarebench.h"
#include "uncertainty/repeatedresults.h"

namespace uncertainty {

namespace {

// The default bench (hydrochloric acid 0,01 mol/L, 20 mL, soda 0,01 mol/L) with `titrated`
// situations finished by "Trace rapide".
state::BenchState titrated(int titrated, const chemistry::Glassware& glassware) {
    state::BenchState b;
    state::setDefaults(b);
    state::start(b);
    state::chooseGlassware(b, glassware);
    for (int slot = 0; slot < titrated; ++slot) {
        state::switchSituation(b, slot);
        state::quickTrace(b);
    }
    return b;
}

double deliveredVolume(const chemistry::Delivery& d) {
    return 0.01 * (20 + d.beakerVolume) * d.beakerConcentration / (0.01 + d.titrantConcentration) +
           d.readingError;
}

}  // namespace

TEST(RepeatedResults, EachSituationGivesWhatItsGlasswareDeliveredAndTheirStatistics) {
    const chemistry::Glassware glassware = state::usualGlassware(9, 0.01);
    const state::BenchState b = titrated(5, glassware);
    const RepeatedResults r = repeatedResults(b, EquivalenceMethod::DerivativePeak);
    ASSERT_EQ(r.rows.size(), 5U);
    EXPECT_EQ(r.unread, 0);
    std::vector<double> volumes;
    for (const TitrationResult& row : r.rows) {
        SCOPED_TRACE(row.slot);
        const double expected = deliveredVolume(state::deliveryOf(b, row.slot));
        EXPECT_NEAR(row.volumeRead, expected, 2e-3);
        ASSERT_TRUE(row.concentration.has_value());
        // The typed 0,01 is read in single precision.
        EXPECT_NEAR(*row.concentration, 0.01 * row.volumeRead / 20, 1e-7 * *row.concentration);
        volumes.push_back(row.volumeRead);
    }
    double mean = 0;
    for (const double v : volumes) mean += v / 5;
    double squares = 0;
    for (const double v : volumes) squares += (v - mean) * (v - mean);
    const double s = std::sqrt(squares / 4);
    ASSERT_TRUE(r.volumes && r.concentrations);
    EXPECT_NEAR(r.volumes->mean, mean, 1e-12);
    EXPECT_NEAR(r.volumes->standardDeviation, s, 1e-12);
    EXPECT_GT(s, 0);
    // t(0,975; 4) = 2,7764.
    EXPECT_NEAR(r.concentrations->halfWidth95, 2.7764 * 0.01 * s / 20 / std::sqrt(5.0),
                1e-4 * r.concentrations->halfWidth95);
    EXPECT_NE(concentrationLine(r).find("n = 5"), std::string::npos);
    EXPECT_EQ(resultsTables(r).front().rows.size(), 5U);
}

TEST(RepeatedResults, ExactHiddenAndTooFew) {
    // An exact titration repeats to the last digit.
    const RepeatedResults exact = repeatedResults(titrated(3, {}), EquivalenceMethod::Tangents);
    ASSERT_EQ(exact.rows.size(), 3U);
    EXPECT_EQ(exact.rows[0].volumeRead, exact.rows[2].volumeRead);
    EXPECT_NE(concentrationLine(exact).find("même volume"), std::string::npos);

    state::BenchState hidden = titrated(2, state::usualGlassware(9, 0.01));
    state::setConcentrationMasked(hidden, true);
    const RepeatedResults masked = repeatedResults(hidden, EquivalenceMethod::DerivativePeak);
    EXPECT_TRUE(masked.concentrationHidden);
    EXPECT_FALSE(masked.concentrations.has_value());
    EXPECT_TRUE(masked.volumes.has_value());

    const RepeatedResults one =
        repeatedResults(titrated(1, state::usualGlassware(9, 0.01)), EquivalenceMethod::DerivativePeak);
    EXPECT_EQ(one.rows.size(), 1U);
    EXPECT_FALSE(one.volumes.has_value());
    EXPECT_NE(volumeLine(one).find("au moins deux"), std::string::npos);
}

}  // namespace uncertainty
