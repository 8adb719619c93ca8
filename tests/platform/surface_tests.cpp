#include <gtest/gtest.h>

#include <QFontInfo>
#include <QSignalSpy>
#include <cmath>
#include <limits>
#include <numbers>

#include "platform/surface.h"

using platform::Colour;
using platform::DrawMode;
using platform::kBlack;
using platform::kWhite;
using platform::Surface;

namespace {

constexpr Colour kRed{255, 0, 0};
constexpr Colour kBlue{0, 0, 200};
constexpr double kPi = std::numbers::pi;

int countPixels(const Surface& s, Colour colour) {
    int n = 0;
    for (int y = 0; y < s.height(); ++y) {
        for (int x = 0; x < s.width(); ++x) n += s.pixel(x, y) == colour ? 1 : 0;
    }
    return n;
}

bool isInk(Colour c) {
    return c.red + c.green + c.blue < 3 * 200;
}

}  // namespace

// --- Lines -----------------------------------------------------------------

struct LineCase {
    const char* name;
    int x1, y1, x2, y2;
};

void PrintTo(const LineCase& c, std::ostream* out) {
    *out << c.name;
}

class SurfaceLine : public testing::TestWithParam<LineCase> {};

TEST_P(SurfaceLine, WidthOneCoversFromTheFirstPointUpToButNotTheLast) {
    const LineCase& c = GetParam();
    Surface s(60, 60);
    s.line(c.x1, c.y1, c.x2, c.y2, kRed);
    EXPECT_EQ(s.pixel(c.x1, c.y1), kRed);
    EXPECT_EQ(s.pixel(c.x2, c.y2), kWhite);
    EXPECT_EQ(countPixels(s, kRed), std::max(std::abs(c.x2 - c.x1), std::abs(c.y2 - c.y1)));
    EXPECT_EQ(s.currentX(), c.x2);
    EXPECT_EQ(s.currentY(), c.y2);
}

INSTANTIATE_TEST_SUITE_P(Directions, SurfaceLine,
                         testing::Values(LineCase{"Rightwards", 10, 20, 17, 20},
                                         LineCase{"Leftwards", 40, 5, 30, 5},
                                         LineCase{"Downwards", 3, 3, 3, 50}, LineCase{"Upwards", 8, 50, 8, 9},
                                         LineCase{"Diagonal", 5, 5, 25, 25}, LineCase{"Steep", 10, 2, 14, 40},
                                         LineCase{"Shallow", 2, 30, 50, 26}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SurfaceLines, MarkArmFromXMinus3ToXPlus4CoversThreePixelsEachSide) {
    Surface s(40, 40);
    const int x = 20;
    const int y = 18;
    s.line(x - 3, y, x + 4, y, kBlue);
    s.line(x, y - 3, x, y + 4, kBlue);
    for (int d = -3; d <= 3; ++d) {
        EXPECT_EQ(s.pixel(x + d, y), kBlue) << d;
        EXPECT_EQ(s.pixel(x, y + d), kBlue) << d;
    }
    EXPECT_EQ(s.pixel(x + 4, y), kWhite);
    EXPECT_EQ(s.pixel(x - 4, y), kWhite);
    EXPECT_EQ(s.pixel(x, y + 4), kWhite);
    EXPECT_EQ(s.pixel(x, y - 4), kWhite);
}

TEST(SurfaceLines, ZeroLengthLineAtWidthOneDrawsNothing) {
    Surface s(10, 10);
    s.line(4, 4, 4, 4, kRed);
    EXPECT_EQ(countPixels(s, kRed), 0);
}

TEST(SurfaceLines, WideLinesIncludeBothEndsAndAreAsThickAsTheStroke) {
    Surface s(40, 40);
    s.setStrokeWidth(2);
    s.line(10, 20, 30, 20, kRed);
    EXPECT_EQ(s.pixel(30, 20), kRed);
    EXPECT_EQ(s.pixel(10, 20), kRed);
    int thickness = 0;
    for (int y = 15; y <= 25; ++y) thickness += s.pixel(20, y) == kRed ? 1 : 0;
    EXPECT_EQ(thickness, 2);
    s.setStrokeWidth(3);
    s.line(5, 30, 35, 30, kBlue);
    thickness = 0;
    for (int y = 25; y <= 35; ++y) thickness += s.pixel(20, y) == kBlue ? 1 : 0;
    EXPECT_EQ(thickness, 3);
}

TEST(SurfaceLines, ShapesWithoutColourUseTheForeColour) {
    Surface s(20, 20);
    s.setForeColour(kBlue);
    s.line(0, 5, 10, 5);
    s.pset(15, 15);
    EXPECT_EQ(s.pixel(3, 5), kBlue);
    EXPECT_EQ(s.pixel(15, 15), kBlue);
}

TEST(SurfaceLines, FractionalCoordinatesRoundToTheNearestPixel) {
    Surface s(20, 20);
    s.pset(4.6, 7.4, kRed);
    EXPECT_EQ(s.pixel(5, 7), kRed);
    EXPECT_EQ(countPixels(s, kRed), 1);
}

TEST(SurfaceLines, InvalidCoordinatesDrawNothingAndLeaveThePen) {
    Surface s(20, 20);
    s.moveTo(3, 4);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    s.line(nan, 0, 10, 10, kRed);
    s.line(0, 0, inf, 10, kRed);
    s.line(0, 0, 1e9, 10, kRed);
    s.filledRectangle(0, 0, 5, nan, kRed);
    s.circle(10, 10, nan, kRed);
    s.circle(10, 10, -2, kRed);
    s.filledEllipse(10, 10, 5, 0.0, kRed);
    s.arc(10, 10, 5, nan, 1.0, kRed);
    EXPECT_EQ(countPixels(s, kRed), 0);
    EXPECT_EQ(s.currentX(), 3);
    EXPECT_EQ(s.currentY(), 4);
}

TEST(SurfaceLines, LinesLeavingThePictureAreClipped) {
    Surface s(20, 20);
    s.line(-50, 10, 70, 10, kRed);
    EXPECT_EQ(countPixels(s, kRed), 20);
}

// --- Rectangles ---------------------------------------------------------------

TEST(SurfaceRectangles, FilledRectangleCoversBothCornersInclusive) {
    for (const auto& [x1, y1, x2, y2] : {std::tuple{5, 6, 9, 8}, std::tuple{9, 8, 5, 6}}) {
        Surface s(20, 20);
        s.filledRectangle(x1, y1, x2, y2, kBlue);
        EXPECT_EQ(s.pixel(5, 6), kBlue);
        EXPECT_EQ(s.pixel(9, 8), kBlue);
        EXPECT_EQ(s.pixel(10, 8), kWhite);
        EXPECT_EQ(s.pixel(9, 9), kWhite);
        EXPECT_EQ(s.pixel(4, 6), kWhite);
        EXPECT_EQ(countPixels(s, kBlue), 5 * 3);
    }
}

TEST(SurfaceRectangles, FilledRectangleWithOutlineHasAFillInsideAndTheOutlineOnTheEdge) {
    Surface s(30, 30);
    s.filledRectangle(21, 5, 25, 20, Colour{192, 192, 192}, kBlack);
    EXPECT_EQ(s.pixel(21, 5), kBlack);
    EXPECT_EQ(s.pixel(25, 20), kBlack);
    EXPECT_EQ(s.pixel(23, 12), (Colour{192, 192, 192}));
    EXPECT_EQ(s.pixel(26, 12), kWhite);
}

TEST(SurfaceRectangles, OutlineGoesThroughBothCornersAndLeavesTheInside) {
    Surface s(20, 20);
    s.rectangle(2, 3, 12, 9, kRed);
    EXPECT_EQ(s.pixel(2, 3), kRed);
    EXPECT_EQ(s.pixel(12, 9), kRed);
    EXPECT_EQ(s.pixel(12, 3), kRed);
    EXPECT_EQ(s.pixel(2, 9), kRed);
    EXPECT_EQ(s.pixel(7, 6), kWhite);
    EXPECT_EQ(countPixels(s, kRed), 2 * 11 + 2 * 5);
}

// --- Circles, arcs and ellipses ---------------------------------------------------

TEST(SurfaceCircles, CircleSpansTheRadiusOnEachSideAndLeavesTheCentre) {
    Surface s(100, 100);
    s.circle(50, 50, 4, kRed);
    EXPECT_EQ(s.pixel(54, 50), kRed);
    EXPECT_EQ(s.pixel(46, 50), kRed);
    EXPECT_EQ(s.pixel(50, 46), kRed);
    EXPECT_EQ(s.pixel(50, 54), kRed);
    EXPECT_EQ(s.pixel(55, 50), kWhite);
    EXPECT_EQ(s.pixel(50, 50), kWhite);
    EXPECT_EQ(s.currentX(), 50);
}

TEST(SurfaceCircles, FilledDiscOfRadiusFourIsNineAcross) {
    Surface s(40, 40);
    s.filledCircle(20, 20, 4, kBlue);
    int across = 0;
    for (int x = 0; x < 40; ++x) across += s.pixel(x, 20) == kBlue ? 1 : 0;
    EXPECT_EQ(across, 9);
    EXPECT_EQ(s.pixel(20, 16), kBlue);
    EXPECT_EQ(s.pixel(20, 15), kWhite);
    EXPECT_EQ(s.pixel(24, 24), kWhite);  // a disc, not a square
}

TEST(SurfaceCircles, FilledCircleOutlineMatchesTheCircle) {
    Surface a(40, 40);
    Surface b(40, 40);
    a.filledCircle(20, 20, 7, kBlue, kBlack);
    b.circle(20, 20, 7, kBlack);
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) {
            if (b.pixel(x, y) == kBlack) {
                EXPECT_EQ(a.pixel(x, y), kBlack) << x << "," << y;
            }
        }
    }
    EXPECT_EQ(a.pixel(20, 20), kBlue);
}

TEST(SurfaceArcs, AnglesRunCounterClockwiseWithYUp) {
    Surface s(100, 100);
    s.arc(50, 50, 10, 0.0, kPi / 2, kRed);
    EXPECT_EQ(s.pixel(50, 40), kRed);  // pi/2 is straight up
    EXPECT_EQ(s.pixel(60, 50), kRed);
    EXPECT_EQ(s.pixel(57, 43), kRed);  // the upper right quarter
    EXPECT_EQ(s.pixel(50, 60), kWhite);
    EXPECT_EQ(s.pixel(40, 50), kWhite);
    EXPECT_EQ(s.pixel(57, 57), kWhite);
}

TEST(SurfaceArcs, QuarterFromPiGoesDownTheLeftSide) {
    Surface s(300, 500);
    s.arc(149, 440, 30, kPi, 4.57, kBlack);
    EXPECT_EQ(s.pixel(119, 440), kBlack);  // starts at the left
    EXPECT_EQ(s.pixel(149, 410), kWhite);  // never goes up
    int below = 0;
    for (int y = 441; y <= 470; ++y) {
        for (int x = 119; x < 149; ++x) below += s.pixel(x, y) == kBlack ? 1 : 0;
    }
    EXPECT_GT(below, 20);
}

TEST(SurfaceArcs, MeniscusArcHasItsLowestPointOnTheMark) {
    Surface s(100, 320);
    const double v = 25.0;
    s.arc(62, 23 + 10 * v, 7, 3.34, 6.08, kBlack);
    EXPECT_EQ(s.pixel(62, 280), kBlack);  // the 25 mL mark
    EXPECT_EQ(s.pixel(62, 266), kWhite);  // no top half
    for (int x = 0; x < 100; ++x) EXPECT_NE(s.pixel(x, 281), kBlack);
}

TEST(SurfaceArcs, ArcThroughZeroCoversTheRightSideOnly) {
    Surface s(100, 100);
    s.arc(50, 50, 10, 3 * kPi / 2 + 0.3, kPi / 2 - 0.3, kRed);
    EXPECT_EQ(s.pixel(60, 50), kRed);
    EXPECT_EQ(s.pixel(40, 50), kWhite);
    EXPECT_EQ(s.pixel(50, 40), kWhite);
    EXPECT_EQ(s.pixel(50, 60), kWhite);
}

TEST(SurfaceEllipses, AspectBelowOneFlattensAroundTheHorizontalRadius) {
    Surface s(100, 100);
    s.filledEllipse(73, 53, 8, 0.2, kBlue);
    EXPECT_EQ(s.pixel(81, 53), kBlue);
    EXPECT_EQ(s.pixel(65, 53), kBlue);
    EXPECT_EQ(s.pixel(82, 53), kWhite);
    EXPECT_EQ(s.pixel(73, 55), kBlue);  // vertical radius 1.6
    EXPECT_EQ(s.pixel(73, 56), kWhite);
    EXPECT_EQ(s.pixel(73, 50), kWhite);
}

TEST(SurfaceEllipses, AspectAboveOneMakesATallEllipseAroundTheVerticalRadius) {
    Surface s(100, 100);
    s.filledEllipse(50, 50, 8, 2.0, kBlue);
    EXPECT_EQ(s.pixel(50, 58), kBlue);
    EXPECT_EQ(s.pixel(50, 59), kWhite);
    EXPECT_EQ(s.pixel(54, 50), kBlue);  // horizontal radius 4
    EXPECT_EQ(s.pixel(55, 50), kWhite);
}

TEST(SurfaceEllipses, OutlinedEllipseHasABlackRimAndAColouredInside) {
    Surface s(100, 100);
    s.filledEllipse(73, 53, 8, 0.2, Colour{250, 250, 0}, kBlack);
    EXPECT_EQ(s.pixel(81, 53), kBlack);
    EXPECT_EQ(s.pixel(73, 55), kBlack);
    EXPECT_EQ(s.pixel(73, 53), (Colour{250, 250, 0}));
}

// --- Modes, background, stroke ----------------------------------------------------

TEST(SurfaceModes, MergeFillFadesBlackToGreyAndLightensColours) {
    Surface s(30, 10);
    s.filledRectangle(0, 0, 9, 9, kBlack);
    s.filledRectangle(10, 0, 19, 9, kBlue);
    s.setDrawMode(DrawMode::Merge);
    s.filledRectangle(0, 0, 29, 9, Colour{100, 100, 100});
    EXPECT_EQ(s.pixel(5, 5), (Colour{100, 100, 100}));
    EXPECT_EQ(s.pixel(15, 5), (Colour{100, 100, 236}));  // 200 | 100
    EXPECT_EQ(s.pixel(25, 5), kWhite);
    s.setDrawMode(DrawMode::Copy);
    s.filledRectangle(0, 0, 29, 9, kBlack);
    EXPECT_EQ(s.pixel(25, 5), kBlack);
}

TEST(SurfaceModes, MergeModeAppliesToLinesToo) {
    Surface s(20, 20);
    s.setBackColour(Colour{0, 128, 0});
    s.setDrawMode(DrawMode::Merge);
    s.line(0, 5, 20, 5, Colour{128, 0, 1});
    EXPECT_EQ(s.pixel(7, 5), (Colour{128, 128, 1}));
}

TEST(SurfaceBackground, KeptLayerSurvivesClearUntilRemoved) {
    Surface s(40, 40);
    s.line(0, 10, 40, 10, kRed);
    s.keepAsBackground();
    s.line(0, 20, 40, 20, kBlue);
    s.clear();
    EXPECT_TRUE(s.hasBackground());
    EXPECT_EQ(s.pixel(5, 10), kRed);
    EXPECT_EQ(s.pixel(5, 20), kWhite);
    s.removeBackground();
    s.clear();
    EXPECT_EQ(s.pixel(5, 10), kWhite);
}

TEST(SurfaceBackground, LaterDrawingDoesNotChangeTheKeptLayer) {
    Surface s(20, 20);
    s.keepAsBackground();
    s.filledRectangle(0, 0, 19, 19, kRed);
    s.clear();
    EXPECT_EQ(countPixels(s, kWhite), 400);
}

TEST(SurfaceBackground, SettingTheBackColourClearsToItUnderTheLayer) {
    Surface s(20, 20);
    s.filledRectangle(0, 0, 19, 19, kRed);
    s.setBackColour(Colour{240, 235, 230});
    EXPECT_EQ(s.pixel(3, 3), (Colour{240, 235, 230}));
    s.line(0, 2, 20, 2, kBlue);
    s.keepAsBackground();
    s.setBackColour(kWhite);
    EXPECT_EQ(s.pixel(3, 2), kBlue);
}

TEST(SurfaceBackground, ClearPutsThePenAtTheOrigin) {
    Surface s(20, 20);
    s.moveTo(7, 9);
    s.clear();
    EXPECT_EQ(s.currentX(), 0);
    EXPECT_EQ(s.currentY(), 0);
}

TEST(SurfaceStroke, WidthsOutsideOneToHundredKeepThePreviousWidth) {
    Surface s(10, 10);
    s.setStrokeWidth(2);
    s.setStrokeWidth(0);
    EXPECT_EQ(s.strokeWidth(), 2);
    s.setStrokeWidth(-3);
    s.setStrokeWidth(101);
    EXPECT_EQ(s.strokeWidth(), 2);
}

TEST(SurfaceStroke, WideDotIsADiscOfTheStrokeWidth) {
    Surface s(40, 40);
    s.pset(10, 10, kRed);
    EXPECT_EQ(countPixels(s, kRed), 1);
    s.setStrokeWidth(3);
    s.pset(20, 20, kBlue);
    EXPECT_EQ(countPixels(s, kBlue), 9);
    s.setStrokeWidth(6);
    s.pset(30, 30, kBlack);
    const int dots = countPixels(s, kBlack);
    EXPECT_GT(dots, 24);
    EXPECT_LT(dots, 36);  // corners cut off
}

// --- Text ------------------------------------------------------------------------

TEST(SurfaceText, ArialAndSymbolResolveToTheirMetricCompatibleFonts) {
    Surface s(10, 10);
    s.setFontName("Arial");
    EXPECT_TRUE(QFontInfo(s.font()).family().contains("Liberation"))
        << QFontInfo(s.font()).family().toStdString();
    s.setFontName("Symbol");
    EXPECT_TRUE(QFontInfo(s.font()).family().contains("Symbol"))
        << QFontInfo(s.font()).family().toStdString();
}

struct SizeCase {
    double points;
    int pixels;
};

void PrintTo(const SizeCase& c, std::ostream* out) {
    *out << c.points << " pt";
}

class SurfaceFontSize : public testing::TestWithParam<SizeCase> {};

TEST_P(SurfaceFontSize, PointsBecomePixelsAt96Dpi) {
    Surface s(10, 10);
    s.setFontSize(GetParam().points);
    EXPECT_EQ(s.font().pixelSize(), GetParam().pixels);
    EXPECT_EQ(s.fontSize(), GetParam().points);
}

INSTANTIATE_TEST_SUITE_P(Sizes, SurfaceFontSize,
                         testing::Values(SizeCase{8, 11}, SizeCase{9.75, 13}, SizeCase{10, 13},
                                         SizeCase{12, 16}, SizeCase{5, 7}, SizeCase{18, 24}));

TEST(SurfaceText, InvalidFontSizesKeepThePreviousSize) {
    Surface s(10, 10);
    s.setFontSize(12);
    s.setFontSize(0);
    s.setFontSize(-1);
    s.setFontSize(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(s.fontSize(), 12);
}

TEST(SurfaceText, WidthIsPositiveAndGrowsWithTheTextAndTheStyle) {
    Surface s(10, 10);
    s.setFontName("Arial");
    s.setFontSize(8);
    const double w = s.textWidth("Dans le bécher");
    EXPECT_GT(w, 40);
    EXPECT_LT(w, 120);
    EXPECT_GT(s.textWidth("Dans le bécher, encore"), w);
    s.setFontBold(true);
    EXPECT_GT(s.textWidth("Dans le bécher"), w);
    EXPECT_EQ(s.textWidth(""), 0);
}

TEST(SurfaceText, HeightIsTheLineHeightTimesTheLines) {
    Surface s(10, 10);
    s.setFontSize(8);
    const double h = s.textHeight("W");
    EXPECT_GE(h, 11);
    EXPECT_LE(h, 16);
    EXPECT_EQ(s.textHeight(""), h);
    EXPECT_EQ(s.textHeight("a\r\nb"), 2 * h);
    s.setFontSize(16);
    EXPECT_GT(s.textHeight("W"), h);
}

TEST(SurfaceText, PrintDrawsBelowAndRightOfThePenAndAdvancesIt) {
    Surface s(200, 60);
    s.setFontSize(12);
    s.moveTo(20, 20);
    const double w = s.textWidth("HW");
    const double h = s.textHeight("HW");
    s.print("HW");
    EXPECT_EQ(s.currentX(), 20 + w);
    EXPECT_EQ(s.currentY(), 20);
    int inside = 0;
    int outside = 0;
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 200; ++x) {
            if (!isInk(s.pixel(x, y))) continue;
            const bool in = x >= 20 && x < 20 + w && y >= 20 && y < 20 + h;
            (in ? inside : outside) += 1;
        }
    }
    EXPECT_GT(inside, 20);
    EXPECT_EQ(outside, 0);
}

TEST(SurfaceText, TextTakesTheForeColour) {
    Surface s(60, 30);
    s.setFontSize(14);
    s.setFontBold(true);
    s.setForeColour(Colour{0, 0, 255});
    s.print("H");
    EXPECT_GT(countPixels(s, Colour{0, 0, 255}), 5);
}

TEST(SurfaceText, NewLineAndEmbeddedBreaksGoBackToTheLeftEdge) {
    Surface s(200, 100);
    s.setFontSize(8);
    const double h = s.textHeight();
    s.moveTo(30, 5);
    s.newLine();
    EXPECT_EQ(s.currentX(), 0);
    EXPECT_EQ(s.currentY(), 5 + h);
    s.moveTo(30, 5);
    s.print("ab\ncd");
    EXPECT_EQ(s.currentX(), s.textWidth("cd"));
    EXPECT_EQ(s.currentY(), 5 + h);
}

TEST(SurfaceText, SymbolFontDrawsItsBulletForTheMiddleDot) {
    Surface arial(40, 40);
    Surface symbol(40, 40);
    arial.setFontSize(20);
    symbol.setFontSize(20);
    symbol.setFontName("Symbol");
    arial.print(QString(QChar(0xB7)));
    symbol.print(QString(QChar(0xB7)));
    // The bullet of the Symbol font is a bigger disc than Arial's middle dot.
    int arialInk = 0;
    int symbolInk = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) {
            arialInk += isInk(arial.pixel(x, y)) ? 1 : 0;
            symbolInk += isInk(symbol.pixel(x, y)) ? 1 : 0;
        }
    }
    EXPECT_GT(symbolInk, 2 * arialInk);
}

// --- Pictures and size -----------------------------------------------------------

TEST(SurfacePictures, PaintPictureCopiesAtThePosition) {
    Surface s(30, 30);
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(qRgb(255, 0, 0));
    s.paintPicture(picture, 10, 12);
    EXPECT_EQ(s.pixel(10, 12), kRed);
    EXPECT_EQ(s.pixel(13, 15), kRed);
    EXPECT_EQ(s.pixel(14, 15), kWhite);
    EXPECT_EQ(s.pixel(9, 12), kWhite);
}

TEST(SurfacePictures, TransparentPartsOfAPictureLeaveTheSurface) {
    Surface s(10, 10);
    s.setBackColour(kBlue);
    QImage picture(4, 4, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    picture.setPixel(1, 1, qRgba(255, 0, 0, 255));
    s.paintPicture(picture, 0, 0);
    EXPECT_EQ(s.pixel(1, 1), kRed);
    EXPECT_EQ(s.pixel(2, 2), kBlue);
}

TEST(SurfacePictures, ResizeKeepsThePictureAndRefusesEmptySizes) {
    Surface s(10, 10);
    s.pset(3, 3, kRed);
    s.resize(20, 15);
    EXPECT_EQ(s.width(), 20);
    EXPECT_EQ(s.height(), 15);
    EXPECT_EQ(s.pixel(3, 3), kRed);
    EXPECT_EQ(s.pixel(15, 12), kWhite);
    s.resize(0, 5);
    s.resize(5, -1);
    EXPECT_EQ(s.width(), 20);
    EXPECT_EQ(s.height(), 15);
}

TEST(SurfacePictures, ImageIsAt96DpiAndPixelsOutsideReadAsNoColour) {
    Surface s(10, 10);
    EXPECT_EQ(s.image().format(), QImage::Format_RGB32);
    EXPECT_NEAR(s.image().dotsPerMeterX() * 0.0254, 96.0, 0.1);
    EXPECT_EQ(s.pixel(10, 0), (Colour{-1, -1, -1}));
    EXPECT_EQ(s.pixel(-1, 0), (Colour{-1, -1, -1}));
}

TEST(SurfacePictures, EveryDrawingSignalsAChange) {
    Surface s(10, 10);
    QSignalSpy spy(&s, &Surface::changed);
    s.line(0, 0, 5, 5);
    s.print("a");
    s.clear();
    EXPECT_EQ(spy.count(), 3);
}

// --- Device pixel ratio ------------------------------------------------------
// Coordinates stay logical; shapes are rasterised in device pixels. Tests read a logical pixel
// through devicePixels(), which maps it to the device pixels it covers.
