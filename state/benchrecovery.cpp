#include "state/benchrecovery.h"

#include <algorithm>
#include <variant>

#include "numbers/picture.h"
#include "state/change.h"

namespace state {

namespace {

// The volumes the display recorded a measurement at since it last started again: the table's
// rows, or the graph's marks when they are more (the σ graph with the pH-meter hidden, whose
// measurements have no rows).
std::vector<double> recordedVolumes(const BenchState& b) {
    std::vector<double> rows;
    for (const chemistry::TitrationPoint& point : b.rows.points()) rows.push_back(point.volume);
    std::vector<double> marks;
    for (const GraphItem& item : b.graph.items()) {
        // A measurement marks each series of its meter once: its first series counts it.
        if (const auto* mark = std::get_if<GraphMark>(&item); mark && mark->series == 0)
            marks.push_back(mark->volume);
    }
    return marks.size() > rows.size() ? marks : rows;
}

int curveCount(const BenchState& b) {
    return static_cast<int>(b.graph.curves().size());
}

// The measurements a pour recorded after the display started again are recorded again, each at
// its volume as the pour recorded it; a display that already shows them (a finished titration,
// rebuilt whole) is left as it is.
void recordAgain(Change& c, const std::vector<double>& volumes) {
    BenchState& b = c.bench;
    const std::vector<double> shown = recordedVolumes(b);
    if (shown.size() >= volumes.size() || !std::equal(shown.begin(), shown.end(), volumes.begin())) return;
    const std::string poured = field(b, Field::PouredVolume).text();
    for (std::size_t i = shown.size(); i < volumes.size(); ++i) {
        // A tick pours tenths and a drop twentieths: two decimals give the text that was poured.
        setPouredVolumeText(c, numbers::formatPicture(volumes[i], "#0.0#"));
        updateReadings(c);
        recordMeasurement(c);
    }
    setPouredVolumeText(c, poured);
    updateReadings(c);
    drawLiquidLevels(c);
}

}  // namespace

BenchSnapshot snapshotBench(const BenchState& b) {
    BenchSnapshot s;
    s.records = b.situations.records;
    s.drawnConcentrationHidden = b.situations.drawnConcentrationHidden;
    s.current = std::max(0, b.situations.current);
    s.panel = s.records[static_cast<std::size_t>(s.current)];
    chemistry::storeSolution(s.panel, b.solution);
    s.panel.showBurette = b.switches.showBurette;
    s.panel.showPhMeter = b.switches.showPhMeter;
    s.panel.concentrationMasked = b.switches.concentrationMasked;
    s.maskEnabled = b.switches.maskEnabled;
    s.superposeCurves = b.switches.superposeCurves;
    s.boldStrokes = b.switches.boldStrokes;
    s.showConductimeter = b.switches.showConductimeter;
    s.conductivityGraph = b.switches.conductivityGraph;
    s.amountGraph = b.switches.amountGraph;
    s.potentialGraph = b.switches.potentialGraph;
    s.highContrast = b.switches.highContrast;
    s.stepTenths = b.stepTenths;
    s.glassware = b.glassware;
    s.rowVolumes = recordedVolumes(b);
    s.curveCount = curveCount(b);
    s.measurements = b.lab.points;
    return s;
}

ActionResult restoreBench(BenchState& bench, const BenchSnapshot& snapshot) {
    return act(bench, [&snapshot](Change& c) {
        BenchState& b = c.bench;
        endDrop(c);
        if (b.burette.pouring || b.burette.tapOpen) releaseTap(c);
        Switches& switches = b.switches;
        switches.superposeCurves = snapshot.superposeCurves;
        switches.boldStrokes = snapshot.boldStrokes;
        switches.showConductimeter = snapshot.showConductimeter;
        switches.conductivityGraph = snapshot.conductivityGraph;
        switches.amountGraph = snapshot.amountGraph;
        switches.potentialGraph = snapshot.potentialGraph;
        if (!switches.showConductimeter) b.readings.conductivity.clear();
        switches.highContrast = snapshot.highContrast;
        b.stepTenths = snapshot.stepTenths;
        c.result.add(Changed::Step);
        b.glassware = snapshot.glassware;
        b.situations.records = snapshot.records;
        b.situations.drawnConcentrationHidden = snapshot.drawnConcentrationHidden;
        replaceAllMeasurements(b, snapshot.measurements);
        // The panel is shown through its situation's record, which then takes back what it held:
        // the panel may hold what was not stored yet.
        const auto current = static_cast<std::size_t>(snapshot.current);
        b.situations.records[current] = snapshot.panel;
        showSituation(c, snapshot.current);
        b.situations.records[current] = snapshot.records[current];
        // A finished titration whose display started again since it was shown (a field validated)
        // draws its curve once, not once more over the finished curves.
        if (curveCount(b) > snapshot.curveCount) restartDisplay(c);
        switches.maskEnabled = snapshot.maskEnabled;
        recordAgain(c, snapshot.rowVolumes);
        c.result.add(Changed::History);
        c.result.add(Changed::Controls);
    });
}

}  // namespace state
