// The titration bench driven through its actions, as the panels drive it, without a window.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

#include "chemistry/chemistry.h"
#include "numbers/picture.h"
#include "state/actions.h"
#include "state/benchstate.h"

using namespace state;

namespace {

class BenchStateTest : public ::testing::Test {
  protected:
    BenchStateTest() {
        setDefaults(bench);
        switchSituation(bench, 0);
    }

    // Holds the tap until the burette is empty, one timer tick at a time.
    int pourToTheEnd() {
        pressTap(bench);
        int ticks = 0;
        while (bench.burette.pouring && ticks < 400) {
            pourTick(bench);
            ++ticks;
        }
        return ticks;
    }

    void drop() {
        letDropFall(bench);
        for (int frame = 0; frame < 4 && bench.burette.dropFalling; ++frame) dropTick(bench);
    }

    void setAceticAcid() { chooseSolute(bench, 4); }

    std::string poured() const { return field(bench, Field::PouredVolume).text(); }
    const chemistry::Situation& situation(int i) const {
        return bench.situations.records[static_cast<std::size_t>(i)];
    }
    // The pH-meter's reading for the panel's parameters with another poured volume.
    std::string pHAt(const char* pouredVolume) const {
        chemistry::SolutionSpec solution = bench.solution;
        solution.pouredVolume = pouredVolume;
        chemistry::EngineState engine;
        return numbers::formatPicture(chemistry::computeCurrentPoint(solution, catalogue(), engine), "#0.00");
    }

    BenchState bench;
};

}  // namespace

TEST_F(BenchStateTest, StartsOnSituationOneWithTheInitialPointRecorded) {
    EXPECT_EQ(bench.situations.current, 0);
    EXPECT_EQ(bench.readings.pH, "2,83");
    ASSERT_EQ(bench.rows.points().size(), 1u);
    EXPECT_EQ(bench.rows.points()[0].volume, 0.0);
    // The display restarts more than once on the way, yet the one point has one mark.
    ASSERT_EQ(bench.graph.marks().size(), 1u);
    for (const auto& mark : bench.graph.marks()) {
        EXPECT_EQ(mark.volume, 0.0);
        EXPECT_NEAR(mark.value, 2.83, 0.005);
        EXPECT_EQ(mark.colour, (Colour{0, 0, 255}));
    }
    EXPECT_EQ(bench.rows.columns(), 6);
    EXPECT_EQ(bench.readings.pouredVolume, "0,0 mL");
}

TEST_F(BenchStateTest, TapHeldAtHalfMillilitreStepRecordsFiftyPointsThenTracesTheCurve) {
    setAceticAcid();
    const int ticks = pourToTheEnd();
    EXPECT_EQ(ticks, 251);  // 250 tenths poured, then the tick that finds the burette empty
    EXPECT_FALSE(bench.burette.pouring);
    EXPECT_TRUE(situation(0).completed);
    EXPECT_TRUE(bench.controls.toolbarVisible);
    // The situation was stored and shown again: its table is rebuilt from 0 to 25 mL.
    ASSERT_EQ(bench.rows.points().size(), 51u);
    EXPECT_NEAR(bench.rows.points()[40].pH, 8.23, 0.005);
    EXPECT_EQ(poured(), "25,0");
    ASSERT_FALSE(bench.graph.curves().empty());
    EXPECT_EQ(bench.graph.curves().back().points.size(), 40u);
    EXPECT_EQ(bench.graph.curves().back().colour, (Colour{0, 0, 255}));
}

TEST_F(BenchStateTest, TapMarksEveryMultipleOfTheStepWhilePouring) {
    setAceticAcid();
    setMeasuringStep(bench, 5);
    pressTap(bench);
    for (int tick = 0; tick < 250; ++tick) pourTick(bench);
    EXPECT_EQ(poured(), "25,0");
    // 0 mL and 50 steps of 0,5 mL.
    auto marks = bench.graph.marks();
    ASSERT_EQ(marks.size(), 51u);
    ASSERT_EQ(bench.rows.points().size(), 51u);
    for (std::size_t i = 0; i < marks.size(); ++i) {
        EXPECT_NEAR(marks[i].volume, 0.5 * static_cast<double>(i), 1e-5);
        EXPECT_NEAR(bench.rows.points()[i].volume, 0.5 * static_cast<double>(i), 1e-5);
    }
    EXPECT_TRUE(bench.controls.fieldsLocked);
    releaseTap(bench);
    EXPECT_FALSE(bench.controls.fieldsLocked);
    EXPECT_FALSE(situation(0).completed);  // the last tick has not come
}

TEST_F(BenchStateTest, AClickOnTheTapPoursAtLeastOneTenth) {
    pressTap(bench);
    releaseTap(bench);
    pourTick(bench);
    EXPECT_EQ(poured(), "0,1");
}

TEST_F(BenchStateTest, FiveDropsGiveAQuarterMillilitreAndNoRowBeforeAWholeMillilitre) {
    for (int i = 0; i < 5; ++i) drop();
    EXPECT_EQ(poured(), "0,25");
    EXPECT_EQ(bench.rows.points().size(), 1u);
    for (int i = 0; i < 15; ++i) drop();
    EXPECT_EQ(poured(), "1,0");
    ASSERT_EQ(bench.rows.points().size(), 2u);
    EXPECT_NEAR(bench.rows.points().back().volume, 1.0, 1e-6);
}

TEST_F(BenchStateTest, DropFallsFromTheBuretteTipToTheLiquidSurface) {
    // Frames 1 to 3 paint the drop below the tip, a fifth of the way down and half way to the
    // surface at 449 (20 mL, nothing poured); frame 4 lands it and pours, and the beaker drawn
    // again leaves no drop. Each frame draws the tip's lines again over the drop.
    const auto dropOf = [](const ActionResult& frame) {
        return std::find_if(frame.apparatus.begin(), frame.apparatus.end(),
                            [](const ApparatusPaint& p) { return p.kind == ApparatusPaint::Kind::Drop; });
    };
    letDropFall(bench);
    for (const double top : {348.0, (449 - 364) / 5.0 + 348, (449 + 332) / 2.0}) {
        const ActionResult frame = dropTick(bench);
        ASSERT_NE(dropOf(frame), frame.apparatus.end()) << top;
        EXPECT_DOUBLE_EQ(dropOf(frame)->dropTop, top);
        EXPECT_EQ(frame.apparatus.back().kind, ApparatusPaint::Kind::BuretteTip) << top;
    }
    EXPECT_EQ(poured(), "0,0");
    const ActionResult landing = dropTick(bench);
    EXPECT_EQ(dropOf(landing), landing.apparatus.end());
    EXPECT_EQ(landing.apparatus.back().kind, ApparatusPaint::Kind::BuretteTip);
    EXPECT_FALSE(bench.burette.dropFalling);
    EXPECT_EQ(poured(), "0,05");
}

TEST_F(BenchStateTest, DropsRecordEveryTenthWithinOneMillilitreOfTheEquivalence) {
    setAceticAcid();
    setFieldText(bench, Field::PouredVolume, "18,5");
    updateReadings(bench);
    const std::size_t before = bench.rows.points().size();
    while (fieldValue(bench, Field::PouredVolume) < 21.45) drop();
    std::vector<std::string> recorded;
    for (std::size_t i = before; i < bench.rows.points().size(); ++i)
        recorded.push_back(numbers::formatPicture(bench.rows.points()[i].volume, "#0.0#"));
    const std::vector<std::string> expected = {"19,0", "19,1", "19,2", "19,3", "19,4", "19,5", "19,6",
                                               "19,7", "19,8", "19,9", "20,0", "20,1", "20,2", "20,3",
                                               "20,4", "20,5", "20,6", "20,7", "20,8", "20,9", "21,0"};
    EXPECT_EQ(recorded, expected);
}

TEST_F(BenchStateTest, ADropAt25IsIgnoredAndOneAt24point95EndsTheTitration) {
    setFieldText(bench, Field::PouredVolume, "25");
    letDropFall(bench);
    EXPECT_FALSE(bench.burette.dropFalling);
    EXPECT_EQ(poured(), "25");

    setFieldText(bench, Field::PouredVolume, "24,95");
    drop();
    EXPECT_EQ(poured(), "25,0");
    EXPECT_TRUE(bench.controls.toolbarVisible);
    EXPECT_FALSE(bench.graph.curves().empty());
}

TEST_F(BenchStateTest, FirstTickAfterADropRoundsToTheTenthAndGoesOnByTenths) {
    drop();
    EXPECT_EQ(poured(), "0,05");
    pressTap(bench);
    pourTick(bench);
    EXPECT_EQ(poured(), "0,2");
    pourTick(bench);
    EXPECT_EQ(poured(), "0,3");
    releaseTap(bench);
    // The point is computed from the text shown.
    EXPECT_EQ(bench.readings.pH, pHAt("0,3"));
}

TEST_F(BenchStateTest, TraceRapideCompletesTheSituationWithItsTableAndCurve) {
    setAceticAcid();
    quickTrace(bench);
    EXPECT_TRUE(situation(0).completed);
    EXPECT_EQ(poured(), "25,0");
    EXPECT_EQ(bench.readings.pH, "11,05");
    EXPECT_EQ(bench.rows.points().size(), 51u);
    EXPECT_TRUE(bench.controls.toolbarVisible);
    EXPECT_FALSE(bench.graph.curves().empty());
    EXPECT_TRUE(bench.graph.marks().empty());  // a rebuilt table draws no marks
}

TEST_F(BenchStateTest, TraceRapideWithoutThePhMeterPoursButDoesNotComplete) {
    showApparatusPart(bench, ApparatusPart::PhMeter, false);
    quickTrace(bench);
    EXPECT_EQ(fieldValue(bench, Field::PouredVolume), 25.0);
    EXPECT_FALSE(situation(0).completed);
    EXPECT_TRUE(bench.rows.points().empty());  // no measurement without the pH-meter
}

TEST_F(BenchStateTest, EmptyBuretteAsksToStartAgain) {
    quickTrace(bench);
    EXPECT_EQ(pressTap(bench).question, Question::RestartTitration);
    // Answered no: nothing more.
    EXPECT_FALSE(bench.burette.pouring);
    EXPECT_EQ(poured(), "25,0");
    EXPECT_TRUE(situation(0).completed);
    releaseTap(bench);

    EXPECT_EQ(pressTap(bench).question, Question::RestartTitration);
    restartTitration(bench);              // answered yes
    EXPECT_FALSE(bench.burette.pouring);  // the tap does not open on either answer
    EXPECT_EQ(poured(), "0,0");
    EXPECT_FALSE(situation(0).completed);
    EXPECT_FALSE(bench.controls.toolbarVisible);
    EXPECT_EQ(bench.rows.points().size(), 1u);
    releaseTap(bench);
}

TEST_F(BenchStateTest, SwitchingSituationsKeepsEachOnesParametersAndPouredVolume) {
    setAceticAcid();
    setFieldText(bench, Field::BeakerVolume, "30");
    validateField(bench, Field::BeakerVolume);
    pressTap(bench);
    for (int i = 0; i < 37; ++i) pourTick(bench);
    releaseTap(bench);
    EXPECT_EQ(poured(), "3,7");

    switchSituation(bench, 1);
    EXPECT_EQ(bench.situations.current, 1);
    EXPECT_EQ(bench.solution.speciesIndex, 0);
    EXPECT_EQ(field(bench, Field::BeakerVolume).text(), "20,0");
    EXPECT_EQ(poured(), "0,0");
    chooseNature(bench, false);  // a base in situation 2
    EXPECT_FALSE(bench.solution.beakerIsAcid);

    switchSituation(bench, 0);
    EXPECT_TRUE(bench.solution.beakerIsAcid);
    EXPECT_EQ(bench.solution.speciesIndex, 4);
    EXPECT_EQ(field(bench, Field::BeakerVolume).text(), "30,0");
    EXPECT_EQ(poured(), "3,7");
    EXPECT_FALSE(situation(0).completed);
    // The display starts again from the initial point; the pH-meter reads the poured volume.
    EXPECT_EQ(bench.rows.points().size(), 1u);
    EXPECT_EQ(bench.readings.pH, pHAt(poured().c_str()));
    EXPECT_FALSE(situation(1).beakerIsAcid);
}

TEST_F(BenchStateTest, ASituationLeftAt24point9IsNotCompletedButAt25ItIs) {
    setFieldText(bench, Field::PouredVolume, "24,9");
    switchSituation(bench, 1);
    EXPECT_FALSE(situation(0).completed);
    setFieldText(bench, Field::PouredVolume, "25");
    switchSituation(bench, 2);
    EXPECT_TRUE(situation(1).completed);
}

TEST_F(BenchStateTest, SuperposedCurvesShowEveryCompletedSituationInItsColour) {
    for (int slot = 0; slot < 3; ++slot) {
        switchSituation(bench, slot);
        chooseSolute(bench, slot + 4);
        quickTrace(bench);
    }
    setSuperposeCurves(bench, true);
    ASSERT_EQ(bench.graph.curves().size(), 4u);  // three situations, then the current one traced again
    EXPECT_EQ(bench.graph.curves()[0].colour, (Colour{0, 0, 255}));
    EXPECT_EQ(bench.graph.curves()[1].colour, (Colour{0, 128, 0}));
    EXPECT_EQ(bench.graph.curves()[2].colour, (Colour{192, 0, 192}));
    EXPECT_NE(bench.graph.curves()[0].points, bench.graph.curves()[1].points);

    setSuperposeCurves(bench, false);
    ASSERT_EQ(bench.graph.curves().size(), 2u);  // only the current situation's, twice
    EXPECT_EQ(bench.graph.curves()[0].colour, (Colour{192, 0, 192}));
}

TEST_F(BenchStateTest, SuperposedFreeSolutesEachTraceTheirOwnPKa) {
    for (const auto& [slot, pKa] : {std::pair{0, "4,0"}, std::pair{1, "9,0"}}) {
        switchSituation(bench, slot);
        chooseSolute(bench, chemistry::SpeciesCatalogue::kOtherIndex);
        setFieldText(bench, Field::OtherPKa, pKa);
        validateField(bench, Field::OtherPKa);
        quickTrace(bench);
    }
    setSuperposeCurves(bench, true);
    ASSERT_GE(bench.graph.curves().size(), 2u);
    for (int slot = 0; slot < 2; ++slot) {
        chemistry::EngineState engine;
        EXPECT_EQ(bench.graph.curves()[static_cast<std::size_t>(slot)].points,
                  seriesOf(chemistry::traceCurve(situation(slot), catalogue(), engine)))
            << slot;
    }
    EXPECT_NE(bench.graph.curves()[0].points, bench.graph.curves()[1].points);
}

TEST_F(BenchStateTest, BoldStrokesWidenMarksAndCurves) {
    setBoldStrokes(bench, true);
    ASSERT_FALSE(bench.graph.marks().empty());
    EXPECT_EQ(bench.graph.marks().back().width, 2);
    setBoldStrokes(bench, false);
    EXPECT_EQ(bench.graph.marks().back().width, 1);
}

TEST_F(BenchStateTest, ATypedPouredVolumeStepsThePhMeterToTheLastTenth) {
    setFieldText(bench, Field::PouredVolume, "12,25");
    validateField(bench, Field::PouredVolume);
    EXPECT_EQ(poured(), "12,25");
    EXPECT_EQ(bench.readings.pH, pHAt("12,2"));
    // A volume whose tenths a running sum would miss still reaches them.
    setFieldText(bench, Field::PouredVolume, "0,3");
    validateField(bench, Field::PouredVolume);
    EXPECT_EQ(bench.readings.pH, pHAt("0,3"));
}

TEST_F(BenchStateTest, ChangingTheIndicatorRestartsTheTitration) {
    quickTrace(bench);
    ASSERT_TRUE(situation(0).completed);
    chooseIndicator(bench, 3);
    EXPECT_FALSE(situation(0).completed);
    EXPECT_EQ(poured(), "0,0");
    EXPECT_EQ(bench.solution.indicatorIndex, 3);
    EXPECT_FALSE(bench.controls.toolbarVisible);
}

TEST_F(BenchStateTest, ChangingAValueThatShapesAFinishedTitrationStartsItAgain) {
    // Solute, field, text typed, whether the titration starts again; the first is the same value.
    const std::tuple<int, Field, const char*, bool> cases[] = {
        {4, Field::BeakerConcentration, "0,010", false},
        {4, Field::BeakerConcentration, "0,005", true},
        {4, Field::TitrantConcentration, "0,02", true},
        {4, Field::BeakerVolume, "30", true},
        {4, Field::WaterVolume, "10", true},
        {14, Field::OtherPKa, "4,2", true}};
    for (const auto& [species, field, typed, again] : cases) {
        chooseSolute(bench, species);
        quickTrace(bench);
        setFieldText(bench, field, typed);
        validateField(bench, field);
        EXPECT_EQ(situation(0).completed, !again) << typed;
        EXPECT_EQ(bench.controls.toolbarVisible, !again) << typed;
        EXPECT_EQ(bench.graph.curves().empty(), again) << typed;
        EXPECT_EQ(bench.rows.points().size(), again ? 1u : 51u) << typed;  // the table with them
    }
}

TEST_F(BenchStateTest, ReturningToACompletedSituationKeepsItCompletedWhateverTheControls) {
    chooseIndicator(bench, 3);
    chooseSolute(bench, 4);
    quickTrace(bench);
    switchSituation(bench, 1);  // default indicator and solute
    switchSituation(bench, 0);
    EXPECT_TRUE(situation(0).completed);
    EXPECT_EQ(bench.solution.indicatorIndex, 3);
    EXPECT_EQ(bench.rows.points().size(), 51u);
    EXPECT_TRUE(bench.controls.toolbarVisible);
}

TEST_F(BenchStateTest, StrongSpeciesHaveFourColumnsAndNoDistributionDiagram) {
    chooseSolute(bench, 2);
    EXPECT_EQ(bench.rows.columns(), 4);
    EXPECT_FALSE(bench.controls.distributionEnabled);
    chooseNature(bench, false);
    EXPECT_TRUE(bench.controls.distributionEnabled);
    chooseSolute(bench, 8);
    EXPECT_EQ(bench.rows.columns(), 4);
    EXPECT_FALSE(bench.controls.distributionEnabled);
}

TEST_F(BenchStateTest, WithoutThePhMeterPouringRecordsNothing) {
    showApparatusPart(bench, ApparatusPart::PhMeter, false);
    const std::size_t rows = bench.rows.points().size();
    const std::size_t marks = bench.graph.marks().size();
    pressTap(bench);
    for (int i = 0; i < 20; ++i) pourTick(bench);
    releaseTap(bench);
    EXPECT_EQ(bench.rows.points().size(), rows);
    EXPECT_EQ(bench.graph.marks().size(), marks);
}

TEST_F(BenchStateTest, RandomConcentrationIsMaskedAndWithinItsRange) {
    bench.random.seed(12345);
    for (int i = 0; i < 20; ++i) {
        drawRandomConcentration(bench);
        EXPECT_TRUE(bench.switches.concentrationMasked);
        EXPECT_FALSE(bench.switches.maskEnabled);
        const double c = fieldValue(bench, Field::BeakerConcentration);
        EXPECT_GE(c, 0.0001);
        EXPECT_LE(c, 0.0999);
        EXPECT_NEAR(std::round(c * 10000), c * 10000, 1e-6);
    }
    revealConcentration(bench);
    EXPECT_FALSE(bench.switches.concentrationMasked);
    EXPECT_TRUE(bench.switches.maskEnabled);
}

// --- Defects found by trying the bench -------------------------------------------------------------

TEST_F(BenchStateTest, ASwitchOrARestartEndsTheDropInFlight) {
    const std::vector<std::pair<const char*, std::function<void(BenchState&)>>> interruptions = {
        {"situation switch", [](BenchState& b) { switchSituation(b, 1); }},
        {"another solute", [](BenchState& b) { chooseSolute(b, 4); }},
    };
    for (const auto& [name, interrupt] : interruptions) {
        letDropFall(bench);
        dropTick(bench);
        interrupt(bench);
        for (int tick = 0; tick < BuretteState::kDropFrames && bench.burette.dropFalling; ++tick)
            dropTick(bench);
        EXPECT_FALSE(bench.burette.dropFalling) << name;
        EXPECT_EQ(poured(), "0,0") << name;
    }
}

TEST_F(BenchStateTest, ADrawnConcentrationStaysHiddenWithItsSituationUntilItIsRevealed) {
    drawRandomConcentration(bench);
    switchSituation(bench, 1);
    EXPECT_FALSE(bench.switches.concentrationMasked);
    EXPECT_TRUE(bench.switches.maskEnabled);
    switchSituation(bench, 0);
    EXPECT_TRUE(bench.switches.concentrationMasked);
    EXPECT_FALSE(bench.switches.maskEnabled);
    revealConcentration(bench);
    switchSituation(bench, 1);
    switchSituation(bench, 0);
    EXPECT_FALSE(bench.switches.concentrationMasked);
    EXPECT_TRUE(bench.switches.maskEnabled);
}

TEST_F(BenchStateTest, HidingTheBuretteEndsThePouringAsAReleaseDoes) {
    toggleEmptying(bench);
    for (int tick = 0; tick < 3; ++tick) pourTick(bench);
    showApparatusPart(bench, ApparatusPart::Burette, false);
    EXPECT_FALSE(bench.burette.pouring);
    EXPECT_FALSE(bench.burette.tapOpen);
    EXPECT_FALSE(bench.controls.fieldsLocked);
    EXPECT_EQ(poured(), "0,3");
    switchSituation(bench, 0);
    EXPECT_FALSE(situation(0).completed);
}

TEST_F(BenchStateTest, FromLessThanATickBeforeTheEndTheTapFinishesTheTitration) {
    struct Case {
        const char* name;
        int drops;  // drops poured after 24,9 mL typed
        bool hold;  // the tap held, or only clicked
    };
    int slot = 0;
    for (const Case c : {Case{"clicked at 24,95 after a drop", 1, false}, Case{"held at 24,95", 1, true},
                         Case{"clicked at 24,95 typed", 0, false}}) {
        switchSituation(bench, ++slot);  // a fresh situation each time
        setFieldText(bench, Field::PouredVolume, c.drops == 0 ? "24,95" : "24,9");
        validateField(bench, Field::PouredVolume);
        for (int i = 0; i < c.drops; ++i) drop();
        ASSERT_EQ(poured(), "24,95") << c.name;
        pressTap(bench);
        if (c.hold) {
            for (int tick = 0; tick < 3 && bench.burette.pouring; ++tick) pourTick(bench);
        } else {
            pourTick(bench);
        }
        releaseTap(bench);
        EXPECT_TRUE(situation(bench.situations.current).completed) << c.name;
        EXPECT_TRUE(bench.controls.toolbarVisible) << c.name;
        EXPECT_NEAR(bench.rows.points().back().volume, 25.0, 1e-6) << c.name;
    }
}

TEST_F(BenchStateTest, ARebuiltTableEndsWhereThePupilPouredAndTheReadingsStayThere) {
    setAceticAcid();
    setMeasuringStep(bench, 1);
    quickTrace(bench);                       // "Trace rapide" to 25 mL
    clickField(bench, Field::BeakerVolume);  // a field click rebuilds the finished titration
    ASSERT_EQ(bench.rows.count(), 251);
    EXPECT_NEAR(bench.rows.points().back().volume, 25.0, 1e-6);
    EXPECT_EQ(poured(), "25,0");
    EXPECT_EQ(bench.readings.pouredVolume, "25,0 mL");
    EXPECT_EQ(bench.readings.pH, "11,05");
}
