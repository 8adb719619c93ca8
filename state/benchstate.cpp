#include "state/benchstate.h"

#include "chemistry/beakermixture.h"
#include "chemistry/titrationmodel.h"
#include "state/apparatusgeometry.h"
#include "state/glasswarebench.h"
#include "state/potentiometry.h"
#include "state/precipitationbench.h"
#include "state/redoxbench.h"

namespace state {

const chemistry::SpeciesCatalogue& catalogue() {
    static const chemistry::SpeciesCatalogue species;
    return species;
}

const numbers::TypedNumber& field(const BenchState& bench, Field which) {
    const chemistry::SolutionSpec& s = bench.solution;
    switch (which) {
        case Field::BeakerConcentration:
            return s.beakerConcentration;
        case Field::TitrantConcentration:
            return s.titrantConcentration;
        case Field::OtherPKa:
            return s.otherPKa;
        case Field::SecondPKa:
            return s.secondPKa;
        case Field::SecondConcentration:
            return s.secondConcentration;
        case Field::BeakerVolume:
            return s.beakerVolume;
        case Field::PouredVolume:
            return s.pouredVolume;
        case Field::SulfuricAcid:
            return s.redox.sulfuricAcid;
        case Field::Chromate:
            return s.precipitation.chromate;
        case Field::WaterVolume:
            break;
    }
    return s.waterVolume;
}

double fieldValue(const BenchState& bench, Field which) {
    return field(bench, which).valueOr(0.0);
}

const chemistry::Situation* currentSituation(const BenchState& bench) {
    const int current = bench.situations.current;
    if (current < 0 || current >= kSituationCount) return nullptr;
    return &bench.situations.records[static_cast<std::size_t>(current)];
}

Colour situationColour(const BenchState& bench, int slot) {
    return bench.colours.colour(slot);
}

Colour currentColour(const BenchState& bench) {
    return situationColour(bench, bench.situations.current);
}

bool finishedCurveShown(const BenchState& bench, int slot) {
    if (slot < 0 || slot >= kSituationCount) return false;
    const chemistry::Situation& s = bench.situations.records[static_cast<std::size_t>(slot)];
    return s.completed && (bench.switches.superposeCurves || slot == bench.situations.current);
}

chemistry::SolutionSpec setUpOf(const BenchState& bench, int slot) {
    if (slot == bench.situations.current || slot < 0 || slot >= kSituationCount) return bench.solution;
    chemistry::SolutionSpec setUp =
        chemistry::specOf(bench.situations.records[static_cast<std::size_t>(slot)]);
    setUp.delivery = deliveryOf(bench, slot);
    return setUp;
}

bool concentrationHidden(const BenchState& bench, int slot) {
    if (slot < 0 || slot >= kSituationCount) return bench.switches.concentrationMasked;
    const auto index = static_cast<std::size_t>(slot);
    const bool masked = slot == bench.situations.current
                            ? bench.switches.concentrationMasked
                            : bench.situations.records[index].concentrationMasked;
    return masked || bench.situations.drawnConcentrationHidden[index];
}

namespace {

// A solute and its forms found in water, as the label under the legend lists them.
BeakerSolute beakerSolute(const chemistry::SolutionSpec& solution, bool second) {
    const int index = second ? solution.secondSpeciesIndex : solution.speciesIndex;
    BeakerSolute solute{catalogue().speciesName(solution.beakerIsAcid, index), {}};
    const std::vector<std::string> forms = second ? chemistry::secondSoluteFormNames(solution, catalogue())
                                                  : chemistry::firstSoluteFormNames(solution, catalogue());
    for (const std::string& form : forms) {
        if (!solute.forms.empty()) solute.forms += ", ";
        solute.forms += form;
    }
    return solute;
}

}  // namespace

bool drawsInHighContrast(const BenchState& bench) {
    return bench.switches.highContrast || bench.switches.themeHighContrast;
}

ApparatusScene apparatusScene(const BenchState& bench) {
    ApparatusScene s;
    s.highContrast = drawsInHighContrast(bench);
    s.showBurette = bench.switches.showBurette;
    s.showPhMeter = bench.switches.showPhMeter;
    s.showConductimeter = bench.switches.showConductimeter && !redoxTitration(bench);
    s.showElectrodes = electrodesShown(bench);
    s.beakerIsAcid = bench.solution.beakerIsAcid;
    s.indicatorIndex = bench.solution.indicatorIndex;
    s.beakerVolume = fieldValue(bench, Field::BeakerVolume);
    s.pouredVolume = fieldValue(bench, Field::PouredVolume);
    s.waterVolume = fieldValue(bench, Field::WaterVolume);
    s.pH = bench.engine.pH;
    s.pouring = bench.burette.pouring;
    s.tapOpen = bench.burette.tapOpen;
    const chemistry::SolutionSpec& solution = bench.solution;
    if (redoxTitration(solution)) {
        describeRedoxBeaker(bench, s);
        return s;
    }
    if (precipitationTitration(solution)) {
        describePrecipitationBeaker(bench, s);
        return s;
    }
    // The label names the forms when the table lists them.
    if (chemistry::makeTitrationModel(solution, catalogue())->listsForms()) {
        s.beakerSolutes.push_back(beakerSolute(solution, false));
        if (solution.secondSpeciesIndex >= 0) s.beakerSolutes.push_back(beakerSolute(solution, true));
    }
    return s;
}

int liquidSurface(const BenchState& bench) {
    return ApparatusGeometry::liquidSurface(fieldValue(bench, Field::BeakerVolume),
                                            fieldValue(bench, Field::PouredVolume),
                                            fieldValue(bench, Field::WaterVolume));
}

}  // namespace state
