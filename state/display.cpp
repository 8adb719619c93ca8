// The procedures the actions share: the readings, the measurements, the restart of the display
// and the curves of the finished situations.
#include <algorithm>
#include <utility>

#include "chemistry/beakermixture.h"
#include "chemistry/titration.h"
#include "chemistry/titrationmodel.h"
#include "numbers/picture.h"
#include "state/amountgraph.h"
#include "state/change.h"
#include "state/conductimetry.h"
#include "state/labmeasurements.h"
#include "state/potentiometry.h"

namespace state {

namespace {

// The table restarts with the columns of the set-up: one per form of each solute when its model
// lists them, else the acid and basic forms of its pair.
void resetTable(BenchState& b) {
    if (chemistry::makeTitrationModel(b.solution, catalogue())->listsForms()) {
        b.rows.reset(chemistry::formNames(b.solution, catalogue()));
    } else {
        b.rows.reset(chemistry::SpeciesCatalogue::isStrong(b.solution.beakerIsAcid, b.solution.speciesIndex)
                         ? MeasurementRows::kNarrowColumns
                         : MeasurementRows::kWideColumns);
    }
    std::vector<const Meter*> columns;
    for (const Meter& meter : meters()) {
        if (meter.tableColumn && meter.shown(b)) columns.push_back(&meter);
    }
    b.rows.setMeterColumns(std::move(columns));
}

// What each meter column's meter reads at a row, when it is there to measure it.
std::vector<std::optional<double>> readingsOf(const BenchState& b, const chemistry::TitrationPoint& point) {
    std::vector<std::optional<double>> readings;
    for (const Meter* meter : b.rows.meterColumns())
        readings.push_back(meter->shown(b) ? meter->read(b, point) : std::nullopt);
    return readings;
}

// A completed current situation whose panel no longer gives its titration is completed no more.
void endCompletionIfReshaped(Change& c) {
    BenchState& b = c.bench;
    if (b.situations.current < 0) return;
    chemistry::Situation& s = b.situations.records[static_cast<std::size_t>(b.situations.current)];
    if (!s.completed || chemistry::sameTitration(b.solution, s)) return;
    // Its stored curve, its table and its analyses would describe a titration the panel no longer
    // shows: it starts again, as after a change of solute.
    s.completed = false;
    setToolbarVisible(c, false);
}

// The finished titration replayed into the table, and the panel showing again the volume the
// pupil poured.
void rebuildMeasurements(Change& c) {
    BenchState& b = c.bench;
    const chemistry::Replay replay =
        chemistry::replayMeasurements(b.solution, catalogue(), b.stepTenths, b.engine);
    if (b.situations.current >= 0 && b.switches.showPhMeter) {
        for (const auto& row : replay.rows) {
            if (row.volume == 0) b.rows.clear();
            b.rows.append(row, readingsOf(b, row));
        }
        c.result.add(Changed::Rows);
    }
    // The panel shows again the volume the pupil poured, not the last row's.
    const numbers::TypedNumber poured =
        b.situations.records[static_cast<std::size_t>(std::max(0, b.situations.current))].pouredVolumeText;
    const double pouredVolume = poured.valueOr(0.0);
    const bool pouredIsUsable = pouredVolume > 0 && pouredVolume <= chemistry::kBuretteCapacity;
    setPouredVolumeText(c, pouredIsUsable ? poured.text() : replay.lastPouredVolumeText);
    if (!replay.rows.empty()) {
        b.readings.pH = numbers::formatPicture(b.engine.pH, "#0.00");
        c.result.add(Changed::Readings);
    }
}

void redrawSituationCurves(Change& c) {
    BenchState& b = c.bench;
    c.result.add(Changed::History);
    const bool rebuild = drawFinishedCurves(c);
    b.engine = chemistry::deriveEngineState(b.solution, catalogue(), b.engine);
    if (rebuild) rebuildMeasurements(c);
    c.result.add(Changed::Controls);
}

// A measurement at the poured volume, with or without its mark.
// The table's rows follow the pH-meter; the graph's marks follow the meter of the graph shown.
void recordRow(Change& c, bool withMark) {
    BenchState& b = c.bench;
    if (b.situations.current < 0) return;
    const Meter& graphMeter = shownGraphMeter(b);
    const bool graphMeterShown = graphMeter.shown(b);
    if (!b.switches.showPhMeter && !graphMeterShown) return;
    const chemistry::TitrationPoint point = chemistry::measuredPoint(b.solution, catalogue(), b.engine);
    const bool initial = point.volume == 0;
    // A restart records the initial point, and so does the reading of the point that follows it:
    // the graph marks it once.
    if (withMark && graphMeterShown && !(initial && b.initialMarkGeneration == b.graph.generation())) {
        if (&graphMeter == &amountMeter()) placeAmountMarks(c, point);
        if (const std::optional<double> value = graphMeter.read(b, point))
            b.graph.placeMark(graphMeter, point.volume, *value, currentColour(b));
        if (initial) b.initialMarkGeneration = b.graph.generation();
        c.result.add(Changed::Graph);
    }
    if (!b.switches.showPhMeter) return;
    if (initial) b.rows.clear();
    b.rows.append(point, readingsOf(b, point));
    c.result.add(Changed::Rows);
}

}  // namespace

void updateReadings(Change& c) {
    BenchState& b = c.bench;
    const float pH = chemistry::computeCurrentPoint(b.solution, catalogue(), b.engine);
    if (b.engine.pouredVolume == 0) recordMeasurement(c);
    b.readings.pH = numbers::formatPicture(pH, "#0.00");
    updateConductivityReading(c);
    updatePotentialReading(c);
    c.result.add(Changed::Readings);
}

void recordMeasurement(Change& c) {
    recordRow(c, true);
}

void restartDisplay(Change& c) {
    BenchState& b = c.bench;
    // A drop still falling belongs to the run that ends here.
    endDrop(c);
    endCompletionIfReshaped(c);
    lockFields(c, false);
    setPouredVolumeText(c, "0,0");
    b.graph.setHighContrast(drawsInHighContrast(b));
    if (amountGraphShown(b)) {
        restartAmountGraph(c);
    } else if (potentialGraphShown(b)) {
        restartPotentialGraph(c);
    } else if (conductivityGraphShown(b)) {
        restartConductivityGraph(c);
    } else {
        b.graph.restart();
    }
    resetTable(b);
    b.graph.setStrokeWidth(b.switches.boldStrokes ? 2 : 1);
    c.result.add(Changed::Graph);
    c.result.add(Changed::Rows);
    redrawSituationCurves(c);
    if (conductivityGraphShown(b)) {
        drawLabConductivities(c);
    } else if (phGraphShown(b)) {
        drawLabMeasurements(c);
    }
    drawLiquidLevels(c);
    updateReadings(c);
}

void traceCurrentCurve(Change& c) {
    BenchState& b = c.bench;
    chemistry::EngineState engine = b.engine;
    std::vector<chemistry::CurveVertex> curve = chemistry::traceCurve(b.solution, catalogue(), engine);
    if (amountGraphShown(b)) {
        drawCurrentAmountCurves(c);
    } else if (potentialGraphShown(b)) {
        drawCurrentPotentialCurve(c);
    } else if (conductivityGraphShown(b)) {
        drawCurrentConductivityCurve(c);
    } else {
        b.graph.addCurve(phMeter(), seriesOf(curve), currentColour(b));
    }
    b.engine = engine;
    b.controls.toolbarVisible = true;
    c.result.add(Changed::Graph);
    c.result.add(Changed::Controls);
}

bool drawFinishedCurves(Change& c) {
    BenchState& b = c.bench;
    if (amountGraphShown(b) && b.graph.showsMeter(amountMeter())) return drawFinishedAmountCurves(c);
    if (potentialGraphShown(b) && b.graph.showsMeter(potentialMeter())) return drawFinishedPotentialCurves(c);
    if (conductivityGraphShown(b) && b.graph.showsMeter(conductivityMeter()))
        return drawFinishedConductivityCurves(c);
    bool currentDrawn = false;
    for (int slot = 0; slot < kSituationCount; ++slot) {
        const chemistry::Situation& s = b.situations.records[static_cast<std::size_t>(slot)];
        if (!s.completed || !(b.switches.superposeCurves || slot == b.situations.current)) continue;
        chemistry::EngineState engine = b.engine;
        b.graph.addCurve(phMeter(), seriesOf(chemistry::traceCurve(s, catalogue(), engine)),
                         situationColour(b, slot));
        c.result.add(Changed::Graph);
        if (slot == b.situations.current) {
            b.controls.toolbarVisible = true;
            currentDrawn = true;
        }
    }
    return currentDrawn;
}

void drawBackground(Change& c) {
    c.result.paint({ApparatusPaint::Kind::Background, apparatusScene(c.bench), 0});
}

void drawLiquidLevels(Change& c) {
    c.result.paint({ApparatusPaint::Kind::LiquidLevels, apparatusScene(c.bench), 0});
}

void setField(Change& c, Field which, std::string text) {
    chemistry::SolutionSpec& s = c.bench.solution;
    numbers::TypedNumber number(std::move(text));
    switch (which) {
        case Field::BeakerConcentration:
            s.beakerConcentration = std::move(number);
            break;
        case Field::TitrantConcentration:
            s.titrantConcentration = std::move(number);
            break;
        case Field::OtherPKa:
            s.otherPKa = std::move(number);
            break;
        case Field::SecondPKa:
            s.secondPKa = std::move(number);
            break;
        case Field::SecondConcentration:
            s.secondConcentration = std::move(number);
            break;
        case Field::BeakerVolume:
            s.beakerVolume = std::move(number);
            break;
        case Field::PouredVolume:
            s.pouredVolume = std::move(number);
            break;
        case Field::WaterVolume:
            s.waterVolume = std::move(number);
            break;
        case Field::SulfuricAcid:
            s.redox.sulfuricAcid = std::move(number);
            break;
        case Field::Chromate:
            s.precipitation.chromate = std::move(number);
            break;
    }
    c.result.add(Changed::Readings);
}

void setPouredVolumeText(Change& c, std::string text) {
    c.bench.readings.pouredVolume = text + " mL";
    setField(c, Field::PouredVolume, std::move(text));
}

void lockFields(Change& c, bool locked) {
    if (c.bench.controls.fieldsLocked == locked) return;
    c.bench.controls.fieldsLocked = locked;
    c.result.add(Changed::Controls);
}

void setToolbarVisible(Change& c, bool visible) {
    c.bench.controls.toolbarVisible = visible;
    c.result.add(Changed::Controls);
}

void setCurrentCompleted(Change& c, bool completed) {
    SituationBook& book = c.bench.situations;
    if (book.current < 0) return;
    book.records[static_cast<std::size_t>(book.current)].completed = completed;
}

void refillSoluteList(Change& c) {
    BenchState& b = c.bench;
    b.solution.speciesIndex = 0;
    b.solution.secondSpeciesIndex = -1;
    b.controls.distributionEnabled = !chemistry::SpeciesCatalogue::isStrong(b.solution.beakerIsAcid, 0);
    c.result.add(Changed::Controls);
}

}  // namespace state
