// A strong acid or base beside another solute, or as the strong pair of a free diacid: the
// pH-meter, the table's forms and σ all take it fully dissociated, and name only the forms that
// water holds.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "chemistry/chemistry.h"
#include "tests/chemistry/mixturereference.h"
#include "tests/chemistry/printcase.h"

using namespace chemistry;

struct StrongBeaker {
    const char* why;
    bool acid;
    int first;
    int second;                 // -1: none
    double firstConcentration;  // mol · L-1
    double secondConcentration;
    double titrant;
    std::vector<double> typedPKa{};  // for a free solute
};

namespace {

class StrongBesideAnother : public ::testing::TestWithParam<StrongBeaker> {};

// The poured volume as the panel holds it, "12,5".
std::string pouredText(int tenths) {
    return std::to_string(tenths / 10) + "," + std::to_string(tenths % 10);
}

std::string decimalComma(double value) {
    std::string text = std::to_string(value);
    text[text.find('.')] = ',';
    return text;
}

}  // namespace

TEST_P(StrongBesideAnother, PhFormsAndConductivityFollowTheFullyDissociatedReference) {
    const StrongBeaker& c = GetParam();
    const SpeciesCatalogue catalogue;
    SolutionSpec solution;
    solution.beakerIsAcid = c.acid;
    solution.speciesIndex = c.first;
    solution.secondSpeciesIndex = c.second;
    solution.beakerConcentration = decimalComma(c.firstConcentration);
    solution.secondConcentration = decimalComma(c.secondConcentration);
    solution.titrantConcentration = decimalComma(c.titrant);
    if (!c.typedPKa.empty()) solution.otherPKa = decimalComma(c.typedPKa[0]);
    if (c.typedPKa.size() > 1) solution.secondPKa = decimalComma(c.typedPKa[1]);

    reference::Beaker beaker{{}, c.titrant};
    const std::string firstName = catalogue.speciesName(c.acid, c.first);
    beaker.parts.push_back({firstName.c_str(), c.firstConcentration, c.typedPKa});
    const std::string secondName = c.second >= 0 ? catalogue.speciesName(c.acid, c.second) : "";
    if (c.second >= 0) beaker.parts.push_back({secondName.c_str(), c.secondConcentration});

    const auto mixture = beakerMixture(solution, catalogue);
    ASSERT_TRUE(mixture) << c.why;
    const std::vector<std::string> names = formNames(solution, catalogue);
    for (int tenths = 0; tenths <= 250; tenths += 5) {
        const double V = tenths / 10.0;
        const reference::Result expected = reference::solve(beaker, V);
        solution.pouredVolume = pouredText(tenths);
        EngineState state;
        computeCurrentPoint(solution, catalogue, state);
        EXPECT_NEAR(state.pH, static_cast<double>(expected.pH), 1e-4) << c.why << " pH at " << V << " mL";

        // The table's columns are the forms water holds, each at its concentration.
        const TitrationPoint row = measuredPoint(solution, catalogue, state);
        ASSERT_EQ(names.size(), expected.forms.size()) << c.why;
        ASSERT_EQ(row.formCount, static_cast<int>(names.size())) << c.why;
        for (std::size_t k = 0; k < names.size(); ++k) {
            EXPECT_EQ(names[k], expected.forms[k].first) << c.why;
            const double concentration = static_cast<double>(expected.forms[k].second);
            EXPECT_NEAR(row.forms[k], concentration, 1e-4 * concentration + 1e-18)
                << c.why << " [" << names[k] << "] at " << V << " mL";
        }

        const auto sigma = mixtureConductivity(*mixture, V);
        ASSERT_TRUE(sigma) << c.why;
        const double expectedSigma = static_cast<double>(expected.conductivity);
        EXPECT_NEAR(*sigma, expectedSigma, 1e-4 * expectedSigma) << c.why << " σ at " << V << " mL";
    }

    // The distribution diagram draws as many forms of the first solute as its legend names.
    const auto shares = mixtureDistribution(*mixture);
    ASSERT_FALSE(shares.empty()) << c.why;
    EXPECT_EQ(shares.front().formCount, static_cast<int>(firstSoluteFormNames(solution, catalogue).size()))
        << c.why;
}

INSTANTIATE_TEST_SUITE_P(
    Beakers, StrongBesideAnother,
    ::testing::Values(
        StrongBeaker{"hydrochloric then ethanoic acid, as the shipped exercise", true, 2, 4, 0.005, 0.005,
                     0.01},
        StrongBeaker{"ethanoic then hydrochloric acid", true, 4, 2, 0.01, 0.01, 0.02},
        StrongBeaker{"hydrochloric acid with ammonium chloride's chloride", true, 2, 9, 0.01, 0.01, 0.02},
        StrongBeaker{"sodium hydroxide with ammonia", false, 8, 1, 0.01, 0.01, 0.02},
        StrongBeaker{"sodium carbonate with sodium hydroxide", false, 15, 8, 0.005, 0.01, 0.02},
        StrongBeaker{"a free acid typed strong, with ethanoic acid", true, 14, 4, 0.01, 0.01, 0.02, {0}},
        StrongBeaker{"a free diacid whose first pair is strong", true, 21, -1, 0.01, 0.01, 0.02, {0, 4.5}},
        StrongBeaker{"a free dibase whose second pair is strong", false, 18, -1, 0.01, 0.01, 0.02, {5, 14}}));
