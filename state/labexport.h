#pragma once
// What "Exporter…" writes: the table of values as shown, and the theoretical curve beside it.
#include <vector>

#include "measurements/csvwriter.h"
#include "measurements/measuredpoint.h"

namespace state {

struct BenchState;
class MeasurementRows;

// The table's columns as shown, each header with its unit, and its rows.
measurements::CsvTable tableForExport(const MeasurementRows& rows);
// The current situation's theoretical curve once its titration is complete; empty before.
std::vector<measurements::CurvePoint> theoreticalCurve(const BenchState& bench);

}  // namespace state
