#include "state/redoxbench.h"

#include <vector>

#include "chemistry/redox.h"
#include "state/change.h"
#include "state/potentiometry.h"
#include "state/precipitationbench.h"

namespace state {

namespace {

bool knownSpecies(int species) {
    return species >= 0 && species < static_cast<int>(chemistry::redoxSpecies().size());
}

// The burette's species titrates the beaker's, the first of the list that does when it did not.
void keepTitrantThatTitrates(chemistry::RedoxChoice& choice) {
    if (chemistry::titrationHappens(choice.beakerSpecies, choice.titrantSpecies)) return;
    const std::vector<int> titrants = chemistry::titrantsFor(choice.beakerSpecies);
    if (!titrants.empty()) choice.titrantSpecies = titrants.front();
}

}  // namespace

void restartWithNewChoice(Change& c) {
    resetToZero(c);
    stopPouring(c);
    drawBackground(c);
    restartDisplay(c);
    updateReadings(c);
    drawLiquidLevels(c);
    c.result.add(Changed::Controls);
}

ActionResult chooseTitrationKind(BenchState& bench, chemistry::TitrationKind kind) {
    return act(bench, [kind](Change& c) {
        BenchState& b = c.bench;
        if (b.solution.kind == kind) return;
        b.solution.kind = kind;
        if (kind == chemistry::TitrationKind::Redox) keepTitrantThatTitrates(b.solution.redox);
        if (kind == chemistry::TitrationKind::Precipitation)
            keepPrecipitatingTitrant(b.solution.precipitation);
        // The graphs of the other kind go with it.
        b.switches.amountGraph = false;
        b.switches.conductivityGraph = false;
        b.switches.potentialGraph = electrodesShown(b);
        restartWithNewChoice(c);
    });
}

ActionResult chooseRedoxBeakerSpecies(BenchState& bench, int species) {
    return act(bench, [species](Change& c) {
        BenchState& b = c.bench;
        if (!knownSpecies(species) || chemistry::titrantsFor(species).empty()) return;
        b.solution.redox.beakerSpecies = species;
        keepTitrantThatTitrates(b.solution.redox);
        restartWithNewChoice(c);
    });
}

ActionResult chooseRedoxTitrant(BenchState& bench, int species) {
    return act(bench, [species](Change& c) {
        BenchState& b = c.bench;
        if (!chemistry::titrationHappens(b.solution.redox.beakerSpecies, species)) return;
        b.solution.redox.titrantSpecies = species;
        restartWithNewChoice(c);
    });
}

ActionResult chooseRedoxIndicator(BenchState& bench, int indicator) {
    return act(bench, [indicator](Change& c) {
        if (indicator < 0 || indicator >= static_cast<int>(chemistry::redoxIndicators().size())) return;
        c.bench.solution.redox.indicator = indicator;
        if (c.bench.situations.current != -1) resetToZero(c);
        drawLiquidLevels(c);
        c.result.add(Changed::Controls);
    });
}

ActionResult chooseReferenceElectrode(BenchState& bench, int reference) {
    return act(bench, [reference](Change& c) {
        BenchState& b = c.bench;
        if (reference < -1 || reference >= static_cast<int>(chemistry::referenceElectrodes().size())) return;
        const bool came = reference >= 0 && b.solution.redox.reference < 0;
        b.solution.redox.reference = reference;
        // The E graph is shown when the electrodes come; the choice stays while they are away.
        if (came) b.switches.potentialGraph = true;
        restartWithNewChoice(c);
    });
}

std::string redoxEquationOf(const chemistry::SolutionSpec& solution) {
    if (!redoxTitration(solution)) return {};
    return chemistry::redoxEquation(solution.redox.beakerSpecies, solution.redox.titrantSpecies);
}

void loadRedoxChoice(BenchState& bench, const chemistry::Situation& s) {
    chemistry::SolutionSpec& solution = bench.solution;
    solution.kind = s.kind;
    chemistry::RedoxChoice& choice = solution.redox;
    if (chemistry::titrationHappens(s.redoxBeakerSpecies, s.redoxTitrantSpecies)) {
        choice.beakerSpecies = s.redoxBeakerSpecies;
        choice.titrantSpecies = s.redoxTitrantSpecies;
    }
    if (s.redoxIndicator >= 0 && s.redoxIndicator < static_cast<int>(chemistry::redoxIndicators().size()))
        choice.indicator = s.redoxIndicator;
    if (s.redoxReference >= -1 &&
        s.redoxReference < static_cast<int>(chemistry::referenceElectrodes().size()))
        choice.reference = s.redoxReference;
}

void describeRedoxBeaker(const BenchState& bench, ApparatusScene& scene) {
    const chemistry::RedoxChoice& choice = bench.solution.redox;
    const auto species = chemistry::redoxSpecies();
    if (knownSpecies(choice.titrantSpecies))
        scene.titrant = std::string(species[static_cast<std::size_t>(choice.titrantSpecies)].name);
    if (knownSpecies(choice.beakerSpecies)) {
        const chemistry::RedoxSpecies& titrated = species[static_cast<std::size_t>(choice.beakerSpecies)];
        const auto couples = chemistry::redoxCouples();
        std::string couple;
        if (titrated.couple >= 0 && titrated.couple < static_cast<int>(couples.size())) {
            const chemistry::RedoxCouple& c = couples[static_cast<std::size_t>(titrated.couple)];
            couple = "couple " + std::string(c.oxidant) + "/" + std::string(c.reductant);
        }
        scene.beakerSolutes.push_back({std::string(titrated.name), couple});
    }
    const auto setUp = chemistry::redoxSetUp(bench.solution);
    if (!setUp) return;
    if (const auto point = chemistry::solveRedox(*setUp, fieldValue(bench, Field::PouredVolume)))
        scene.liquid = chemistry::redoxLiquidColour(*setUp, *point);
}

}  // namespace state
