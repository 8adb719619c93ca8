// Pictures of the lab measurements for the help pages: the vinegar of the example file imported
// into its titration and fitted, on the graph and on the table's page, the two export windows,
// and a free diacid's concentration and two pKa fitted.
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTableWidget>
#include <cmath>
#include <cstdio>

#include "chemistry/beakermixture.h"
#include "chemistry/catalogue.h"
#include "measurements/measuremententry.h"
#include "measurements/measurementreader.h"
#include "state/actions.h"
#include "state/labexport.h"
#include "state/meters.h"
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

// Every half millilitre, with a fixed noise of a few hundredths.
state::MeasuredPoints diacidPoints(const state::BenchState& bench) {
    chemistry::SolutionSpec solution = bench.solution;
    solution.beakerConcentration = "0,005";
    solution.otherPKa = "3,5";
    solution.secondPKa = "8,5";
    const auto mixture = chemistry::beakerMixture(solution, state::catalogue());
    state::MeasuredPoints points;
    if (!mixture) return points;
    for (int i = 0; i <= 50; ++i) {
        const auto point = chemistry::solveMixture(*mixture, 0.5 * i);
        if (!point) continue;
        measurements::MeasuredPoint measured(0.5 * i);
        measured.set(state::phReading().slot, point->pH + 0.02 * std::sin(i * 7.0));
        points.push_back(measured);
    }
    return points;
}

// Keys typed into the grid as a pupil types them: into the open cell's editor, else the grid;
// "\t" is Tab.
void typeInto(QTableWidget& grid, const QString& keys) {
    for (const QChar c : keys) {
        QWidget* target = &grid;
        for (auto* editor : grid.viewport()->findChildren<QLineEdit*>())
            if (editor->isVisible()) target = editor;
        const int key = c == QLatin1Char('\t')  ? Qt::Key_Tab
                        : c == QLatin1Char(',') ? Qt::Key_Comma
                                                : Qt::Key_0 + (c.unicode() - u'0');
        const QString text = c == QLatin1Char('\t') ? QString() : QString(c);
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(target, &release);
        settle();
    }
}

}  // namespace

int measurementPictures(const QStringList& arguments) {
    if (arguments.size() < 2) {
        std::fprintf(stderr, "usage: vireltra_screenshots measurements <example.csv> <help folder>\n");
        return 2;
    }
    const std::optional<measurements::ReadResult> example = readExampleMeasurements(arguments[0]);
    if (!example) return 1;
    const measurements::ReadResult& read = *example;
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
    measurementwindows::GraphSource source{[&bench](QPainter& painter, QSize size) {
                                               workbench::paintGraph(bench.state().graph, painter, size);
                                           },
                                           [&bench] { return workbench::graphDrawing(bench.state().graph); }};
    QDialog* graphDialog = measurementwindows::openGraphExport(
        std::move(source), QSize(workbench::GraphCanvas::kWidth, workbench::GraphCanvas::kHeight),
        window.services().messageBoxes, locations, &window);
    saved = save(*graphDialog, help.filePath(QStringLiteral("exporter-graphe.png"))) && saved;
    graphDialog->close();
    settle();
    std::printf("%s\n", bench.state().lab.fitText.c_str());

    // The typed measurements: five points, the sixth typed, and Tab from its last cell opens a row.
    bench.perform(state::setMeasurements,
                  std::vector<measurements::MeasuredPoint>(read.points.begin(), read.points.begin() + 5));
    window.measurementPage().findChild<QPushButton*>(QStringLiteral("boutonsaisir"))->click();
    settle();
    if (auto* entry = window.findChild<QDialog*>(QStringLiteral("saisir"))) {
        auto* grid = entry->findChild<QTableWidget*>(QStringLiteral("grille"));
        const measurements::MeasuredPoint& sixth = read.points[5];
        typeInto(
            *grid,
            QString::fromStdString(
                measurements::cellText(measurements::volumeReading(), sixth.volume) + "\t" +
                measurements::cellText(state::phReading(), sixth.reading(state::phReading().slot)) + "\t"));
        saved = save(*entry, help.filePath(QStringLiteral("saisir-mesures.png"))) && saved;
        entry->reject();
        settle();
    } else {
        saved = false;
    }
    // A free diacid (pKa 3,5 and 8,5, at 5 × 10⁻³ mol · L-1, 20 mL against soda at 0,01): its
    // concentration and both pKa fitted from the panel's first guesses.
    bench.perform(state::chooseSolute, chemistry::SpeciesCatalogue::kOtherDiacidIndex);
    type(bench, state::Field::TitrantConcentration, "0,01");
    type(bench, state::Field::OtherPKa, "5,0");
    type(bench, state::Field::SecondPKa, "10,0");
    type(bench, state::Field::BeakerConcentration, "0,01");
    bench.perform(state::quickTrace);
    bench.perform(state::setMeasurements, diacidPoints(bench.state()));
    bench.perform(state::fitMeasurements);
    tabs->selectTab(3);
    saved = save(window.measurementPage(), help.filePath(QStringLiteral("mesures-diacide.png"))) && saved;
    std::printf("%s\n", bench.state().lab.fitText.c_str());
    return saved ? 0 : 1;
}

}  // namespace screenshots
