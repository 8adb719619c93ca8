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

// The pH meter's crosses of the lab's points.
std::vector<GraphCurve> phCrosses(const GraphContent& graph) {
    std::vector<GraphCurve> out = itemsOf<GraphCurve>(graph);
    std::erase_if(out, [](const GraphCurve& curve) {
        return curve.meter != &phMeter() || curve.style != SeriesStyle::MeasuredCrosses;
    });
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
    EXPECT_TRUE(bench.graph.showsMeter(phMeter())) << "no conductimeter, no σ graph";
    showConductimeter(bench, true);
    showConductivityGraph(bench, true);
    quickTrace(bench);
    ASSERT_TRUE(bench.graph.showsMeter(conductivityMeter()));
    EXPECT_NE(bench.rows.contentsText().find("\tσ (mS/cm)\n"), std::string::npos);
    const std::size_t before = bench.graph.items().size();
    drawTangents(bench);
    drawDerivative(bench);
    showDistribution(bench);
    EXPECT_EQ(bench.graph.items().size(), before);
    EXPECT_TRUE(bench.graph.showsMeter(conductivityMeter()));
    EXPECT_TRUE(bench.situations.records[0].completed);

    showConductimeter(bench, false);
    EXPECT_TRUE(bench.graph.showsMeter(phMeter())) << "the σ graph goes with the meter";
    EXPECT_TRUE(bench.readings.conductivity.empty());
    EXPECT_FALSE(bench.rows.hasColumn(conductivityMeter()));
    EXPECT_EQ(bench.rows.cellCount(), bench.rows.columns());
}

// The lab's σ go on the σ graph, as crosses; a point without σ (a file without the column) does not.
TEST_F(ConductimeterBench, LabConductivitiesShowOnTheSigmaGraphOnly) {
    setUp(true, 2, "0,01");
    showConductimeter(bench, true);
    setMeasurements(bench, testing_points::labPoints({{0, 2.0, 4.2}, {10, 2.5, 1.5}, {12, 2.6, 0}}));
    EXPECT_EQ(phCrosses(bench.graph).size(), 1u);
    EXPECT_TRUE(sigmaCurves(bench.graph).empty());

    showConductivityGraph(bench, true);
    EXPECT_TRUE(phCrosses(bench.graph).empty());
    const auto curves = sigmaCurves(bench.graph);
    ASSERT_EQ(curves.size(), 1u);
    EXPECT_EQ(curves.front().style, SeriesStyle::MeasuredCrosses);
    ASSERT_EQ(curves.front().points.size(), 2u);
    EXPECT_DOUBLE_EQ(curves.front().points.back().value, 1.5);
}

namespace {

struct SigmaFit {
    const char* why;
    bool acid;
    int solute;
    const char* titrant;
    reference::Beaker truth;  // the beaker the lab's points were measured on
};

class SigmaFitOnTheBench : public ConductimeterBench, public ::testing::WithParamInterface<SigmaFit> {};

// The reference's pH and σ every millilitre, and a last point read without a σ column whose
// readings would pull a fit that took it far off.
std::vector<measurements::MeasuredPoint> measuredOn(const reference::Beaker& beaker) {
    std::vector<measurements::MeasuredPoint> points;
    for (int V = 0; V <= 24; ++V) {
        const reference::Result r = reference::solve(beaker, V);
        points.push_back(testing_points::labPoint(static_cast<double>(V), static_cast<double>(r.pH),
                                                  static_cast<double>(r.conductivity)));
    }
    points.push_back(testing_points::labPoint(24.5, 1.0));
    return points;
}

std::vector<GraphCurve> fittedSigma(const GraphContent& graph) {
    std::vector<GraphCurve> out = sigmaCurves(graph);
    std::erase_if(out, [](const GraphCurve& curve) { return curve.style != SeriesStyle::FittedDashes; });
    return out;
}

}  // namespace

// On the σ graph "Ajuster la concentration" fits the σ measured, finds the beaker's concentration
// and draws the fitted σ dashed on the σ graph, within the axis.
TEST_P(SigmaFitOnTheBench, FindsTheConcentrationOfTheMeasuredSigmaAndDrawsItsCurve) {
    const SigmaFit& f = GetParam();
    setUp(f.acid, f.solute, f.titrant);
    showConductimeter(bench, true);
    showConductivityGraph(bench, true);
    setMeasurements(bench, measuredOn(f.truth));
    fitMeasurements(bench);
    fitMeasurements(bench);  // fitting again replaces the dashed curve

    ASSERT_TRUE(bench.lab.fit.has_value()) << f.why << ": " << bench.lab.fitText;
    EXPECT_EQ(bench.lab.fit->meter, "sigma") << f.why;
    EXPECT_EQ(bench.lab.fit->pointCount, 25) << f.why << ": the point without σ is left out";
    const double truth = f.truth.parts.front().concentration;
    EXPECT_NEAR(bench.lab.fit->concentration, truth, 0.01 * truth) << f.why;

    ASSERT_TRUE(bench.graph.showsMeter(conductivityMeter())) << f.why;
    const auto fitted = fittedSigma(bench.graph);
    ASSERT_EQ(fitted.size(), 1u) << f.why;
    ASSERT_GT(fitted.front().points.size(), 20u) << f.why;
    for (const SeriesPoint& p : fitted.front().points) {
        const double expected = static_cast<double>(reference::solve(f.truth, p.volume).conductivity);
        EXPECT_NEAR(p.value, expected, 0.015 * expected) << f.why << " fitted σ at " << p.volume;
        EXPECT_LE(p.value, bench.graph.axis().top) << f.why << " above the axis";
    }
    // The σ crosses stay under it, the point without σ left out.
    const auto all = sigmaCurves(bench.graph);
    ASSERT_EQ(all.size(), 2u) << f.why << ": the crosses, then the fit";
    EXPECT_EQ(all.front().style, SeriesStyle::MeasuredCrosses) << f.why;
    EXPECT_EQ(all.front().points.size(), 25u) << f.why;
}

INSTANTIATE_TEST_SUITE_P(
    Beakers, SigmaFitOnTheBench,
    ::testing::Values(SigmaFit{"hydrochloric acid", true, 2, "0,01", {{{"acide chlorhydrique", 0.0137}}}},
                      SigmaFit{"ethanoic acid", true, 4, "0,01", {{{"acide éthanoïque", 0.0082}}}},
                      SigmaFit{"ammonia", false, 1, "0,01", {{{"ammoniac", 0.0121}}, 0.01}}),
    [](const auto& info) {
        std::string name = info.param.why;
        std::replace(name.begin(), name.end(), ' ', '_');
        return name;
    });

// Without σ measured the σ graph has nothing to fit, and the pH graph still fits the pH.
TEST_F(ConductimeterBench, FitNeedsSigmaOnTheSigmaGraphAndStaysOfThePhOnThePhGraph) {
    setUp(true, 4, "0,01");
    showConductimeter(bench, true);
    std::vector<measurements::MeasuredPoint> withoutSigma = measuredOn({{{"acide éthanoïque", 0.0082}}});
    for (measurements::MeasuredPoint& p : withoutSigma)
        p = testing_points::labPoint(p.volume, testing_points::pHOf(p));
    withoutSigma.pop_back();
    showConductivityGraph(bench, true);
    setMeasurements(bench, withoutSigma);
    const std::size_t items = bench.graph.items().size();
    fitMeasurements(bench);
    EXPECT_FALSE(bench.lab.fit.has_value());
    EXPECT_TRUE(bench.lab.fitText.empty()) << bench.lab.fitText;
    EXPECT_EQ(bench.graph.items().size(), items);

    showConductivityGraph(bench, false);
    fitMeasurements(bench);
    ASSERT_TRUE(bench.lab.fit.has_value()) << bench.lab.fitText;
    EXPECT_EQ(bench.lab.fit->meter, "pH");
    EXPECT_NEAR(bench.lab.fit->concentration, 0.0082, 0.01 * 0.0082);
    EXPECT_TRUE(fittedSigma(bench.graph).empty());
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
                        Odd{"1", "pH", {true, false}}, Odd{"1", "Sigma", {true, false}},
                        Odd{"0", "n", {false, false, true}}, Odd{"1", "N", {true, false}},
                        Odd{"0", "E", {false, false, false, true}}, Odd{"1", "e", {true, false}}}) {
        configuration::ExtensionEntries odd;
        odd.add("conductimètre", o.meter);
        odd.add("graphe", o.graph);
        EXPECT_EQ(readConductimetryEntries(odd), o.read) << o.meter << " " << o.graph;
    }
    // n = f(V) needs no meter and is written alone, or in place of σ.
    for (const ConductimetrySwitches on : {ConductimetrySwitches{false, false, true}, {true, true, true}}) {
        configuration::ExtensionEntries written;
        writeConductimetryEntries(on, written);
        EXPECT_EQ(written.value("graphe"), std::optional<std::string_view>("n"));
        EXPECT_TRUE(readConductimetryEntries(written).amountGraph);
    }
}
