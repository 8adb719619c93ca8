// The graph page: the frame, the marks and the curves as pixels of `Picture1`, the read-out under
// the mouse, and the tool bar, driven through the bench controller.
#include <gtest/gtest.h>

#include <QLabel>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QToolButton>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <memory>
#include <string>

#include "platform/scriptedmessageboxes.h"
#include "state/actions.h"
#include "testsupport.h"
#include "workbench/benchcontroller.h"
#include "workbench/graphpainter.h"
#include "workbench/graphpanel.h"

using namespace workbench;
using platform::Colour;
using platform::kBlack;
using platform::kWhite;
using state::PlotFrame;

namespace {

constexpr Colour kPhGrid{192, 192, 192};
constexpr Colour kVolumeGrid{220, 220, 220};
constexpr Colour kBlue{0, 0, 255};
constexpr Colour kPurple{192, 0, 192};

bool isDark(const Colour& c) {
    return c.red < 128 && c.green < 128 && c.blue < 128;
}

int countPixels(const platform::Surface& s, int left, int top, int right, int bottom, const Colour& colour) {
    int n = 0;
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) n += s.pixel(x, y) == colour ? 1 : 0;
    }
    return n;
}

// The box of the dark (text) pixels inside a rectangle; empty when there are none.
QRect darkBox(const platform::Surface& s, int left, int top, int right, int bottom) {
    QRect box;
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            if (isDark(s.pixel(x, y))) box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

// --- The painter alone, on a surface of the page's size ------------------------------------------

class GraphPainterTest : public ::testing::Test {
  protected:
    GraphPainterTest() : app(testsupport::application()), surface(473, 270), painter(surface) {
        painter.drawFrame();
    }

    QApplication& app;
    platform::Surface surface;
    GraphPainter painter;
};

TEST_F(GraphPainterTest, FrameClearsEverythingDrawnBeforeToWhite) {
    surface.filledRectangle(100, 100, 120, 120, Colour{255, 0, 0});
    painter.drawFrame();
    EXPECT_EQ(surface.pixel(115, 115), kWhite);
    EXPECT_EQ(surface.pixel(430, 100), kWhite);  // right of the grid
    EXPECT_EQ(surface.strokeWidth(), 1);
}

struct GridPixel {
    const char* name;
    int x;
    int y;
    Colour colour;
};

class GraphFramePixels : public GraphPainterTest, public ::testing::WithParamInterface<GridPixel> {};

TEST_P(GraphFramePixels, HasItsColour) {
    const GridPixel& p = GetParam();
    EXPECT_EQ(surface.pixel(p.x, p.y), p.colour) << p.name;
}

INSTANTIATE_TEST_SUITE_P(
    GridAndAxes, GraphFramePixels,
    ::testing::Values(
        GridPixel{"pH 7 line between volume lines", 200, 138, kPhGrid},
        GridPixel{"pH 14 line just left of 25 mL", 389, 26, kPhGrid},
        GridPixel{"pH 14 line stops before its end point", 391, 26, kWhite},
        GridPixel{"3 mL line between pH lines", 82, 100, kVolumeGrid},
        GridPixel{"volume lines are drawn over the pH lines", 82, 138, kVolumeGrid},
        GridPixel{"25 mL line top", 390, 26, kVolumeGrid},
        GridPixel{"volume lines start at pH 14", 82, 25, kWhite}, GridPixel{"pH axis", 40, 100, kBlack},
        GridPixel{"pH axis tip", 40, 2, kBlack}, GridPixel{"pH axis is a single line", 41, 100, kWhite},
        GridPixel{"V axis over pH 0 line", 200, 250, kBlack},
        GridPixel{"V axis last pixel", 414, 250, kBlack},
        GridPixel{"V axis end point left out", 415, 250, kWhite},
        GridPixel{"pH arrow left stroke", 39, 4, kBlack}, GridPixel{"pH arrow right stroke", 41, 4, kBlack},
        GridPixel{"pH arrow left stroke", 38, 6, kBlack}, GridPixel{"pH arrow right stroke", 42, 6, kBlack},
        GridPixel{"pH arrow ends left out", 37, 7, kWhite},
        GridPixel{"pH arrow ends left out", 43, 7, kWhite},
        GridPixel{"V arrow upper stroke start", 410, 248, kBlack},
        GridPixel{"V arrow lower stroke start", 410, 252, kBlack},
        GridPixel{"nothing right of the V axis end", 418, 250, kWhite}));

TEST_F(GraphPainterTest, PhLabelsEndAtX36AndAreCentredOnTheirLine) {
    // pH 0 shares its corner with the volume label 0: the others stand alone.
    for (int i : {2, 7, 14}) {
        const int y = 250 - 16 * i;
        const QRect box = darkBox(surface, 0, y - 10, 39, y + 10);
        ASSERT_FALSE(box.isEmpty()) << "pH " << i;
        EXPECT_LE(box.right(), 36) << "pH " << i;
        EXPECT_GE(box.right(), 33) << "pH " << i;
        EXPECT_NEAR(box.center().y(), y, 2) << "pH " << i;
    }
    // Two digits reach further left than one.
    EXPECT_LT(darkBox(surface, 0, 16, 39, 36).left(), darkBox(surface, 0, 128, 39, 148).left());
}

TEST_F(GraphPainterTest, VolumeLabelsEveryFiveMillilitresCentredBelowTheAxis) {
    for (int v : {5, 10, 15, 20, 25}) {
        const int x = 40 + 14 * v;
        const QRect box = darkBox(surface, x - 9, 251, x + 9, 269);
        ASSERT_FALSE(box.isEmpty()) << v << " mL";
        EXPECT_GE(box.top(), 252) << v << " mL";
        EXPECT_NEAR(box.center().x(), x, 2) << v << " mL";
    }
    // The label 0 starts right of the pH labels, below the axis.
    const QRect zero = darkBox(surface, 37, 251, 49, 269);
    ASSERT_FALSE(zero.isEmpty());
    EXPECT_NEAR(zero.center().x(), 40, 2);
    // No label at 3 mL.
    EXPECT_TRUE(darkBox(surface, 78, 252, 86, 269).isEmpty());
}

TEST_F(GraphPainterTest, AxisTitlesWithTheLoweredIndexOfV) {
    const QRect ph = darkBox(surface, 15, 0, 34, 16);
    ASSERT_FALSE(ph.isEmpty());
    EXPECT_GE(ph.left(), 20);
    EXPECT_GE(ph.top(), 2);

    // "V" in italics at (415, 252), then "1" 5 px lower.
    platform::Surface measure;
    measure.setFontItalic(true);
    const int vWidth = static_cast<int>(measure.textWidth("V"));
    measure.setFontItalic(false);
    const int oneWidth = static_cast<int>(measure.textWidth("1"));
    const QRect v = darkBox(surface, 415, 252, 415 + vWidth - 1, 269);
    const QRect one = darkBox(surface, 415 + vWidth, 252, 415 + vWidth + oneWidth - 1, 269);
    ASSERT_FALSE(v.isEmpty());
    ASSERT_FALSE(one.isEmpty());
    EXPECT_NEAR(one.bottom() - v.bottom(), 5, 1);
    EXPECT_FALSE(darkBox(surface, 415 + vWidth + oneWidth, 252, 472, 269).isEmpty()) << "(mL)";
}

TEST_F(GraphPainterTest, DistributionFrameLabelsEveryTenPercentAtTheLeft) {
    painter.drawDistributionFrame();
    for (int percent : {20, 50, 100}) {
        const int y = static_cast<int>(PlotFrame::yOfPercent(percent));
        const QRect box = darkBox(surface, 0, y - 9, 37, y + 9);
        ASSERT_FALSE(box.isEmpty()) << percent;
        EXPECT_LE(box.right(), 36) << percent;
        EXPECT_NEAR(box.center().y(), y, 2) << percent;
    }
    EXPECT_FALSE(darkBox(surface, 15, 0, 34, 16).isEmpty()) << "%";
    EXPECT_FALSE(darkBox(surface, 415, 252, 472, 269).isEmpty()) << "V  (mL)";
}

TEST_F(GraphPainterTest, MarkAtTopLeftCornerOfTheGridHasArmsOfThreePixels) {
    painter.drawMark(0, 14, platform::Colour{0, 0, 255}, 1);
    for (int d = -3; d <= 3; ++d) {
        EXPECT_EQ(surface.pixel(40 + d, 26), kBlue) << "horizontal " << d;
        EXPECT_EQ(surface.pixel(40, 26 + d), kBlue) << "vertical " << d;
    }
    EXPECT_NE(surface.pixel(44, 26), kBlue);
    EXPECT_NE(surface.pixel(36, 26), kBlue);
    EXPECT_NE(surface.pixel(40, 30), kBlue);
    EXPECT_NE(surface.pixel(40, 22), kBlue);
    EXPECT_EQ(countPixels(surface, 30, 16, 50, 36, kBlue), 13);
}

TEST_F(GraphPainterTest, MarkAtTwentyFiveMillilitresSitsOnTheLastGridLine) {
    painter.drawMark(25, 7, platform::Colour{255, 0, 0}, 1);
    EXPECT_EQ(surface.pixel(390, 138), (Colour{255, 0, 0}));
    EXPECT_EQ(surface.pixel(387, 138), (Colour{255, 0, 0}));
    EXPECT_EQ(surface.pixel(393, 138), (Colour{255, 0, 0}));
    EXPECT_EQ(surface.pixel(390, 135), (Colour{255, 0, 0}));
    EXPECT_EQ(surface.pixel(390, 141), (Colour{255, 0, 0}));
    EXPECT_EQ(countPixels(surface, 380, 128, 400, 148, Colour{255, 0, 0}), 13);
}

TEST_F(GraphPainterTest, MarkPositionFollowsTheMappingWithRounding) {
    // 0,05 mL is 0,7 px right of the axis: the mark is centred on x = 41.
    painter.drawMark(0.05, 2.004, platform::Colour{0, 128, 0}, 1);
    const Colour green{0, 128, 0};
    EXPECT_EQ(surface.pixel(41, 218), green);
    EXPECT_EQ(surface.pixel(38, 218), green);
    EXPECT_EQ(surface.pixel(44, 218), green);
    EXPECT_NE(surface.pixel(45, 218), green);
    EXPECT_EQ(surface.pixel(41, 215), green);
    EXPECT_NE(surface.pixel(41, 214), green);
}

TEST_F(GraphPainterTest, StrokeWidthTwoThickensAndLengthensTheMark) {
    painter.drawMark(10, 7, platform::Colour{192, 0, 192}, 2);
    const int thick = countPixels(surface, 170, 120, 200, 156, kPurple);
    EXPECT_GT(thick, 2 * 13);
    // The wide pen includes the end points: the arm reaches x + 4.
    EXPECT_EQ(surface.pixel(184, 138), kPurple);
    EXPECT_EQ(surface.strokeWidth(), 2);
}

TEST_F(GraphPainterTest, CurveStartsWithADotAndJoinsEveryVertexInItsColour) {
    const std::vector<chemistry::CurveVertex> curve = {{0, 3.38f}, {0.74f, 3.58f}, {10, 4.75f},
                                                       {19.9f, 7}, {20.1f, 10},    {25, 11.05f}};
    painter.drawCurve(state::seriesOf(curve), platform::Colour{192, 0, 192}, 1);
    for (std::size_t i = 0; i + 1 < curve.size(); ++i) {
        const int x = static_cast<int>(std::floor(PlotFrame::x(curve[i].volume) + 0.5));
        const int y = static_cast<int>(std::floor(PlotFrame::y(curve[i].pH) + 0.5));
        EXPECT_EQ(surface.pixel(x, y), kPurple) << "vertex " << i;
    }
    // Across the jump at the equivalence the segment is steep: every row between is crossed.
    for (int y = static_cast<int>(PlotFrame::y(10)) + 1; y < static_cast<int>(PlotFrame::y(7)); ++y) {
        EXPECT_EQ(countPixels(surface, 315, y, 325, y, kPurple), 1) << "row " << y;
    }
}

TEST_F(GraphPainterTest, CurveOfOneVertexIsADot) {
    painter.drawCurve({{5, 7}}, platform::Colour{192, 0, 192}, 1);
    EXPECT_EQ(countPixels(surface, 100, 128, 120, 148, kPurple), 1);
    EXPECT_EQ(surface.pixel(110, 138), kPurple);
}

TEST_F(GraphPainterTest, CurveAtStrokeWidthTwoIsThicker) {
    const std::vector<chemistry::CurveVertex> curve = {{0, 3}, {25, 3}};
    painter.drawCurve(state::seriesOf(curve), platform::Colour{192, 0, 192}, 1);
    const int thin = countPixels(surface, 0, 190, 472, 215, kPurple);
    painter.drawFrame();
    painter.drawCurve(state::seriesOf(curve), platform::Colour{192, 0, 192}, 2);
    const int thick = countPixels(surface, 0, 190, 472, 215, kPurple);
    EXPECT_EQ(thin, 350);
    EXPECT_GE(thick, 2 * thin);
}

TEST_F(GraphPainterTest, VertexThatCouldNotBeComputedIsLeftOut) {
    const float nan = std::nanf("");
    painter.drawCurve({{nan, 3}, {5, 7}, {10, nan}, {10, 7}}, platform::Colour{192, 0, 192}, 1);
    EXPECT_EQ(surface.pixel(110, 138), kPurple);  // the first drawable vertex is the dot
    EXPECT_EQ(countPixels(surface, 100, 138, 200, 138, kPurple), 70);
}

// --- The read-out ------------------------------------------------------------------------------

struct Readout {
    const char* name;
    int x;
    int y;
    GraphMode mode;
    const char* text;
    bool sigma = false;  // the σ meter's frame
};

class GraphReadout : public ::testing::TestWithParam<Readout> {};

TEST_P(GraphReadout, TextAtThePointer) {
    const Readout& r = GetParam();
    // σ on an axis of 1 mS/cm.
    const state::Meter& meter = r.sigma ? state::conductivityMeter() : state::phMeter();
    EXPECT_EQ(GraphPainter::readoutText(r.x, r.y, r.mode, meter, meter.axisFor(1)).toStdString(), r.text)
        << r.name;
}

INSTANTIATE_TEST_SUITE_P(
    BothModes, GraphReadout,
    ::testing::Values(
        Readout{"pH mode at ten and ten", 180, 90, GraphMode::MeterCurve, "V = 10,0 mL ; pH = 10,0"},
        Readout{"pH with two decimals", 180, 92, GraphMode::MeterCurve, "V = 10,0 mL ; pH = 9,88"},
        Readout{"first column inside", 40, 250, GraphMode::MeterCurve, "V = 0,0 mL ; pH = 0,0"},
        Readout{"last column inside", 390, 26, GraphMode::MeterCurve, "V = 25,0 mL ; pH = 14,0"},
        Readout{"volume and pH rounded", 41, 249, GraphMode::MeterCurve, "V = 0,1 mL ; pH = 0,06"},
        Readout{"distribution at 100 %", 180, 30, GraphMode::Distribution, "V = 10,0 mL ; p = 100,0 %"},
        Readout{"distribution at 50 %", 180, 140, GraphMode::Distribution, "V = 10,0 mL ; p = 50,0 %"},
        Readout{"distribution above 100 % is empty", 180, 29, GraphMode::Distribution, ""},
        Readout{"x = 391 is outside", 391, 90, GraphMode::MeterCurve, ""},
        // The σ axis of 1 mS/cm: 50 px above the V axis is 50 / 224 of it.
        Readout{"sigma three digits", 180, 200, GraphMode::MeterCurve, "V = 10,0 mL ; σ = 0,223 mS/cm", true},
        Readout{"sigma on the V axis", 180, 250, GraphMode::MeterCurve, "V = 10,0 mL ; σ = 0,00 mS/cm", true},
        Readout{"y = 251 is outside", 180, 251, GraphMode::MeterCurve, ""},
        Readout{"x = 39 is outside", 39, 90, GraphMode::MeterCurve, ""},
        Readout{"y = 25 is outside", 180, 25, GraphMode::MeterCurve, ""},
        Readout{"outside in distribution mode", 391, 140, GraphMode::Distribution, ""}),
    [](const auto& info) { return testsupport::caseName(info.param.name); });

TEST(GraphReadoutArea, BoundsAreExclusive) {
    EXPECT_TRUE(GraphPainter::isInsideReadout(40, 26));
    EXPECT_TRUE(GraphPainter::isInsideReadout(390, 250));
    EXPECT_FALSE(GraphPainter::isInsideReadout(39, 100));
    EXPECT_FALSE(GraphPainter::isInsideReadout(391, 100));
    EXPECT_FALSE(GraphPainter::isInsideReadout(100, 25));
    EXPECT_FALSE(GraphPainter::isInsideReadout(100, 251));
}

// --- The panel, driven by the bench controller ---------------------------------------------------------

class GraphPanelTest : public ::testing::Test {
  protected:
    GraphPanelTest() : app(testsupport::application()), bench(boxes) {
        panel = std::make_unique<GraphPanel>(bench);
        bench.perform(state::setDefaults);
        bench.perform(state::switchSituation, 0);
    }
    ~GraphPanelTest() override {
        EXPECT_FALSE(boxes.hasFailures()) << boxes.failures().join("\n").toStdString();
    }

    platform::SurfaceView& picture() {
        auto* view = panel->findChild<platform::SurfaceView*>(QStringLiteral("Picture1"));
        EXPECT_NE(view, nullptr);
        return *view;
    }
    const platform::Surface& surface() { return picture().surface(); }
    QToolButton* button(const char* name) {
        return panel->findChild<QToolButton*>(QString::fromLatin1(name));
    }
    QWidget* toolbar() { return panel->findChild<QWidget*>(QStringLiteral("outils")); }

    // Holds the tap for `ticks` timer ticks of 0,1 mL.
    void pour(int ticks) {
        bench.pressTap(workbench::Input::Mouse);
        for (int i = 0; i < ticks && bench.state().burette.pouring; ++i) bench.perform(state::pourTick);
    }

    void moveMouse(int x, int y) {
        QMouseEvent event(QEvent::MouseMove, QPointF(x, y), picture().mapToGlobal(QPointF(x, y)),
                          Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&picture(), &event);
    }

    static int pixelY(double pH) { return static_cast<int>(std::floor(PlotFrame::y(pH) + 0.5)); }
    static int pixelX(double volume) { return static_cast<int>(std::floor(PlotFrame::x(volume) + 0.5)); }

    QApplication& app;
    platform::ScriptedMessageBoxes boxes;
    BenchController bench;
    std::unique_ptr<GraphPanel> panel;
};

TEST_F(GraphPanelTest, PictureHoldsTheWholeFrameAndItsTitles) {
    EXPECT_GE(surface().width(), 460);
    EXPECT_GE(surface().height(), 270);
    EXPECT_EQ(surface().pixel(200, 138), kPhGrid);
    EXPECT_EQ(surface().pixel(82, 100), kVolumeGrid);
    EXPECT_EQ(surface().pixel(40, 100), kBlack);
}

TEST_F(GraphPanelTest, FirstPointOfHydrochloricAcidIsMarkedAtPhTwo) {
    bench.perform(state::chooseSolute, chemistry::SpeciesCatalogue::kStrongAcidIndex);
    ASSERT_FALSE(bench.graph().content().marks().empty());
    EXPECT_NEAR(bench.graph().content().marks().back().value, 2.0, 0.01);
    for (int d = -3; d <= 3; ++d) {
        EXPECT_EQ(surface().pixel(40 + d, 218), kBlue) << d;
        EXPECT_EQ(surface().pixel(40, 218 + d), kBlue) << d;
    }
    EXPECT_NE(surface().pixel(40, 222), kBlue);
}

TEST_F(GraphPanelTest, RestartWipesTheMarksOfThePreviousRun) {
    pour(20);  // 2 mL: marks at 0,5, 1, 1,5 and 2 mL
    bench.perform(state::releaseTap);
    const auto at2 = bench.graph().content().marks().back();
    ASSERT_NEAR(at2.volume, 2.0, 1e-6);
    const int x = pixelX(at2.volume);
    const int y = pixelY(at2.value);
    EXPECT_EQ(surface().pixel(x, y), kBlue);
    bench.perform(state::restoreGraph);  // "Restaurer" restarts the display
    EXPECT_NE(surface().pixel(x, y), kBlue);
}

TEST_F(GraphPanelTest, FullTitrationMarksUpToTwentyFiveMillilitresThenShowsTheCurve) {
    bench.perform(state::chooseSolute, 4);  // "acide éthanoïque"
    pour(250);
    // The choice of solute records the point at 0 mL; then one mark every 0,5 mL.
    const auto marks = bench.graph().content().marks();
    const auto poured = std::count_if(marks.begin(), marks.end(), [](const auto& m) { return m.volume > 0; });
    EXPECT_EQ(poured, 50);
    const auto& last = marks.back();
    ASSERT_NEAR(last.volume, 25.0, 1e-6);
    EXPECT_EQ(surface().pixel(390, pixelY(last.value)), kBlue);
    EXPECT_EQ(surface().pixel(387, pixelY(last.value)), kBlue);
    EXPECT_FALSE(toolbar()->isVisibleTo(panel.get()));
    // The mark at 10 mL, where the curve is flattest: its vertical arm stands out of the curve.
    const auto at10 = std::find_if(marks.begin(), marks.end(),
                                   [](const auto& m) { return std::abs(m.volume - 10) < 1e-6; });
    ASSERT_NE(at10, marks.end());
    const int x10 = pixelX(at10->volume);
    const int y10 = pixelY(at10->value);
    ASSERT_EQ(surface().pixel(x10, y10 - 3), kBlue);
    ASSERT_EQ(surface().pixel(x10, y10 + 3), kBlue);

    bench.perform(
        state::pourTick);  // the burette is empty: the curve is traced and the situation shown again
    ASSERT_FALSE(bench.graph().content().curves().empty());
    EXPECT_TRUE(toolbar()->isVisibleTo(panel.get()));
    const auto curve = bench.graph().content().curves().back().points;
    ASSERT_EQ(curve.size(), 40u);
    for (std::size_t i = 0; i + 1 < curve.size(); ++i) {
        EXPECT_EQ(surface().pixel(pixelX(curve[i].volume), pixelY(curve[i].value)), kBlue) << "vertex " << i;
    }
    // The marks of the run are gone: the table's replay leaves the poured volume at 25 mL, so no
    // point at 0 mL is marked again.
    EXPECT_TRUE(bench.graph().content().marks().empty());
    EXPECT_FALSE(surface().pixel(x10, y10 - 3) == kBlue && surface().pixel(x10, y10 + 3) == kBlue)
        << "no mark left at 10 mL";
}

TEST_F(GraphPanelTest, TracerEnGrasRedrawsTheFirstMarkThicker) {
    const int y = pixelY(bench.graph().content().marks().back().value);
    EXPECT_EQ(countPixels(surface(), 30, y - 10, 50, y + 10, kBlue), 13);
    bench.perform(state::setBoldStrokes, true);
    EXPECT_EQ(bench.graph().content().marks().back().width, 2);
    EXPECT_GT(countPixels(surface(), 30, y - 10, 50, y + 10, kBlue), 2 * 13);
    // The frame itself stays thin.
    EXPECT_EQ(surface().pixel(41, 100), kWhite);
}

TEST_F(GraphPanelTest, MouseOverTheGridShowsTheCoordinatesWithACross) {
    QSignalSpy hints(panel.get(), &GraphPanel::hint);
    moveMouse(180, 90);
    ASSERT_EQ(hints.count(), 1);
    EXPECT_EQ(hints.at(0).at(0).toString(),
              QString::fromUtf8("Déplacer la souris pour lire les coordonnées d'un point."));
    EXPECT_EQ(picture().cursorShape(), Qt::CrossCursor);
    EXPECT_EQ(picture().hoverText(), QStringLiteral("V = 10,0 mL ; pH = 10,0"));

    moveMouse(391, 90);
    EXPECT_EQ(hints.count(), 2);
    EXPECT_EQ(picture().cursorShape(), Qt::ArrowCursor);
    EXPECT_TRUE(picture().hoverText().isEmpty());

    moveMouse(180, 251);
    EXPECT_EQ(picture().cursorShape(), Qt::ArrowCursor);
    EXPECT_TRUE(picture().hoverText().isEmpty());
}

TEST_F(GraphPanelTest, ReadoutFollowsTheGraphMode) {
    bench.perform(state::quickTrace);
    bench.perform(state::showDistribution);
    panel->showReadoutAt(180, 30);
    EXPECT_EQ(picture().hoverText(), QStringLiteral("V = 10,0 mL ; p = 100,0 %"));
    panel->showReadoutAt(180, 28);
    EXPECT_TRUE(picture().hoverText().isEmpty());
    EXPECT_EQ(picture().cursorShape(), Qt::CrossCursor);  // still inside the grid
    bench.perform(state::restoreGraph);                   // the restart goes back to the pH curve
    panel->showReadoutAt(180, 30);
    EXPECT_EQ(picture().hoverText(), QString::fromUtf8("V = 10,0 mL ; pH = 13,75"));
}

TEST_F(GraphPanelTest, ToolBarHoldsItsFiveNamedButtons) {
    struct Expected {
        const char* name;
        const char* caption;
    };
    for (const Expected& e :
         {Expected{"Command12", "Effacer"}, Expected{"Command9", "Restaurer"},
          Expected{"Command3", "Diagramme de distribution"}, Expected{"Image4", "Méthode des tangentes"},
          Expected{"Image5", "Courbe dérivée"}}) {
        QToolButton* b = button(e.name);
        ASSERT_NE(b, nullptr) << e.name;
        EXPECT_EQ(b->text(), QString::fromUtf8(e.caption)) << e.name;
        EXPECT_EQ(b->toolTip(), QString::fromUtf8(e.caption)) << e.name;
        EXPECT_FALSE(b->icon().isNull()) << e.name;
        EXPECT_EQ(b->parentWidget(), toolbar()) << e.name;
    }
    // Right of the V axis's end, clear of the grid and its titles.
    EXPECT_GT(toolbar()->geometry().left(), 415);
    EXPECT_LE(toolbar()->geometry().right(), panel->width());
    EXPECT_LT(toolbar()->geometry().bottom(), 250);
}

TEST_F(GraphPanelTest, TheDistributionToolIsDisabledForAStrongSpecies) {
    for (const char* name : {"Command12", "Command9", "Command3", "Image4", "Image5"})
        EXPECT_TRUE(button(name)->isEnabled()) << name;
    bench.perform(state::chooseSolute, chemistry::SpeciesCatalogue::kStrongAcidIndex);
    EXPECT_FALSE(button("Command3")->isEnabled());
    EXPECT_TRUE(button("Image5")->isEnabled());
    bench.perform(state::chooseSolute, 4);
    EXPECT_TRUE(button("Command3")->isEnabled());
}

TEST_F(GraphPanelTest, EffacerStartsTheTitrationAgainAndHidesTheToolBar) {
    bench.perform(state::quickTrace);  // "Trace rapide" to 25 mL
    ASSERT_TRUE(bench.state().situations.records[0].completed);
    ASSERT_TRUE(toolbar()->isVisibleTo(panel.get()));
    button("Command12")->click();
    EXPECT_FALSE(bench.state().situations.records[0].completed);
    EXPECT_EQ(bench.fieldText(state::Field::PouredVolume), QStringLiteral("0,0"));
    EXPECT_FALSE(toolbar()->isVisibleTo(panel.get()));
}

TEST_F(GraphPanelTest, RestaurerRedrawsThePlainCurveOfTheCompletedSituation) {
    bench.perform(state::quickTrace);
    ASSERT_TRUE(bench.state().situations.records[0].completed);
    const auto curve = bench.graph().content().curves().back().points;
    const int x = pixelX(curve[5].volume);
    const int y = pixelY(curve[5].value);
    platform::Surface& drawn = picture().surface();
    drawn.filledRectangle(40, 26, 390, 250, Colour{255, 255, 0});  // what an analysis tool would leave
    button("Command9")->click();
    EXPECT_EQ(surface().pixel(x, y), kBlue);
    EXPECT_EQ(surface().pixel(200, 138), kPhGrid);
}

TEST_F(GraphPanelTest, CurveLabelNamesTheSituationInItsColour) {
    auto* label = panel->findChild<QLabel*>(QStringLiteral("labout"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QString::fromUtf8("Courbe n° 1"));
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    bench.perform(state::switchSituation, 2);
    EXPECT_EQ(label->text(), QString::fromUtf8("Courbe n° 3"));
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(192, 0, 192));
    bench.perform(state::switchSituation, 9);
    EXPECT_EQ(label->text(), QString::fromUtf8("Courbe n° 10"));
    EXPECT_EQ(label->palette().color(QPalette::WindowText),
              platform::toQColor(state::situationColour(bench.state(), 9)));
}

TEST_F(GraphPanelTest, SuperposedCurvesOfTwoSituationsInTheirOwnColours) {
    bench.perform(state::quickTrace);          // situation 1 completed (blue)
    bench.perform(state::switchSituation, 2);  // situation 3 (purple)
    bench.perform(state::chooseSolute, 4);     // "acide éthanoïque"
    bench.perform(state::quickTrace);
    bench.perform(state::setSuperposeCurves, true);  // "Superposer les courbes"
    ASSERT_GE(bench.graph().content().curves().size(), 2u);
    for (const auto& curve : bench.graph().content().curves()) {
        const Colour colour = curve.colour;
        // The first vertices lie apart from the other curve's (the two acids differ most there)
        // and clear of the marks at 0 mL.
        ASSERT_GT(curve.points.size(), 3u);
        const auto& v = curve.points[2];
        EXPECT_EQ(surface().pixel(pixelX(v.volume), pixelY(v.value)), colour);
    }
    EXPECT_EQ(bench.graph().content().curves().front().colour, kBlue);
    EXPECT_EQ(bench.graph().content().curves().back().colour, kPurple);
}

}  // namespace
