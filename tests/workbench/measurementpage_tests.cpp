// The table page's lab commands: the fit and its use through the buttons, the label that tells
// the outcome, the fit running beside the window with its busy bar and its cancel, and the
// commands handed in by the program.
#include <gtest/gtest.h>

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <functional>

#include "platform/scriptedmessageboxes.h"
#include "state/actions.h"
#include "tests/chargebalance.h"
#include "tests/labpoints.h"
#include "testsupport.h"
#include "workbench/benchcontroller.h"
#include "workbench/measurementpage.h"
#include "workbench/measurementtable.h"

using namespace workbench;

namespace {

struct PageCase {
    const char* name;
    int pointCount;
    const char* label;        // how the label starts after "Ajuster la concentration"
    bool concentrationTaken;  // "Utiliser cette valeur" then changes c₂
};

class PageTest : public ::testing::Test {
  public:
    PageTest()
        : app(testsupport::application()),
          bench(boxes),
          table(new MeasurementTable(bench.state().rows)),
          page(bench, *table) {
        bench.perform(state::setDefaults);
        bench.perform(state::start);
    }

    QPushButton* button(const char* name) { return page.findChild<QPushButton*>(QString::fromLatin1(name)); }
    QLabel* label() { return page.findChild<QLabel*>(QStringLiteral("resultatajustement")); }
    // The fit runs beside the window: its result comes through the event loop.
    bool fitEnded() {
        return QTest::qWaitFor([this] { return !bench.state().lab.runningFit.has_value(); }, 20000);
    }

    QApplication& app;
    platform::ScriptedMessageBoxes boxes;
    BenchController bench;
    MeasurementTable* table;  // the page's child
    MeasurementPage page;
};

class PageFit : public PageTest, public ::testing::WithParamInterface<PageCase> {};

}  // namespace

TEST_P(PageFit, TellsTheOutcomeAndTakesTheValueOnlyWhenAsked) {
    // The default strong acid titrated at 0,01 mol · L-1: points read off its own curve.
    state::MeasuredPoints points;
    for (int i = 0; i < GetParam().pointCount; ++i) {
        bench.setFieldText(state::Field::PouredVolume, QString::number(2 * i));
        bench.validateField(state::Field::PouredVolume);
        points.push_back(testing_points::labPoint(2.0 * i, bench.state().engine.pH, 0));
    }
    bench.setFieldText(state::Field::BeakerConcentration, QStringLiteral("0,05"));
    bench.validateField(state::Field::BeakerConcentration);
    bench.perform(state::setMeasurements, points);
    auto* label = page.findChild<QLabel*>(QStringLiteral("resultatajustement"));
    ASSERT_TRUE(label && button("ajuster") && button("utiliser") && button("importer") &&
                button("boutonsaisir"));
    EXPECT_FALSE(button("utiliser")->isEnabled());

    button("ajuster")->click();
    ASSERT_TRUE(fitEnded());
    EXPECT_TRUE(label->text().startsWith(QString::fromUtf8(GetParam().label))) << label->text().toStdString();
    EXPECT_EQ(bench.fieldText(state::Field::BeakerConcentration), QStringLiteral("0,05"));
    EXPECT_EQ(button("utiliser")->isEnabled(), GetParam().concentrationTaken);

    button("utiliser")->click();
    EXPECT_EQ(bench.fieldText(state::Field::BeakerConcentration) != QStringLiteral("0,05"),
              GetParam().concentrationTaken);
    EXPECT_TRUE(boxes.calls().empty());
}

INSTANTIATE_TEST_SUITE_P(Points, PageFit,
                         ::testing::Values(PageCase{"twelve", 12, "c₂ ajustée = (1,00", true},
                                           PageCase{"three", 3, "Il faut au moins 5 mesures", false}),
                         [](const auto& info) { return std::string(info.param.name); });

namespace {

struct WhileFitting {
    const char* name;
    std::function<void(PageTest&)> act;  // while the fit runs
    const char* label;                   // how the label starts once it is over
    bool valueOffered;
};

class FitInterrupted : public PageTest, public ::testing::WithParamInterface<WhileFitting> {};

// "autre acide" and 2 001 logged points from the independent solver.
state::MeasuredPoints loggedPoints() {
    state::MeasuredPoints points;
    for (int i = 0; i <= 2000; ++i) {
        const double v = 25.0 * i / 2000;
        points.push_back(
            testing_points::labPoint(v, testing_support::titrationPh({true, {4.2}, 0.0123}, v), 0));
    }
    return points;
}

}  // namespace

TEST_P(FitInterrupted, NeverHoldsTheWindowAndEndsAsAsked) {
    bench.perform(state::chooseSolute, chemistry::SpeciesCatalogue::kOtherIndex);
    bench.perform(state::setMeasurements, loggedPoints());
    auto* busy = page.findChild<QProgressBar*>(QStringLiteral("ajustementencours"));
    ASSERT_TRUE(busy && label());

    button("ajuster")->click();
    // The click came back before the fit ended: its result can only come through the event loop.
    ASSERT_TRUE(bench.state().lab.runningFit.has_value());
    EXPECT_EQ(label()->text(), QStringLiteral("Ajustement en cours…"));
    EXPECT_EQ(button("ajuster")->text(), QStringLiteral("Annuler l'ajustement"));
    EXPECT_FALSE(busy->isHidden());
    EXPECT_FALSE(button("utiliser")->isEnabled());

    GetParam().act(*this);
    ASSERT_TRUE(fitEnded());
    QTest::qWait(50);  // a result posted late would show now
    EXPECT_TRUE(label()->text().startsWith(QString::fromUtf8(GetParam().label)))
        << label()->text().toStdString();
    EXPECT_EQ(button("ajuster")->text(), QStringLiteral("Ajuster la concentration"));
    EXPECT_TRUE(busy->isHidden());
    EXPECT_EQ(button("utiliser")->isEnabled(), GetParam().valueOffered);
    EXPECT_EQ(bench.state().lab.fit.has_value(), GetParam().valueOffered);
}

INSTANTIATE_TEST_SUITE_P(
    Fit, FitInterrupted,
    ::testing::Values(WhileFitting{"leftAlone", [](PageTest&) {}, "c₂ ajustée = (1,230", true},
                      WhileFitting{"cancelled", [](PageTest& t) { t.button("ajuster")->click(); },
                                   "Ajustement annulé.", false},
                      WhileFitting{"concentrationTypedAgain",
                                   [](PageTest& t) {
                                       t.bench.setFieldText(state::Field::BeakerConcentration,
                                                            QStringLiteral("0,02"));
                                       t.bench.validateField(state::Field::BeakerConcentration);
                                   },
                                   "", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LabCommands, StayDisabledUntilTheProgramHandsThemIn) {
    QApplication& app = testsupport::application();
    (void)app;
    platform::ScriptedMessageBoxes boxes;
    BenchController bench(boxes);
    MeasurementPage page(bench, *new MeasurementTable(bench.state().rows));
    auto* import = page.findChild<QPushButton*>(QStringLiteral("importer"));
    ASSERT_NE(import, nullptr);
    EXPECT_FALSE(import->isEnabled());
    int opened = 0;
    page.setAction(LabCommand::Import, [&opened] { ++opened; });
    ASSERT_TRUE(import->isEnabled());
    import->click();
    EXPECT_EQ(opened, 1);
}
