#include <gtest/gtest.h>

#include "chemistry/indicators.h"

using namespace chemistry;

struct ColourCase {
    const char* why;
    int indicator;
    double pH;
    Rgb expected;
};

void PrintTo(const ColourCase& c, std::ostream* out) {
    *out << c.why;
}

class LiquidColour : public ::testing::TestWithParam<ColourCase> {};

TEST_P(LiquidColour, FollowsPlateausAndRamps) {
    const ColourCase& c = GetParam();
    const Rgb got = liquidColour(c.indicator, c.pH);
    EXPECT_EQ(got, c.expected) << c.why << ": got (" << got.red << ", " << got.green << ", " << got.blue
                               << ")";
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, LiquidColour,
    ::testing::Values(ColourCase{"no indicator in acid", 0, 1.0, {230, 240, 250}},
                      ColourCase{"no indicator in base", 0, 13.0, {230, 240, 250}},
                      ColourCase{"phenolphthalein halfway up its first ramp", 3, 8.2, {205, 170, 215}},
                      ColourCase{"phenolphthalein just below its ramp", 3, 7.69, {230, 240, 250}},
                      ColourCase{"phenolphthalein on its middle plateau", 3, 9.0, {180, 100, 180}},
                      ColourCase{"phenolphthalein fully coloured from 10.5", 3, 10.5, {230, 0, 230}},
                      ColourCase{"bromothymol blue at the start of its second ramp", 5, 7.1, {100, 200, 100}},
                      ColourCase{"bromothymol blue acid plateau", 5, 5.49, {250, 250, 0}},
                      ColourCase{"bromothymol blue basic plateau", 5, 8.1, {0, 0, 210}},
                      ColourCase{"thymol blue between its two zones", 9, 5.0, {250, 250, 0}},
                      ColourCase{"thymol blue blue from 10", 9, 11.0, {0, 0, 200}},
                      ColourCase{"thymol blue red below 0.7", 9, 0.5, {230, 0, 0}},
                      ColourCase{"thymol blue second ramp halfway", 9, 8.0, {175, 225, 50}},
                      ColourCase{"trinitrotoluene orange from 13.5", 1, 13.5, {250, 150, 0}},
                      ColourCase{"trinitrotoluene clear below 11", 1, 10.99, {230, 240, 250}},
                      ColourCase{"neutral red first ramp at its start", 4, 6.3, {230, 0, 0}},
                      ColourCase{"methyl orange top plateau", 8, 4.9, {230, 210, 0}},
                      ColourCase{"an index outside the list behaves as none", 42, 7.0, {230, 240, 250}}));

TEST(IndicatorTable, PlateausAreTheColoursOfBothForms) {
    const auto [acid, basic] = indicatorColourPlateaus(3);
    EXPECT_EQ(acid, liquidColour(3, 2.0));
    EXPECT_EQ(basic, liquidColour(3, 13.0));
    EXPECT_EQ(IndicatorTable::at(3).label, "Phénolphtaléine (8,2 - 10)");
    EXPECT_EQ(IndicatorTable::at(-1).label, "aucun");
}

TEST(IndicatorTable, EveryIndicatorRampIsContinuousAcrossItsBreakpoints) {
    // Just below and at each plateau start the colours differ by at most the rounding of a ramp.
    for (int index = 1; index < IndicatorTable::kCount; ++index) {
        for (double pH = 0.0; pH < 14.0; pH += 0.01) {
            const Rgb a = liquidColour(index, pH);
            const Rgb b = liquidColour(index, pH + 0.01);
            EXPECT_LE(std::abs(a.red - b.red) + std::abs(a.green - b.green) + std::abs(a.blue - b.blue), 8)
                << "indicator " << index << " near pH " << pH;
        }
    }
}
