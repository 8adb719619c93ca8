#include <gtest/gtest.h>

#include "state/graphcontent.h"
#include "state/plotframe.h"
#include "tests/chemistry/printcase.h"

using namespace state;

struct FrameCase {
    const char* why;
    double volume;
    double value;  // pH, or per cent for the distribution diagram
    bool percent;
    PlotPoint pixel;
};

class Frame : public ::testing::TestWithParam<FrameCase> {};

TEST_P(Frame, MapsBothWaysBetweenQuantitiesAndPixels) {
    const FrameCase& c = GetParam();
    EXPECT_EQ(c.percent ? PlotFrame::percentPoint(c.volume, c.value) : PlotFrame::point(c.volume, c.value),
              c.pixel);
    EXPECT_DOUBLE_EQ(PlotFrame::volumeAt(c.pixel.x), c.volume);
    EXPECT_DOUBLE_EQ(c.percent ? 10 * PlotFrame::tensOfPercentAt(c.pixel.y) : PlotFrame::phAt(c.pixel.y),
                     c.value);
}

INSTANTIATE_TEST_SUITE_P(
    GraphCorners, Frame,
    ::testing::Values(FrameCase{"pH 14 at 0 mL is the top-left corner of the grid", 0, 14, false, {40, 26}},
                      FrameCase{"25 mL is the last vertical line, pH 0 the axis", 25, 0, false, {390, 250}},
                      FrameCase{"10 mL at pH 10", 10, 10, false, {180, 90}},
                      FrameCase{"100 % is 220 px above the axis", 10, 100, true, {180, 30}},
                      FrameCase{"50 % halfway up", 20, 50, true, {320, 140}}));

// The distribution diagram's two curves go through each vertex's shares.
TEST(Frame, PutsADistributionVertexsSharesOnThePercentScale) {
    const chemistry::DistributionVertex vertex{10, 4.76f, 50, 50};
    EXPECT_EQ(acidPointOf(vertex), (PlotPoint{180, 140}));
    const chemistry::DistributionVertex late{20, 9, 0.5f, 99.5f};
    EXPECT_EQ(acidPointOf(late), PlotFrame::percentPoint(20, 0.5f));
    EXPECT_EQ(basicPointOf(late), PlotFrame::percentPoint(20, 99.5f));
    EXPECT_NEAR(basicPointOf(late).y, 250 - 2.2 * 99.5, 1e-4);
}
