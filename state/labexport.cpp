#include "state/labexport.h"

#include <algorithm>
#include <limits>

#include "chemistry/chemistry.h"
#include "state/benchstate.h"
#include "state/measurementrows.h"

namespace state {

namespace {

constexpr const char* kVolume = "V (mL)";
constexpr const char* kPh = "pH";
constexpr const char* kConductivity = "σ (mS/cm)";

// "a", "a et b", "a, b et c".
std::string listed(const std::vector<std::string>& parts, const std::string& last,
                   const std::string& between) {
    std::string text;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) text += i + 1 == parts.size() ? last : between;
        text += parts[i];
    }
    return text;
}

}  // namespace

measurements::CsvTable measuredForExport(const std::vector<measurements::MeasuredPoint>& points) {
    measurements::CsvTable table{{kVolume}, {}};
    // The readings some point has (the required ones always), as the lab reader takes them back.
    std::vector<const measurements::LabReading*> columns;
    for (const Meter& meter : meters()) {
        const measurements::LabReading* reading = labReading(meter);
        if (!reading) continue;
        const bool measured =
            std::any_of(points.begin(), points.end(),
                        [&](const measurements::MeasuredPoint& p) { return p.has(reading->slot); });
        if (!measured && !reading->required) continue;
        columns.push_back(reading);
        table.headers.push_back(meter.heading());
    }
    constexpr double kNotMeasured = std::numeric_limits<double>::quiet_NaN();
    for (const measurements::MeasuredPoint& p : points) {
        std::vector<double> row{p.volume};
        for (const measurements::LabReading* reading : columns)
            row.push_back(p.has(reading->slot) ? p.reading(reading->slot) : kNotMeasured);
        table.rows.push_back(std::move(row));
    }
    return table;
}

measurements::CsvTable tableForExport(const MeasurementRows& rows) {
    measurements::CsvTable table;
    table.headers = {kVolume, kPh, "[H3O+] (mol/L)", "[HO-] (mol/L)"};
    const bool wide = rows.columns() > MeasurementRows::kNarrowColumns;
    // A mixture's columns are the forms water holds, named as the table names them.
    const std::vector<std::string>& forms = rows.formNames();
    for (const std::string& form : forms) table.headers.push_back("[" + form + "] (mol/L)");
    if (wide && forms.empty())
        table.headers.insert(table.headers.end(), {"[acide] (mol/L)", "[base] (mol/L)"});
    // Last, as the lab reader takes it back: "V;pH;…;σ".
    for (const Meter* meter : rows.meterColumns()) table.headers.push_back(meter->heading());
    for (int i = 0; i < rows.count(); ++i) {
        const chemistry::TitrationPoint& p = rows.points()[static_cast<std::size_t>(i)];
        std::vector<double> row{p.volume, p.pH, p.hydronium, p.hydroxide};
        // An empty cell where the engine left a form out, as in the table.
        for (int j = 0; j < static_cast<int>(forms.size()); ++j)
            row.push_back(j < p.formCount ? p.forms[static_cast<std::size_t>(j)]
                                          : std::numeric_limits<double>::quiet_NaN());
        if (wide && forms.empty()) row.insert(row.end(), {p.acidForm, p.basicForm});
        for (const Meter* meter : rows.meterColumns()) row.push_back(rows.reading(i, *meter).value_or(0.0));
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

ExportSources exportSources(const BenchState& bench) {
    return {measuredForExport(currentMeasurements(bench)), tableForExport(bench.rows),
            theoreticalCurve(bench)};
}

ExportChoice defaultChoice(const ExportSources& sources) {
    ExportChoice choice;
    choice.measured = !sources.measured.rows.empty();
    choice.table = !sources.table.rows.empty() && (sources.table.rows.size() > 1 || !choice.measured);
    return choice;
}

std::vector<measurements::CsvTable> exportedBlocks(const ExportSources& sources, ExportChoice choice) {
    std::vector<measurements::CsvTable> blocks;
    if (choice.measured) blocks.push_back(sources.measured);
    if (choice.table) {
        measurements::CsvTable table = sources.table;
        if (choice.measured) {
            for (std::string& header : table.headers) {
                if (header == kVolume) header = "V simulé (mL)";
                if (header == kPh) header = "pH simulé";
                if (header == kConductivity) header = "σ simulée (mS/cm)";
            }
        }
        blocks.push_back(std::move(table));
    }
    if (choice.curve && !sources.curve.empty()) blocks.push_back(measurements::curveTable(sources.curve));
    return blocks;
}

ExportNames exportNames(ExportChoice choice) {
    std::vector<std::string> what;
    std::vector<std::string> names;
    if (choice.measured) {
        what.emplace_back("les mesures du laboratoire");
        names.emplace_back("mesures-labo");
    }
    if (choice.table) {
        what.emplace_back("le tableau de valeurs simulé");
        names.emplace_back("tableau-simule");
    }
    if (choice.curve) {
        what.emplace_back("la courbe théorique");
        names.emplace_back("courbe-theorique");
    }
    if (what.empty()) return {"Exporter", "export"};
    return {"Exporter " + listed(what, " et ", ", "), listed(names, "-", "-")};
}

}  // namespace state
