// The table page's lab commands: the fit and its use through the buttons, the label that tells
// the outcome, and the commands handed in by the program.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

#include "platform/scriptedmessageboxes.h"
#include "state/actions.h"
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

class PageFit : public ::testing::TestWithParam<PageCase> {
  protected:
    PageFit()
        : app(testsupport::application()),
          bench(boxes),
          table(new MeasurementTable(bench.state().rows)),
          page(bench, *table) {
        bench.perform(state::setDefaults);
        bench.perform(state::start);
    }

    QPushButton* button(const char* name) { return page.findChild<QPushButton*>(QString::fromLatin1(name)); }

    QApplication& app;
    platform::ScriptedMessageBoxes boxes;
    BenchController bench;
    MeasurementTable* table;  // the page's child
    MeasurementPage page;
};

}  // namespace

TEST_P(PageFit, TellsTheOutcomeAndTakesTheValueOnlyWhenAsked) {
    // The default strong acid titrated at 0,01 mol · L-1: points read off its own curve.
    state::MeasuredPoints points;
    for (int i = 0; i < GetParam().pointCount; ++i) {
        bench.setFieldText(state::Field::PouredVolume, QString::number(2 * i));
        bench.validateField(state::Field::PouredVolume);
        points.push_back({2.0 * i, bench.state().engine.pH, 0});
    }
    bench.setFieldText(state::Field::BeakerConcentration, QStringLiteral("0,05"));
    bench.validateField(state::Field::BeakerConcentration);
    bench.perform(state::setMeasurements, points);
    auto* label = page.findChild<QLabel*>(QStringLiteral("resultatajustement"));
    ASSERT_TRUE(label && button("ajuster") && button("utiliser") && button("importer") &&
                button("boutonsaisir"));
    EXPECT_FALSE(button("utiliser")->isEnabled());

    button("ajuster")->click();
    EXPECT_TRUE(label->text().startsWith(QString::fromUtf8(GetParam().label))) << label->text().toStdString();
    EXPECT_EQ(bench.fieldText(state::Field::BeakerConcentration), QStringLiteral("0,05"));
    EXPECT_EQ(button("utiliser")->isEnabled(), GetParam().concentrationTaken);

    button("utiliser")->click();
    EXPECT_EQ(bench.fieldText(state::Field::BeakerConcentration) != QStringLiteral("0,05"),
              GetParam().concentrationTaken);
    EXPECT_TRUE(boxes.calls().empty());
}

INSTANTIATE_TEST_SUITE_P(Points, PageFit,
                         ::testing::Values(PageCase{"twelve", 12, "c₂ ajustée = 1,00 × 10⁻² mol · L-1", true},
                                           PageCase{"three", 3, "Il faut au moins 5 mesures", false}),
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
