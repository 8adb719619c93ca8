// The Monte-Carlo simulation against the uncertainty written out by hand from the glassware's
// tolerances (rectangular a/√3, the titrant's stated u), on the strong acid whose equivalence is
// c₀·V₀/c_B: what it spreads, where it centres, and how it stops, reports and refuses.
#include <gtest/gtest.h>

#include <cmath>
#include <stop_token>
#include <string>

#include "state/glasswarebench.h"
#include "tests/pythonrunner.h"
#include "uncertainty/montecarlo.h"
#include "uncertainty/montecarlopython.h"

namespace uncertainty {

namespace {

// Hydrochloric acid 0,01 mol/L, 20 mL, against soda 0,01 mol/L: V_E = 20 mL.
SimulationRequest strongAcid(int runs, bool diluted) {
    SimulationRequest r;
    r.glassware = state::usualGlassware(5, 0.01);
    r.glassware.diluted = diluted;
    r.runs = runs;
    r.seed = 11;
    return r;
}

// u(c)/c = √((a_V0/√3/V₀)² + (u_B/c_B)² + (a_bur² + 2·a_read²)/3/V_E² [+ dilution's]).
double relativeByHand(const chemistry::Glassware& g, double v0, double cB, double vE, double vp, double vf) {
    const auto rect = [](double a) { return a * a / 3; };
    double sum = rect(g.beaker.halfWidth) / (v0 * v0) + std::pow(g.titrantUncertainty / cB, 2) +
                 (rect(g.burette.halfWidth) + 2 * rect(g.readingHalfWidth)) / (vE * vE);
    if (g.diluted)
        sum += rect(g.dilutionPipette.halfWidth) / (vp * vp) + rect(g.dilutionFlask.halfWidth) / (vf * vf);
    return std::sqrt(sum);
}

// The number printed after `label` in the program's output; -1 when there is none.
double printedAfter(const std::string& out, const std::string& label) {
    const std::size_t at = out.find(label);
    return at == std::string::npos ? -1 : std::stod(out.substr(at + label.size()));
}

}  // namespace

TEST(MonteCarlo, SpreadsAsThePropagationFormulaOnTheLinearCase) {
    for (const bool diluted : {false, true}) {
        SCOPED_TRACE(diluted ? "with a dilution" : "without a dilution");
        // The 100 000 runs once; the dilution's terms need fewer to show.
        const int runs = diluted ? 20000 : kMostRuns;
        const SimulationRequest request = strongAcid(runs, diluted);
        const SimulationOutcome outcome = simulate(request);
        ASSERT_EQ(outcome.unread, 0);
        const auto summary = summarizeSimulation(outcome);
        ASSERT_TRUE(summary.has_value());
        EXPECT_EQ(summary->count, runs);
        const double byHand = relativeByHand(request.glassware, 20, 0.01, 20, 10, 100);
        EXPECT_NEAR(summary->standardUncertainty / 0.01, byHand, 0.03 * byHand);
        ASSERT_TRUE(outcome.propagatedRelative.has_value());
        EXPECT_NEAR(*outcome.propagatedRelative, byHand, 1e-9);
        // Centred on the typed value (a small bias of the reading allowed), the interval about ±1,96 u.
        EXPECT_NEAR(summary->mean, 0.01, 0.01 * byHand / 10);
        EXPECT_NEAR((summary->high95 - summary->low95) / 2, 1.96 * summary->standardUncertainty,
                    0.05 * summary->standardUncertainty);
    }
}

TEST(MonteCarlo, ReproducibleStoppedReportedAndRefused) {
    const SimulationRequest request = strongAcid(kFewestRuns, false);
    int reports = 0;
    int last = 0;
    const SimulationOutcome once = simulate(request, {}, [&](int done, int total) {
        ++reports;
        EXPECT_GT(done, last);
        EXPECT_EQ(total, kFewestRuns);
        last = done;
    });
    EXPECT_EQ(last, kFewestRuns);
    EXPECT_LE(reports, 101);
    const SimulationOutcome again = simulate(request);
    ASSERT_EQ(once.runs.size(), again.runs.size());
    EXPECT_EQ(once.runs.back().concentration, again.runs.back().concentration);
    EXPECT_EQ(once.runs.back().delivery, again.runs.back().delivery);
    EXPECT_EQ(simulationTable(once).rows.size(), once.runs.size());

    std::stop_source stop;
    stop.request_stop();
    const SimulationOutcome stopped = simulate(request, stop.get_token());
    EXPECT_TRUE(stopped.cancelled);
    EXPECT_TRUE(stopped.runs.empty());

    SimulationRequest exact = request;
    exact.glassware = {};
    EXPECT_FALSE(simulate(exact).message.empty());
    EXPECT_TRUE(monteCarloProgram(exact, std::nullopt).empty());
    // Far too little titrant: no equivalence within the burette.
    SimulationRequest beyond = request;
    beyond.solution.titrantConcentration = "0,0001";
    const SimulationOutcome none = simulate(beyond);
    EXPECT_TRUE(none.runs.empty());
    EXPECT_FALSE(none.message.empty());
    EXPECT_FALSE(summarizeSimulation(none).has_value());
}

TEST(MonteCarlo, ThePythonProgramSimulatesTheSameUncertainty) {
    if (!testing_python::python()) GTEST_SKIP() << "python3 with numpy and matplotlib is not installed";
    const SimulationRequest request = strongAcid(kDefaultRuns, true);
    const testing_python::PythonFolder folder;
    folder.write("montecarlo.py", monteCarloProgram(request, 0.0101));
    const testing_python::Ran ran = folder.run("montecarlo.py");
    ASSERT_EQ(ran.status, 0) << ran.err;
    const double byHand = 0.01 * relativeByHand(request.glassware, 20, 0.01, 20, 10, 100);
    EXPECT_NEAR(printedAfter(ran.out, "c moyenne = "), 0.01, byHand / 10) << ran.out;
    EXPECT_NEAR(printedAfter(ran.out, "\nu(c) = "), byHand, 0.05 * byHand) << ran.out;
    EXPECT_NEAR(printedAfter(ran.out, "propagation : u(c) = "), byHand, 0.01 * byHand) << ran.out;
    EXPECT_NE(ran.out.find("z = "), std::string::npos) << ran.out;
}

}  // namespace uncertainty
