// The titration bench driven through its handlers, as the panels drive it, with the drawing
// signals recorded.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "numbers/picture.h"
#include "platform/scriptedmessageboxes.h"
#include "testsupport.h"
#include "workbench/apparatusgeometry.h"
#include "workbench/apparatuspictures.h"
#include "workbench/workbench.h"

using namespace workbench;
using platform::MessageAnswer;

namespace {

class WorkbenchTest : public ::testing::Test {
  protected:
    WorkbenchTest() : app(testsupport::application()), bench(boxes) {
        bench.setDefaults();
        bench.Option2_Click(0);
    }
    ~WorkbenchTest() override {
        EXPECT_FALSE(boxes.hasFailures()) << boxes.failures().join("\n").toStdString();
    }

    // Holds the tap until the burette is empty, one timer tick at a time.
    int pourToTheEnd() {
        bench.burette().Image3_MouseDown();
        int ticks = 0;
        while (bench.burette().pouring() && ticks < 400) {
            bench.burette().Timer1_Timer();
            ++ticks;
        }
        return ticks;
    }

    void drop() {
        bench.burette().Image1_Click();
        for (int frame = 0; frame < 4 && bench.burette().dropFalling(); ++frame)
            bench.burette().Timer2_Timer();
    }

    void setAceticAcid() { bench.lbecher_Click(4); }

    std::string poured() const { return bench.fieldText(PouredVolume).toStdString(); }
    const chemistry::Situation& situation(int i) const {
        return bench.situations()[static_cast<std::size_t>(i)];
    }

    QApplication& app;
    platform::ScriptedMessageBoxes boxes;
    Workbench bench;
};

}  // namespace

TEST_F(WorkbenchTest, StartsOnSituationOneWithTheInitialPointRecorded) {
    EXPECT_EQ(bench.currentSituation(), 0);
    EXPECT_EQ(bench.phText(), QStringLiteral("2,83"));
    ASSERT_EQ(bench.rows().points().size(), 1u);
    EXPECT_EQ(bench.rows().points()[0].volume, 0.0);
    // The display restarts more than once on the way, yet the one point has one mark.
    ASSERT_EQ(bench.graph().content().marks().size(), 1u);
    for (const auto& mark : bench.graph().content().marks()) {
        EXPECT_EQ(mark.volume, 0.0);
        EXPECT_NEAR(mark.pH, 2.83, 0.005);
        EXPECT_EQ(mark.colour, (platform::Colour{0, 0, 255}));
    }
    EXPECT_EQ(bench.rows().columns(), 6);
    EXPECT_EQ(bench.pouredText(), QStringLiteral("0,0 mL"));
}

TEST_F(WorkbenchTest, TapHeldAtHalfMillilitreStepRecordsFiftyPointsThenTracesTheCurve) {
    setAceticAcid();
    const int ticks = pourToTheEnd();
    EXPECT_EQ(ticks, 251);  // 250 tenths poured, then the tick that finds the burette empty
    EXPECT_FALSE(bench.burette().pouring());
    EXPECT_TRUE(situation(0).completed);
    EXPECT_TRUE(bench.toolbarVisible());
    // The situation was stored and shown again: its table is rebuilt from 0 to 25 mL.
    ASSERT_EQ(bench.rows().points().size(), 51u);
    EXPECT_NEAR(bench.rows().points()[40].pH, 8.23, 0.005);
    EXPECT_EQ(poured(), "25,0");
    ASSERT_FALSE(bench.graph().content().curves().empty());
    EXPECT_EQ(bench.graph().content().curves().back().vertices.size(), 40u);
    EXPECT_EQ(bench.graph().content().curves().back().colour, (platform::Colour{0, 0, 255}));
}

TEST_F(WorkbenchTest, TapMarksEveryMultipleOfTheStepWhilePouring) {
    setAceticAcid();
    bench.UpDown1_Change(5);
    bench.burette().Image3_MouseDown();
    for (int tick = 0; tick < 250; ++tick) bench.burette().Timer1_Timer();
    EXPECT_EQ(poured(), "25,0");
    // 0 mL and 50 steps of 0,5 mL.
    auto marks = bench.graph().content().marks();
    ASSERT_EQ(marks.size(), 51u);
    ASSERT_EQ(bench.rows().points().size(), 51u);
    for (std::size_t i = 0; i < marks.size(); ++i) {
        EXPECT_NEAR(marks[i].volume, 0.5 * static_cast<double>(i), 1e-5);
        EXPECT_NEAR(bench.rows().points()[i].volume, 0.5 * static_cast<double>(i), 1e-5);
    }
    EXPECT_TRUE(bench.fieldsLocked());
    bench.burette().Image3_MouseUp();
    EXPECT_FALSE(bench.fieldsLocked());
    EXPECT_FALSE(situation(0).completed);  // the last tick has not come
}

TEST_F(WorkbenchTest, AClickOnTheTapPoursAtLeastOneTenth) {
    bench.burette().Image3_MouseDown();
    bench.burette().Image3_MouseUp();
    bench.burette().Image3_Click();
    EXPECT_EQ(poured(), "0,1");
}

TEST_F(WorkbenchTest, FiveDropsGiveAQuarterMillilitreAndNoRowBeforeAWholeMillilitre) {
    for (int i = 0; i < 5; ++i) drop();
    EXPECT_EQ(poured(), "0,25");
    EXPECT_EQ(bench.rows().points().size(), 1u);
    for (int i = 0; i < 15; ++i) drop();
    EXPECT_EQ(poured(), "1,0");
    ASSERT_EQ(bench.rows().points().size(), 2u);
    EXPECT_NEAR(bench.rows().points().back().volume, 1.0, 1e-6);
}

TEST_F(WorkbenchTest, DropFallsFromTheBuretteTipToTheLiquidSurface) {
    // Frames 1 to 3 show the drop picture below the tip, a fifth of the way down and half way to
    // the surface at 449 (20 mL, nothing poured); frame 4 lands it and pours. The tip's lines at
    // y = 369 and 370 are drawn again over the drop.
    const QImage drop = workbench::ApparatusPictures::drop();
    const auto dropShownAt = [&](int top) {
        const QImage& picture = bench.apparatus().image();
        for (int y = 0; y < drop.height(); ++y)
            for (int x = 0; x < drop.width(); ++x) {
                if (qAlpha(drop.pixel(x, y)) < 255 || top + y == 369 || top + y == 370) continue;
                if (picture.pixel(workbench::ApparatusGeometry::kDropX + x, top + y) != drop.pixel(x, y))
                    return false;
            }
        return true;
    };
    bench.burette().Image1_Click();
    for (const double top : {348.0, (449 - 364) / 5.0 + 348, (449 + 332) / 2.0}) {
        bench.burette().Timer2_Timer();
        EXPECT_TRUE(dropShownAt(static_cast<int>(std::lround(top)))) << top;
    }
    EXPECT_EQ(poured(), "0,0");
    bench.burette().Timer2_Timer();
    EXPECT_FALSE(bench.burette().dropFalling());
    EXPECT_EQ(poured(), "0,05");
}

TEST_F(WorkbenchTest, DropsRecordEveryTenthWithinOneMillilitreOfTheEquivalence) {
    setAceticAcid();
    bench.setFieldText(PouredVolume, QStringLiteral("18,5"));
    bench.majaff();
    const std::size_t before = bench.rows().points().size();
    while (bench.fieldValue(PouredVolume) < 21.45) drop();
    std::vector<std::string> recorded;
    for (std::size_t i = before; i < bench.rows().points().size(); ++i)
        recorded.push_back(numbers::formatPicture(bench.rows().points()[i].volume, "#0.0#"));
    const std::vector<std::string> expected = {"19,0", "19,1", "19,2", "19,3", "19,4", "19,5", "19,6",
                                               "19,7", "19,8", "19,9", "20,0", "20,1", "20,2", "20,3",
                                               "20,4", "20,5", "20,6", "20,7", "20,8", "20,9", "21,0"};
    EXPECT_EQ(recorded, expected);
}

TEST_F(WorkbenchTest, ADropAt25IsIgnoredAndOneAt24point95EndsTheTitration) {
    bench.setFieldText(PouredVolume, QStringLiteral("25"));
    bench.burette().Image1_Click();
    EXPECT_FALSE(bench.burette().dropFalling());
    EXPECT_EQ(poured(), "25");

    bench.setFieldText(PouredVolume, QStringLiteral("24,95"));
    drop();
    EXPECT_EQ(poured(), "25,0");
    EXPECT_TRUE(bench.toolbarVisible());
    EXPECT_FALSE(bench.graph().content().curves().empty());
}

TEST_F(WorkbenchTest, FirstTickAfterADropRoundsToTheTenthAndGoesOnByTenths) {
    drop();
    EXPECT_EQ(poured(), "0,05");
    bench.burette().Image3_MouseDown();
    bench.burette().Timer1_Timer();
    EXPECT_EQ(poured(), "0,2");
    bench.burette().Timer1_Timer();
    EXPECT_EQ(poured(), "0,3");
    bench.burette().Image3_MouseUp();
    // The point is computed from the text shown.
    chemistry::SolutionSpec solution = bench.solution();
    chemistry::EngineState state;
    solution.pouredVolume = "0,3";
    EXPECT_EQ(bench.phText(),
              QString::fromStdString(numbers::formatPicture(
                  chemistry::computeCurrentPoint(solution, bench.catalogue(), state), "#0.00")));
}

TEST_F(WorkbenchTest, TraceRapideCompletesTheSituationWithItsTableAndCurve) {
    setAceticAcid();
    bench.burette().Command13_Click();
    EXPECT_TRUE(situation(0).completed);
    EXPECT_EQ(poured(), "25,0");
    EXPECT_EQ(bench.phText(), QStringLiteral("11,05"));
    EXPECT_EQ(bench.rows().points().size(), 51u);
    EXPECT_TRUE(bench.toolbarVisible());
    EXPECT_FALSE(bench.graph().content().curves().empty());
    EXPECT_TRUE(bench.graph().content().marks().empty());  // a rebuilt table draws no marks
}

TEST_F(WorkbenchTest, TraceRapideWithoutThePhMeterPoursButDoesNotComplete) {
    bench.optscema_Click(1, false);
    bench.burette().Command13_Click();
    EXPECT_EQ(bench.fieldValue(PouredVolume), 25.0);
    EXPECT_FALSE(situation(0).completed);
    EXPECT_TRUE(bench.rows().points().empty());  // no measurement without the pH-meter
}

TEST_F(WorkbenchTest, EmptyBuretteAsksToStartAgain) {
    bench.burette().Command13_Click();
    boxes.queueAnswer(MessageAnswer::No);
    bench.burette().Image3_MouseDown();
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].text, QStringLiteral("Voulez-vous recommencer le titrage"));
    EXPECT_EQ(boxes.calls()[0].title, QStringLiteral("Burette vide"));
    EXPECT_EQ(boxes.calls()[0].buttons, platform::MessageButtons::YesNo);
    EXPECT_FALSE(bench.burette().pouring());
    EXPECT_EQ(poured(), "25,0");
    EXPECT_TRUE(situation(0).completed);
    bench.burette().Image3_MouseUp();

    boxes.queueAnswer(MessageAnswer::Yes);
    bench.burette().Image3_MouseDown();
    EXPECT_FALSE(bench.burette().pouring());  // the tap does not open on either answer
    EXPECT_EQ(poured(), "0,0");
    EXPECT_FALSE(situation(0).completed);
    EXPECT_FALSE(bench.toolbarVisible());
    EXPECT_EQ(bench.rows().points().size(), 1u);
    bench.burette().Image3_MouseUp();
}

TEST_F(WorkbenchTest, SwitchingSituationsKeepsEachOnesParametersAndPouredVolume) {
    setAceticAcid();
    bench.setFieldText(BeakerVolume, QStringLiteral("30"));
    bench.Text1_LostFocus(BeakerVolume);
    bench.burette().Image3_MouseDown();
    for (int i = 0; i < 37; ++i) bench.burette().Timer1_Timer();
    bench.burette().Image3_MouseUp();
    EXPECT_EQ(poured(), "3,7");

    bench.Option2_Click(1);
    EXPECT_EQ(bench.currentSituation(), 1);
    EXPECT_EQ(bench.speciesIndex(), 0);
    EXPECT_EQ(bench.fieldText(BeakerVolume), QStringLiteral("20,0"));
    EXPECT_EQ(poured(), "0,0");
    bench.Option1_Click(1);  // a base in situation 2
    EXPECT_FALSE(bench.beakerIsAcid());

    bench.Option2_Click(0);
    EXPECT_TRUE(bench.beakerIsAcid());
    EXPECT_EQ(bench.speciesIndex(), 4);
    EXPECT_EQ(bench.fieldText(BeakerVolume), QStringLiteral("30,0"));
    EXPECT_EQ(poured(), "3,7");
    EXPECT_FALSE(situation(0).completed);
    // The display starts again from the initial point; the pH-meter reads the poured volume.
    EXPECT_EQ(bench.rows().points().size(), 1u);
    chemistry::EngineState state;
    EXPECT_EQ(bench.phText(),
              QString::fromStdString(numbers::formatPicture(
                  chemistry::computeCurrentPoint(bench.solution(), bench.catalogue(), state), "#0.00")));
    EXPECT_FALSE(situation(1).beakerIsAcid);
}

TEST_F(WorkbenchTest, ASituationLeftAt24point9IsNotCompletedButAt25ItIs) {
    bench.setFieldText(PouredVolume, QStringLiteral("24,9"));
    bench.Option2_Click(1);
    EXPECT_FALSE(situation(0).completed);
    bench.setFieldText(PouredVolume, QStringLiteral("25"));
    bench.Option2_Click(2);
    EXPECT_TRUE(situation(1).completed);
}

TEST_F(WorkbenchTest, SuperposedCurvesShowEveryCompletedSituationInItsColour) {
    for (int slot = 0; slot < 3; ++slot) {
        bench.Option2_Click(slot);
        bench.lbecher_Click(slot + 4);
        bench.burette().Command13_Click();
    }
    bench.Check1_Click(true);
    ASSERT_EQ(bench.graph().content().curves().size(), 4u);  // three situations, then the current one traced again
    EXPECT_EQ(bench.graph().content().curves()[0].colour, (platform::Colour{0, 0, 255}));
    EXPECT_EQ(bench.graph().content().curves()[1].colour, (platform::Colour{0, 128, 0}));
    EXPECT_EQ(bench.graph().content().curves()[2].colour, (platform::Colour{192, 0, 192}));
    EXPECT_NE(bench.graph().content().curves()[0].vertices, bench.graph().content().curves()[1].vertices);

    bench.Check1_Click(false);
    ASSERT_EQ(bench.graph().content().curves().size(), 2u);  // only the current situation's, twice
    EXPECT_EQ(bench.graph().content().curves()[0].colour, (platform::Colour{192, 0, 192}));
}

TEST_F(WorkbenchTest, SuperposedFreeSolutesEachTraceTheirOwnPKa) {
    for (const auto& [slot, pKa] : {std::pair{0, "4,0"}, std::pair{1, "9,0"}}) {
        bench.Option2_Click(slot);
        bench.lbecher_Click(chemistry::SpeciesCatalogue::kOtherIndex);
        bench.setFieldText(OtherPKa, QString::fromLatin1(pKa));
        bench.Text1_LostFocus(OtherPKa);
        bench.burette().Command13_Click();
    }
    bench.Check1_Click(true);
    ASSERT_GE(bench.graph().content().curves().size(), 2u);
    for (int slot = 0; slot < 2; ++slot) {
        chemistry::EngineState state;
        EXPECT_EQ(bench.graph().content().curves()[static_cast<std::size_t>(slot)].vertices,
                  chemistry::traceCurve(situation(slot), bench.catalogue(), state))
            << slot;
    }
    EXPECT_NE(bench.graph().content().curves()[0].vertices, bench.graph().content().curves()[1].vertices);
}

TEST_F(WorkbenchTest, BoldStrokesWidenMarksAndCurves) {
    bench.Check2_Click(true);
    ASSERT_FALSE(bench.graph().content().marks().empty());
    EXPECT_EQ(bench.graph().content().marks().back().width, 2);
    bench.Check2_Click(false);
    EXPECT_EQ(bench.graph().content().marks().back().width, 1);
}

TEST_F(WorkbenchTest, ATypedPouredVolumeStepsThePhMeterToTheLastTenth) {
    bench.setFieldText(PouredVolume, QStringLiteral("12,25"));
    bench.Text1_LostFocus(PouredVolume);
    EXPECT_EQ(poured(), "12,25");
    chemistry::SolutionSpec solution = bench.solution();
    solution.pouredVolume = "12,2";
    chemistry::EngineState state;
    EXPECT_EQ(bench.phText(),
              QString::fromStdString(numbers::formatPicture(
                  chemistry::computeCurrentPoint(solution, bench.catalogue(), state), "#0.00")));
    // A volume whose tenths a running sum would miss still reaches them.
    bench.setFieldText(PouredVolume, QStringLiteral("0,3"));
    bench.Text1_LostFocus(PouredVolume);
    solution.pouredVolume = "0,3";
    EXPECT_EQ(bench.phText(),
              QString::fromStdString(numbers::formatPicture(
                  chemistry::computeCurrentPoint(solution, bench.catalogue(), state), "#0.00")));
}

TEST_F(WorkbenchTest, ChangingTheIndicatorRestartsTheTitration) {
    bench.burette().Command13_Click();
    ASSERT_TRUE(situation(0).completed);
    bench.lindic_Click(3);
    EXPECT_FALSE(situation(0).completed);
    EXPECT_EQ(poured(), "0,0");
    EXPECT_EQ(bench.indicatorIndex(), 3);
    EXPECT_FALSE(bench.toolbarVisible());
}

TEST_F(WorkbenchTest, ChangingAValueThatShapesAFinishedTitrationStartsItAgain) {
    // Solute, field, text typed, whether the titration starts again; the first is the same value.
    const std::tuple<int, int, const char*, bool> cases[] = {{4, BeakerConcentration, "0,010", false},
                                                             {4, BeakerConcentration, "0,005", true},
                                                             {4, TitrantConcentration, "0,02", true},
                                                             {4, BeakerVolume, "30", true},
                                                             {4, WaterVolume, "10", true},
                                                             {14, OtherPKa, "4,2", true}};
    for (const auto& [species, field, typed, again] : cases) {
        bench.lbecher_Click(species);
        bench.burette().Command13_Click();
        bench.setFieldText(field, QString::fromUtf8(typed));
        bench.Text1_LostFocus(field);
        EXPECT_EQ(situation(0).completed, !again) << typed;
        EXPECT_EQ(bench.toolbarVisible(), !again) << typed;
        EXPECT_EQ(bench.graph().content().curves().empty(), again) << typed;
        EXPECT_EQ(bench.rows().points().size(), again ? 1u : 51u) << typed;  // the table with them
    }
}

TEST_F(WorkbenchTest, ReturningToACompletedSituationKeepsItCompletedWhateverTheControls) {
    bench.lindic_Click(3);
    bench.lbecher_Click(4);
    bench.burette().Command13_Click();
    bench.Option2_Click(1);  // default indicator and solute
    bench.Option2_Click(0);
    EXPECT_TRUE(situation(0).completed);
    EXPECT_EQ(bench.indicatorIndex(), 3);
    EXPECT_EQ(bench.rows().points().size(), 51u);
    EXPECT_TRUE(bench.toolbarVisible());
}

TEST_F(WorkbenchTest, StrongSpeciesHaveFourColumnsAndNoDistributionDiagram) {
    bench.lbecher_Click(2);
    EXPECT_EQ(bench.rows().columns(), 4);
    EXPECT_FALSE(bench.distributionEnabled());
    bench.Option1_Click(1);
    EXPECT_TRUE(bench.distributionEnabled());
    bench.lbecher_Click(8);
    EXPECT_EQ(bench.rows().columns(), 4);
    EXPECT_FALSE(bench.distributionEnabled());
}

TEST_F(WorkbenchTest, WithoutThePhMeterPouringRecordsNothing) {
    bench.optscema_Click(1, false);
    const std::size_t rows = bench.rows().points().size();
    const std::size_t marks = bench.graph().content().marks().size();
    bench.burette().Image3_MouseDown();
    for (int i = 0; i < 20; ++i) bench.burette().Timer1_Timer();
    bench.burette().Image3_MouseUp();
    EXPECT_EQ(bench.rows().points().size(), rows);
    EXPECT_EQ(bench.graph().content().marks().size(), marks);
}

TEST_F(WorkbenchTest, RandomConcentrationIsMaskedAndWithinItsRange) {
    bench.seedRandom(12345);
    for (int i = 0; i < 20; ++i) {
        bench.Command5_Click();
        EXPECT_TRUE(bench.concentrationMasked());
        EXPECT_FALSE(bench.maskEnabled());
        const double c = bench.fieldValue(BeakerConcentration);
        EXPECT_GE(c, 0.0001);
        EXPECT_LE(c, 0.0999);
        EXPECT_NEAR(std::round(c * 10000), c * 10000, 1e-6);
    }
    bench.Label1_Click();
    EXPECT_FALSE(bench.concentrationMasked());
    EXPECT_TRUE(bench.maskEnabled());
}

// --- Defects found by trying the bench -------------------------------------------------------------

TEST_F(WorkbenchTest, ASwitchOrARestartEndsTheDropInFlight) {
    const std::vector<std::pair<const char*, std::function<void(Workbench&)>>> interruptions = {
        {"situation switch", [](Workbench& b) { b.Option2_Click(1); }},
        {"another solute", [](Workbench& b) { b.lbecher_Click(4); }},
    };
    for (const auto& [name, interrupt] : interruptions) {
        bench.burette().Image1_Click();
        bench.burette().Timer2_Timer();
        interrupt(bench);
        for (int tick = 0; tick < Burette::kDropFrames && bench.burette().dropFalling(); ++tick)
            bench.burette().Timer2_Timer();
        EXPECT_FALSE(bench.burette().dropFalling()) << name;
        EXPECT_EQ(poured(), "0,0") << name;
    }
}

TEST_F(WorkbenchTest, ADrawnConcentrationStaysHiddenWithItsSituationUntilLabel1ShowsIt) {
    bench.Command5_Click();
    bench.Option2_Click(1);
    EXPECT_FALSE(bench.concentrationMasked());
    EXPECT_TRUE(bench.maskEnabled());
    bench.Option2_Click(0);
    EXPECT_TRUE(bench.concentrationMasked());
    EXPECT_FALSE(bench.maskEnabled());
    bench.Label1_Click();
    bench.Option2_Click(1);
    bench.Option2_Click(0);
    EXPECT_FALSE(bench.concentrationMasked());
    EXPECT_TRUE(bench.maskEnabled());
}

TEST_F(WorkbenchTest, HidingTheBuretteEndsThePouringAsAReleaseDoes) {
    bench.burette().Command6_Click();
    for (int tick = 0; tick < 3; ++tick) bench.burette().Timer1_Timer();
    bench.optscema_Click(0, false);
    EXPECT_FALSE(bench.burette().pouring());
    EXPECT_FALSE(bench.burette().tapOpen());
    EXPECT_FALSE(bench.fieldsLocked());
    EXPECT_EQ(poured(), "0,3");
    bench.Option2_Click(0);
    EXPECT_FALSE(situation(0).completed);
}

TEST_F(WorkbenchTest, FromLessThanATickBeforeTheEndTheTapFinishesTheTitration) {
    struct Case {
        const char* name;
        int drops;  // drops poured after 24,9 mL typed
        bool hold;  // the tap held, or only clicked
    };
    int slot = 0;
    for (const Case c : {Case{"clicked at 24,95 after a drop", 1, false}, Case{"held at 24,95", 1, true},
                         Case{"clicked at 24,95 typed", 0, false}}) {
        bench.Option2_Click(++slot);  // a fresh situation each time
        bench.setFieldText(PouredVolume, QString::fromLatin1(c.drops == 0 ? "24,95" : "24,9"));
        bench.Text1_LostFocus(PouredVolume);
        for (int i = 0; i < c.drops; ++i) drop();
        ASSERT_EQ(poured(), "24,95") << c.name;
        bench.burette().Image3_MouseDown();
        if (c.hold) {
            for (int tick = 0; tick < 3 && bench.burette().pouring(); ++tick) bench.burette().Timer1_Timer();
        } else {
            bench.burette().Image3_Click();
        }
        bench.burette().Image3_MouseUp();
        EXPECT_TRUE(situation(bench.currentSituation()).completed) << c.name;
        EXPECT_TRUE(bench.toolbarVisible()) << c.name;
        EXPECT_NEAR(bench.rows().points().back().volume, 25.0, 1e-6) << c.name;
    }
}

TEST_F(WorkbenchTest, ARebuiltTableEndsWhereThePupilPouredAndTheReadingsStayThere) {
    setAceticAcid();
    bench.UpDown1_Change(1);
    bench.burette().Command13_Click();  // "Trace rapide" to 25 mL
    bench.Text1_Click(BeakerVolume);    // a field click rebuilds the finished titration
    ASSERT_EQ(bench.rows().count(), 251);
    EXPECT_NEAR(bench.rows().points().back().volume, 25.0, 1e-6);
    EXPECT_EQ(poured(), "25,0");
    EXPECT_EQ(bench.pouredText(), QStringLiteral("25,0 mL"));
    EXPECT_EQ(bench.phText(), QStringLiteral("11,05"));
}
