// The contrast rule of the drawings: the luminance arithmetic, the colour made readable, and every
// drawn element against its background in the usual look and in high contrast.
#include <gtest/gtest.h>

#include <string>

#include "state/drawingpalette.h"

using namespace state;

namespace {

struct RatioCase {
    const char* reason;
    Colour first;
    Colour second;
    double ratio;
};

class ContrastRatio : public ::testing::TestWithParam<RatioCase> {};

TEST_P(ContrastRatio, FollowsTheRelativeLuminanceOfSrgb) {
    const RatioCase& c = GetParam();
    EXPECT_NEAR(contrastRatio(c.second, c.first), c.ratio, 0.01);
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, ContrastRatio,
    ::testing::Values(RatioCase{"BlackOnWhiteIsTwentyOne", {0, 0, 0}, {255, 255, 255}, 21.0},
                      RatioCase{"AColourOnItselfIsOne", {120, 30, 200}, {120, 30, 200}, 1.0},
                      RatioCase{"PureBlueOnWhite", {0, 0, 255}, {255, 255, 255}, 8.59},
                      RatioCase{"OrangeOfSituationFiveIsBelowThree", {255, 128, 0}, {255, 255, 255}, 2.52},
                      RatioCase{"LightGreyGridOnWhite", {192, 192, 192}, {255, 255, 255}, 1.82}),
    [](const auto& info) { return std::string(info.param.reason); });

struct ReadableCase {
    const char* reason;
    Colour colour;
    Colour background;
};

class ReadableOn : public ::testing::TestWithParam<ReadableCase> {};

TEST_P(ReadableOn, ReachesTheLeastContrastAndKeepsWhatAlreadyDoes) {
    const ReadableCase& c = GetParam();
    const Colour readable = readableOn(c.colour, c.background);
    EXPECT_GE(contrastRatio(readable, c.background), kLeastGraphicContrast) << readable;
    if (contrastRatio(c.colour, c.background) >= kLeastGraphicContrast) {
        EXPECT_EQ(readable, c.colour);
    }
    // Darkened on light, lightened on dark.
    const bool light = relativeLuminance(c.background) > 0.18;
    EXPECT_EQ(relativeLuminance(readable) <= relativeLuminance(c.colour), light) << readable;
}

INSTANTIATE_TEST_SUITE_P(
    Colours, ReadableOn,
    ::testing::Values(ReadableCase{"YellowLiquidOnWhite", {250, 250, 0}, {255, 255, 255}},
                      ReadableCase{"WhiteOnWhite", {255, 255, 255}, {255, 255, 255}},
                      ReadableCase{"OrangeOnWhite", {255, 128, 0}, {255, 255, 255}},
                      ReadableCase{"NavyOnBlack", {0, 0, 128}, {0, 0, 0}},
                      ReadableCase{"BlackOnWhiteStays", {0, 0, 0}, {255, 255, 255}}),
    [](const auto& info) { return std::string(info.param.reason); });

class DrawnElements : public ::testing::TestWithParam<bool> {};

TEST_P(DrawnElements, StandApartFromTheirBackground) {
    const bool highContrast = GetParam();
    const SituationColours situations(Colour{200, 200, 200});  // a dark theme's light button text
    int checked = 0;
    for (const DrawnElement& e : drawnElements(drawingPalette(highContrast), situations)) {
        // The usual look keeps its own colours; everything else, and everything in high
        // contrast, follows the rule.
        if (e.keepsUsualColour && !highContrast) continue;
        const double least = e.text && highContrast ? kLeastTextContrast : kLeastGraphicContrast;
        EXPECT_GE(contrastRatio(e.colour, e.background), least) << e.name << " " << e.colour;
        ++checked;
    }
    EXPECT_GT(checked, highContrast ? 300 : 2);
}

INSTANTIATE_TEST_SUITE_P(Looks, DrawnElements, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "HighContrast" : "Usual"; });

}  // namespace
