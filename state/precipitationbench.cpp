#include "state/precipitationbench.h"

#include "chemistry/precipitation.h"
#include "chemistry/redox.h"
#include "state/change.h"
#include "state/potentiometry.h"

namespace state {

namespace {

template <typename List>
bool within(int index, const List& list) {
    return index >= 0 && index < static_cast<int>(list.size());
}

// The E graph is shown when the electrodes come; its choice is kept while they are away.
void followElectrodes(BenchState& b, bool wereShown) {
    if (electrodesShown(b) && !wereShown) {
        b.switches.potentialGraph = true;
        b.switches.conductivityGraph = false;
    }
}

}  // namespace

void keepPrecipitatingTitrant(chemistry::PrecipitationChoice& choice) {
    if (chemistry::precipitationHappens(choice.salt, choice.titrant)) return;
    const int count = static_cast<int>(chemistry::precipitationTitrants().size());
    for (int titrant = 0; titrant < count; ++titrant) {
        if (chemistry::precipitationHappens(choice.salt, titrant)) {
            choice.titrant = titrant;
            return;
        }
    }
}

ActionResult choosePrecipitationSalt(BenchState& bench, int salt) {
    return act(bench, [salt](Change& c) {
        BenchState& b = c.bench;
        if (!within(salt, chemistry::precipitationSalts())) return;
        const bool wereShown = electrodesShown(b);
        chemistry::PrecipitationChoice& choice = b.solution.precipitation;
        choice.salt = salt;
        keepPrecipitatingTitrant(choice);
        if (!chemistry::secondSaltAllowed(salt, choice.secondSalt)) choice.secondSalt = -1;
        followElectrodes(b, wereShown);
        restartWithNewChoice(c);
    });
}

ActionResult chooseSecondPrecipitationSalt(BenchState& bench, int salt) {
    return act(bench, [salt](Change& c) {
        BenchState& b = c.bench;
        chemistry::PrecipitationChoice& choice = b.solution.precipitation;
        if (salt != -1 && !chemistry::secondSaltAllowed(choice.salt, salt)) return;
        choice.secondSalt = salt;
        restartWithNewChoice(c);
    });
}

ActionResult choosePrecipitationTitrant(BenchState& bench, int titrant) {
    return act(bench, [titrant](Change& c) {
        BenchState& b = c.bench;
        if (!chemistry::precipitationHappens(b.solution.precipitation.salt, titrant)) return;
        const bool wereShown = electrodesShown(b);
        b.solution.precipitation.titrant = titrant;
        followElectrodes(b, wereShown);
        restartWithNewChoice(c);
    });
}

ActionResult choosePrecipitationReference(BenchState& bench, int reference) {
    return act(bench, [reference](Change& c) {
        BenchState& b = c.bench;
        if (reference < -1 || reference >= static_cast<int>(chemistry::referenceElectrodes().size())) return;
        const bool wereShown = electrodesShown(b);
        b.solution.precipitation.reference = reference;
        followElectrodes(b, wereShown);
        restartWithNewChoice(c);
    });
}

std::string precipitationEquationOf(const chemistry::SolutionSpec& solution) {
    if (!precipitationTitration(solution)) return {};
    return chemistry::precipitationEquation(solution.precipitation.salt, solution.precipitation.titrant);
}

void loadPrecipitationChoice(BenchState& bench, const chemistry::Situation& s) {
    chemistry::PrecipitationChoice& choice = bench.solution.precipitation;
    if (chemistry::precipitationHappens(s.precipitationSalt, s.precipitationTitrant)) {
        choice.salt = s.precipitationSalt;
        choice.titrant = s.precipitationTitrant;
    }
    choice.secondSalt =
        chemistry::secondSaltAllowed(choice.salt, s.precipitationSecondSalt) ? s.precipitationSecondSalt : -1;
    if (s.precipitationReference >= -1 &&
        s.precipitationReference < static_cast<int>(chemistry::referenceElectrodes().size()))
        choice.reference = s.precipitationReference;
}

void describePrecipitationBeaker(const BenchState& bench, ApparatusScene& scene) {
    const chemistry::PrecipitationChoice& choice = bench.solution.precipitation;
    const auto titrants = chemistry::precipitationTitrants();
    const auto salts = chemistry::precipitationSalts();
    if (within(choice.titrant, titrants))
        scene.titrant = std::string(titrants[static_cast<std::size_t>(choice.titrant)].name);
    if (within(choice.salt, salts))
        scene.beakerSolutes.push_back({std::string(salts[static_cast<std::size_t>(choice.salt)].name),
                                       precipitationEquationOf(bench.solution)});
    if (within(choice.secondSalt, salts))
        scene.beakerSolutes.push_back({std::string(salts[static_cast<std::size_t>(choice.secondSalt)].name),
                                       chemistry::precipitationEquation(choice.secondSalt, choice.titrant)});
    const auto setUp = chemistry::precipitationSetUp(bench.solution);
    if (!setUp) return;
    if (const auto point = chemistry::solvePrecipitation(*setUp, fieldValue(bench, Field::PouredVolume)))
        scene.liquid = chemistry::precipitationLiquidColour(*setUp, *point);
}

}  // namespace state
