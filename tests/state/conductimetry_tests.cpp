// The conductimeter on the bench: its reading, the table's σ column and the σ graph against an
// independent computation, the V of hydrochloric acid, the "Droites" tool, the switches and their
// configuration entries.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <variant>
#include <vector>

#include "numbers/picture.h"
#include "state/actions.h"
#include "state/benchstate.h"
#include "state/conductimetry.h"
#include "state/conductimetrycodec.h"
#include "tests/chemistry/mixturereference.h"
#include "tests/labpoints.h"

using namespace state;

namespace {

// The number a display text starts with ("4,26 mS/cm" → 4.26).
double shownNumber(const std::string& text) {
    std::string number = text.substr(0, text.find(' '));
    std::replace(number.begin(), number.end(), ',', '.');
    return std::stod(number);
}

template <typename Item>
std::vector<Item> itemsOf(const GraphContent& graph) {
    std::vector<Item> out;
    for (const GraphItem& item : graph.items()) {
        if (const auto* wanted = std::get_if<Item>(&item)) out.push_back(*wanted);
    }
    return out;
}

// The σ meter's curves and measured crosses.
std::vector<GraphCurve> sigmaCurves(const GraphContent& graph) {
    std::vector<GraphCurve> out = itemsOf<GraphCurve>(graph);
    std::erase_if(out, [](const GraphCurve& curve) { return curve.meter != &conductivityMeter(); });
    return out;
}

class ConductimeterBench : public ::testing::Test {
  protected:
    void SetUp() override {
        setDefaults(bench);
        switchSituation(bench, 0);
    }
    void setUp(bool acid, int solute, const char* titrant) {
        if (!acid) chooseNature(bench, false);
        chooseSolute(bench, solute);
        setFieldText(bench, Field::TitrantConcentration, titrant);
        validateField(bench, Field::TitrantConcentration);
    }
    BenchState bench;
};

struct Titration {
    const char* why;
    bool acid;
    int solute;
    const char* titrant;
    reference::Beaker beaker;
};

class AlongTheTitration : public ConductimeterBench, public ::testing::WithParamInterface<Titration> {};

}  // namespace

// The meter at every tick, the rows and the theoretical curve all follow the reference.
TEST_P(AlongTheTitration, MeterTableAndCurveStayWithinHalfAPercentOfTheReference) {
    const Titration& t = GetParam();
    setUp(t.acid, t.solute, t.titrant);
    showConductimeter(bench, true);
    const reference::Beaker& beaker = t.beaker;

    pressTap(bench);
    for (int ticks = 0; bench.burette.pouring && ticks < 300; ++ticks) {
        const double V = bench.engine.pouredVolume;
        const double expected = static_cast<double>(reference::solve(beaker, V).conductivity);
        // Three significant digits shown: half a unit of the last one on top of the tolerance.
        const double shown = shownNumber(bench.readings.conductivity);
        const double lastDigit = std::pow(10.0, std::floor(std::log10(expected)) - 2);
        EXPECT_LE(std::abs(shown - expected), 0.005 * expected + lastDigit / 2) << t.why << " meter at " << V;
        pourTick(bench);
    }
    ASSERT_GT(bench.rows.count(), 40) << t.why;
    for (int i = 0; i < bench.rows.count(); ++i) {
        const double V = bench.rows.points()[static_cast<std::size_t>(i)].volume;
        const auto sigma = bench.rows.reading(i, conductivityMeter());
        ASSERT_TRUE(sigma) << t.why << " row " << i;
        const double expected = static_cast<double>(reference::solve(beaker, V).conductivity);
        EXPECT_NEAR(*sigma, expected, 0.005 * expected) << t.why << " row at " << V;
    }

    showConductivityGraph(bench, true);
    const auto curves = sigmaCurves(bench.graph);
    // The finished situation's curve, drawn again as the current one's: the same curve.
    ASSERT_FALSE(curves.empty()) << t.why;
    ASSERT_GT(curves.back().points.size(), 250u) << t.why;
    for (const SeriesPoint& p : curves.back().points) {
        const double expected = static_cast<double>(reference::solve(beaker, p.volume).conductivity);
        EXPECT_NEAR(p.value, expected, 0.005 * expected) << t.why << " curve at " << p.volume;
        EXPECT_LE(p.value, bench.graph.axis().top) << t.why << " above the axis";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Titrations, AlongTheTitration,
    ::testing::Values(Titration{"hydrochloric acid", true, 2, "0,01", {{{"acide chlorhydrique", 0.01}}}},
                      Titration{"ethanoic acid", true, 4, "0,01", {{{"acide éthanoïque", 0.01}}}},
                      Titration{"ammonia", false, 1, "0,01", {{{"ammoniac", 0.01}}, 0.01}},
                      Titration{
                          "phosphoric acid", true, 15, "0,02", {{{"acide phosphorique", 0.01}}, 0.02}}));

// "Droites" on σ corrected for the dilution: the corrected points are the reference's σ times
// (V₀ + V) / V₀, the lines cross at the equivalence the amounts give, for equivalences from 2 to
// 20 mL; on σ as measured the dilution brings E early.
struct Droites {
    const char* why;
    int solute;
    const char* concentration;  // c₂, mol · L-1
    const char* titrant;
    const char* species;
    double equivalence;  // c₂ · V₀ / c₁, mL
    double within;       // mL, on corrected σ
};

class StraightLinesTool : public ConductimeterBench, public ::testing::WithParamInterface<Droites> {};

TEST_P(StraightLinesTool, CorrectedLinesMeetAtTheEquivalenceAndMeasuredOnesBeforeIt) {
    const Droites& d = GetParam();
    setUp(true, d.solute, d.titrant);
    setFieldText(bench, Field::BeakerConcentration, d.concentration);
    validateField(bench, Field::BeakerConcentration);
    showConductimeter(bench, true);
    showConductivityGraph(bench, true);
    quickTrace(bench);

    const ActionResult corrected = drawStraightLines(bench);
    const auto lines = itemsOf<StraightLinesOverlay>(bench.graph);
    ASSERT_EQ(lines.size(), 1u) << d.why;
    EXPECT_TRUE(lines.front().corrected);
    EXPECT_NEAR(lines.front().lines.volume, d.equivalence, d.within) << d.why;
    EXPECT_EQ(corrected.hint.value_or(""),
              "E : V = " + numbers::formatPicture(lines.front().lines.volume, "#0.0") +
                  " mL (σ corrigée de la dilution)");
    const auto dots = itemsOf<CorrectedConductivity>(bench.graph);
    ASSERT_EQ(dots.size(), 1u) << d.why;
    ASSERT_EQ(dots.front().points.size(), 51u) << d.why;
    const reference::Beaker beaker{{{d.species, std::stod(std::string(d.concentration).replace(1, 1, "."))}},
                                   std::stod(std::string(d.titrant).replace(1, 1, ".")),
                                   20};
    for (const chemistry::ConductivityPoint& p : dots.front().points) {
        const double expected =
            static_cast<double>(reference::solve(beaker, p.volume).conductivity) * (20 + p.volume) / 20;
        EXPECT_NEAR(p.conductivity, expected, 0.005 * expected) << d.why << " at " << p.volume;
        EXPECT_LE(p.conductivity, bench.graph.axis().top) << d.why << " above the axis";
    }

    const ActionResult measured = drawStraightLines(bench, StraightLinesFit::Measured);
    const auto raw = itemsOf<StraightLinesOverlay>(bench.graph);
    ASSERT_EQ(raw.size(), 1u) << d.why << ": the construction replaces the previous one";
    EXPECT_TRUE(itemsOf<CorrectedConductivity>(bench.graph).empty());
    EXPECT_LT(raw.front().lines.volume, d.equivalence - 0.02) << d.why;
    EXPECT_NE(measured.hint.value_or("").find("(σ mesurée, sans correction de la dilution)"),
              std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Equivalences, StraightLinesTool,
    ::testing::Values(Droites{"HydrochloricAcidAt20mL", 2, "0,01", "0,01", "acide chlorhydrique", 20, 0.01},
                      Droites{"HydrochloricAcidAt16mL", 2, "0,01", "0,0125", "acide chlorhydrique", 16, 0.01},
                      Droites{"HydrochloricAcidAt10mL", 2, "0,01", "0,02", "acide chlorhydrique", 10, 0.01},
                      Droites{"HydrochloricAcidAt2mL", 2, "0,001", "0,01", "acide chlorhydrique", 2, 0.01},
                      Droites{"EthanoicAcidAt20mL", 4, "0,01", "0,01", "acide éthanoïque", 20, 0.02},
                      Droites{"EthanoicAcidAt2mL", 4, "0,01", "0,1", "acide éthanoïque", 2, 0.02}),
    [](const auto& info) { return std::string(info.param.why); });

// The pH tools stay with the pH graph, and the σ graph needs the meter.
TEST_F(ConductimeterBench, SigmaGraphRefusesThePhToolsAndNeedsTheMeter) {
    setUp(true, 4, "0,01");
    showConductivityGraph(bench, true);
    EXPECT_EQ(bench.graph.mode(), GraphMode::PhCurve) << "no conductimeter, no σ graph";
    showConductimeter(bench, true);
    showConductivityGraph(bench, true);
    quickTrace(bench);
    ASSERT_EQ(bench.graph.mode(), GraphMode::Conductivity);
    EXPECT_NE(bench.rows.contentsText().find("\tσ (mS/cm)\n"), std::string::npos);
    const std::size_t before = bench.graph.items().size();
    drawTangents(bench);
    drawDerivative(bench);
    showDistribution(bench);
    EXPECT_EQ(bench.graph.items().size(), before);
    EXPECT_EQ(bench.graph.mode(), GraphMode::Conductivity);
    EXPECT_TRUE(bench.situations.records[0].completed);

    showConductimeter(bench, false);
    EXPECT_EQ(bench.graph.mode(), GraphMode::PhCurve) << "the σ graph goes with the meter";
    EXPECT_TRUE(bench.readings.conductivity.empty());
    EXPECT_FALSE(bench.rows.hasColumn(conductivityMeter()));
    EXPECT_EQ(bench.rows.cellCount(), bench.rows.columns());
}

// The lab's σ go on the σ graph, as crosses; a point without σ (a file without the column) does not.
TEST_F(ConductimeterBench, LabConductivitiesShowOnTheSigmaGraphOnly) {
    setUp(true, 2, "0,01");
    showConductimeter(bench, true);
    setMeasurements(bench, testing_points::labPoints({{0, 2.0, 4.2}, {10, 2.5, 1.5}, {12, 2.6, 0}}));
    EXPECT_EQ(itemsOf<MeasuredCrosses>(bench.graph).size(), 1u);
    EXPECT_TRUE(sigmaCurves(bench.graph).empty());

    showConductivityGraph(bench, true);
    EXPECT_TRUE(itemsOf<MeasuredCrosses>(bench.graph).empty());
    const auto curves = sigmaCurves(bench.graph);
    ASSERT_EQ(curves.size(), 1u);
    EXPECT_TRUE(curves.front().measured);
    ASSERT_EQ(curves.front().points.size(), 2u);
    EXPECT_DOUBLE_EQ(curves.front().points.back().value, 1.5);
}

// Saving and reopening are the document's tests; here, what the codec alone decides.
TEST(ConductimetryEntries, WriteOnlyWhatIsOnAndReadAnyOtherValueAsOff) {
    configuration::ExtensionEntries entries;
    writeConductimetryEntries({false, true}, entries);
    EXPECT_TRUE(entries.empty()) << "no σ graph without the meter";
    struct Odd {
        const char* meter;
        const char* graph;
        ConductimetrySwitches read;
    };
    for (const Odd o : {Odd{"0", "sigma", {}}, Odd{"oui", "sigma", {}}, Odd{"1 ", "sigma", {}},
                        Odd{"1", "pH", {true, false}}, Odd{"1", "Sigma", {true, false}}}) {
        configuration::ExtensionEntries odd;
        odd.add("conductimètre", o.meter);
        odd.add("graphe", o.graph);
        EXPECT_EQ(readConductimetryEntries(odd), o.read) << o.meter << " " << o.graph;
    }
}
