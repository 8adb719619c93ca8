#pragma once
// The results of the situations titrated, as the "Résultats" view lists them: each finished
// situation's equivalence volume read by the pupil's method (with what the burette's readings
// add), the concentration it gives, and their statistics (type A).
#include <optional>
#include <string>
#include <vector>

#include "measurements/csvwriter.h"
#include "uncertainty/equivalencereading.h"
#include "uncertainty/statistics.h"

namespace state {
struct BenchState;
}

namespace uncertainty {

struct TitrationResult {
    int slot = 0;                         // 0 to 9
    double volumeRead = 0;                // V_E, mL
    std::optional<double> concentration;  // mol · L-1; none when the pupil may not see it
};

struct RepeatedResults {
    std::vector<TitrationResult> rows;
    int unread = 0;  // finished situations whose curve gave no equivalence by the method
    std::optional<Summary> volumes;
    std::optional<Summary> concentrations;  // none when a concentration is hidden
    bool concentrationHidden = false;
    // The situations listed do not all titrate the same solution with the same titrant: their
    // mean says nothing.
    bool differentSetUps = false;
};

// The finished situations, in their numbers' order.
RepeatedResults repeatedResults(const state::BenchState& bench, EquivalenceMethod method);

// The warning the window shows when the set-ups differ; empty otherwise.
std::string setUpWarning(const RepeatedResults& results);
// "c = (1,002 ± 0,012) × 10⁻² mol · L-1 (intervalle à 95 %, n = 5)", or why there is none.
std::string concentrationLine(const RepeatedResults& results);
// "V_E = 10,02 mL ; s = 0,03 mL ; u = s/√n = 0,013 mL".
std::string volumeLine(const RepeatedResults& results);

// The rows and, beside them, the statistics, for the CSV export.
std::vector<measurements::CsvTable> resultsTables(const RepeatedResults& results);

}  // namespace uncertainty
