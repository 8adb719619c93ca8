#pragma once
// What "Exporter…" writes, each part chosen in its window: the lab's points, the table of values
// as shown, and the theoretical curve.
#include <string>
#include <vector>

#include "measurements/csvwriter.h"
#include "measurements/measuredpoint.h"

namespace state {

struct BenchState;
class MeasurementRows;

// The lab's points: V, pH, and a σ column when some point has σ, its cell empty where there is none.
measurements::CsvTable measuredForExport(const std::vector<measurements::MeasuredPoint>& points);
// The table's columns as shown, each header with its unit, and its rows.
measurements::CsvTable tableForExport(const MeasurementRows& rows);
// The current situation's theoretical curve once its titration is complete; empty before.
std::vector<measurements::CurvePoint> theoreticalCurve(const BenchState& bench);

struct ExportSources {
    measurements::CsvTable measured;
    measurements::CsvTable table;
    std::vector<measurements::CurvePoint> curve;
};
// The current situation's three parts.
ExportSources exportSources(const BenchState& bench);

struct ExportChoice {
    bool measured = false;
    bool table = false;
    bool curve = false;
    bool any() const { return measured || table || curve; }
};
// What the window ticks first: the lab's points when there are some; the table when it holds
// more than the beaker alone, or when there are no points.
ExportChoice defaultChoice(const ExportSources& sources);
// The blocks written side by side, in this order. Beside the lab's points, the table's V, pH and
// σ are named as simulated, so that the file read back gives the lab's points.
std::vector<measurements::CsvTable> exportedBlocks(const ExportSources& sources, ExportChoice choice);

// The save dialog's title and the file's first name: what is written.
struct ExportNames {
    std::string title;
    std::string fileName;
};
ExportNames exportNames(ExportChoice choice);

}  // namespace state
