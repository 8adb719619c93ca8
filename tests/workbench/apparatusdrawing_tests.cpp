// The apparatus illustration `picburette` as drawn: the liquid, the burette, the pH-meter, the
// background and the legend, pixel by pixel.
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "platform/surface.h"
#include "state/conductimetry.h"
#include "testsupport.h"
#include "workbench/apparatuspainter.h"
#include "workbench/apparatuspictures.h"

using platform::Colour;
using platform::kBlack;
using platform::kWhite;
using testsupport::apparatusGradient;
using namespace workbench;

namespace {

constexpr Colour kDarkGrey{128, 128, 128};
constexpr Colour kProbeYellow{230, 200, 0};
constexpr Colour kStirrerBlue{20, 100, 180};

using testsupport::darkPixels;
using testsupport::isDark;

ApparatusScene sceneWith(double beaker, double poured, double water) {
    ApparatusScene scene;
    scene.beakerVolume = beaker;
    scene.pouredVolume = poured;
    scene.waterVolume = water;
    return scene;
}

class ApparatusDrawing : public testing::Test {
  protected:
    void SetUp() override { testsupport::application(); }

    void draw(const ApparatusScene& scene) {
        m_layout = m_painter.drawBackground(scene);
        m_painter.drawLiquidLevels(scene);
    }
    Colour at(int x, int y) const { return m_surface.pixel(x, y); }

    platform::Surface m_surface{ApparatusPainter::kWidth, ApparatusPainter::kHeight};
    ApparatusPainter m_painter{m_surface};
    ApparatusLayout m_layout;
};

// --- The liquid -------------------------------------------------------------------------------

struct LevelCase {
    const char* name;
    double beaker;
    double poured;
    double water;
    int surface;
};

void PrintTo(const LevelCase& c, std::ostream* out) {
    *out << c.name;
}

class LiquidLevel : public ApparatusDrawing, public testing::WithParamInterface<LevelCase> {};

TEST_P(LiquidLevel, SurfaceLineThenLiquidDownToTheBottom) {
    const LevelCase& c = GetParam();
    draw(sceneWith(c.beaker, c.poured, c.water));
    const Colour clear{230, 240, 250};
    const double f = ApparatusPainter::shading(60);
    const Colour shaded{static_cast<int>(std::nearbyint(clear.red * f)),
                        static_cast<int>(std::nearbyint(clear.green * f)),
                        static_cast<int>(std::nearbyint(clear.blue * f))};
    EXPECT_EQ(at(60, c.surface), kBlack) << "surface line";
    EXPECT_EQ(at(60, c.surface + 1), shaded) << "first row of liquid";
    EXPECT_EQ(at(60, 454), shaded) << "last row of liquid";
    EXPECT_EQ(at(60, 455), kBlack) << "bottom of the beaker";
    EXPECT_EQ(at(60, c.surface - 1), apparatusGradient(c.surface - 1)) << "nothing above the surface";
}

INSTANTIATE_TEST_SUITE_P(Volumes, LiquidLevel,
                         testing::Values(LevelCase{"TwentyMillilitresStandAt449", 20, 0, 0, 449},
                                         LevelCase{"LargestTotalRoundsHalfToEvenAt388", 150, 25, 50, 388},
                                         LevelCase{"PouredVolumeRaisesTheLevel", 20, 12.5, 0, 445},
                                         LevelCase{"WaterCountsToo", 100, 10, 0, 422}),
                         [](const testing::TestParamInfo<LevelCase>& info) {
                             return std::string(info.param.name);
                         });

struct ColourCase {
    const char* name;
    int indicator;
    double pH;
    Colour atLeftWall;
};

void PrintTo(const ColourCase& c, std::ostream* out) {
    *out << c.name;
}

class LiquidColour : public ApparatusDrawing, public testing::WithParamInterface<ColourCase> {};

TEST_P(LiquidColour, LeftColumnShowsTheIndicatorColourUnshaded) {
    const ColourCase& c = GetParam();
    ApparatusScene scene = sceneWith(20, 0, 0);
    scene.indicatorIndex = c.indicator;
    scene.pH = c.pH;
    draw(scene);
    EXPECT_EQ(at(52, 452), c.atLeftWall);
}

INSTANTIATE_TEST_SUITE_P(
    Indicators, LiquidColour,
    testing::Values(ColourCase{"PhenolphthaleinHalfwayUpItsFirstRampAt8_2", 3, 8.2, {205, 170, 215}},
                    ColourCase{"BromothymolBlueStartsItsSecondRampAt7_1", 5, 7.1, {100, 200, 100}},
                    ColourCase{"ThymolBlueYellowBetweenItsTwoZonesAt5", 9, 5.0, {250, 250, 0}},
                    ColourCase{"NoIndicatorLeavesTheLiquidClear", 0, 1.0, {230, 240, 250}}),
    [](const testing::TestParamInfo<ColourCase>& info) { return std::string(info.param.name); });

TEST_F(ApparatusDrawing, YellowLiquidDarkensToThreeQuartersAtTheRightWall) {
    ApparatusScene scene = sceneWith(20, 0, 0);
    scene.showPhMeter = false;  // no probe in the liquid
    scene.indicatorIndex = 5;   // bromothymol blue, acid form below pH 5.5
    scene.pH = 4.0;
    draw(scene);
    EXPECT_EQ(at(52, 452), (Colour{250, 250, 0}));
    EXPECT_EQ(at(100, 452), (Colour{192, 192, 0}));
    // The shading falls steadily from left to right.
    for (int x = 53; x <= 100; ++x) EXPECT_LE(at(x, 450).red, at(x - 1, 450).red) << x;
}

TEST_F(ApparatusDrawing, StirringBarTakesTheLiquidColourAndTheImmersedProbeItsTint) {
    ApparatusScene scene = sceneWith(20, 0, 0);
    scene.indicatorIndex = 5;
    scene.pH = 4.0;
    draw(scene);
    EXPECT_EQ(at(73, 453), (Colour{250, 250, 0})) << "bar, unshaded";
    EXPECT_EQ(at(89, 452), (Colour{225, 200, 0})) << "probe tip";
    EXPECT_EQ(at(86, 451), kDarkGrey) << "probe outline";
}

// --- The apparatus shown ----------------------------------------------------------------------

TEST_F(ApparatusDrawing, WithoutTheBuretteTheBeakerStands30PxLowerWithoutStirrerLegendOrTap) {
    ApparatusScene scene = sceneWith(20, 0, 0);
    draw(scene);
    EXPECT_TRUE(m_layout.legendShown);
    EXPECT_EQ(at(60, 449), kBlack);
    EXPECT_EQ(at(45, 470), kStirrerBlue);
    EXPECT_EQ(at(106, 465), (Colour{255, 0, 0})) << "pilot light";
    EXPECT_GT(darkPixels(m_surface, QRect(90, 54, 190, 150)), 100) << "legend";
    EXPECT_NE(at(85, 298), apparatusGradient(298)) << "tap";
    EXPECT_EQ(at(23, 300), (Colour{192, 192, 192})) << "stand rod";

    scene.showBurette = false;
    draw(scene);
    EXPECT_FALSE(m_layout.legendShown);
    EXPECT_EQ(at(60, 479), kBlack) << "surface 30 px lower";
    EXPECT_EQ(at(60, 485), kBlack) << "bottom 30 px lower";
    EXPECT_NE(at(60, 449), kBlack);
    EXPECT_EQ(at(45, 470), apparatusGradient(470));
    EXPECT_EQ(at(106, 465), apparatusGradient(465));
    EXPECT_EQ(darkPixels(m_surface, QRect(90, 54, 190, 150)), 0);
    EXPECT_EQ(at(85, 298), apparatusGradient(298));
    EXPECT_EQ(at(23, 300), apparatusGradient(300));
    EXPECT_EQ(at(62, 30), apparatusGradient(30)) << "no burette level";
}

TEST_F(ApparatusDrawing, ProbeAndCableOnlyWithThePhMeter) {
    ApparatusScene scene = sceneWith(20, 0, 0);
    draw(scene);
    EXPECT_EQ(at(89, 400), kProbeYellow);
    EXPECT_EQ(at(119, 400), kBlack) << "cable";
    EXPECT_EQ(at(220, 466), kBlack) << "display window";

    scene.showPhMeter = false;
    draw(scene);
    EXPECT_EQ(at(89, 400), apparatusGradient(400));
    EXPECT_EQ(at(119, 400), apparatusGradient(400));
    EXPECT_EQ(at(220, 466), apparatusGradient(466));
}

TEST_F(ApparatusDrawing, ProbeFollowsTheLowerBeakerWithoutTheBurette) {
    ApparatusScene scene = sceneWith(20, 0, 0);
    scene.showBurette = false;
    draw(scene);
    EXPECT_EQ(at(89, 395), kProbeYellow);
    EXPECT_EQ(at(89, 385), kBlack) << "holder 30 px lower";
}

TEST_F(ApparatusDrawing, StreamFallsOnlyWhilePouring) {
    ApparatusScene scene = sceneWith(20, 0, 0);
    draw(scene);
    EXPECT_EQ(at(62, 360), apparatusGradient(360));
    EXPECT_NE(at(62, 400), kDarkGrey);

    scene.pouring = true;
    draw(scene);
    EXPECT_EQ(at(62, 360), kDarkGrey) << "under the tip";
    EXPECT_EQ(at(62, 400), kDarkGrey) << "in the beaker";
    EXPECT_EQ(at(62, 448), kDarkGrey) << "down to the liquid";
    EXPECT_NE(at(62, 452), kDarkGrey) << "not in the liquid";

    scene.showBurette = false;
    draw(scene);
    EXPECT_EQ(at(62, 360), apparatusGradient(360)) << "no burette, no stream";
}

// --- The burette ------------------------------------------------------------------------------

class Meniscus : public ApparatusDrawing, public testing::WithParamInterface<double> {};

TEST_P(Meniscus, LowestPointSitsOnTheMarkOfThePouredVolume) {
    const double v = GetParam();
    const int mark = 30 + static_cast<int>(std::lround(10 * v));
    draw(sceneWith(20, v, 0));
    EXPECT_EQ(at(62, mark), kBlack);
    EXPECT_NE(at(62, mark + 1), kBlack);
    EXPECT_EQ(at(58, mark - 4), kDarkGrey) << "dark line";
    EXPECT_EQ(at(60, mark - 3), (Colour{192, 192, 192})) << "light line";
}

INSTANTIATE_TEST_SUITE_P(PouredVolumes, Meniscus, testing::Values(0.0, 7.0, 12.4, 24.0),
                         [](const testing::TestParamInfo<double>& info) {
                             return "Tenths" + std::to_string(std::lround(info.param * 10));
                         });

TEST_F(ApparatusDrawing, FullBuretteMeniscusRestsOnThe25mLMark) {
    draw(sceneWith(20, 0, 0));
    std::vector<Colour> below;
    for (int y = 281; y <= 294; ++y) {
        for (int x = 55; x <= 70; ++x) below.push_back(at(x, y));
    }
    draw(sceneWith(20, 25, 0));
    EXPECT_EQ(at(62, 280), kBlack);
    EXPECT_EQ(at(58, 276), kDarkGrey);
    EXPECT_EQ(at(60, 277), (Colour{192, 192, 192}));
    // Nothing of the meniscus below the mark.
    std::size_t i = 0;
    for (int y = 281; y <= 294; ++y) {
        for (int x = 55; x <= 70; ++x) EXPECT_EQ(at(x, y), below[i++]) << x << "," << y;
    }
}

TEST_F(ApparatusDrawing, GraduationTicksEveryTwoPixelsLongerOnMillilitres) {
    draw(sceneWith(20, 0, 0));
    for (int k = 0; k <= 125; ++k) {
        const int y = 30 + 2 * k;
        // The numbers of the 5 mL marks stand 4 px above and below them.
        const bool nearNumber = k % 25 <= 2 || k % 25 >= 23;
        if (k % 5 != 0) {
            if (!nearNumber) {
                EXPECT_EQ(at(61, y), kDarkGrey) << "short tick at " << y;
            }
            EXPECT_NE(at(58, y), kDarkGrey) << "short tick too long at " << y;
        } else {
            EXPECT_EQ(at(56, y), kDarkGrey) << "millilitre tick at " << y;
            EXPECT_EQ(at(68, y), kDarkGrey) << "millilitre tick at " << y;
            if ((k / 5) % 5 != 0) {
                EXPECT_EQ(at(62, y), kDarkGrey) << "full tick at " << y;
            }
        }
        // Between marks, away from the numbers, the tube is clear.
        if (k < 125 && !nearNumber) {
            EXPECT_NE(at(61, y + 1), kDarkGrey) << y + 1;
        }
    }
    // The numbered marks carry their number between the half ticks.
    for (int v = 0; v <= 25; v += 5) EXPECT_GT(darkPixels(m_surface, QRect(59, 26 + 10 * v, 8, 9)), 0) << v;
}

TEST_F(ApparatusDrawing, BackgroundGradientRunsFromPeachToWhite) {
    draw(sceneWith(20, 0, 0));
    EXPECT_EQ(at(280, 0), (Colour{255, 200, 155}));
    EXPECT_EQ(at(280, 248), (Colour{255, 227, 205}));
    EXPECT_EQ(at(280, 496), kWhite);
}

TEST_F(ApparatusDrawing, EachRedrawStartsFromTheSameBackground) {
    draw(sceneWith(150, 19.6, 50));
    EXPECT_EQ(at(60, 400), (Colour{static_cast<int>(std::nearbyint(230 * ApparatusPainter::shading(60))),
                                   static_cast<int>(std::nearbyint(240 * ApparatusPainter::shading(60))),
                                   static_cast<int>(std::nearbyint(250 * ApparatusPainter::shading(60)))}));
    const ApparatusScene low = sceneWith(20, 5, 0);
    m_painter.drawLiquidLevels(low);
    EXPECT_EQ(at(60, 400), apparatusGradient(400)) << "the old liquid is gone";
    EXPECT_EQ(at(62, 226), kDarkGrey) << "the old meniscus is gone, the tick is back";
    EXPECT_EQ(at(62, 80), kBlack) << "the new meniscus";
}

TEST_F(ApparatusDrawing, AbsurdVolumesStayInsideTheBeaker) {
    draw(sceneWith(5000, 0, 0));
    EXPECT_EQ(at(60, 368), apparatusGradient(368)) << "nothing above the rim";
    draw(sceneWith(-50, std::nan(""), 0));
    EXPECT_EQ(at(60, 456), kBlack) << "the bottom line is kept";
}

// --- The legend -------------------------------------------------------------------------------

TEST_F(ApparatusDrawing, LegendPlacesItsFieldsInTheFlowWithoutOverlap) {
    LegendControls controls;
    controls.titrantField = {64, 20};
    controls.pouredField = {40, 20};
    const ApparatusLayout layout = m_painter.drawBackground(sceneWith(20, 0, 0), controls);
    const QRect titrant(layout.titrantField, controls.titrantField);
    const QRect poured(layout.pouredField, controls.pouredField);
    EXPECT_GT(titrant.left(), 107);
    EXPECT_GT(layout.pouredLabel.x(), 136);
    EXPECT_FALSE(titrant.intersects(poured));
    EXPECT_GT(layout.pouredLabel.y(), poured.bottom());
    EXPECT_LE(poured.right(), ApparatusPainter::kWidth - 1);
    // The unit follows the field: text right after it, none under it.
    EXPECT_GT(darkPixels(m_surface, QRect(titrant.right() + 1, titrant.top(), 40, titrant.height())), 0);
    EXPECT_EQ(darkPixels(m_surface, titrant.adjusted(2, 2, -2, -2)), 0);

    // A wider field pushes the unit along.
    controls.titrantField = {90, 20};
    const ApparatusLayout wider = m_painter.drawBackground(sceneWith(20, 0, 0), controls);
    EXPECT_EQ(wider.titrantField, layout.titrantField);
    EXPECT_EQ(darkPixels(m_surface, QRect(titrant.right() + 1, titrant.top() + 2, 26, titrant.height() - 4)),
              0);
}

TEST_F(ApparatusDrawing, LegendNamesTheStrongTitrantOfTheOtherNature) {
    ApparatusScene scene = sceneWith(20, 0, 0);
    m_painter.drawBackground(scene);
    const QImage acid = m_surface.image().copy(98, 60, 190, 50);
    scene.beakerIsAcid = false;
    m_painter.drawBackground(scene);
    EXPECT_NE(m_surface.image().copy(98, 60, 190, 50), acid);
}

// --- Pictures ---------------------------------------------------------------------------------

// --- The conductimeter's display ----------------------------------------------------------------

class ConductivityDisplay : public ApparatusDrawing, public testing::WithParamInterface<double> {};

// Every decade the meter shows, from 0,001 to 99,9 mS/cm: each digit inside the display.
TEST_P(ConductivityDisplay, WritesTheWholeReadingInsideTheDisplay) {
    ApparatusScene scene = sceneWith(20, 0, 0);
    scene.showConductimeter = true;
    draw(scene);
    const QString text = QString::fromStdString(state::conductivityText(GetParam()));
    ApparatusReadings readings;
    readings.conductivity = text;
    m_painter.writeReadingsIntoPicture(readings, m_layout);

    const QRect d = ApparatusPainter::kConductivityDisplay;
    QRect box;  // the green of the reading, on the black display or on its bezel
    for (int y = d.top() - 6; y <= d.bottom() + 6; ++y) {
        for (int x = 150; x < ApparatusPainter::kWidth; ++x) {
            const Colour c = at(x, y);
            if (c.green > c.red + 60 && c.green > c.blue + 60) box |= QRect(x, y, 1, 1);
        }
    }
    ASSERT_FALSE(box.isEmpty()) << text.toStdString();
    EXPECT_GE(box.left(), d.left()) << text.toStdString();
    EXPECT_LE(box.right(), d.right()) << text.toStdString();
    EXPECT_GE(box.top(), d.top()) << text.toStdString();
    EXPECT_LE(box.bottom(), d.bottom()) << text.toStdString();
    // The first digit is all there: the ink is as wide as the text in its font.
    const OverlayFont font = ApparatusPainter::conductivityDisplayFont(text);
    platform::Surface measure;
    measure.setFontName(QString::fromLatin1(font.name));
    measure.setFontSize(font.points);
    measure.setFontBold(font.bold);
    EXPECT_NEAR(box.width(), measure.textWidth(text), 3) << text.toStdString();
    EXPECT_LE(measure.textWidth(text), ApparatusPainter::kConductivityTextRoom) << text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Decades, ConductivityDisplay,
                         testing::Values(0.00123, 0.0123, 0.123, 0.360, 0.9996, 4.26, 12.3, 99.9));

TEST(ApparatusPictures, TapKeyLiesAcrossWhenClosedAndAlongTheTubeWhenOpen) {
    testsupport::application();
    const QImage& closed = ApparatusPictures::tap(false);
    const QImage& open = ApparatusPictures::tap(true);
    ASSERT_EQ(closed.size(), ApparatusPictures::kTapSize);
    ASSERT_EQ(open.size(), ApparatusPictures::kTapSize);
    EXPECT_EQ(qAlpha(closed.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(open.pixel(29, 29)), 0);
    EXPECT_EQ(qAlpha(closed.pixel(25, 15)), 255) << "horizontal wing";
    EXPECT_EQ(qAlpha(open.pixel(25, 15)), 0);
    EXPECT_EQ(qAlpha(open.pixel(9, 3)), 255) << "upright wing";
    EXPECT_EQ(qAlpha(closed.pixel(9, 3)), 0);
}

TEST(ApparatusPictures, DropIsBlueOnTransparency) {
    testsupport::application();
    const QImage& drop = ApparatusPictures::drop();
    ASSERT_EQ(drop.size(), ApparatusPictures::kDropSize);
    EXPECT_EQ(qAlpha(drop.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(drop.pixel(15, 0)), 0);
    const QColor centre = QColor::fromRgba(drop.pixel(9, 12));
    EXPECT_EQ(centre.alpha(), 255);
    EXPECT_GT(centre.blue(), centre.red() + 60);
}

TEST_F(ApparatusDrawing, OpenTapIsPaintedIntoThePicture) {
    ApparatusScene scene = sceneWith(20, 0, 0);
    draw(scene);
    EXPECT_EQ(at(76 + 9, 283 + 3), apparatusGradient(286));
    scene.tapOpen = true;
    m_painter.drawLiquidLevels(scene);
    EXPECT_NE(at(76 + 9, 283 + 3), apparatusGradient(286));
}

TEST_F(ApparatusDrawing, DropFallsUnderTheTipAndTheRimIsRedrawnOverIt) {
    draw(sceneWith(20, 0, 0));
    m_painter.paintDrop(348);
    const Colour drop = at(63, 359);
    EXPECT_GT(drop.blue, drop.red + 60);
    m_painter.paintDrop(362);
    EXPECT_GT(at(63, 369).blue, at(63, 369).red + 60);
    m_painter.redrawBuretteTip();
    EXPECT_EQ(at(63, 369), kBlack);
    EXPECT_EQ(at(63, 370), kWhite);
    EXPECT_EQ(at(102, 370), kBlack);
}

}  // namespace
