#include "state/labexport.h"

#include "chemistry/chemistry.h"
#include "state/benchstate.h"
#include "state/measurementrows.h"

namespace state {

measurements::CsvTable tableForExport(const MeasurementRows& rows) {
    measurements::CsvTable table;
    table.headers = {"V (mL)", "pH", "[H3O+] (mol/L)", "[HO-] (mol/L)"};
    const bool wide = rows.columns() > MeasurementRows::kNarrowColumns;
    if (wide) table.headers.insert(table.headers.end(), {"[acide] (mol/L)", "[base] (mol/L)"});
    for (const chemistry::TitrationPoint& p : rows.points()) {
        std::vector<double> row{p.volume, p.pH, p.hydronium, p.hydroxide};
        if (wide) row.insert(row.end(), {p.acidForm, p.basicForm});
        table.rows.push_back(std::move(row));
    }
    return table;
}

std::vector<measurements::CurvePoint> theoreticalCurve(const BenchState& bench) {
    const chemistry::Situation* situation = currentSituation(bench);
    if (!situation || !situation->completed) return {};
    // The engine's state is a scratch copy: tracing must not move the bench's own.
    chemistry::EngineState engine = bench.engine;
    std::vector<measurements::CurvePoint> curve;
    for (const chemistry::CurveVertex& v : chemistry::traceCurve(bench.solution, catalogue(), engine))
        curve.push_back({v.volume, v.pH});
    return curve;
}

}  // namespace state
