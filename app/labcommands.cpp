#include "app/labcommands.h"

#include "state/glasswarebench.h"
#include "state/labexport.h"
#include "state/meters.h"
#include "windows/glassware/glasswarewindow.h"
#include "windows/measurements/graphexport.h"
#include "windows/measurements/measuremententrywindow.h"
#include "windows/measurements/measurementexport.h"
#include "windows/measurements/measurementimport.h"
#include "windows/measurements/pythonexport.h"
#include "windows/progress/progresswindow.h"
#include "windows/uncertainty/resultswindow.h"
#include "windows/uncertainty/simulationwindow.h"
#include "workbench/benchcontroller.h"
#include "workbench/graphcanvas.h"
#include "workbench/graphpicture.h"
#include "workbench/mainwindow.h"

using workbench::LabCommand;

void connectLabCommands(workbench::MainWindow& window) {
    workbench::BenchController& bench = window.workbench();
    platform::MessageBoxes& boxes = window.services().messageBoxes;
    window.setLabAction(LabCommand::Import, [&window, &bench, &boxes] {
        measurementwindows::openMeasurementImport(
            boxes, &window, [&bench](measurementwindows::ImportedMeasurements m) {
                bench.perform(state::importMeasurements, std::move(m.reading));
            });
    });
    window.setLabAction(LabCommand::Enter, [&window, &bench, &boxes] {
        const state::MeasuredPoints& points = state::currentMeasurements(bench.state());
        // A reading's column while its meter is shown; otherwise what was measured before is kept unseen.
        measurementwindows::ShownReadings shown;
        for (const state::Meter& meter : state::meters()) {
            const measurements::LabReading* reading = state::labReading(meter);
            if (reading && meter.shown(bench.state())) shown.set(reading->slot);
        }
        measurementwindows::openMeasurementEntry(points, shown, window.services().clipboard, boxes, &window,
                                                 [&bench](state::MeasuredPoints entered) {
                                                     bench.perform(state::setMeasurements,
                                                                   std::move(entered));
                                                 });
    });
    window.setLabAction(LabCommand::Export, [&window, &bench, &boxes] {
        measurementwindows::openMeasurementExport(state::exportSources(bench.state()), boxes,
                                                  window.saveLocations(), &window);
    });
    window.setLabAction(LabCommand::ExportPython, [&window, &bench, &boxes] {
        measurementwindows::openPythonExport(bench.state(), boxes, window.saveLocations(), &window);
    });
    window.setLabAction(LabCommand::SaveGraph, [&window, &bench, &boxes] {
        measurementwindows::GraphSource source{
            [&bench](QPainter& painter, QSize size) {
                workbench::paintGraph(bench.state().graph, painter, size);
            },
            [&bench] { return workbench::graphDrawing(bench.state().graph); }};
        measurementwindows::openGraphExport(
            std::move(source), QSize(workbench::GraphCanvas::kWidth, workbench::GraphCanvas::kHeight), boxes,
            window.saveLocations(), &window);
    });
    window.setLabAction(LabCommand::ProgressTable, [&window, &bench] {
        const workbench::Services& services = window.services();
        progresswindow::openProgressWindow(bench, services.clipboard, services.printer, &window);
    });
    window.setLabAction(LabCommand::Glassware, [&window, &bench] {
        const state::BenchState& b = bench.state();
        glasswarewindow::openGlasswareWindow(
            b.glassware, state::fieldValue(b, state::Field::TitrantConcentration),
            [&bench](const chemistry::Glassware& glassware) {
                bench.perform(state::chooseGlassware, glassware);
            },
            &window);
    });
    window.setLabAction(LabCommand::Results, [&window, &bench, &boxes] {
        uncertaintywindows::openResultsWindow(bench, boxes, window.saveLocations(), &window);
    });
    window.setLabAction(LabCommand::MonteCarlo, [&window, &bench, &boxes] {
        uncertaintywindows::openSimulationWindow(bench, boxes, window.saveLocations(), &window);
    });
}
