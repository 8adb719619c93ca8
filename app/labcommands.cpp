#include "app/labcommands.h"

#include <QPainter>

#include "platform/surface.h"
#include "windows/measurements/graphexport.h"
#include "windows/measurements/measuremententrywindow.h"
#include "windows/measurements/measurementexport.h"
#include "windows/measurements/measurementimport.h"
#include "workbench/benchcontroller.h"
#include "workbench/graphcanvas.h"
#include "workbench/graphpainter.h"
#include "workbench/mainwindow.h"
#include "workbench/measurementpage.h"

using workbench::LabCommand;

measurements::CsvTable tableForExport(const state::MeasurementRows& rows) {
    measurements::CsvTable table;
    table.headers = {"V (mL)", "pH", "[H3O+] (mol/L)", "[HO-] (mol/L)"};
    const bool wide = rows.columns() > state::MeasurementRows::kNarrowColumns;
    if (wide) table.headers.insert(table.headers.end(), {"[acide] (mol/L)", "[base] (mol/L)"});
    for (const chemistry::TitrationPoint& p : rows.points()) {
        std::vector<double> row{p.volume, p.pH, p.hydronium, p.hydroxide};
        if (wide) row.insert(row.end(), {p.acidForm, p.basicForm});
        table.rows.push_back(std::move(row));
    }
    return table;
}

std::vector<measurements::CurvePoint> theoreticalCurve(const state::BenchState& bench) {
    const chemistry::Situation* situation = state::currentSituation(bench);
    if (!situation || !situation->completed) return {};
    chemistry::EngineState engine = bench.engine;
    std::vector<measurements::CurvePoint> curve;
    for (const chemistry::CurveVertex& v : chemistry::traceCurve(bench.solution, state::catalogue(), engine))
        curve.push_back({v.volume, v.pH});
    return curve;
}

void connectLabCommands(workbench::MainWindow& window) {
    workbench::MeasurementPage& page = window.measurementPage();
    workbench::BenchController& bench = window.workbench();
    platform::MessageBoxes& boxes = window.services().messageBoxes;
    page.setAction(LabCommand::Import, [&window, &bench, &boxes] {
        measurementwindows::openMeasurementImport(
            boxes, &window, [&bench](measurementwindows::ImportedMeasurements m) {
                bench.perform(state::setMeasurements, std::move(m.points));
            });
    });
    page.setAction(LabCommand::Enter, [&window, &bench, &boxes] {
        const state::MeasuredPoints& points = state::currentMeasurements(bench.state());
        bool withConductivity = false;
        for (const auto& p : points) withConductivity = withConductivity || p.conductivity != 0;
        measurementwindows::openMeasurementEntry(points, withConductivity, window.services().clipboard, boxes,
                                                 &window, [&bench](state::MeasuredPoints entered) {
                                                     bench.perform(state::setMeasurements,
                                                                   std::move(entered));
                                                 });
    });
    page.setAction(LabCommand::Export, [&window, &bench, &boxes] {
        measurementwindows::openMeasurementExport(tableForExport(bench.state().rows),
                                                  theoreticalCurve(bench.state()), boxes,
                                                  window.saveLocations(), &window);
    });
    page.setAction(LabCommand::SaveGraph, [&window, &bench, &boxes] {
        // The graph as the bench holds it, drawn again at the size chosen: the frame's pixels
        // scaled by the surface's ratio, so that lines stay sharp.
        const auto draw = [&bench](QPainter& painter, QSize size) {
            const double ratio =
                std::min(static_cast<double>(size.width()) / workbench::GraphCanvas::kWidth,
                         static_cast<double>(size.height()) / workbench::GraphCanvas::kHeight);
            platform::Surface surface(workbench::GraphCanvas::kWidth, workbench::GraphCanvas::kHeight);
            surface.setDevicePixelRatio(std::max(ratio, 0.1));
            workbench::GraphPainter(surface).draw(bench.state().graph);
            QImage picture = surface.image();
            picture.setDevicePixelRatio(1);
            painter.drawImage(QPoint(0, 0), picture);
        };
        measurementwindows::openGraphExport(
            draw, QSize(workbench::GraphCanvas::kWidth, workbench::GraphCanvas::kHeight), boxes,
            window.saveLocations(), &window);
    });
}
