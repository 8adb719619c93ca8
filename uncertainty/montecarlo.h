#pragma once
// A Monte-Carlo simulation of a titration's result: N titrations, each with every measured input
// drawn from its law (rectangular for a tolerance, normal for a stated standard uncertainty), each
// analysed by the pupil's method; the spread of the concentrations found is u(c). It runs on a
// worker thread: it reports its progress and stops when asked.
#include <cstdint>
#include <functional>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

#include "chemistry/glassware.h"
#include "chemistry/solution.h"
#include "measurements/csvwriter.h"
#include "uncertainty/equivalencereading.h"
#include "uncertainty/statistics.h"

namespace uncertainty {

inline constexpr int kFewestRuns = 1000;
inline constexpr int kMostRuns = 100000;
inline constexpr int kDefaultRuns = 10000;

struct SimulationRequest {
    chemistry::SolutionSpec solution;  // as typed: its delivery is ignored
    chemistry::Glassware glassware;
    EquivalenceMethod method = EquivalenceMethod::DerivativePeak;
    int runs = kDefaultRuns;  // kFewestRuns to kMostRuns
    std::uint64_t seed = 1;
};

// One simulated titration: what was delivered, the volume the pupil read (the method's reading
// plus the burette's error) and the concentration computed from it as the pupil would, with the
// typed values: c = c_typed · V_E,read / V_E,typed.
struct SimulatedRun {
    chemistry::Delivery delivery;
    double volumeRead = 0;     // mL
    double concentration = 0;  // mol · L-1
};

struct SimulationOutcome {
    std::vector<SimulatedRun> runs;  // those the method could read, in the draws' order
    int unread = 0;                  // titrations whose curve gave no equivalence
    bool cancelled = false;
    std::string message;               // French, when nothing could be simulated
    double typedConcentration = 0;     // the beaker's, mol · L-1
    double typedEquivalence = 0;       // mL
    chemistry::NominalValues nominal;  // what the delivered values are drawn around
    // u(c)/c by the propagation formula, for comparison; nothing when it cannot be computed.
    std::optional<double> propagatedRelative;
};

// Called now and then from the worker thread with the runs done so far.
using SimulationProgress = std::function<void(int done, int total)>;

SimulationOutcome simulate(const SimulationRequest& request, std::stop_token stop = {},
                           const SimulationProgress& progress = {});

// What the window shows of an outcome: the mean, u(c) (the draws' standard deviation), the 95 %
// interval between the 2,5 % and 97,5 % quantiles.
struct SimulationSummary {
    int count = 0;
    double mean = 0;
    double standardUncertainty = 0;
    double low95 = 0;
    double high95 = 0;
};
std::optional<SimulationSummary> summarizeSimulation(const SimulationOutcome& outcome);

// The draws as a table for the CSV export: one row per run read, with the values delivered.
measurements::CsvTable simulationTable(const SimulationOutcome& outcome);

}  // namespace uncertainty
