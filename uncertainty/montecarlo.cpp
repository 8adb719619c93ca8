#include "uncertainty/montecarlo.h"

#include <algorithm>
#include <cmath>

#include "chemistry/titration.h"
#include "chemistry/titrationmodel.h"
#include "state/benchstate.h"
#include "state/glasswarebench.h"
#include "uncertainty/propagation.h"

namespace uncertainty {

namespace {

// The progress is reported about this many times in a simulation.
constexpr int kProgressReports = 100;

bool usable(double value) {
    return std::isfinite(value) && value > 0;
}

}  // namespace

SimulationOutcome simulate(const SimulationRequest& request, std::stop_token stop,
                           const SimulationProgress& progress) {
    SimulationOutcome outcome;
    chemistry::SolutionSpec typed = request.solution;
    typed.delivery = {};
    const chemistry::NominalValues nominal = state::nominalValuesOf(request.glassware, typed);
    const chemistry::SetUpQuantities quantities = chemistry::setUpQuantities(typed);
    outcome.typedConcentration = quantities.beakerConcentration.value_or(0);
    outcome.typedEquivalence = nominal.equivalenceVolume;
    outcome.nominal = nominal;
    if (request.glassware.exact) {
        outcome.message = "Choisissez d'abord la verrerie : un titrage exact ne varie pas.";
        return outcome;
    }
    if (!usable(outcome.typedConcentration) || !usable(outcome.typedEquivalence) ||
        outcome.typedEquivalence > chemistry::kBuretteCapacity) {
        outcome.message = "Ce titrage n'a pas d'équivalence dans la burette : rien à simuler.";
        return outcome;
    }
    outcome.propagatedRelative = relativeUncertainty(
        chemistry::inputUncertainties(request.glassware, nominal), nominal.equivalenceVolume);

    const int runs = std::clamp(request.runs, kFewestRuns, kMostRuns);
    const ReadingSetUp setUp{nominal.equivalenceVolume, nominal.beakerVolume + nominal.waterVolume,
                             typed.beakerIsAcid};
    const int reportEvery = std::max(1, runs / kProgressReports);
    chemistry::DrawGenerator generator(request.seed);
    outcome.runs.reserve(static_cast<std::size_t>(runs));
    for (int i = 0; i < runs; ++i) {
        if (stop.stop_requested()) {
            outcome.cancelled = true;
            break;
        }
        chemistry::SolutionSpec drawn = typed;
        drawn.delivery = chemistry::drawDelivery(request.glassware, nominal, generator);
        const auto model = chemistry::makeTitrationModel(drawn, state::catalogue());
        const std::optional<double> volume =
            model ? readEquivalence(*model, request.method, setUp) : std::nullopt;
        const double read = volume ? *volume + drawn.delivery.readingError : 0;
        const double concentration = outcome.typedConcentration * read / nominal.equivalenceVolume;
        if (volume && usable(read) && std::isfinite(concentration)) {
            outcome.runs.push_back({drawn.delivery, read, concentration});
        } else {
            ++outcome.unread;
        }
        if (progress && (i + 1) % reportEvery == 0) progress(i + 1, runs);
    }
    if (outcome.runs.empty() && !outcome.cancelled) {
        outcome.message = "La méthode choisie ne trouve l'équivalence sur aucune des courbes simulées.";
    }
    return outcome;
}

std::optional<SimulationSummary> summarizeSimulation(const SimulationOutcome& outcome) {
    std::vector<double> values;
    values.reserve(outcome.runs.size());
    for (const SimulatedRun& run : outcome.runs) values.push_back(run.concentration);
    const std::optional<Summary> s = summarize(values);
    if (!s) return std::nullopt;
    std::sort(values.begin(), values.end());
    const std::optional<double> low = sortedQuantile(values, 0.025);
    const std::optional<double> high = sortedQuantile(values, 0.975);
    if (!low || !high) return std::nullopt;
    return SimulationSummary{s->count, s->mean, s->standardDeviation, *low, *high};
}

measurements::CsvTable simulationTable(const SimulationOutcome& outcome) {
    measurements::CsvTable table;
    table.headers = {
        "tirage",     "V0 délivré (mL)", "eau délivrée (mL)", "facteur de dilution", "c titrant (mol/L)",
        "VE lu (mL)", "c (mol/L)"};
    table.rows.reserve(outcome.runs.size());
    int number = 0;
    for (const SimulatedRun& run : outcome.runs) {
        const chemistry::Delivery& d = run.delivery;
        const chemistry::NominalValues& n = outcome.nominal;
        table.rows.push_back({static_cast<double>(++number), n.beakerVolume + d.beakerVolume,
                              n.waterVolume + d.waterVolume, d.beakerConcentration,
                              n.titrantConcentration + d.titrantConcentration, run.volumeRead,
                              run.concentration});
    }
    return table;
}

}  // namespace uncertainty
