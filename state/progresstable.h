#pragma once
// The progress table ("Tableau d'avancement") of the set-up after the poured volume, as a pupil
// writes it: for each titration reaction its equation, the initial, current and final amounts of
// each species in mmol, x and x_max, the limiting reagent, and the equivalence relation when the
// poured volume is the equivalence. Texts only: the window lays them out, the clipboard and the
// printer take them as they are.
#include <array>
#include <string>
#include <vector>

#include "chemistry/solution.h"

namespace state {

struct BenchState;

// Within one drop of the burette: the pupil cannot pour closer, and the relation's two amounts
// then agree to the three digits shown (a measuring step of up to 1 mL would not).
inline constexpr double kEquivalenceTolerance = 0.05;  // mL

struct ProgressRow {
    std::string caption;             // "État initial", "En cours (x)", "État final"
    std::string advancement;         // "0", "x", "x_max"
    std::vector<std::string> cells;  // one per species column
    bool operator==(const ProgressRow&) const = default;
};

struct ProgressStep {
    std::string equation;              // "CH₃COOH + HO⁻ → CH₃COO⁻ + H₂O"
    std::vector<std::string> species;  // the column headers after "État" and "Avancement"
    std::array<ProgressRow, 3> rows;
    std::vector<std::string> notes;  // "n₀(CH₃COOH) = c·V_A = …", "n_B = c_B·V = …"
    std::string advancement;         // "x = 1,00 × 10⁻¹ mmol"
    std::string maximalAdvancement;  // "x_max = 1,00 × 10⁻¹ mmol"
    std::string limitingReagent;     // "Réactif limitant : HO⁻"
    std::string equivalence;         // empty unless the poured volume is this step's equivalence
    double x = 0;                    // mmol (the texts may hide it)
    double xMax = 0;
    bool atEquivalence = false;
    bool operator==(const ProgressStep&) const = default;
};

struct ProgressTable {
    std::string title = "Tableau d'avancement";
    std::string situation;  // "acide éthanoïque titré par l'hydroxyde de sodium, V = 10,0 mL"
    std::vector<ProgressStep> steps;
    std::string message;  // why there is no step, when there is none
    bool operator==(const ProgressTable&) const = default;
};

// The column headers before the species'.
inline constexpr const char* kStateHeader = "État";
inline constexpr const char* kAdvancementHeader = "Avancement (mmol)";

// The table of a set-up after `volume` mL; with `concentrationHidden`, every amount the beaker's
// concentrations would give away reads "c inconnue" (n₀ "inconnue").
ProgressTable progressTable(const chemistry::SolutionSpec& solution, double volume, bool concentrationHidden);
// The table of the panel's set-up at its poured volume, hidden as the panel hides it.
ProgressTable progressTable(const BenchState& bench);

// An amount in mmol as a pupil writes it: three significant digits, the decimal comma and a power
// of ten ("2,00 × 10⁻¹", "1,25", "0"); empty when it is not a finite number.
std::string amountText(double mmol);

// The lines under a reaction's grid in reading order: n₀ and n_B worked out, x, x_max, the limiting
// reagent and the equivalence relation when there is one.
std::vector<std::string> detailLines(const ProgressStep& step);

// The whole table as lines of tab-separated cells, for a word processor or a spreadsheet.
std::string progressTableText(const ProgressTable& table);

}  // namespace state
