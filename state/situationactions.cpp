#include "state/situationactions.h"

#include "chemistry/indicators.h"
#include "state/change.h"
#include "state/extensioncodec.h"
#include "state/glasswarebench.h"
#include "state/precipitationbench.h"
#include "state/redoxbench.h"

namespace state {

namespace {

void storeCurrentSituation(Change& c) {
    BenchState& b = c.bench;
    const auto current = static_cast<std::size_t>(b.situations.current);
    chemistry::Situation& s = b.situations.records[current];
    // A titration followed by either meter is a finished one.
    const bool followed = b.switches.showPhMeter || b.switches.showConductimeter;
    if (followed && pouredVolume(b) >= chemistry::kBuretteCapacity) s.completed = true;
    chemistry::storeSolution(s, b.solution);
    s.showBurette = b.switches.showBurette;
    s.showPhMeter = b.switches.showPhMeter;
    s.concentrationMasked = b.switches.concentrationMasked;
    // A concentration the die drew stays hidden with its situation until it is revealed.
    b.situations.drawnConcentrationHidden[current] =
        b.switches.concentrationMasked && !b.switches.maskEnabled;
    stopPouring(c);
    setField(c, Field::PouredVolume, "0");
    validateField(c, Field::PouredVolume);
}

// The controls take the situation's values. The restarts their own actions would run are left
// out: they would end the completion of the situation being shown, and the display is restarted
// after anyway.
void loadControls(Change& c, int index) {
    BenchState& b = c.bench;
    const chemistry::Situation& s = b.situations.records[static_cast<std::size_t>(index)];
    if (b.solution.beakerIsAcid != s.beakerIsAcid) {
        b.solution.beakerIsAcid = s.beakerIsAcid;
        refillSoluteList(c);
    }
    Switches& switches = b.switches;
    switches.showBurette = s.showBurette;
    switches.showPhMeter = s.showPhMeter;
    switches.concentrationMasked = s.concentrationMasked;
    switches.maskEnabled = !(switches.concentrationMasked &&
                             b.situations.drawnConcentrationHidden[static_cast<std::size_t>(index)]);
    if (chemistry::SpeciesCatalogue::isKnown(b.solution.beakerIsAcid, s.speciesIndex))
        b.solution.speciesIndex = s.speciesIndex;
    b.solution.secondSpeciesIndex =
        chemistry::SpeciesCatalogue::isKnown(b.solution.beakerIsAcid, s.secondSpeciesIndex)
            ? s.secondSpeciesIndex
            : -1;
    b.controls.distributionEnabled =
        !chemistry::SpeciesCatalogue::isStrong(b.solution.beakerIsAcid, b.solution.speciesIndex);
    if (s.indicatorIndex >= 0 && s.indicatorIndex < chemistry::IndicatorTable::kCount)
        b.solution.indicatorIndex = s.indicatorIndex;
    loadRedoxChoice(b, s);
    loadPrecipitationChoice(b, s);
    c.result.add(Changed::Controls);
}

void setDefaults(Change& c) {
    BenchState& b = c.bench;
    b.solution = chemistry::SolutionSpec{};
    b.glassware = {};
    b.readings.pouredVolume = b.solution.pouredVolume.text() + " mL";
    b.situations.records.fill(chemistry::defaultSituation());
    replaceAllMeasurements(b, {});
    b.situations.current = -1;
    c.result.add(Changed::Controls);
    c.result.add(Changed::Readings);
}

}  // namespace

void switchSituation(Change& c, int index) {
    if (index < 0 || index >= kSituationCount) return;
    setToolbarVisible(c, false);
    if (c.bench.situations.current != -1) storeCurrentSituation(c);
    showSituation(c, index);
}

void showSituation(Change& c, int index) {
    if (index < 0 || index >= kSituationCount) return;
    BenchState& b = c.bench;
    setToolbarVisible(c, false);
    b.situations.current = index;
    refreshDelivery(c);
    const chemistry::Situation s = b.situations.records[static_cast<std::size_t>(index)];
    loadControls(c, index);
    setField(c, Field::OtherPKa, s.otherPKaText);
    setField(c, Field::SecondPKa, s.secondPKaText);
    setField(c, Field::SecondConcentration, s.secondConcentrationText);
    setField(c, Field::TitrantConcentration, s.titrantConcentrationText);
    setField(c, Field::BeakerConcentration, s.beakerConcentrationText);
    setField(c, Field::BeakerVolume, s.beakerVolumeText);
    setField(c, Field::WaterVolume, s.waterVolumeText);
    setField(c, Field::SulfuricAcid, s.sulfuricAcidText);
    setField(c, Field::Chromate, s.chromateText);
    restartDisplay(c);
    setPouredVolumeText(c, s.pouredVolumeText);
    drawBackground(c);
    updateReadings(c);
    drawLiquidLevels(c);
    if (pouredVolume(b) >= chemistry::kBuretteCapacity) traceCurrentCurve(c);
    c.result.add(Changed::Controls);
}

ActionResult setDefaults(BenchState& bench) {
    return act(bench, [](Change& c) { setDefaults(c); });
}

ActionResult start(BenchState& bench) {
    return act(bench, [](Change& c) {
        switchSituation(c, 0);
        drawLiquidLevels(c);
        updateReadings(c);
        c.bench.stepTenths = 5;
        c.result.add(Changed::Step);
        restartDisplay(c);
    });
}

ActionResult switchSituation(BenchState& bench, int index) {
    return act(bench, [index](Change& c) { switchSituation(c, index); });
}

ActionResult loadConfiguration(BenchState& bench, const configuration::ConfigurationFile& file) {
    return act(bench, [&file](Change& c) {
        BenchState& b = c.bench;
        // A titration being poured belongs to the set-up that is replaced: the tap closes first, as
        // leaving a situation stops it, so that nothing is poured into the situations just read.
        if (b.burette.pouring || b.burette.tapOpen) releaseTap(c);
        // The read values are all in place before Situation 1 is shown, and nothing of the panel is
        // stored over them.
        setConcentrationMasked(c, file.concentrationMasked);
        b.switches.superposeCurves = file.superposeCurves;
        b.switches.boldStrokes = file.boldStrokes;
        b.situations.records = file.situations;
        b.situations.drawnConcentrationHidden.fill(false);
        for (const ExtensionCodec* codec : extensionCodecs()) codec->load(file, b);
        showSituation(c, 0);
    });
}

ActionResult updateReadings(BenchState& bench) {
    return act(bench, [](Change& c) { updateReadings(c); });
}

ActionResult refreshApparatus(BenchState& bench) {
    return act(bench, [](Change& c) {
        drawBackground(c);
        drawLiquidLevels(c);
        updateReadings(c);
    });
}

}  // namespace state
