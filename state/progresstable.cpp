#include "state/progresstable.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdlib>

#include "chemistry/catalogue.h"
#include "chemistry/situationreport.h"
#include "chemistry/titrationreaction.h"
#include "numbers/picture.h"
#include "state/benchstate.h"

namespace state {

namespace {

// What subtraction leaves of an amount used up, relative to the amounts at play: they come from
// single-precision values (c_B · V = 0,2000000 against n₀ = 0,2000000030).
constexpr double kNothingLeft = 1e-6;
constexpr const char* kUnknown = "c inconnue";
constexpr const char* kUnknownInitial = "inconnue";
constexpr const char* kWaterName = "H₂O";
constexpr const char* kWaterAmount = "excès";

// An amount and whether it follows from the beaker's concentrations.
struct Amount {
    double mmol = 0;
    bool fromBeaker = false;
};

std::string superscript(int exponent) {
    static const char* const kDigits[] = {"⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹"};
    std::string digits = std::to_string(std::abs(exponent));
    std::string text = exponent < 0 ? "⁻" : "";
    for (char d : digits) text += kDigits[d - '0'];
    return text;
}

std::string volumeText(double mL) {
    return numbers::formatPicture(mL, "#0.0");
}

std::string concentrationText(double molPerLitre) {
    return amountText(molPerLitre) + " mol·L⁻¹";
}

class TableWriter {
  public:
    TableWriter(const chemistry::TitrationReactions& reactions, bool hidden, double volume)
        : m_reactions(reactions), m_hidden(hidden), m_volume(volume) {
        double largest = reactions.titrantConcentration * volume;
        for (const chemistry::ReactionStep& step : reactions.steps) largest = std::max(largest, step.amount);
        m_nothing = kNothingLeft * largest;
    }

    bool nothing(const Amount& a) const { return a.mmol <= m_nothing; }
    std::string text(const Amount& a) const {
        if (m_hidden && a.fromBeaker) return kUnknown;
        return amountText(nothing(a) ? 0.0 : a.mmol);
    }
    // "2,00 × 10⁻¹ − x", "x", "1,00 × 10⁻¹ + x".
    std::string withX(const Amount& a, const char* sign, const char* name) const {
        if (nothing(a) && std::string(sign) == "+") return "x";
        if (m_hidden && a.fromBeaker) return std::string(name) + " " + sign + " x";
        return text(a) + " " + sign + " x";
    }
    const std::string& name(int species) const {
        return m_reactions.species[static_cast<std::size_t>(species)].name;
    }

    ProgressStep step(std::size_t k, std::vector<Amount>& amounts, std::vector<bool>& produced,
                      Amount& titrantLeft) const;

  private:
    const chemistry::TitrationReactions& m_reactions;
    bool m_hidden;
    double m_volume;
    double m_nothing = 0;  // mmol
};

ProgressStep TableWriter::step(std::size_t k, std::vector<Amount>& amounts, std::vector<bool>& produced,
                               Amount& titrantLeft) const {
    const chemistry::ReactionStep& reaction = m_reactions.steps[k];
    const auto reactant = static_cast<std::size_t>(reaction.reactant);
    const bool hasProduct = reaction.product >= 0;
    const auto product = static_cast<std::size_t>(std::max(0, reaction.product));
    ProgressStep step;
    step.equation = reaction.equation;

    // A reactant no earlier reaction made was put in the beaker: n₀ = c·V_A.
    const bool introduced = !produced[reactant];
    if (introduced) amounts[reactant] = {amounts[reactant].mmol + reaction.amount, true};
    const Amount initialReactant = amounts[reactant];
    const Amount initialTitrant = titrantLeft;
    const Amount initialProduct = hasProduct ? amounts[product] : Amount{};

    step.species.push_back(name(reaction.reactant));
    step.species.push_back(name(reaction.titrant));
    if (hasProduct) step.species.push_back(name(reaction.product));
    step.species.emplace_back(kWaterName);

    const double x = m_reactions.advancement(static_cast<int>(k), m_volume);
    step.x = x;
    step.xMax = std::min(initialReactant.mmol, initialTitrant.mmol);
    const double drop = kEquivalenceTolerance + 1e-6;  // the texts' rounding of the volume
    step.atEquivalence =
        std::abs(m_volume - m_reactions.equivalenceVolume(static_cast<int>(k))) <= drop && x > 0;

    // What is left once the titrant has reacted gives c away, whichever reagent ran out.
    const Amount finalReactant{std::max(0.0, initialReactant.mmol - x), true};
    const Amount finalTitrant{std::max(0.0, initialTitrant.mmol - x), true};
    const Amount finalProduct{initialProduct.mmol + x, true};

    const char* reactantSymbol = introduced ? "n₀" : "n";
    const auto cellsOf = [&](const std::string& r, const std::string& t, const std::string& p) {
        std::vector<std::string> cells{r, t};
        if (hasProduct) cells.push_back(p);
        cells.emplace_back(kWaterAmount);
        return cells;
    };
    std::string reactantStart = text(initialReactant);
    if (m_hidden && initialReactant.fromBeaker && introduced) reactantStart = kUnknownInitial;
    step.rows[0] = {"État initial", "0", cellsOf(reactantStart, text(initialTitrant), text(initialProduct))};
    step.rows[1] = {"En cours (x)", "x",
                    cellsOf(withX(initialReactant, "−", reactantSymbol), withX(initialTitrant, "−", "n"),
                            withX(initialProduct, "+", "n"))};
    step.rows[2] = {"État final", "x_max",
                    cellsOf(text(finalReactant), text(finalTitrant), text(finalProduct))};
    // Before any titrant, nothing has reacted: the final state reveals no more than the initial.
    if (m_volume <= 0) step.rows[2].cells = step.rows[0].cells;

    // Even a zero x tells whether the earlier reactions are complete; only nothing poured tells nothing.
    const bool xHidden = m_hidden && m_volume > 0;
    step.advancement = xHidden ? std::string("x : ") + kUnknown : "x = " + amountText(x) + " mmol";
    step.maximalAdvancement =
        xHidden ? std::string("x_max : ") + kUnknown : "x_max = " + amountText(step.xMax) + " mmol";
    const std::string& reactantName = name(reaction.reactant);
    const std::string& titrantName = name(reaction.titrant);
    if (xHidden) {
        step.limitingReagent = std::string("Réactif limitant : ") + kUnknown;
    } else if (step.atEquivalence) {
        step.limitingReagent =
            "Réactif limitant : aucun, les deux réactifs sont épuisés (mélange stœchiométrique)";
    } else {
        step.limitingReagent =
            "Réactif limitant : " + (initialTitrant.mmol < initialReactant.mmol ? titrantName : reactantName);
    }
    const std::string relation = "n(" + reactantName + ")/1 = n(" + titrantName + ")/1";
    if (m_hidden) {
        step.equivalence = "À l'équivalence : " + relation;
    } else if (step.atEquivalence) {
        step.equivalence = "Équivalence : " + relation + ", soit " + text(initialReactant) +
                           " mmol = " + text(initialTitrant) + " mmol";
    }

    amounts[reactant] = finalReactant;
    if (hasProduct) {
        amounts[product] = finalProduct;
        produced[product] = true;
    }
    titrantLeft = finalTitrant;
    return step;
}

std::string soluteNames(const chemistry::SolutionSpec& solution) {
    const chemistry::SpeciesCatalogue& list = catalogue();
    std::string names = list.speciesName(solution.beakerIsAcid, solution.speciesIndex);
    if (solution.secondSpeciesIndex >= 0)
        names += " et " + list.speciesName(solution.beakerIsAcid, solution.secondSpeciesIndex);
    return names;
}

// The lines that give n₀ = c·V_A of what was put in the beaker and n_B = c_B·V of the titrant.
std::vector<std::string> amountNotes(const chemistry::TitrationReactions& reactions, std::size_t k,
                                     const chemistry::SolutionSpec& solution, double volume, bool hidden,
                                     bool introduced) {
    std::vector<std::string> notes;
    const chemistry::ReactionStep& step = reactions.steps[k];
    const std::string& reactant = reactions.species[static_cast<std::size_t>(step.reactant)].name;
    const double beakerVolume = chemistry::singleValue(solution.beakerVolume).value_or(0);
    if (introduced) {
        const char* symbol = step.solute == 0 ? "c" : "c₂";
        std::string line = "n₀(" + reactant + ") = " + symbol + "·V_A";
        if (hidden) {
            line += std::string(" : ") + kUnknown;
        } else {
            const double c = beakerVolume > 0 ? step.amount / beakerVolume : 0.0;
            line += " = " + concentrationText(c) + " × " + volumeText(beakerVolume) +
                    " mL = " + amountText(step.amount) + " mmol";
        }
        notes.push_back(std::move(line));
    }
    if (k == 0) {
        const std::string& titrant = reactions.species[static_cast<std::size_t>(step.titrant)].name;
        notes.push_back(
            "n_B(" + titrant + ") = c_B·V = " + concentrationText(reactions.titrantConcentration) + " × " +
            volumeText(volume) + " mL = " + amountText(reactions.titrantConcentration * volume) + " mmol");
    }
    return notes;
}

}  // namespace

std::string amountText(double mmol) {
    if (!std::isfinite(mmol)) return {};
    if (mmol == 0) return "0";
    // The engine reads the panel in single precision: seven digits are what an amount holds, so
    // that 0,01 × 19,95 is written 2,00 × 10⁻¹ as the pupil works it out, not 1,99.
    std::string scientific = numbers::formatPicture(mmol, "0.00E+00", 7);
    const std::size_t e = scientific.find('E');
    if (e == std::string::npos) return scientific;
    const int exponent = std::atoi(scientific.c_str() + e + 1);
    const std::string mantissa = scientific.substr(0, e);
    return exponent == 0 ? mantissa : mantissa + " × 10" + superscript(exponent);
}

ProgressTable progressTable(const chemistry::SolutionSpec& solution, double volume,
                            bool concentrationHidden) {
    ProgressTable table;
    if (solution.kind != chemistry::TitrationKind::AcidBase) {
        table.message = "Le tableau d'avancement est proposé pour les titrages acido-basiques.";
        return table;
    }
    const auto reactions = chemistry::titrationReactions(solution, catalogue());
    if (!reactions || !std::isfinite(volume) || volume < 0) {
        table.message = "Le tableau d'avancement attend des paramètres valides.";
        return table;
    }
    table.situation = soluteNames(solution) + (solution.secondSpeciesIndex >= 0 ? " titrés" : " titré") +
                      " par l'" + chemistry::titrantName(solution.beakerIsAcid) +
                      ", V = " + volumeText(volume) + " mL versés";
    if (reactions->steps.empty()) {
        table.message =
            "Aucune réaction de titrage n'est totale : ce couple est trop faible pour être titré.";
        return table;
    }
    const TableWriter writer(*reactions, concentrationHidden, volume);
    std::vector<Amount> amounts(reactions->species.size());
    std::vector<bool> produced(reactions->species.size(), false);
    Amount titrantLeft{reactions->titrantConcentration * volume, false};
    for (std::size_t k = 0; k < reactions->steps.size(); ++k) {
        const auto reactant = static_cast<std::size_t>(reactions->steps[k].reactant);
        const bool introduced = !produced[reactant];
        ProgressStep step = writer.step(k, amounts, produced, titrantLeft);
        step.notes = amountNotes(*reactions, k, solution, volume, concentrationHidden, introduced);
        table.steps.push_back(std::move(step));
    }
    return table;
}

ProgressTable progressTable(const BenchState& bench) {
    return progressTable(bench.solution, pouredVolume(bench),
                         concentrationHidden(bench, bench.situations.current));
}

std::vector<std::string> detailLines(const ProgressStep& step) {
    std::vector<std::string> lines = step.notes;
    lines.push_back(step.advancement);
    lines.push_back(step.maximalAdvancement);
    lines.push_back(step.limitingReagent);
    if (!step.equivalence.empty()) lines.push_back(step.equivalence);
    return lines;
}

std::string progressTableText(const ProgressTable& table) {
    std::string text = table.title + "\n";
    if (!table.situation.empty()) text += table.situation + "\n";
    if (!table.message.empty()) text += table.message + "\n";
    for (const ProgressStep& step : table.steps) {
        text += "\n" + step.equation + "\n";
        text += std::string(kStateHeader) + "\t" + kAdvancementHeader;
        for (const std::string& s : step.species) text += "\t" + s;
        text += "\n";
        for (const ProgressRow& row : step.rows) {
            text += row.caption + "\t" + row.advancement;
            for (const std::string& cell : row.cells) text += "\t" + cell;
            text += "\n";
        }
        for (const std::string& line : detailLines(step)) text += line + "\n";
    }
    return text;
}

}  // namespace state
