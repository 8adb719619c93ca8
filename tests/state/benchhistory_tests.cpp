// The bench's undo history on the plain state, driven as the controller drives it: random
// sequences of the pupil's actions undone and redone, what each step is called, and the memory
// of a hundred steps of a crowded bench.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "configuration/configurationfile.h"
#include "state/actions.h"
#include "state/benchhistory.h"
#include "state/labmeasurements.h"
#include "tests/labpoints.h"
#include "tests/state/crowdedbench.h"
#include "tests/support/childprocess.h"

using namespace state;

namespace {

// Equal as the pupil sees them: the die's generator, the theme, the colours and the fits'
// numbers are not taken back.
bool sameBench(BenchState a, BenchState b) {
    for (BenchState* s : {&a, &b}) {
        s->random = std::mt19937();
        s->switches.themeHighContrast = false;
        s->colours = SituationColours();
        s->lab.fitsStarted = 0;
        s->lab.runningFit.reset();
    }
    return a == b;
}

// The bench with its history, as the controller follows each action.
struct Driver {
    Driver() {
        setDefaults(bench);
        start(bench);
        history.reset(bench);
        steps.push_back(bench);
    }
    template <typename... Parameters, typename... Arguments>
    void act(ActionResult (*action)(BenchState&, Parameters...), Arguments&&... arguments) {
        action(bench, std::forward<Arguments>(arguments)...);
        if (history.afterAction(bench, passingAction(action))) steps.push_back(bench);
    }
    void type(Field which, const std::string& text) {
        act(setFieldText, which, text);
        act(validateField, which);
    }
    BenchState bench;
    BenchHistory history;
    std::vector<BenchState> steps;  // the bench after each step, the start first
};

MeasuredPoints labPoints(std::mt19937& random, int count) {
    MeasuredPoints points;
    std::uniform_real_distribution<double> pH(2, 12);
    for (int i = 0; i < count; ++i) points.push_back(testing_points::labPoint(i * 25.0 / count, pH(random)));
    return points;
}

// One of the pupil's actions, at random.
void randomAction(Driver& d, std::mt19937& random) {
    const auto pick = [&random](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    static const Field kFields[] = {Field::BeakerConcentration,
                                    Field::TitrantConcentration,
                                    Field::BeakerVolume,
                                    Field::WaterVolume,
                                    Field::OtherPKa,
                                    Field::PouredVolume};
    static const char* kTexts[] = {"0,02", "0,005", "abc", "30", "0", "12,5", "200", "1e-3"};
    switch (pick(14)) {
        case 0:
            d.type(kFields[pick(6)], kTexts[pick(8)]);
            break;
        case 1:
            d.act(chooseSolute, pick(chemistry::SpeciesCatalogue::count(d.bench.solution.beakerIsAcid)));
            break;
        case 2:
            d.act(chooseIndicator, pick(10));
            break;
        case 3:
            d.act(chooseNature, pick(2) == 0);
            break;
        case 4:
            d.act(switchSituation, pick(kSituationCount));
            break;
        case 5: {  // the tap held for a few ticks
            d.act(pressTap);
            for (int tick = pick(40); tick > 0 && d.bench.burette.pouring; --tick) d.act(pourTick);
            d.act(releaseTap);
            break;
        }
        case 6:
            d.act(letDropFall);
            for (int frame = 0; frame < 4 && d.bench.burette.dropFalling; ++frame) d.act(dropTick);
            break;
        case 7:
            d.act(quickTrace);
            break;
        case 8:
            d.act(toggleEmptying);
            for (int tick = 0; tick < 300 && d.bench.burette.pouring; ++tick) d.act(pourTick);
            break;
        case 9:
            d.act(drawRandomConcentration);
            break;
        case 10:
            d.act(setMeasurements, labPoints(random, 5 + pick(20)));
            break;
        case 11:
            d.act(setSuperposeCurves, pick(2) == 0);
            break;
        case 12:
            d.act(setMeasuringStep, 1 + pick(10));
            break;
        default: {
            configuration::ConfigurationFile file;
            file.superposeCurves = pick(2) == 0;
            file.situations[1].beakerConcentrationText = kTexts[pick(2)];
            d.act(loadConfiguration, file);
            break;
        }
    }
}

}  // namespace

TEST(BenchHistory, UndoingEveryStepOfRandomActionsGivesBackEachBenchAndRedoingThemTheEnd) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 random(seed);
        Driver d;
        for (int i = 0; i < 25; ++i) randomAction(d, random);
        // Typed but not validated: it goes with the undo.
        d.act(setFieldText, Field::BeakerConcentration, "0,07");
        ASSERT_EQ(d.history.undoCount(), d.steps.size() - 1);
        for (std::size_t step = d.steps.size() - 1; step > 0; --step) {
            ASSERT_TRUE(d.history.undo(d.bench).has_value());
            ASSERT_TRUE(sameBench(d.bench, d.steps[step - 1])) << "step " << step - 1;
        }
        EXPECT_FALSE(d.history.undo(d.bench).has_value());
        for (std::size_t step = 1; step < d.steps.size(); ++step) ASSERT_TRUE(d.history.redo(d.bench));
        EXPECT_FALSE(d.history.redo(d.bench).has_value());
        EXPECT_TRUE(sameBench(d.bench, d.steps.back()));
    }
}

TEST(BenchHistory, APourIsOneStepAndTypingNone) {
    Driver d;
    d.act(setFieldText, Field::TitrantConcentration, "0,02");
    d.act(clickField, Field::TitrantConcentration);
    EXPECT_EQ(d.history.undoCount(), 0u) << "typing";
    d.act(pressTap);
    for (int tick = 0; tick < 30; ++tick) d.act(pourTick);
    EXPECT_EQ(d.history.undoCount(), 0u) << "while the tap pours";
    d.act(releaseTap);
    EXPECT_EQ(d.history.undoCount(), 1u);
    d.act(releaseTap);
    EXPECT_EQ(d.history.undoCount(), 1u) << "an action that changed nothing";
    // A new step drops what could be redone.
    ASSERT_TRUE(d.history.undo(d.bench));
    d.act(quickTrace);
    EXPECT_EQ(d.history.redoCount(), 0u);
    EXPECT_EQ(d.history.undoCount(), 1u);
}

TEST(BenchHistory, KeepsTheLastHundredStepsOfACrowdedBenchInLittleMemory) {
    BenchState bench = testbench::crowdedBench();
    const std::optional<std::size_t> before = testsupport::heapBytesInUse();
    if (!before) GTEST_SKIP() << "this system's C library does not tell how much of its heap is in use";
    auto* history = new BenchHistory;
    history->reset(bench);
    for (int i = 0; i < 160; ++i) {
        switch (i % 4) {
            case 0:
                setFieldText(bench, Field::TitrantConcentration, i % 8 == 0 ? "0,02" : "0,01");
                validateField(bench, Field::TitrantConcentration);
                break;
            case 1:
                switchSituation(bench, (i / 4) % kSituationCount);
                break;
            case 2:
                quickTrace(bench);
                break;
            default:
                chooseIndicator(bench, 1 + i % 9);
                break;
        }
        history->record(bench);
    }
    const std::optional<std::size_t> after = testsupport::heapBytesInUse();
    ASSERT_TRUE(after);
    const double megabytes = static_cast<double>(*after - *before) / (1 << 20);
    EXPECT_EQ(history->undoCount(), BenchHistory::kMaxSteps);
    EXPECT_LE(megabytes, 20.0);
    RecordProperty("HistoryMegabytes", std::to_string(megabytes));
    std::cout << "100 steps of a crowded bench: " << megabytes << " MB\n";
    delete history;
}

struct DescriptionCase {
    const char* name;
    void (*act)(BenchState&);
    const char* undone;  // what undoing the action says
};

class StepDescription : public testing::TestWithParam<DescriptionCase> {};

TEST_P(StepDescription, NamesWhatTheUndoGivesBack) {
    Driver d;
    GetParam().act(d.bench);
    ASSERT_TRUE(d.history.record(d.bench));
    EXPECT_EQ(d.history.undo(d.bench), std::string(GetParam().undone));
    const auto redone = d.history.redo(d.bench);
    ASSERT_TRUE(redone.has_value());
    EXPECT_FALSE(redone->empty());
}

const DescriptionCase kDescriptions[] = {
    {"ABeakerConcentration",
     [](BenchState& b) {
         setFieldText(b, Field::BeakerConcentration, "0,02");
         validateField(b, Field::BeakerConcentration);
     },
     "c₂ 0,02 → 0,01"},
    {"AVolumeWithItsUnit",
     [](BenchState& b) {
         setFieldText(b, Field::BeakerVolume, "35");
         validateField(b, Field::BeakerVolume);
     },
     "V₂ 35,0 → 20,0 mL"},
    {"AQuickTraceAsThePouredVolume", [](BenchState& b) { quickTrace(b); }, "V₁ 25,0 → 0,0 mL"},
    {"ASolute", [](BenchState& b) { chooseSolute(b, 4); },
     "soluté : acide éthanoïque → acide acétylsalicylique"},
    {"ASituation", [](BenchState& b) { switchSituation(b, 2); }, "Situation n° 3 → Situation n° 1"},
    {"TheDieWithoutItsConcentration", [](BenchState& b) { drawRandomConcentration(b); },
     "concentration aléatoire"},
    {"AnOption", [](BenchState& b) { setSuperposeCurves(b, true); }, "Superposer les courbes : oui → non"},
    {"TheKindOfTitration",
     [](BenchState& b) { chooseTitrationKind(b, chemistry::TitrationKind::Precipitation); },
     "type de titrage : précipitation → acido-basique"},
    {"AnImport",
     [](BenchState& b) { setMeasurements(b, MeasuredPoints(12, testing_points::labPoint(1, 7, 0))); },
     "mesures : 12 → 0 points"},
    {"AConfiguration",
     [](BenchState& b) {
         configuration::ConfigurationFile file;
         file.situations[4].beakerConcentrationText = "0,05";
         loadConfiguration(b, file);
     },
     "ouverture d'une configuration"},
};

INSTANTIATE_TEST_SUITE_P(Steps, StepDescription, testing::ValuesIn(kDescriptions),
                         [](const auto& info) { return std::string(info.param.name); });
