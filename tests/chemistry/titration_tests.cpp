#include <gtest/gtest.h>

#include <cmath>

#include "chemistry/chemistry.h"
#include "numbers/decimalreader.h"
#include "numbers/picture.h"

using namespace chemistry;

namespace {

SolutionSpec setUp(bool acid, int species) {
    SolutionSpec solution;
    solution.beakerIsAcid = acid;
    solution.speciesIndex = species;
    return solution;
}

void expectVertex(const CurveVertex& v, double volume, double pH) {
    EXPECT_NEAR(v.volume, volume, 0.005) << "vertex (" << v.volume << ", " << v.pH << ")";
    EXPECT_NEAR(v.pH, pH, 0.005) << "vertex (" << v.volume << ", " << v.pH << ")";
}

}  // namespace

TEST(Curve, AceticAcidHasFortyVerticesFromItsInitialPointTo25mL) {
    SpeciesCatalogue catalogue;
    EngineState state;
    const auto curve = traceCurve(setUp(true, 4), catalogue, state);
    ASSERT_EQ(curve.size(), 40u);
    expectVertex(curve[0], 0, 3.38);
    expectVertex(curve[1], 0.74, 3.58);
    expectVertex(curve[2], 1.60, 3.78);
    expectVertex(curve[38], 24.27, 10.98);
    expectVertex(curve[39], 25, 11.05);
    EXPECT_FLOAT_EQ(state.pouredVolume, 25.0f);  // the state is left at the last point
    for (std::size_t i = 1; i < curve.size(); ++i) {
        EXPECT_GE(curve[i].volume, curve[i - 1].volume);
        EXPECT_GT(curve[i].pH, curve[i - 1].pH);
    }
}

TEST(Curve, StrongAcidKeepsItsKEqualOneStartThenIsTracedFullyDissociated) {
    SpeciesCatalogue catalogue;
    EngineState state;
    const auto curve = traceCurve(setUp(true, 2), catalogue, state);
    ASSERT_GE(curve.size(), 5u);
    EXPECT_NEAR(curve[0].pH, 2.004, 0.0005);
    expectVertex(curve[1], 0.10, 2.004);
    expectVertex(curve[2], 4.62, 2.204);
    expectVertex(curve[3], 8.69, 2.404);
    expectVertex(curve.back(), 25, 11.05);
    EXPECT_EQ(state.constantK, 1e35f);
}

TEST(Curve, BaseInTheBeakerIsTracedAsFourteenMinusPOH) {
    SpeciesCatalogue catalogue;
    EngineState state;
    const auto curve = traceCurve(setUp(false, 1), catalogue, state);
    ASSERT_GE(curve.size(), 5u);
    expectVertex(curve[0], 0, 10.59);
    expectVertex(curve[1], 0.70, 10.39);
    expectVertex(curve[2], 1.52, 10.19);
    expectVertex(curve[curve.size() - 2], 24.54, 2.99);
    expectVertex(curve.back(), 25, 2.95);
}

TEST(Curve, AStoredSituationIsTracedWithItsOwnNatureAndTexts) {
    SpeciesCatalogue catalogue;
    Situation situation = defaultSituation();
    situation.beakerIsAcid = false;
    situation.speciesIndex = 1;
    situation.pouredVolumeText = "7,5";  // irrelevant to the curve
    EngineState fromSituation;
    EngineState fromPanel;
    EXPECT_EQ(traceCurve(situation, catalogue, fromSituation),
              traceCurve(setUp(false, 1), catalogue, fromPanel));
}

TEST(Curve, VerticesOutsideTheBuretteAreSkipped) {
    SpeciesCatalogue catalogue;
    SolutionSpec solution = setUp(true, 4);
    solution.titrantConcentration = "0,001";  // equivalence at 200 mL: the curve stops early
    EngineState state;
    const auto curve = traceCurve(solution, catalogue, state);
    for (const auto& v : curve) {
        EXPECT_GE(v.volume, 0.0f);
        EXPECT_LE(v.volume, 25.0f);
    }
    EXPECT_LT(curve.back().pH, 6.0f);
}

TEST(Replay, HalfMillilitreStepRebuildsFiftyOneRowsFromZeroTo25mL) {
    SpeciesCatalogue catalogue;
    EngineState state;
    const Replay replay = replayMeasurements(setUp(true, 4), catalogue, 5, state);
    ASSERT_EQ(replay.rows.size(), 51u);
    for (std::size_t i = 0; i < replay.rows.size(); ++i) {
        EXPECT_NEAR(replay.rows[i].volume, 0.5 * static_cast<double>(i), 1e-5);
    }
    EXPECT_NEAR(replay.rows.front().pH, 3.38, 0.005);
    EXPECT_NEAR(replay.rows[40].pH, 8.23, 0.005);
    EXPECT_NEAR(replay.rows.back().pH, 11.05, 0.005);
    EXPECT_EQ(replay.lastPouredVolumeText, "25,0");
}

TEST(Replay, ThreeTenthsStepStopsAt24point9BecauseTheSumIsJustAbove) {
    SpeciesCatalogue catalogue;
    EngineState state;
    const Replay replay = replayMeasurements(setUp(true, 4), catalogue, 3, state);
    ASSERT_EQ(replay.rows.size(), 84u);  // 0 mL and 83 steps
    EXPECT_FLOAT_EQ(static_cast<float>(replay.rows.back().volume), 24.9f);
    EXPECT_EQ(replay.lastPouredVolumeText, "24,9");
}

TEST(Replay, WholeMillilitreStepGivesTwentySixRows) {
    SpeciesCatalogue catalogue;
    EngineState state;
    EXPECT_EQ(replayMeasurements(setUp(false, 1), catalogue, 10, state).rows.size(), 26u);
}

TEST(TitrationPoint, AtPKaTheAcidAndBasicFormsAreEqual) {
    SpeciesCatalogue catalogue;
    EngineState state = deriveEngineState(setUp(true, 4), catalogue);
    state.pouredVolume = 10;
    state.pH = 4.75f;
    const TitrationPoint point = makeTitrationPoint(state, true);
    EXPECT_NEAR(point.acidForm, point.basicForm, 1e-8);
    EXPECT_NEAR(point.acidForm + point.basicForm, 0.01 * 20 / 30, 1e-9);
}

TEST(TitrationPoint, NeutralRowShowsTheTableValues) {
    SpeciesCatalogue catalogue;
    EngineState state = deriveEngineState(setUp(true, 4), catalogue);
    state.pouredVolume = 12.5f;
    state.pH = 7.0f;
    const TitrationPoint point = makeTitrationPoint(state, true);
    EXPECT_EQ(numbers::formatPicture(point.volume, "#0.0#"), "12,5");
    EXPECT_EQ(numbers::formatPicture(point.pH, "#0.00"), "7,00");
    EXPECT_EQ(numbers::formatPicture(point.hydronium, "0.00E+00"), "1,00E-07");
    EXPECT_EQ(numbers::formatPicture(point.hydroxide, "0.00E+00"), "1,00E-07");
}

TEST(TitrationPoint, AtZeroMillilitreThePhComesFromTheBeakerAlone) {
    SpeciesCatalogue catalogue;
    for (const bool acid : {true, false}) {
        EngineState state = deriveEngineState(setUp(acid, acid ? 4 : 1), catalogue);
        state.pouredVolume = 0;
        state.pH = 0;  // stale: the beaker-alone solve does not set it
        solveBeakerAlone(state);
        const TitrationPoint point = makeTitrationPoint(state, acid);
        EXPECT_NEAR(point.pH, acid ? 3.38 : 10.59, 0.005);
        // For a base the conjugate acid is the minor form.
        EXPECT_EQ(point.acidForm > point.basicForm, acid);
    }
}

TEST(TitrationPoint, ThePhMeterAndTheFirstRowAgreeForABaseBeforePouring) {
    // 14 + log10(x) rounded once gives 9,47 here; through the pOH first it would round to 9,48.
    SpeciesCatalogue catalogue;
    SolutionSpec solution = setUp(false, 1);  // ammoniac
    solution.beakerConcentration = "0,000 66";
    solution.beakerVolume = "15,0";
    solution.waterVolume = "100,0";
    solution.pouredVolume = "0";
    EngineState state;
    const float meter = computeCurrentPoint(solution, catalogue, state);
    EXPECT_EQ(numbers::formatPicture(meter, "#0.00"), "9,47");
    EXPECT_EQ(makeTitrationPoint(state, false).pH, static_cast<double>(meter));
}

TEST(Replay, EveryRowIsSolvedAtTheVolumeItsPanelTextShows) {
    SpeciesCatalogue catalogue;
    for (int tenths = 1; tenths <= 10; ++tenths) {
        EngineState state;
        const Replay replay = replayMeasurements(setUp(true, 4), catalogue, tenths, state);
        double v = 0;
        for (std::size_t i = 1; i < replay.rows.size(); ++i) {
            v += tenths / 10.0;
            const std::string text = numbers::formatPicture(v, "####0.0");
            EXPECT_EQ(static_cast<float>(replay.rows[i].volume),
                      static_cast<float>(*numbers::readTypedNumber(text)))
                << "step " << tenths << ", row " << i << " (" << text << ")";
        }
        EXPECT_EQ(replay.lastPouredVolumeText, numbers::formatPicture(v, "####0.0"));
    }
}

TEST(Replay, HoldsExactlyTheRowsTheTapRecordsForEveryStep) {
    // 0 mL, then each whole multiple of the step up to the burette's 25 mL, never beyond.
    SpeciesCatalogue catalogue;
    for (int tenths = 1; tenths <= 10; ++tenths) {
        EngineState state;
        const Replay replay = replayMeasurements(setUp(true, 4), catalogue, tenths, state);
        ASSERT_EQ(replay.rows.size(), static_cast<std::size_t>(250 / tenths + 1)) << "step " << tenths;
        EXPECT_FLOAT_EQ(static_cast<float>(replay.rows.back().volume),
                        static_cast<float>(250 / tenths * tenths) / 10)
            << "step " << tenths;
    }
}
