// The conductimeter on the real main window, offscreen: the box `optscema(2)`, the meter
// `Labelsigma` and the cell on the illustration, the table's σ column, the graph's switch, the σ
// curve's pixels and the "Droites" tool with its hint.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <cmath>

#include "state/actions.h"
#include "state/amountgraph.h"
#include "state/plotframe.h"
#include "testsupport.h"
#include "workbench/graphpainter.h"
#include "workbench/graphpanel.h"
#include "workbench/mainwindow.h"

using namespace workbench;
using platform::Colour;

namespace {

constexpr int kHydrochloric = 2;
constexpr Colour kSituationOne{0, 0, 255};

class ConductimeterTest : public ::testing::Test, protected testsupport::ScriptedWindow {
  protected:
    ConductimeterTest() {
        testsupport::buildPages(*window);
        bench().perform(state::chooseSolute, kHydrochloric);
    }
    ~ConductimeterTest() override {
        EXPECT_FALSE(boxes.hasFailures()) << boxes.failures().join("\n").toStdString();
    }

    BenchController& bench() { return window->workbench(); }
    template <typename T>
    T* child(const char* name) {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    bool shown(const char* name) { return child<QWidget>(name)->isVisibleTo(window.get()); }
    // On the graph page, whichever tab is shown.
    bool onGraphPage(const char* name) {
        return child<QWidget>(name)->isVisibleTo(window->findChild<GraphPanel*>());
    }
    // Whether a pixel of the graph in the colour lies within `radius` px of (x, y).
    bool graphNear(double x, double y, int radius, const Colour& colour) {
        const platform::Surface& s = bench().graph().surface();
        for (int dy = -radius; dy <= radius; ++dy) {
            for (int dx = -radius; dx <= radius; ++dx) {
                const int px = static_cast<int>(std::lround(x)) + dx;
                const int py = static_cast<int>(std::lround(y)) + dy;
                if (s.pixel(px, py) == colour) return true;
            }
        }
        return false;
    }
};

}  // namespace

TEST_F(ConductimeterTest, TheBoxShowsTheMeterTheCellAndTheTableColumn) {
    auto* box = child<QCheckBox>("optscema(2)");
    EXPECT_EQ(box->text(), QStringLiteral("Conductimètre"));
    EXPECT_FALSE(box->isChecked());
    EXPECT_FALSE(shown("Labelsigma"));
    EXPECT_EQ(child<QTableWidget>("MSFlexGrid1")->columnCount(), 4);
    const platform::Surface& picture = bench().apparatus().surface();
    const Colour beforeStem = picture.pixel(75, 360);

    box->click();
    ASSERT_TRUE(shown("Labelsigma"));
    // 0,01 mol/L hydrochloric acid: 10 × (34,98 + 7,63) × 0,01 = 4,261 mS/cm.
    EXPECT_EQ(child<QLabel>("Labelsigma")->text(), QStringLiteral("4,26 mS/cm"));
    EXPECT_EQ(picture.pixel(75, 360), (Colour{225, 225, 225})) << "the cell's stem";
    EXPECT_NE(picture.pixel(75, 360), beforeStem);
    ASSERT_EQ(child<QTableWidget>("MSFlexGrid1")->columnCount(), 5);
    EXPECT_EQ(child<QTableWidget>("MSFlexGrid1")->item(1, 4)->text(), QStringLiteral("4,26"));

    box->click();
    EXPECT_FALSE(shown("Labelsigma"));
    EXPECT_EQ(child<QTableWidget>("MSFlexGrid1")->columnCount(), 4);
    EXPECT_EQ(picture.pixel(75, 360), beforeStem);
}

TEST_F(ConductimeterTest, TheMeterShowsTheWholeReadingAtEveryDecade) {
    child<QCheckBox>("optscema(2)")->click();
    auto* meter = child<QLabel>("Labelsigma");
    // From 42,6 down to 0,000 9 mS/cm.
    for (const char* concentration : {"0,1", "0,01", "0,001", "0,0001", "0,00001", "0,000002"}) {
        bench().setFieldText(state::Field::BeakerConcentration, QString::fromLatin1(concentration));
        bench().validateField(state::Field::BeakerConcentration);
        // Right-aligned before a 4 px margin: what is wider loses its first digit at the left.
        EXPECT_LE(QFontMetrics(meter->font()).horizontalAdvance(meter->text()),
                  meter->contentsRect().width() - 2)
            << meter->text().toStdString();
    }
    EXPECT_TRUE(meter->text().startsWith(QStringLiteral("0,000"))) << meter->text().toStdString();
}

TEST_F(ConductimeterTest, TheGraphSwitchDrawsSigmaAndTheStraightLines) {
    EXPECT_FALSE(onGraphPage("Graphe(1)"));
    child<QCheckBox>("optscema(2)")->click();
    ASSERT_TRUE(onGraphPage("Graphe(1)"));
    child<QToolButton>("Graphe(1)")->click();
    EXPECT_TRUE(child<QToolButton>("Graphe(1)")->isChecked());
    child<QPushButton>("Command13")->click();

    ASSERT_TRUE(onGraphPage("outils"));
    EXPECT_TRUE(onGraphPage("Droites"));
    EXPECT_FALSE(onGraphPage("Image4")) << "the tangents give way to the straight lines";
    EXPECT_FALSE(child<QToolButton>("Command3")->isEnabled());
    EXPECT_FALSE(child<QToolButton>("Image5")->isEnabled());

    // The curve's corner: 0,632 mS/cm at 20 mL on an axis of 4,5 mS/cm.
    const state::MeterAxis axis = bench().state().graph.axis();
    EXPECT_DOUBLE_EQ(axis.top, 4.5);
    const double x = state::PlotFrame::x(20);
    EXPECT_TRUE(graphNear(x, axis.y(0.632), 1, kSituationOne));
    EXPECT_FALSE(graphNear(x, state::PlotFrame::y(7), 3, kSituationOne)) << "no pH curve";

    // On σ corrected for the dilution the corner stands at 0,632 × (20 + 20) / 20 mS/cm.
    child<QToolButton>("Droites")->click();
    EXPECT_TRUE(graphNear(x, axis.y(1.264) + 5, 1, platform::kBlack)) << "the intersection circled";
    EXPECT_TRUE(graphNear(x, axis.y(1.264), 2, kSituationOne)) << "a corrected dot";
    const auto hint = [this] { return child<QLabel>("info")->text().toStdString(); };
    EXPECT_EQ(hint(), "E : V = 20,0 mL (σ corrigée de la dilution)");
    // The button's menu offers the lines on σ as measured, and draws them at once.
    QAction* measured = window->findChild<QAction*>(QStringLiteral("droitesmesurees"));
    ASSERT_NE(measured, nullptr);
    measured->trigger();
    EXPECT_NE(hint().find("(σ mesurée, sans correction de la dilution)"), std::string::npos) << hint();
    EXPECT_FALSE(graphNear(x, axis.y(1.264), 2, kSituationOne)) << "no dots";
    child<QToolButton>("Droites")->click();
    EXPECT_NE(hint().find("(σ mesurée"), std::string::npos) << "the button keeps the choice";

    child<QToolButton>("Graphe(0)")->click();
    EXPECT_TRUE(onGraphPage("Image4"));
    EXPECT_FALSE(onGraphPage("Droites"));
}

// n = f(V) needs no meter: its switch is there from the start, draws the amounts in their colours
// and turns the pH tools off until pH = f(V) is chosen again.
TEST_F(ConductimeterTest, TheAmountSwitchDrawsTheAmountsAndTurnsThePhToolsOff) {
    ASSERT_TRUE(onGraphPage("Graphe(3)"));
    EXPECT_FALSE(onGraphPage("Graphe(1)"));
    child<QToolButton>("Graphe(3)")->click();
    EXPECT_TRUE(child<QToolButton>("Graphe(3)")->isChecked());
    EXPECT_FALSE(child<QToolButton>("Graphe(0)")->isChecked());
    child<QPushButton>("Command13")->click();
    ASSERT_TRUE(onGraphPage("outils"));
    EXPECT_FALSE(child<QToolButton>("Image4")->isEnabled());
    EXPECT_FALSE(child<QToolButton>("Image5")->isEnabled());
    EXPECT_FALSE(child<QToolButton>("Command3")->isEnabled());

    // 0,2 mmol of H₃O⁺ at the start, half of it left at 10 mL, none at 20; HO⁻ from 20 mL on.
    const state::MeterAxis axis = bench().state().graph.axis();
    const Colour hydronium = state::amountColour(0);
    const Colour hydroxide = state::amountColour(1);
    EXPECT_TRUE(graphNear(state::PlotFrame::x(10), axis.y(0.1), 1, hydronium));
    EXPECT_TRUE(graphNear(state::PlotFrame::x(25), axis.y(0.05), 1, hydroxide));
    EXPECT_FALSE(graphNear(state::PlotFrame::x(10), axis.y(0.1), 3, kSituationOne)) << "no pH curve";

    child<QToolButton>("Graphe(0)")->click();
    EXPECT_TRUE(child<QToolButton>("Image4")->isEnabled());
    EXPECT_TRUE(bench().state().graph.showsMeter(state::phMeter()));
}
