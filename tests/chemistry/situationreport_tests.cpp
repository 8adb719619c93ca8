#include <gtest/gtest.h>

#include "chemistry/chemistry.h"

using namespace chemistry;

TEST(SituationReports, AMaskedConcentrationStaysOutOfTheReport) {
    struct Case {
        const char* why;
        bool masked;
        std::string concentration;
    };
    const Case cases[] = {
        {"shown", false, "0,008 5"},
        {"masked", true, ""},
    };
    const SpeciesCatalogue catalogue;
    for (const Case& c : cases) {
        std::array<Situation, kSituationCount> situations{};
        situations[2].completed = true;
        situations[2].beakerConcentrationText = "0,008 5";
        situations[2].concentrationMasked = c.masked;
        const auto reports = completedSituationReports(situations, catalogue);
        ASSERT_EQ(reports.size(), 1u) << c.why;
        EXPECT_EQ(reports[0].slot, 2) << c.why;
        EXPECT_EQ(reports[0].concentrationHidden, c.masked) << c.why;
        EXPECT_EQ(reports[0].beakerConcentration, c.concentration) << c.why;
        // The other values of the set-up are the pupil's to read either way.
        EXPECT_EQ(reports[0].titrantConcentration, "0,01") << c.why;
    }
}
