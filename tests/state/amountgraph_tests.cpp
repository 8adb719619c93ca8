// The n = f(V) graph: its curves and marks against the amounts of an independent solver, the
// legend, where the lines break, and the switch that chooses it.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <variant>
#include <vector>

#include "state/actions.h"
#include "state/amountgraph.h"
#include "state/benchstate.h"
#include "state/conductimetry.h"
#include "state/labmeasurements.h"
#include "tests/chemistry/mixturereference.h"

using namespace state;

namespace {

constexpr double kWithin = 0.001;  // mmol

// A species' amount (mmol) in the reference's beaker after `poured` mL.
double referenceAmount(const reference::Beaker& beaker, double poured, const std::string& name) {
    const reference::Result r = reference::solve(beaker, poured);
    const double total = beaker.volume + poured;
    const double h = std::pow(10.0, -static_cast<double>(r.pH));
    if (name == "H₃O⁺") return h * total;
    if (name == "HO⁻") return 1e-14 / h * total;
    for (const auto& [form, c] : r.forms) {
        if (form == name) return static_cast<double>(c) * total;
    }
    return NAN;
}

std::vector<GraphCurve> amountSeries(const GraphContent& graph) {
    std::vector<GraphCurve> out;
    for (const GraphItem& item : graph.items()) {
        if (const auto* curve = std::get_if<GraphCurve>(&item); curve && curve->meter == &amountMeter())
            out.push_back(*curve);
    }
    return out;
}

std::vector<std::string> legendNames(const GraphContent& graph) {
    for (const GraphItem& item : graph.items()) {
        if (const auto* legend = std::get_if<SeriesLegend>(&item)) return legend->names;
    }
    return {};
}

struct Titration {
    const char* why;
    bool acid;
    int solute;
    int second;  // -1: none
    const char* titrant;
    reference::Beaker beaker;
    std::vector<std::string> species;  // as the legend lists them
    double equivalence;                // the first one, mL
};

void PrintTo(const Titration& t, std::ostream* out) {
    *out << t.why;
}

class AmountGraph : public ::testing::TestWithParam<Titration> {
  protected:
    void SetUp() override {
        setDefaults(bench);
        switchSituation(bench, 0);
    }
    void setUp(const Titration& t) {
        if (!t.acid) chooseNature(bench, false);
        chooseSolute(bench, t.solute);
        if (t.second >= 0) chooseSecondSolute(bench, t.second);
        setFieldText(bench, Field::TitrantConcentration, t.titrant);
        validateField(bench, Field::TitrantConcentration);
    }
    BenchState bench;
};

}  // namespace

// Every curve's vertex is the reference's amount; the beaker's reactant is spent and the titrant
// starts to build up at the equivalence, where the lines break.
TEST_P(AmountGraph, CurvesAreTheAmountsOfTheReferenceAndBreakAtTheEquivalence) {
    const Titration& t = GetParam();
    setUp(t);
    showAmountGraph(bench, true);
    quickTrace(bench);
    ASSERT_TRUE(bench.graph.showsMeter(amountMeter())) << t.why;
    EXPECT_EQ(legendNames(bench.graph), t.species) << t.why;
    const std::vector<GraphCurve> curves = amountSeries(bench.graph);
    // The marks' series are not curves; the theoretical ones are one per species.
    std::vector<GraphCurve> lines;
    for (const GraphCurve& c : curves) {
        if (c.style == SeriesStyle::Line) lines.push_back(c);
    }
    // The finished situation's curves, drawn again as the current one's: the same curves.
    ASSERT_GE(lines.size(), t.species.size()) << t.why;
    lines.erase(lines.begin(), lines.end() - static_cast<std::ptrdiff_t>(t.species.size()));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        ASSERT_EQ(lines[i].points.size(), 251u) << t.why;
        EXPECT_EQ(lines[i].colour, amountColour(static_cast<int>(i))) << t.why;
        for (const SeriesPoint& p : lines[i].points) {
            EXPECT_NEAR(p.value, referenceAmount(t.beaker, p.volume, t.species[i]), kWithin)
                << t.why << " " << t.species[i] << " at " << p.volume;
            EXPECT_LE(p.value, bench.graph.axis().top) << t.why << " above the axis";
        }
    }
    // 1 mL past the first equivalence the reactant put in is under 5 % of what it was; 1 mL before
    // it, the titrant's ion is under 1 % of what that millilitre brought.
    const auto at = [](const GraphCurve& c, double v) -> double {
        for (const SeriesPoint& p : c.points) {
            if (std::abs(p.volume - v) < 1e-4) return p.value;
        }
        return NAN;
    };
    const double initial = lines.front().points.front().value;
    EXPECT_LT(at(lines.front(), t.equivalence + 1), 0.05 * initial) << t.why;
    const std::string titrantIon = t.acid ? "HO⁻" : "H₃O⁺";
    const double perMillilitre = t.beaker.titrant;  // mmol · mL-1
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (t.species[i] == titrantIon) {
            EXPECT_LT(at(lines[i], t.equivalence - 1), 0.01 * perMillilitre) << t.why;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Titrations, AmountGraph,
    ::testing::Values(
        Titration{
            "hydrochloric acid", true, 2, -1, "0,01", {{{"acide chlorhydrique", 0.01}}}, {"H₃O⁺", "HO⁻"}, 20},
        Titration{"ethanoic acid",
                  true,
                  4,
                  -1,
                  "0,01",
                  {{{"acide éthanoïque", 0.01}}},
                  {"CH₃COOH", "HO⁻", "CH₃COO⁻"},
                  20},
        Titration{"ammonia", false, 1, -1, "0,01", {{{"ammoniac", 0.01}}, 0.01}, {"NH₃", "H₃O⁺", "NH₄⁺"}, 20},
        Titration{"phosphoric acid",
                  true,
                  15,
                  -1,
                  "0,02",
                  {{{"acide phosphorique", 0.01}}, 0.02},
                  {"H₃PO₄", "HO⁻", "H₂PO₄⁻", "HPO₄²⁻"},
                  10},
        Titration{"hydrochloric and ethanoic acids",
                  true,
                  2,
                  4,
                  "0,02",
                  {{{"acide chlorhydrique", 0.01}, {"acide éthanoïque", 0.01}}, 0.02},
                  {"H₃O⁺", "CH₃COOH", "HO⁻", "CH₃COO⁻"},
                  10}));

namespace {

class AmountBench : public ::testing::Test {
  protected:
    void SetUp() override {
        setDefaults(bench);
        switchSituation(bench, 0);
        chooseSolute(bench, 4);  // ethanoic acid, 0,01 mol · L-1, by soda at 0,01
    }
    BenchState bench;
};

}  // namespace

// While the tap pours, each recorded point gets a mark per species at the reference's amount;
// the curves come only once the burette is empty; the pH tools stay off the n graph; the pH and
// σ switches take the graph back.
TEST_F(AmountBench, MarksFollowThePourAndTheOtherSwitchesTakeTheGraphBack) {
    const reference::Beaker beaker{{{"acide éthanoïque", 0.01}}};
    const std::vector<std::string> species{"CH₃COOH", "HO⁻", "CH₃COO⁻"};
    showAmountGraph(bench, true);
    ASSERT_TRUE(bench.graph.showsMeter(amountMeter()));
    EXPECT_EQ(shownGraphMeter(bench).id, "n");
    pressTap(bench);
    for (int ticks = 0; ticks < 60 && bench.burette.pouring; ++ticks) pourTick(bench);
    releaseTap(bench);
    EXPECT_TRUE(amountSeries(bench.graph).empty()) << "no curve before the burette is empty";
    const std::vector<GraphMark> marks = bench.graph.marks();
    ASSERT_EQ(marks.size(), species.size() * static_cast<std::size_t>(bench.rows.count()));
    for (std::size_t i = 0; i < marks.size(); ++i) {
        const std::size_t s = i % species.size();
        EXPECT_EQ(marks[i].meter, &amountMeter());
        EXPECT_EQ(marks[i].colour, amountColour(static_cast<int>(s)));
        EXPECT_NEAR(marks[i].value, referenceAmount(beaker, marks[i].volume, species[s]), kWithin)
            << species[s] << " at " << marks[i].volume;
    }

    quickTrace(bench);
    const std::size_t items = bench.graph.items().size();
    drawTangents(bench);
    drawDerivative(bench);
    showDistribution(bench);
    EXPECT_EQ(bench.graph.items().size(), items) << "the pH tools do nothing on n = f(V)";
    EXPECT_EQ(startFit(bench).hint, "L'ajustement se fait sur le graphe pH = f(V) ou σ = f(V).");
    EXPECT_FALSE(bench.lab.runningFit);
    EXPECT_TRUE(bench.graph.showsMeter(amountMeter()));

    showConductivityGraph(bench, false);
    EXPECT_TRUE(bench.graph.showsMeter(phMeter()));
    EXPECT_FALSE(bench.switches.amountGraph);
    showAmountGraph(bench, true);
    showConductimeter(bench, true);
    showConductivityGraph(bench, true);
    EXPECT_TRUE(bench.graph.showsMeter(conductivityMeter()));
    EXPECT_FALSE(bench.switches.amountGraph);
    showAmountGraph(bench, true);
    EXPECT_TRUE(bench.graph.showsMeter(amountMeter()));
    EXPECT_FALSE(bench.switches.conductivityGraph) << "one graph at a time";
}

// n₀ = c · V₀ would give a hidden concentration away: with the mask, or a concentration the die
// drew, the amounts are neither marked nor traced and the hint says why; unmasked, they come back.
TEST_F(AmountBench, AHiddenConcentrationDrawsNoAmount) {
    showAmountGraph(bench, true);
    for (const bool drawn : {false, true}) {
        if (drawn) {
            setConcentrationMasked(bench, false);
            drawRandomConcentration(bench);
        } else {
            EXPECT_EQ(setConcentrationMasked(bench, true).hint,
                      "Concentration masquée : les quantités de matière ne sont pas tracées.");
        }
        pressTap(bench);
        for (int ticks = 0; ticks < 20 && bench.burette.pouring; ++ticks) pourTick(bench);
        releaseTap(bench);
        quickTrace(bench);
        EXPECT_TRUE(bench.graph.marks().empty()) << drawn;
        EXPECT_TRUE(amountSeries(bench.graph).empty()) << drawn;
        EXPECT_TRUE(legendNames(bench.graph).empty()) << drawn;
        resetToZero(bench);
    }
    switchSituation(bench, 1);
    showAmountGraph(bench, true);
    quickTrace(bench);
    EXPECT_FALSE(amountSeries(bench.graph).empty()) << "another situation, not hidden";
}
