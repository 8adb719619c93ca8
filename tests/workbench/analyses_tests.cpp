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
#include <tuple>

#include "chemistry/chemistry.h"
#include "platform/recordingclipboard.h"
#include "platform/recordingprinter.h"
#include "platform/richtextbox.h"
#include "platform/scriptedfiledialogs.h"
#include "platform/scriptedmessageboxes.h"
#include "platform/surfaceview.h"
#include "state/actions.h"
#include "testsupport.h"
#include "workbench/graphpanel.h"
#include "workbench/mainwindow.h"

using namespace workbench;
using platform::Colour;
using platform::kBlack;
using state::PlotFrame;

namespace {

constexpr int kAcetic = 4;
constexpr int kHydrochloric = 2;
constexpr int kAmmoniumChloride = 9;
constexpr int kAmmonia = 1;
constexpr int kSodiumHydroxide = 8;

constexpr Colour kDerivative{200, 100, 100};
constexpr Colour kAcidForm{0, 0, 200};
constexpr Colour kBasicForm{255, 0, 0};

int round(double v) {
    return static_cast<int>(std::floor(v + 0.5));
}

class AnalysesTest : public ::testing::Test, protected testsupport::ScriptedWindow {
  protected:
    ~AnalysesTest() override {
        EXPECT_FALSE(boxes.hasFailures()) << boxes.failures().join("\n").toStdString();
    }

    BenchController& bench() { return window->workbench(); }
    const platform::Surface& surface() { return bench().graph().surface(); }
    GraphPanel* page() { return window->findChild<GraphPanel*>(); }
    QToolButton* button(const char* name) {
        return page()->findChild<QToolButton*>(QString::fromLatin1(name));
    }
    bool toolbarShown() { return page()->findChild<QWidget*>(QStringLiteral("outils"))->isVisibleTo(page()); }

    // The solute chosen in the beaker, then "Trace rapide" to 25 mL.
    void titrate(bool acid, int species) {
        if (!acid) bench().perform(state::chooseNature, false);
        bench().perform(state::chooseSolute, species);
        bench().perform(state::quickTrace);
        ASSERT_TRUE(toolbarShown());
    }

    void click(const char* name) {
        ASSERT_TRUE(button(name)->isEnabled()) << name;
        button(name)->click();
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
    bool onSegment(const state::PlotSegment& s, const Colour& colour) {
        return near((s.from.x + s.to.x) / 2, (s.from.y + s.to.y) / 2, 1, colour);
    }

    int count(const Colour& colour) {
        int n = 0;
        for (int y = 0; y < surface().height(); ++y) {
            for (int x = 0; x < surface().width(); ++x) n += surface().pixel(x, y) == colour ? 1 : 0;
        }
        return n;
    }

    QString readout(int x, int y) {
        auto* picture = page()->findChild<platform::SurfaceView*>(QStringLiteral("Picture1"));
        QMouseEvent event(QEvent::MouseMove, QPointF(x, y), picture->mapToGlobal(QPointF(x, y)), Qt::NoButton,
                          Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(picture, &event);
        return picture->hoverText();
    }

    // What the engine computes for the panel's set-up, to find the drawing on the picture.
    state::TangentConstruction tangents() {
        chemistry::EngineState engine = chemistry::deriveEngineState(
            bench().state().solution, state::catalogue(), bench().state().engine);
        chemistry::solveBeakerAlone(engine);
        return state::tangentConstruction(engine, bench().state().solution.beakerIsAcid);
    }

    // Distance in px from a pixel to a drawn segment.
    static double distance(int x, int y, const state::PlotSegment& s) {
        const double dx = s.to.x - s.from.x;
        const double dy = s.to.y - s.from.y;
        const double t =
            std::clamp(((x - s.from.x) * dx + (y - s.from.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
        return std::hypot(x - (s.from.x + t * dx), y - (s.from.y + t * dy));
    }
};

// --- Each tool draws in its colour where the model puts it --------------------------------------

struct ToolCase {
    const char* why;
    bool acid;
    int species;
    const char* button;
    double volume;  // mL, where to look
    double height;  // px from the top
    int radius;     // px around it
    Colour colour;
};

class ToolDrawing : public AnalysesTest, public ::testing::WithParamInterface<ToolCase> {};

TEST_P(ToolDrawing, AfterTraceRapide) {
    const ToolCase& c = GetParam();
    titrate(c.acid, c.species);
    const double x = PlotFrame::x(c.volume);
    ASSERT_FALSE(near(x, c.height, c.radius, c.colour)) << "before the click";
    click(c.button);
    EXPECT_TRUE(near(x, c.height, c.radius, c.colour)) << c.why;
}

// 20 mL of "acide éthanoïque" at 0,01 mol · L-1 against soda at 0,01 mol · L-1: the first tangent
// goes through (19 mL, pH 6.03) with a slope of 0.457 pH per mL, the second through
// (21 mL, pH 10.39), E is at (20 mL, pH 8.23); the acid form starts at 96 %.
INSTANTIATE_TEST_SUITE_P(
    Tools, ToolDrawing,
    ::testing::Values(ToolCase{"derivative peaks near 33 pH per mL at the equivalence", true, kAcetic,
                               "Image5", 20, PlotFrame::y(std::log(10 * 33 + 1)), 2, kDerivative},
                      ToolCase{"derivative low where the curve is flat", true, kAcetic, "Image5", 10,
                               PlotFrame::y(std::log(10 * 0.09 + 1)), 6, kDerivative},
                      ToolCase{"first tangent two millilitres before its point", true, kAcetic, "Image4", 17,
                               PlotFrame::y(6.03 - 2 * 0.457), 1, kBlack},
                      ToolCase{"second tangent at the right end", true, kAcetic, "Image4", 25,
                               PlotFrame::y(10.39 + 4 * 0.457), 1, kBlack},
                      ToolCase{"middle parallel through E", true, kAcetic, "Image4", 22,
                               PlotFrame::y(8.23 + 2 * 0.457), 1, kBlack},
                      ToolCase{"ammonia's falling middle parallel through E at pH 5.75", false, kAmmonia,
                               "Image4", 18, PlotFrame::y(5.75 + 2 * 0.457), 1, kBlack},
                      ToolCase{"acid form starts near 96 %", true, kAcetic, "Command3", 0,
                               PlotFrame::yOfPercent(96), 2, kAcidForm},
                      ToolCase{"basic form starts near 4 %", true, kAcetic, "Command3", 0,
                               PlotFrame::yOfPercent(4), 2, kBasicForm},
                      ToolCase{"both cross at 50 % at half the equivalence", true, kAcetic, "Command3", 10,
                               PlotFrame::yOfPercent(50), 2, kAcidForm},
                      ToolCase{"acid form below 1 % after the equivalence", true, kAcetic, "Command3", 22,
                               PlotFrame::yOfPercent(0.5), 2, kAcidForm},
                      ToolCase{"ammonia's basic form starts near 96 %", false, kAmmonia, "Command3", 0,
                               PlotFrame::yOfPercent(96), 2, kBasicForm}),
    [](const auto& info) { return testsupport::caseName(info.param.why); });

TEST_F(AnalysesTest, TangentMethodMarksEWithTwoEqualSignsAndARightAngle) {
    titrate(true, kAcetic);
    const QImage before = surface().image().copy();
    click("Image4");
    const state::TangentConstruction t = tangents();
    ASSERT_EQ(t.outcome, state::TangentConstruction::Outcome::Drawn);
    ASSERT_TRUE(t.equalityMarks);
    // Text darkens pixels that were light: "E" below-left of the point, "=" around their centres.
    const auto darkened = [&](double cx, double cy, int half) {
        int n = 0;
        for (int y = round(cy) - half; y <= round(cy) + half; ++y) {
            for (int x = round(cx) - half; x <= round(cx) + half; ++x) {
                n += (surface().pixel(x, y).red < 100 && qRed(before.pixel(x, y)) > 150) ? 1 : 0;
            }
        }
        return n;
    };
    EXPECT_GT(darkened(t.labelE.x + 3, t.labelE.y + 6, 4), 4) << "E";
    for (const auto& centre : t.equalityCentres) EXPECT_GT(darkened(centre.x, centre.y, 3), 2) << "=";
    const auto& c = t.perpendicular;
    EXPECT_TRUE(onSegment({{double(c.h), double(c.g)}, {double(c.d), double(c.f)}}, kBlack));
    for (const auto& side : t.rightAngle) EXPECT_TRUE(onSegment(side, kBlack));
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

    const state::TangentConstruction t = tangents();
    ASSERT_EQ(t.outcome, state::TangentConstruction::Outcome::Refused);
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

TEST_F(AnalysesTest, AnEquivalenceOutOfTheMethodsRangeIsExplainedOnTheHintLine) {
    bench().setFieldText(state::Field::BeakerConcentration, QStringLiteral("0,001"));
    bench().validateField(state::Field::BeakerConcentration);
    bench().setFieldText(state::Field::TitrantConcentration, QStringLiteral("0,02"));
    bench().validateField(state::Field::TitrantConcentration);
    titrate(true, kAcetic);  // Ve = 1 mL
    click("Image4");
    EXPECT_EQ(window->hint(),
              QString::fromUtf8("L'équivalence doit se situer entre 2 et 23 mL pour cette méthode."));
}

// --- The distribution diagram -------------------------------------------------------------------

TEST_F(AnalysesTest, DistributionFadesThePhGraphUnderItsCurvesAndLegend) {
    titrate(true, kAcetic);
    const auto vertex = bench().graph().content().curves().back().points.at(3);
    click("Command3");
    // Each pixel OR 100: the dark grey grid (128) becomes 228, black 100, the pH curve light blue.
    const struct {
        const char* why;
        int x;
        int y;
        Colour colour;
    } pixels[] = {
        {"50 % line", 47, 140, {228, 228, 228}},
        {"3 mL line", 82, 100, {228, 228, 228}},
        {"no grid above 100 %", 82, 28, platform::kWhite},
        {"vertical axis", 40, 100, {100, 100, 100}},
        {"horizontal axis", 300, 250, {100, 100, 100}},
        {"pH curve", round(PlotFrame::x(vertex.volume)), round(PlotFrame::y(vertex.value)), {100, 100, 255}}};
    for (const auto& p : pixels) EXPECT_EQ(surface().pixel(p.x, p.y), p.colour) << p.why;
    // "forme acide" from (100, 5) in the acid colour, "forme basique" from (200, 5) in the basic one.
    const auto tinted = [&](int left, bool blue) {
        int n = 0;
        for (int y = 5; y < 20; ++y) {
            for (int x = left; x < left + 60; ++x) {
                const Colour c = surface().pixel(x, y);
                n += (blue ? c.blue > 150 && c.red < 100 : c.red > 200 && c.blue < 100) && c.green < 100 ? 1
                                                                                                         : 0;
            }
        }
        return n;
    };
    EXPECT_GT(tinted(100, true), 20);
    EXPECT_GT(tinted(200, false), 20);
}

TEST_F(AnalysesTest, DistributionKeepsTheTableAndTheHistoryOfTheTitration) {
    titrate(true, kAcetic);
    const std::string rows = bench().state().rows.contentsText();
    const auto* histo = window->findChild<platform::RichTextBox*>(QStringLiteral("Histo"));
    const QString history = histo->plainText();
    ASSERT_FALSE(history.trimmed().isEmpty());
    click("Command3");
    EXPECT_EQ(bench().state().rows.contentsText(), rows);
    EXPECT_EQ(histo->plainText(), history);
}

TEST_F(AnalysesTest, ReadoutIsInPercentAfterTheDiagramAndInPhAfterRestaurer) {
    titrate(true, kAcetic);
    EXPECT_EQ(readout(180, 138), QStringLiteral("V = 10,0 mL ; pH = 7,0"));
    click("Command3");
    EXPECT_EQ(bench().state().graph.mode(), GraphMode::Distribution);
    EXPECT_EQ(readout(180, 140), QStringLiteral("V = 10,0 mL ; p = 50,0 %"));
    click("Command9");  // "Restaurer"
    EXPECT_TRUE(bench().state().graph.showsMeter(state::phMeter()));
    EXPECT_EQ(readout(180, 138), QStringLiteral("V = 10,0 mL ; pH = 7,0"));
    EXPECT_EQ(surface().pixel(47, 138), (Colour{192, 192, 192}));  // the pH grid is back
}

// --- The buttons, the panel's state, and the way back to the plain graph ------------------------

struct Enabling {
    const char* why;
    bool acid;
    int species;
    bool distribution;
};

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
    const chemistry::EngineState before = bench().state().engine;
    const std::string reading = bench().state().readings.pH;
    click("Image5");
    click("Image4");
    // A strong acid keeps K = 1; the pH-meter its reading.
    const chemistry::EngineState& after = bench().state().engine;
    EXPECT_EQ(std::tie(after.constantK, after.pouredVolume, after.pH, after.equivalenceVolume),
              std::tie(before.constantK, before.pouredVolume, before.pH, before.equivalenceVolume));
    EXPECT_EQ(bench().state().readings.pH, reading);
}

TEST_F(AnalysesTest, EffacerAndASituationChangeWipeTheAnalyses) {
    titrate(true, kAcetic);
    click("Image5");
    ASSERT_GT(count(kDerivative), 100);
    click("Command12");  // "Effacer"
    EXPECT_EQ(count(kDerivative), 0);
    EXPECT_FALSE(toolbarShown());

    bench().perform(state::quickTrace);
    click("Command3");
    ASSERT_GT(count(kAcidForm), 100);
    bench().perform(state::switchSituation, 1);
    EXPECT_EQ(count(kAcidForm), 0);
    EXPECT_TRUE(bench().state().graph.showsMeter(state::phMeter()));
}

}  // namespace
