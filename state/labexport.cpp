#include "state/labexport.h"

#include <limits>

#include "chemistry/chemistry.h"
#include "state/benchstate.h"
#include "state/measurementrows.h"

namespace state {

measurements::CsvTable tableForExport(const MeasurementRows& rows) {
    measurements::CsvTable table;
    table.headers = {"V (mL)", "pH", "[H3O+] (mol/L)", "[HO-] (mol/L)"};
    const bool wide = rows.columns() > MeasurementRows::kNarrowColumns;
    // A mixture's columns are the forms water holds, named as the table names them.
    const std::vector<std::string>& forms = rows.formNames();
    for (const std::string& form : forms) table.headers.push_back("[" + form + "] (mol/L)");
    if (wide && forms.empty())
        table.headers.insert(table.headers.end(), {"[acide] (mol/L)", "[base] (mol/L)"});
    // Last, as the lab reader takes it back: "V;pH;…;σ".
    if (rows.hasConductivity()) table.headers.emplace_back("σ (mS/cm)");
    for (int i = 0; i < rows.count(); ++i) {
        const chemistry::TitrationPoint& p = rows.points()[static_cast<std::size_t>(i)];
        std::vector<double> row{p.volume, p.pH, p.hydronium, p.hydroxide};
        // An empty cell where the engine left a form out, as in the table.
        for (int j = 0; j < static_cast<int>(forms.size()); ++j)
            row.push_back(j < p.formCount ? p.forms[static_cast<std::size_t>(j)]
                                          : std::numeric_limits<double>::quiet_NaN());
        if (wide && forms.empty()) row.insert(row.end(), {p.acidForm, p.basicForm});
        if (rows.hasConductivity()) row.push_back(rows.conductivity(i).value_or(0.0));
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
