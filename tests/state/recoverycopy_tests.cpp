// A bench taken down as a recovery copy, written, read back and shown again on a bench that did
// work of its own shows what the first one showed.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <variant>

#include "state/actions.h"
#include "state/amountgraph.h"
#include "state/benchrecovery.h"
#include "state/conductimetry.h"
#include "state/recoverycopy.h"
#include "tests/labpoints.h"

using namespace state;

namespace {

void pour(BenchState& b, int ticks) {
    pressTap(b);
    for (int i = 0; i < ticks && b.burette.pouring; ++i) pourTick(b);
    releaseTap(b);
}

// The graph's items in order: marks with their place, curves and crosses with their size.
std::string graphOf(const GraphContent& graph) {
    std::ostringstream out;
    out.precision(9);
    out << static_cast<int>(graph.mode());
    for (const GraphItem& item : graph.items()) {
        out << " |" << item.index();
        if (const auto* m = std::get_if<GraphMark>(&item))
            out << ' ' << m->meter->id << ' ' << m->volume << ' ' << m->value << ' ' << m->width;
        if (const auto* c = std::get_if<GraphCurve>(&item))
            out << ' ' << c->meter->id << ' ' << c->points.size() << ' ' << c->width << ' '
                << static_cast<int>(c->style);
    }
    return out.str();
}

// What the pupil sees, the graph aside: the situations, the panel, the switches and the readings.
auto shown(const BenchState& b) {
    chemistry::Situation panel;
    chemistry::storeSolution(panel, b.solution);
    const Switches& s = b.switches;
    const std::vector<bool> switches{s.showBurette,           s.showPhMeter,
                                     s.concentrationMasked,   s.maskEnabled,
                                     s.superposeCurves,       s.boldStrokes,
                                     s.showConductimeter,     s.conductivityGraph,
                                     s.highContrast,          b.controls.toolbarVisible,
                                     b.controls.fieldsLocked, s.amountGraph,
                                     s.potentialGraph};
    return std::make_tuple(
        b.situations.current, panel, switches, b.stepTenths,
        b.readings.pH + b.readings.conductivity + b.readings.potential + b.readings.pouredVolume,
        b.situations.drawnConcentrationHidden, b.lab.points);
}

struct RestoreCase {
    const char* name;
    std::function<void(BenchState&)> work;
};

void PrintTo(const RestoreCase& c, std::ostream* out) {
    *out << c.name;
}

const RestoreCase kRestoreCases[] = {
    {"DropsAroundTheEquivalenceAfterTicksWithMeasurements",
     [](BenchState& b) {
         chooseSolute(b, 4);
         setMeasurements(b, testing_points::labPoints({{0, 2.9, 0}, {5, 4.2, 0}, {12.5, 4.9, 0}}));
         pour(b, 190);
         for (int drop = 0; drop < 12; ++drop) {
             letDropFall(b);
             for (int frame = 0; frame < 4 && b.burette.dropFalling; ++frame) dropTick(b);
         }
     }},
    {"SigmaGraphWithThePhMeterHiddenAtAStepOfTwoTenths",
     [](BenchState& b) {
         showApparatusPart(b, ApparatusPart::PhMeter, false);
         showConductimeter(b, true);
         showConductivityGraph(b, true);
         setMeasuringStep(b, 2);
         pour(b, 37);
     }},
    {"AmountGraphOfAPolyacidHalfPoured",
     [](BenchState& b) {
         chooseSolute(b, 15);
         showAmountGraph(b, true);
         pour(b, 60);
     }},
    {"FinishedTitrationsSuperposedInBoldThenAFieldValidatedAndNotStored",
     [](BenchState& b) {
         quickTrace(b);
         switchSituation(b, 1);
         chooseSolute(b, 4);
         quickTrace(b);
         setSuperposeCurves(b, true);
         setBoldStrokes(b, true);
         // The free solute's pKa does not shape this titration: it stays finished.
         setFieldText(b, Field::OtherPKa, "6,5");
         validateField(b, Field::OtherPKa);
     }},
    // Iron(II) by cerium(IV) followed by E, and a finished permanganate titration in another
    // situation.
    {"RedoxTitrationsOnTheEGraphHalfPoured",
     [](BenchState& b) {
         chooseTitrationKind(b, chemistry::TitrationKind::Redox);
         quickTrace(b);
         switchSituation(b, 2);
         chooseTitrationKind(b, chemistry::TitrationKind::Redox);
         chooseRedoxTitrant(b, 9);
         setFieldText(b, Field::SulfuricAcid, "0,5");
         validateField(b, Field::SulfuricAcid);
         chooseReferenceElectrode(b, 0);
         pour(b, 45);
     }},
    // Bromide and chloride by silver nitrate with Mohr's chromate, followed by the silver electrode,
    // half poured.
    {"PrecipitationWithTwoHalidesOnTheEGraph",
     [](BenchState& b) {
         chooseTitrationKind(b, chemistry::TitrationKind::Precipitation);
         choosePrecipitationSalt(b, 1);
         chooseSecondPrecipitationSalt(b, 0);
         setFieldText(b, Field::Chromate, "0,002");
         validateField(b, Field::Chromate);
         choosePrecipitationReference(b, 0);
         pour(b, 45);
     }},
    {"GlasswareWithADilutionHalfPouredInTwoSituations",
     [](BenchState& b) {
         chemistry::Glassware g = usualGlassware(31, 0.01);
         g.diluted = true;
         chooseGlassware(b, g);
         quickTrace(b);
         switchSituation(b, 1);
         pour(b, 45);
     }},
    {"DrawnConcentrationHiddenInAnotherSituationAndHighContrast",
     [](BenchState& b) {
         switchSituation(b, 4);
         drawRandomConcentration(b);
         switchSituation(b, 3);
         setHighContrast(b, true);
         pour(b, 30);
     }},
};

class RestoredBench : public testing::TestWithParam<RestoreCase> {};

BenchState startedBench() {
    BenchState b;
    setDefaults(b);
    start(b);
    return b;
}

}  // namespace

TEST_P(RestoredBench, ShowsWhatTheBenchShowedWhenItWasTakenDown) {
    BenchState original = startedBench();
    GetParam().work(original);
    RecoveryCopy copy;
    copy.bench = snapshotBench(original);
    copy.text.exerciseName = "/exercices/Acide éthanoïque.E36";
    const auto read = decodeRecoveryCopy(encodeRecoveryCopy(copy));
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(*read, copy);

    BenchState restored = startedBench();
    pour(restored, 40);  // work of its own, which the restored work replaces
    restoreBench(restored, read->bench);
    EXPECT_EQ(restored.situations.records, original.situations.records);
    EXPECT_TRUE(shown(restored) == shown(original));
    EXPECT_EQ(restored.rows.contentsText(), original.rows.contentsText());
    EXPECT_EQ(graphOf(restored.graph), graphOf(original.graph));
}

INSTANTIATE_TEST_SUITE_P(Work, RestoredBench, testing::ValuesIn(kRestoreCases),
                         [](const auto& info) { return std::string(info.param.name); });
