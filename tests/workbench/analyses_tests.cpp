// The graph's analysis tools on the real main window, offscreen: the derivative curve, the tangent
// method and the distribution diagram, clicked on the tool bar after "Trace rapide", seen as
// pixels of `Picture1`, the messages and the read-out.
#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QTemporaryDir>
#include <QToolButton>
#include <algorithm>
#include <cmath>
#include <memory>

#include "chemistry/chemistry.h"
#include "platform/recordingclipboard.h"
#include "platform/recordingprinter.h"
#include "platform/scriptedfiledialogs.h"
#include "platform/scriptedmessageboxes.h"
#include "platform/surfaceview.h"
#include "testsupport.h"
#include "workbench/graphpanel.h"
#include "workbench/mainwindow.h"

using namespace workbench;
using chemistry::PlotFrame;
using platform::Colour;
using platform::kBlack;

namespace {

constexpr int kAcetic = 4;
constexpr int kHydrochloric = 2;
constexpr int kAmmoniumChloride = 9;
constexpr int kAmmonia = 1;
constexpr int kSodiumHydroxide = 8;

constexpr Colour kDerivative{200, 100, 100};
constexpr Colour kAcidForm{0, 0, 200};
constexpr Colour kBasicForm{255, 0, 0};
constexpr Colour kBlue{0, 0, 255};

int round(double v) {
    return static_cast<int>(std::floor(v + 0.5));
}

class AnalysesTest : public ::testing::Test {
  protected:
    AnalysesTest() : app(testsupport::application()) {
        window =
            std::make_unique<MainWindow>(Services{boxes, clipboard, fileDialogs, printer, folder.path(), {}});
    }
    ~AnalysesTest() override {
        EXPECT_FALSE(boxes.hasFailures()) << boxes.failures().join("\n").toStdString();
    }

    Workbench& bench() { return window->workbench(); }
    platform::SurfaceView& picture() {
        return *window->findChild<platform::SurfaceView*>(QStringLiteral("Picture1"));
    }
    const platform::Surface& surface() { return bench().graph().surface(); }
    QToolButton* button(const char* name) {
        return window->findChild<QToolButton*>(QString::fromLatin1(name));
    }
    GraphPanel* page() { return window->findChild<GraphPanel*>(); }
    QWidget* toolbar() { return page()->findChild<QWidget*>(QStringLiteral("outils")); }
    bool toolbarShown() { return toolbar()->isVisibleTo(page()); }

    // The solute chosen in the beaker, then "Trace rapide" to 25 mL.
    void titrate(bool acid, int species) {
        if (!acid) bench().Option1_Click(1);
        bench().lbecher_Click(species);
        bench().burette().Command13_Click();
        ASSERT_TRUE(toolbarShown());
    }

    void click(const char* name) {
        QToolButton* b = button(name);
        ASSERT_NE(b, nullptr) << name;
        ASSERT_TRUE(b->isEnabled()) << name;
        b->click();
    }

    // Whether a pixel of the colour lies within `radius` of (x, y).
    bool near(double x, double y, int radius, const Colour& colour) {
        for (int dy = -radius; dy <= radius; ++dy) {
            for (int dx = -radius; dx <= radius; ++dx) {
                if (surface().pixel(round(x) + dx, round(y) + dy) == colour) return true;
            }
        }
        return false;
    }

    int count(const Colour& colour) {
        int n = 0;
        for (int y = 0; y < surface().height(); ++y) {
            for (int x = 0; x < surface().width(); ++x) n += surface().pixel(x, y) == colour ? 1 : 0;
        }
        return n;
    }

    QString readout(int x, int y) {
        QMouseEvent event(QEvent::MouseMove, QPointF(x, y), picture().mapToGlobal(QPointF(x, y)),
                          Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&picture(), &event);
        return picture().hoverText();
    }

    // What the engine computes for the panel's set-up, to find the drawing on the picture.
    chemistry::TangentConstruction tangents() {
        chemistry::EngineState state =
            chemistry::deriveEngineState(bench().solution(), bench().catalogue(), bench().engine());
        chemistry::solveBeakerAlone(state);
        return chemistry::tangentConstruction(state, bench().beakerIsAcid());
    }

    // Distance in px from a pixel to a drawn segment.
    static double distance(int x, int y, const chemistry::PlotSegment& s) {
        const double dx = s.to.x - s.from.x;
        const double dy = s.to.y - s.from.y;
        const double length2 = dx * dx + dy * dy;
        const double t =
            length2 > 0 ? std::clamp(((x - s.from.x) * dx + (y - s.from.y) * dy) / length2, 0.0, 1.0) : 0.0;
        return std::hypot(x - (s.from.x + t * dx), y - (s.from.y + t * dy));
    }

    QApplication& app;
    QTemporaryDir folder;
    platform::ScriptedMessageBoxes boxes;
    platform::RecordingClipboard clipboard;
    platform::ScriptedFileDialogs fileDialogs;
    platform::RecordingPrinter printer;
    std::unique_ptr<MainWindow> window;
};

// --- Each tool draws in its colour where the model puts it --------------------------------------

struct ToolCase {
    const char* why;
    const char* button;
    double volume;  // mL, where to look
    double height;  // px from the top
    int radius;     // px around it
    Colour colour;
};
void PrintTo(const ToolCase& c, std::ostream* out) {
    *out << c.why;
}

class ToolDrawing : public AnalysesTest, public ::testing::WithParamInterface<ToolCase> {};

TEST_P(ToolDrawing, AfterTraceRapideOfEthanoicAcid) {
    const ToolCase& c = GetParam();
    titrate(true, kAcetic);
    const double x = PlotFrame::x(c.volume);
    ASSERT_FALSE(near(x, c.height, c.radius, c.colour)) << "before the click";
    click(c.button);
    EXPECT_TRUE(near(x, c.height, c.radius, c.colour)) << c.why;
}

INSTANTIATE_TEST_SUITE_P(
    EthanoicAcid, ToolDrawing,
    ::testing::Values(
        // The slope peaks at the equivalence (20 mL) near 33 pH per mL; at 10 mL it is 0.09.
        ToolCase{"derivative peak at the equivalence", "Image5", 20, PlotFrame::y(std::log(10 * 33 + 1)), 2,
                 kDerivative},
        ToolCase{"derivative low where the curve is flat", "Image5", 10,
                 PlotFrame::y(std::log(10 * 0.09 + 1)), 6, kDerivative},
        // The first tangent goes through (19 mL, pH 6.03) with a slope of 0.457 pH per mL.
        ToolCase{"first tangent two millilitres before its point", "Image4", 17,
                 PlotFrame::y(6.03 - 2 * 0.457), 1, kBlack},
        ToolCase{"second tangent at the right end", "Image4", 25, PlotFrame::y(10.39 + 4 * 0.457), 1, kBlack},
        ToolCase{"middle parallel through E", "Image4", 22, PlotFrame::y(8.23 + 2 * 0.457), 1, kBlack},
        // 96 % of the acid form at 0 mL, 4 % of the basic form.
        ToolCase{"acid form starts near 96 %", "Command3", 0, PlotFrame::yOfPercent(96), 2, kAcidForm},
        ToolCase{"basic form starts near 4 %", "Command3", 0, PlotFrame::yOfPercent(4), 2, kBasicForm},
        ToolCase{"both cross at 50 % at half the equivalence", "Command3", 10, PlotFrame::yOfPercent(50), 2,
                 kAcidForm},
        ToolCase{"acid form below 1 % after the equivalence", "Command3", 22, PlotFrame::yOfPercent(0.5), 2,
                 kAcidForm}),
    [](const auto& info) { return testsupport::caseName(info.param.why); });

TEST_F(AnalysesTest, DerivativeCurveJoinsEveryVertexTheEngineGives) {
    titrate(true, kAcetic);
    click("Image5");
    chemistry::EngineState state =
        chemistry::deriveEngineState(bench().solution(), bench().catalogue(), bench().engine());
    const chemistry::DerivativeCurve curve = chemistry::derivativeCurve(state);
    ASSERT_GT(curve.polyline.size(), 20u);
    // Each vertex but the last starts a segment (the last pixel of a thin line is left out).
    for (std::size_t i = 0; i + 1 < curve.polyline.size(); ++i) {
        const auto& p = curve.polyline[i];
        EXPECT_EQ(surface().pixel(round(p.x), round(p.y)), kDerivative) << "vertex " << i;
    }
    // Nothing of it above the band of 10 px.
    for (int x = 0; x < surface().width(); ++x) {
        for (int y = 0; y < 9; ++y) ASSERT_NE(surface().pixel(x, y), kDerivative) << x << ", " << y;
    }
}

TEST_F(AnalysesTest, TangentMethodMarksEWithTwoEqualSignsAndARightAngle) {
    titrate(true, kAcetic);
    const QImage before = surface().image().copy();
    click("Image4");
    const chemistry::TangentConstruction t = tangents();
    ASSERT_EQ(t.outcome, chemistry::TangentConstruction::Outcome::Drawn);
    ASSERT_TRUE(t.equalityMarks);
    // Each mark is text: new dark pixels around the centres of the "=" and below-left of E.
    const auto darkened = [&](double cx, double cy, int half) {
        int n = 0;
        for (int y = round(cy) - half; y <= round(cy) + half; ++y) {
            for (int x = round(cx) - half; x <= round(cx) + half; ++x) {
                const Colour c = surface().pixel(x, y);
                n += (c.red < 100 && c.green < 100 && c.blue < 100 &&
                      QColor(before.pixel(x, y)) != QColor(c.red, c.green, c.blue))
                         ? 1
                         : 0;
            }
        }
        return n;
    };
    EXPECT_GT(darkened(t.labelE.x + 3, t.labelE.y + 6, 4), 4) << "E";
    for (const auto& centre : t.equalityCentres) EXPECT_GT(darkened(centre.x, centre.y, 3), 2) << "=";
    // The perpendicular and the two sides of the right angle.
    const auto& c = t.perpendicular;
    EXPECT_TRUE(near((c.h + c.d) / 2.0, (c.g + c.f) / 2.0, 1, kBlack));
    for (const auto& side : t.rightAngle) {
        EXPECT_TRUE(near((side.from.x + side.to.x) / 2, (side.from.y + side.to.y) / 2, 1, kBlack));
    }
    EXPECT_TRUE(boxes.calls().empty());
}

// --- What the tangent method refuses or leaves alone --------------------------------------------

TEST_F(AnalysesTest, TooWeakAnAcidIsRefusedWithItsTwoTangentsLeftDrawn) {
    titrate(true, kAmmoniumChloride);
    const QImage before = surface().image().copy();
    boxes.queueAnswer(platform::MessageAnswer::Ok);
    click("Image4");
    ASSERT_EQ(boxes.calls().size(), 1u);
    const auto& call = boxes.calls()[0];
    EXPECT_EQ(call.text,
              QString::fromUtf8(
                  "Cette courbe ne permet pas de déterminer les coordonnées du point d'équivalence."));
    EXPECT_EQ(call.title, QStringLiteral("Erreur"));
    EXPECT_EQ(call.icon, platform::MessageIcon::Stop);
    EXPECT_EQ(call.buttons, platform::MessageButtons::Ok);

    const chemistry::TangentConstruction t = tangents();
    ASSERT_EQ(t.outcome, chemistry::TangentConstruction::Outcome::Refused);
    // What changed is black and lies on one of the two tangents: no E, no third parallel.
    int changed = 0;
    for (int y = 0; y < before.height(); ++y) {
        for (int x = 0; x < before.width(); ++x) {
            const Colour now = surface().pixel(x, y);
            if (QColor(before.pixel(x, y)) == platform::toQColor(now)) continue;
            ++changed;
            EXPECT_EQ(now, kBlack) << x << ", " << y;
            EXPECT_LE(std::min(distance(x, y, t.firstTangent), distance(x, y, t.secondTangent)), 1.0)
                << x << ", " << y;
        }
    }
    EXPECT_GT(changed, 100);
}

TEST_F(AnalysesTest, EquivalenceVolumeOfOneMillilitreDrawsNothing) {
    bench().setFieldText(BeakerConcentration, QStringLiteral("0,001"));
    bench().Text1_LostFocus(BeakerConcentration);
    bench().setFieldText(TitrantConcentration, QStringLiteral("0,02"));
    bench().Text1_LostFocus(TitrantConcentration);
    titrate(true, kAcetic);
    ASSERT_NEAR(bench().engine().equivalenceVolume, 1.0, 1e-4);
    const QImage before = surface().image().copy();
    click("Image4");
    EXPECT_EQ(surface().image(), before);
    EXPECT_TRUE(boxes.calls().empty());
}

TEST_F(AnalysesTest, AmmoniaAgainstAcidTurnsTheRightAngleTheOtherWay) {
    titrate(false, kAmmonia);
    click("Image4");
    const chemistry::TangentConstruction t = tangents();
    ASSERT_EQ(t.outcome, chemistry::TangentConstruction::Outcome::Drawn);
    EXPECT_LT(t.slope, 0);
    EXPECT_EQ(t.rightAngleSide, 1);
    EXPECT_TRUE(near(PlotFrame::x(22), PlotFrame::y(t.pHE + 2 * t.slope), 1, kBlack));
    for (const auto& side : t.rightAngle) {
        EXPECT_TRUE(near((side.from.x + side.to.x) / 2, (side.from.y + side.to.y) / 2, 1, kBlack));
    }
}

// --- The distribution diagram -------------------------------------------------------------------

struct FadedPixel {
    const char* why;
    int x;
    int y;
    Colour colour;
};
void PrintTo(const FadedPixel& c, std::ostream* out) {
    *out << c.why;
}

class DistributionFade : public AnalysesTest, public ::testing::WithParamInterface<FadedPixel> {};

TEST_P(DistributionFade, OverThePhGraph) {
    titrate(true, kAcetic);
    click("Command3");
    const FadedPixel& p = GetParam();
    EXPECT_EQ(surface().pixel(p.x, p.y), p.colour) << p.why;
}

INSTANTIATE_TEST_SUITE_P(EthanoicAcid, DistributionFade,
                         ::testing::Values(
                             // The dark grey grid (128) and black, each OR 100.
                             FadedPixel{"50 % line between volume lines", 47, 140, Colour{228, 228, 228}},
                             FadedPixel{"3 mL line between percentage lines", 82, 100, Colour{228, 228, 228}},
                             FadedPixel{"100 % line", 100, 30, Colour{228, 228, 228}},
                             FadedPixel{"no grid above 100 %", 82, 28, platform::kWhite},
                             FadedPixel{"vertical axis", 40, 100, Colour{100, 100, 100}},
                             FadedPixel{"horizontal axis", 300, 250, Colour{100, 100, 100}},
                             FadedPixel{"white stays white", 430, 150, platform::kWhite}),
                         [](const auto& info) { return testsupport::caseName(info.param.why); });

TEST_F(AnalysesTest, DistributionKeepsThePhCurveFadedUnderItsLegend) {
    titrate(true, kAcetic);
    ASSERT_FALSE(bench().graph().curves().empty());
    const auto vertices = bench().graph().curves().back().vertices;
    click("Command3");
    const auto& v = vertices[3];
    EXPECT_EQ(surface().pixel(round(PlotFrame::x(v.volume)), round(PlotFrame::y(v.pH))),
              (Colour{100, 100, 255}));
    EXPECT_EQ(count(kBlue), 0);
    // The legend: "forme acide" from (100, 5), "forme basique" from (200, 5), in their colours.
    const auto tinted = [&](int left, int right, auto test) {
        int n = 0;
        for (int y = 5; y < 20; ++y) {
            for (int x = left; x < right; ++x) n += test(surface().pixel(x, y)) ? 1 : 0;
        }
        return n;
    };
    EXPECT_GT(tinted(100, 160, [](const Colour& c) { return c.blue > 150 && c.red < 100 && c.green < 100; }),
              20);
    EXPECT_GT(tinted(200, 270, [](const Colour& c) { return c.red > 200 && c.blue < 100 && c.green < 100; }),
              20);
    EXPECT_EQ(tinted(100, 160, [](const Colour& c) { return c.red > 200 && c.blue < 100 && c.green < 100; }),
              0);
}

TEST_F(AnalysesTest, ReadoutIsInPercentAfterTheDiagramAndInPhAfterRestaurer) {
    titrate(true, kAcetic);
    EXPECT_EQ(readout(180, 138), QStringLiteral("V = 10,0 mL ; pH = 7,0"));
    click("Command3");
    EXPECT_EQ(bench().graph().mode(), GraphMode::Distribution);
    EXPECT_EQ(readout(180, 140), QStringLiteral("V = 10,0 mL ; p = 50,0 %"));
    EXPECT_EQ(readout(180, 30), QStringLiteral("V = 10,0 mL ; p = 100,0 %"));
    click("Command9");  // "Restaurer"
    EXPECT_EQ(bench().graph().mode(), GraphMode::PhCurve);
    EXPECT_EQ(readout(180, 138), QStringLiteral("V = 10,0 mL ; pH = 7,0"));
    EXPECT_EQ(surface().pixel(47, 138), (Colour{192, 192, 192}));  // the pH grid is back
}

// --- The buttons, and the way back to the plain graph -------------------------------------------

struct Enabling {
    const char* why;
    bool acid;
    int species;
    bool distribution;
};
void PrintTo(const Enabling& c, std::ostream* out) {
    *out << c.why;
}

class ToolButtons : public AnalysesTest, public ::testing::WithParamInterface<Enabling> {};

TEST_P(ToolButtons, AreEnabledOnceTheToolBarShows) {
    const Enabling& e = GetParam();
    EXPECT_FALSE(toolbarShown());
    titrate(e.acid, e.species);
    EXPECT_TRUE(button("Image5")->isEnabled());
    EXPECT_TRUE(button("Image4")->isEnabled());
    EXPECT_EQ(button("Command3")->isEnabled(), e.distribution);
}

INSTANTIATE_TEST_SUITE_P(
    Solutes, ToolButtons,
    ::testing::Values(Enabling{"weak acid", true, kAcetic, true},
                      Enabling{"weak base", false, kAmmonia, true},
                      Enabling{"hydrochloric acid is strong", true, kHydrochloric, false},
                      Enabling{"sodium hydroxide is strong", false, kSodiumHydroxide, false}),
    [](const auto& info) { return testsupport::caseName(info.param.why); });

TEST_F(AnalysesTest, ToolsLeaveThePanelsStateAsItWas) {
    titrate(true, kHydrochloric);
    const chemistry::EngineState before = bench().engine();
    const QString reading = bench().phText();
    click("Image5");
    click("Image4");
    const chemistry::EngineState after = bench().engine();
    EXPECT_EQ(after.constantK, before.constantK);  // a strong acid keeps K = 1
    EXPECT_EQ(after.pouredVolume, before.pouredVolume);
    EXPECT_EQ(after.pH, before.pH);
    EXPECT_EQ(after.equivalenceVolume, before.equivalenceVolume);
    EXPECT_EQ(bench().phText(), reading);
}

TEST_F(AnalysesTest, ASecondDerivativeDrawsTheSamePixels) {
    titrate(true, kAcetic);
    click("Image5");
    const QImage once = surface().image().copy();
    click("Image4");
    click("Image5");
    // Only the tangents came in between: the curve started from the same state again.
    for (int y = 0; y < once.height(); ++y) {
        for (int x = 0; x < once.width(); ++x) {
            if (QColor(once.pixel(x, y)) == platform::toQColor(kDerivative)) {
                ASSERT_EQ(surface().pixel(x, y), kDerivative) << x << ", " << y;
            }
        }
    }
}

TEST_F(AnalysesTest, EffacerAndASituationChangeWipeTheAnalyses) {
    titrate(true, kAcetic);
    click("Image5");
    ASSERT_GT(count(kDerivative), 100);
    click("Command12");  // "Effacer"
    EXPECT_EQ(count(kDerivative), 0);
    EXPECT_FALSE(toolbarShown());

    bench().burette().Command13_Click();
    click("Command3");
    ASSERT_GT(count(kAcidForm), 100);
    bench().Option2_Click(1);
    EXPECT_EQ(count(kAcidForm), 0);
    EXPECT_EQ(bench().graph().mode(), GraphMode::PhCurve);
}

TEST_F(AnalysesTest, BoldStrokesThickenTheAnalyses) {
    titrate(true, kAcetic);
    click("Image5");
    const int thin = count(kDerivative);
    bench().Check2_Click(true);  // "Tracer en gras" redraws the graph
    click("Image5");
    EXPECT_GT(count(kDerivative), thin * 3 / 2);
}

}  // namespace
