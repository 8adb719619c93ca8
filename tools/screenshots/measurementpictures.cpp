// Pictures of the lab measurements for the help pages: the vinegar of the example file imported
// into its titration and fitted, on the graph and on the table's page, and the two export windows.
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPixmap>
#include <cstdio>

#include "measurements/measurementreader.h"
#include "state/actions.h"
#include "state/labexport.h"
#include "tools/screenshots/pictures.h"
#include "tools/screenshots/picturewindow.h"
#include "windows/measurements/graphexport.h"
#include "windows/measurements/measurementexport.h"
#include "workbench/graphcanvas.h"
#include "workbench/graphpanel.h"
#include "workbench/graphpicture.h"
#include "workbench/mainwindow.h"
#include "workbench/measurementpage.h"
#include "workbench/tabstrip.h"

namespace screenshots {
namespace {

bool save(QWidget& widget, const QString& file) {
    settle();
    return widget.grab().save(file);
}

void type(workbench::BenchController& bench, state::Field field, const char* text) {
    bench.setFieldText(field, QString::fromLatin1(text));
    bench.validateField(field);
}

}  // namespace

int measurementPictures(const QStringList& arguments) {
    if (arguments.size() < 2) {
        std::fprintf(stderr, "usage: vireltra_screenshots measurements <example.csv> <help folder>\n");
        return 2;
    }
    QFile example(arguments[0]);
    if (!example.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(arguments[0]));
        return 1;
    }
    const QByteArray bytes = example.readAll();
    const measurements::ReadResult read = measurements::readMeasurements(std::span<const unsigned char>(
        reinterpret_cast<const unsigned char*>(bytes.constData()), static_cast<std::size_t>(bytes.size())));
    if (!read.ok()) {
        std::fprintf(stderr, "%s\n", read.error.c_str());
        return 1;
    }
    const QDir help(arguments[1]);
    QDir().mkpath(help.path());

    PictureWindow pictures(PictureWindow::Commands::Wired);
    workbench::MainWindow& window = pictures.window();
    auto& bench = pictures.bench();
    auto* tabs = window.findChild<workbench::TabStrip*>();

    // 20 mL of vinegar diluted ten times (acetic acid), titrated by sodium hydroxide at
    // 0,1 mol · L-1; the panel's c₂ is the pupil's first guess.
    bench.perform(state::chooseNature, true);
    bench.perform(state::chooseSolute, 4);
    type(bench, state::Field::BeakerVolume, "20");
    type(bench, state::Field::WaterVolume, "0");
    type(bench, state::Field::TitrantConcentration, "0,1");
    type(bench, state::Field::BeakerConcentration, "0,1");
    bench.perform(state::quickTrace);
    bench.perform(state::setMeasurements, read.points);
    bench.perform(state::fitMeasurements);

    bool saved = true;
    tabs->selectTab(2);
    settle();
    saved = save(*window.findChild<workbench::GraphPanel*>(),
                 help.filePath(QStringLiteral("mesures-graphe.png"))) &&
            saved;
    tabs->selectTab(3);
    saved = save(window.measurementPage(), help.filePath(QStringLiteral("mesures-tableau.png"))) && saved;

    platform::SaveLocations& locations = window.saveLocations();
    QDialog* exportDialog = measurementwindows::openMeasurementExport(
        state::exportSources(bench.state()), window.services().messageBoxes, locations, &window);
    saved = save(*exportDialog, help.filePath(QStringLiteral("exporter-mesures.png"))) && saved;
    exportDialog->close();
    const auto draw = [&bench](QPainter& painter, QSize size) {
        workbench::paintGraph(bench.state().graph, painter, size);
    };
    QDialog* graphDialog = measurementwindows::openGraphExport(
        draw, QSize(workbench::GraphCanvas::kWidth, workbench::GraphCanvas::kHeight),
        window.services().messageBoxes, locations, &window);
    saved = save(*graphDialog, help.filePath(QStringLiteral("exporter-graphe.png"))) && saved;
    graphDialog->close();
    settle();
    std::printf("%s\n", bench.state().lab.fitText.c_str());
    return saved ? 0 : 1;
}

}  // namespace screenshots
