// From the table page: the glassware chosen in "Verrerie", three situations titrated and listed
// in "Résultats", and a Monte-Carlo run on its worker thread, read against a reference value, then
// one cancelled.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <numeric>

#include "app/labcommands.h"
#include "state/actions.h"
#include "state/glasswarebench.h"
#include "testsupport.h"
#include "windows/uncertainty/histogramview.h"
#include "windows/uncertainty/resultswindow.h"
#include "windows/uncertainty/simulationwindow.h"
#include "workbench/measurementpage.h"

namespace {

class UncertaintyWindowsTest : public ::testing::Test, protected testsupport::ScriptedWindow {
  protected:
    UncertaintyWindowsTest() {
        connectLabCommands(*window);
        window->show();
    }

    workbench::BenchController& bench() { return window->workbench(); }

    template <class W>
    W* openFrom(const char* button, const char* name) {
        auto* b = window->measurementPage().findChild<QPushButton*>(QString::fromLatin1(button));
        EXPECT_TRUE(b && b->isEnabled()) << button;
        if (b) b->click();
        return window->findChild<W*>(QString::fromLatin1(name));
    }

    template <class W>
    static W* child(QWidget* parent, const char* name) {
        auto* w = parent->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
};

}  // namespace

TEST_F(UncertaintyWindowsTest, GlasswareResultsAndASimulationFromTheTablePage) {
    auto* glassware = openFrom<QDialog>("boutonverrerie", "verrerie");
    ASSERT_NE(glassware, nullptr);
    child<QRadioButton>(glassware, "verreriemesuree")->click();
    // A tolerance that does not read leaves the bench as it was, and says why.
    auto* tolerance = child<QLineEdit>(glassware, "verrerie_burette_tolerance");
    const QString typed = tolerance->text();
    tolerance->setText(QStringLiteral("0,0,5"));
    child<QPushButton>(glassware, "verrerie_appliquer")->click();
    EXPECT_TRUE(bench().state().glassware.exact);
    EXPECT_FALSE(child<QLabel>(glassware, "verrerie_message")->text().isEmpty());
    tolerance->setText(typed);
    child<QPushButton>(glassware, "verrerie_appliquer")->click();
    // What the window showed on leaving the exact titration is what the bench titrates with.
    const chemistry::Glassware& chosen = bench().state().glassware;
    const chemistry::Glassware usual = state::usualGlassware(1, 0.01);
    ASSERT_FALSE(chosen.exact);
    EXPECT_EQ(chosen.beaker, usual.beaker);
    EXPECT_EQ(chosen.water, usual.water);
    EXPECT_EQ(chosen.burette, usual.burette);
    EXPECT_EQ(chosen.readingHalfWidth, usual.readingHalfWidth);
    EXPECT_EQ(chosen.titrantUncertainty, usual.titrantUncertainty);
    EXPECT_EQ(chosen.seed, usual.seed);

    for (int slot = 0; slot < 3; ++slot) {
        bench().perform(state::switchSituation, slot);
        bench().perform(state::quickTrace);
    }
    auto* results = openFrom<uncertaintywindows::ResultsWindow>("boutonresultats", "resultats");
    ASSERT_NE(results, nullptr);
    EXPECT_FALSE(results->isModal());
    auto* table = child<QTableWidget>(results, "tableauresultats");
    ASSERT_EQ(table->rowCount(), 3);
    // Three draws of the glassware: three volumes, not one repeated.
    EXPECT_NE(table->item(0, 1)->text(), table->item(1, 1)->text());
    EXPECT_TRUE(child<QLabel>(results, "concentrationresultats")->text().contains(QStringLiteral("n = 3")));
    // A fourth titration joins the list as it ends.
    bench().perform(state::switchSituation, 3);
    bench().perform(state::quickTrace);
    EXPECT_EQ(table->rowCount(), 4);

    auto* simulation = openFrom<uncertaintywindows::SimulationWindow>("montecarlo", "simulation");
    ASSERT_NE(simulation, nullptr);
    child<QSpinBox>(simulation, "tirages")->setValue(1000);
    child<QLineEdit>(simulation, "Text1(10)")->setText(QStringLiteral("0,0100"));
    child<QPushButton>(simulation, "lancer")->click();
    EXPECT_TRUE(child<QPushButton>(simulation, "annulersimulation")->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([simulation] { return !simulation->running(); }, 60000));
    ASSERT_TRUE(simulation->outcome().has_value());
    const auto& counts =
        child<uncertaintywindows::HistogramView>(simulation, "histogramme")->histogram().counts;
    EXPECT_EQ(std::accumulate(counts.begin(), counts.end(), 0),
              static_cast<int>(simulation->outcome()->runs.size()));
    EXPECT_EQ(simulation->outcome()->runs.size() + static_cast<std::size_t>(simulation->outcome()->unread),
              1000U);
    EXPECT_TRUE(child<QLabel>(simulation, "zscore")->text().contains(QStringLiteral("compatible")));
    EXPECT_TRUE(child<QLabel>(simulation, "propagation")->text().contains(QStringLiteral("u(c) =")));
    EXPECT_TRUE(child<QPushButton>(simulation, "exportertirages")->isEnabled());
    child<QLineEdit>(simulation, "Text1(10)")->setText(QStringLiteral("douze"));
    EXPECT_TRUE(child<QLabel>(simulation, "zscore")->text().contains(QStringLiteral("pas un nombre")));

    // Cancelled at once, it leaves no result and the window free to start again.
    child<QSpinBox>(simulation, "tirages")->setValue(100000);
    child<QPushButton>(simulation, "lancer")->click();
    child<QPushButton>(simulation, "annulersimulation")->click();
    EXPECT_FALSE(simulation->running());
    EXPECT_FALSE(simulation->outcome().has_value());
    EXPECT_TRUE(child<QPushButton>(simulation, "lancer")->isEnabled());
    EXPECT_TRUE(boxes.calls().empty());
}
