#include "chemistry/titrationreaction.h"

#include <algorithm>
#include <cmath>

#include "chemistry/beakermixture.h"
#include "chemistry/catalogue.h"
#include "chemistry/mixture.h"
#include "chemistry/substances.h"

namespace chemistry {

namespace {

// A titration reaction is taken as total from K = 10³: a weaker pair shows no jump.
constexpr double kLeastTotalLogK = 3;
constexpr double kWaterPKe = 14;

struct Pair {
    int solute = 0;
    int pair = 0;  // between forms pair and pair + 1
    double pKa = 0;
    bool strong = false;
};

int indexOf(std::vector<ReactionSpecies>& species, const ReactionSpecies& wanted) {
    for (std::size_t i = 0; i < species.size(); ++i) {
        const ReactionSpecies& s = species[i];
        if (s.kind == wanted.kind &&
            (s.kind != ReactionSpecies::Kind::Form || (s.solute == wanted.solute && s.form == wanted.form)))
            return static_cast<int>(i);
    }
    species.push_back(wanted);
    return static_cast<int>(species.size()) - 1;
}

ReactionSpecies ion(ReactionSpecies::Kind kind) {
    ReactionSpecies s;
    s.kind = kind;
    s.name = std::string(kind == ReactionSpecies::Kind::Hydronium ? kHydroniumName : kHydroxideName);
    return s;
}

}  // namespace

double TitrationReactions::equivalenceVolume(int step) const {
    double amount = 0;
    for (int k = 0; k <= step && k < static_cast<int>(steps.size()); ++k)
        amount += steps[static_cast<std::size_t>(k)].amount;
    return titrantConcentration > 0 ? amount / titrantConcentration : 0.0;
}

double TitrationReactions::advancement(int step, double volume) const {
    if (step < 0 || step >= static_cast<int>(steps.size())) return 0.0;
    double before = 0;
    for (int k = 0; k < step && k < static_cast<int>(steps.size()); ++k)
        before += steps[static_cast<std::size_t>(k)].amount;
    const double poured = titrantConcentration * std::max(0.0, volume);
    return std::clamp(poured - before, 0.0, steps[static_cast<std::size_t>(step)].amount);
}

std::vector<double> TitrationReactions::totalReactionAmounts(double volume) const {
    std::vector<double> amounts(species.size(), 0.0);
    std::vector<bool> produced(species.size(), false);
    double consumed = 0;
    for (std::size_t k = 0; k < steps.size(); ++k) {
        const ReactionStep& step = steps[k];
        const auto reactant = static_cast<std::size_t>(step.reactant);
        const double x = advancement(static_cast<int>(k), volume);
        // A reactant an earlier reaction made was not put in the beaker.
        if (!produced[reactant]) amounts[reactant] += step.amount;
        amounts[reactant] -= x;
        if (step.product >= 0) {
            amounts[static_cast<std::size_t>(step.product)] += x;
            produced[static_cast<std::size_t>(step.product)] = true;
        }
        consumed += x;
    }
    if (!steps.empty())
        amounts[static_cast<std::size_t>(steps.front().titrant)] =
            titrantConcentration * std::max(0.0, volume) - consumed;
    for (double& n : amounts) n = std::max(0.0, n);
    return amounts;
}

std::vector<double> TitrationReactions::equilibriumAmounts(const MixturePoint& point) const {
    const double total = initialVolume + point.volume;
    std::vector<double> amounts;
    amounts.reserve(species.size());
    for (const ReactionSpecies& s : species) {
        double c = 0;
        if (s.kind == ReactionSpecies::Kind::Hydronium) {
            c = point.hydronium;
        } else if (s.kind == ReactionSpecies::Kind::Hydroxide) {
            c = point.hydroxide;
        } else if (s.solute >= 0 && s.solute < kMaxSolutes && s.form >= 0 && s.form < kMaxForms) {
            c = point.forms[static_cast<std::size_t>(s.solute)][static_cast<std::size_t>(s.form)];
        }
        amounts.push_back(std::isfinite(c) ? c * total : 0.0);
    }
    return amounts;
}

std::optional<TitrationReactions> titrationReactions(const SolutionSpec& solution,
                                                     const SpeciesCatalogue& catalogue) {
    const auto mixture = beakerMixture(solution, catalogue);
    if (!mixture) return std::nullopt;
    const bool acid = mixture->beakerIsAcid;
    std::array<const SpeciesData*, kMaxSolutes> data{
        catalogue.speciesData(acid, solution.speciesIndex),
        mixture->soluteCount > 1 ? catalogue.speciesData(acid, solution.secondSpeciesIndex) : nullptr};

    TitrationReactions reactions;
    reactions.titrantConcentration = mixture->titrantConcentration;
    reactions.initialVolume = mixture->beakerVolume + mixture->waterVolume;

    // The pairs the titrant reaches, strongest first: an acid's from its form put in upwards, a
    // base's downwards.
    std::vector<Pair> pairs;
    for (int i = 0; i < mixture->soluteCount; ++i) {
        const Solute& solute = mixture->solutes[static_cast<std::size_t>(i)];
        if (!data[static_cast<std::size_t>(i)]) return std::nullopt;
        const int first = acid ? solute.protonsLost : 0;
        const int last = acid ? solute.pairCount : solute.protonsLost;
        for (int j = first; j < last; ++j) {
            const double pKa = solute.pKa[static_cast<std::size_t>(j)];
            const double logK = acid ? kWaterPKe - pKa : pKa;
            if (logK < kLeastTotalLogK) continue;
            pairs.push_back({i, j, pKa, isStrongPair(acid, pKa)});
        }
    }
    std::stable_sort(pairs.begin(), pairs.end(),
                     [acid](const Pair& a, const Pair& b) { return acid ? a.pKa < b.pKa : a.pKa > b.pKa; });

    const auto formOf = [&](int solute, int form) {
        ReactionSpecies s;
        s.kind = ReactionSpecies::Kind::Form;
        s.solute = solute;
        s.form = form;
        s.name = std::string(data[static_cast<std::size_t>(solute)]->forms[static_cast<std::size_t>(form)]);
        return s;
    };
    const ReactionSpecies titrantIon =
        ion(acid ? ReactionSpecies::Kind::Hydroxide : ReactionSpecies::Kind::Hydronium);

    // The legend lists what was put in the beaker, then the titrant's ion, then what they make.
    std::vector<ReactionSpecies>& species = reactions.species;
    const auto reactantOf = [&](const Pair& p) {
        if (p.strong) return ion(acid ? ReactionSpecies::Kind::Hydronium : ReactionSpecies::Kind::Hydroxide);
        return formOf(p.solute, acid ? p.pair : p.pair + 1);
    };
    for (const Pair& p : pairs) {
        const Solute& solute = mixture->solutes[static_cast<std::size_t>(p.solute)];
        if (p.strong || reactantOf(p).form == solute.protonsLost) indexOf(species, reactantOf(p));
    }
    const int titrant = indexOf(species, titrantIon);
    for (const Pair& p : pairs) {
        ReactionStep step;
        step.amount =
            mixture->solutes[static_cast<std::size_t>(p.solute)].concentration * mixture->beakerVolume;
        step.titrant = titrant;
        step.solute = p.solute;
        step.reactant = indexOf(species, reactantOf(p));
        if (!p.strong) step.product = indexOf(species, formOf(p.solute, acid ? p.pair + 1 : p.pair));
        const std::string& reactant = species[static_cast<std::size_t>(step.reactant)].name;
        step.equation = reactant + " + " + titrantIon.name + " → " +
                        (step.product < 0 ? std::string("2 H₂O")
                                          : species[static_cast<std::size_t>(step.product)].name + " + H₂O");
        reactions.steps.push_back(step);
    }
    return reactions;
}

}  // namespace chemistry
