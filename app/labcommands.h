#pragma once
// The table page's lab commands handed to the main window: the import and the typed entry of
// measurements, the table's export as CSV and the graph saved as a file.
#include <vector>

#include "measurements/csvwriter.h"
#include "state/benchstate.h"

namespace workbench {
class MainWindow;
}

// The table's columns as shown, each header with its unit, and its rows.
measurements::CsvTable tableForExport(const state::MeasurementRows& rows);
// The current situation's theoretical curve once its titration is complete; empty before.
std::vector<measurements::CurvePoint> theoreticalCurve(const state::BenchState& bench);

void connectLabCommands(workbench::MainWindow& window);
