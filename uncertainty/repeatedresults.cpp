#include "uncertainty/repeatedresults.h"

#include <cmath>

#include "chemistry/titrationmodel.h"
#include "numbers/picture.h"
#include "numbers/uncertaintytext.h"
#include "state/benchstate.h"
#include "state/glasswarebench.h"

namespace uncertainty {

namespace {

std::optional<TitrationResult> resultOf(const state::BenchState& bench, int slot, EquivalenceMethod method) {
    const chemistry::SolutionSpec delivered = state::setUpOf(bench, slot);
    const chemistry::NominalValues nominal = state::nominalValuesOf(bench.glassware, delivered);
    if (!(nominal.equivalenceVolume > 0)) return std::nullopt;
    const auto model = chemistry::makeTitrationModel(delivered, state::catalogue());
    if (!model) return std::nullopt;
    const ReadingSetUp setUp{nominal.equivalenceVolume, nominal.beakerVolume + nominal.waterVolume,
                             delivered.beakerIsAcid};
    const std::optional<double> volume = readEquivalence(*model, method, setUp);
    if (!volume) return std::nullopt;
    TitrationResult r{slot, *volume + delivered.delivery.readingError, std::nullopt};
    if (!(r.volumeRead > 0) || !std::isfinite(r.volumeRead)) return std::nullopt;
    chemistry::SolutionSpec typed = delivered;
    typed.delivery = {};
    const std::optional<double> c = chemistry::setUpQuantities(typed).beakerConcentration;
    if (c && !state::concentrationHidden(bench, slot)) {
        const double concentration = *c * r.volumeRead / nominal.equivalenceVolume;
        if (std::isfinite(concentration)) r.concentration = concentration;
    }
    return r;
}

// A set-up as typed, without what only its pouring, its indicator or its draw change.
chemistry::SolutionSpec titrationOf(chemistry::SolutionSpec setUp) {
    setUp.pouredVolume = chemistry::SolutionSpec{}.pouredVolume;
    setUp.indicatorIndex = 0;
    setUp.delivery = {};
    return setUp;
}

std::string millilitres(double value, int decimals) {
    return numbers::formatPicture(value, "#0." + std::string(static_cast<std::size_t>(decimals), '0')) +
           " mL";
}

}  // namespace

RepeatedResults repeatedResults(const state::BenchState& bench, EquivalenceMethod method) {
    RepeatedResults results;
    std::vector<double> volumes;
    std::vector<double> concentrations;
    std::optional<chemistry::SolutionSpec> first;
    for (int slot = 0; slot < state::kSituationCount; ++slot) {
        if (!bench.situations.records[static_cast<std::size_t>(slot)].completed) continue;
        const chemistry::SolutionSpec titration = titrationOf(state::setUpOf(bench, slot));
        if (!first) first = titration;
        results.differentSetUps = results.differentSetUps || titration != *first;
        const std::optional<TitrationResult> r = resultOf(bench, slot, method);
        if (!r) {
            ++results.unread;
            continue;
        }
        results.rows.push_back(*r);
        volumes.push_back(r->volumeRead);
        if (r->concentration) {
            concentrations.push_back(*r->concentration);
        } else {
            results.concentrationHidden = true;
        }
    }
    results.volumes = summarize(volumes);
    if (!results.concentrationHidden) results.concentrations = summarize(concentrations);
    return results;
}

std::string setUpWarning(const RepeatedResults& results) {
    if (!results.differentSetUps) return "";
    return "Attention : les situations terminées ne titrent pas toutes la même solution ; la moyenne n'a de "
           "sens que pour des titrages identiques.";
}

std::string volumeLine(const RepeatedResults& results) {
    if (!results.volumes) {
        return "Titrez au moins deux situations jusqu'au bout pour calculer une moyenne et un écart type.";
    }
    const Summary& v = *results.volumes;
    return "V_E moyen = " + millilitres(v.mean, 3) + " ; s = " + millilitres(v.standardDeviation, 3) +
           " ; u = s/√n = " + millilitres(v.standardUncertainty, 3) + " (n = " + std::to_string(v.count) +
           ")";
}

std::string concentrationLine(const RepeatedResults& results) {
    if (results.concentrationHidden) {
        return "La concentration est masquée : calculez-la à partir de V_E moyen et de son incertitude.";
    }
    if (!results.concentrations) return "";
    const Summary& c = *results.concentrations;
    if (!(c.halfWidth95 > 0)) {
        return "c = " + numbers::scientific(c.mean) +
               " mol · L-1 : les titrages ont tous donné le même volume.";
    }
    return "c = " + numbers::scientificWithUncertainty(c.mean, c.halfWidth95) +
           " mol · L-1 (intervalle à 95 %, t de Student pour n = " + std::to_string(c.count) + ")";
}

std::vector<measurements::CsvTable> resultsTables(const RepeatedResults& results) {
    measurements::CsvTable table;
    table.headers = {"situation", "VE (mL)", "c (mol/L)"};
    for (const TitrationResult& r : results.rows) {
        table.rows.push_back(
            {static_cast<double>(r.slot + 1), r.volumeRead, r.concentration.value_or(std::nan(""))});
    }
    measurements::CsvTable statistics;
    statistics.headers = {"VE moyen (mL)", "s(VE) (mL)",   "u(VE) (mL)",    "c moyenne (mol/L)",
                          "s(c) (mol/L)",  "u(c) (mol/L)", "U95(c) (mol/L)"};
    const double none = std::nan("");
    const Summary v = results.volumes.value_or(Summary{0, none, none, none, none});
    const Summary c = results.concentrations.value_or(Summary{0, none, none, none, none});
    statistics.rows.push_back({v.mean, v.standardDeviation, v.standardUncertainty, c.mean,
                               c.standardDeviation, c.standardUncertainty, c.halfWidth95});
    return {table, statistics};
}

}  // namespace uncertainty
