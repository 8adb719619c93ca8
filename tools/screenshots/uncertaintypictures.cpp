// The uncertainty's windows for the help: the glassware chosen, five titrations of hydrochloric
// acid listed with their statistics, and a Monte-Carlo run of 10 000 titrations read against a
// reference value.
#include <QApplication>
#include <QLineEdit>
#include <QPixmap>
#include <QRadioButton>
#include <QTest>
#include <QWidget>

#include "state/actions.h"
#include "tools/screenshots/pictures.h"
#include "tools/screenshots/picturewindow.h"
#include "windows/uncertainty/simulationwindow.h"
#include "workbench/mainwindow.h"
#include "workbench/tabstrip.h"

namespace screenshots {

namespace {

bool saveWindow(QWidget* window, const QString& file) {
    if (!window) return false;
    settle();
    return window->grab().save(file);
}

}  // namespace

int uncertaintyPictures(const QStringList& arguments) {
    if (arguments.size() != 1) return 1;
    const QDir help(arguments.front());
    PictureWindow pictures(PictureWindow::Commands::Wired);
    workbench::MainWindow& window = pictures.window();
    window.findChild<workbench::TabStrip*>()->selectTab(3);
    settle();
    int failures = 0;

    pictures.click("boutonverrerie");
    auto* glassware = window.findChild<QWidget*>(QStringLiteral("verrerie"));
    if (!glassware) return 1;
    glassware->findChild<QRadioButton*>(QStringLiteral("verreriemesuree"))->click();
    if (!saveWindow(glassware, help.filePath(QStringLiteral("incertitudes-verrerie.png")))) ++failures;
    pictures.click("verrerie_appliquer");
    glassware->close();

    auto& bench = pictures.bench();
    for (int slot = 0; slot < 5; ++slot) {
        bench.perform(state::switchSituation, slot);
        bench.perform(state::quickTrace);
    }
    pictures.click("boutonresultats");
    auto* results = window.findChild<QWidget*>(QStringLiteral("resultats"));
    if (results) results->resize(480, 360);
    if (!saveWindow(results, help.filePath(QStringLiteral("incertitudes-resultats.png")))) ++failures;
    if (results) results->close();

    pictures.click("montecarlo");
    auto* simulation = window.findChild<uncertaintywindows::SimulationWindow*>(QStringLiteral("simulation"));
    if (!simulation) return 1;
    simulation->findChild<QLineEdit*>(QStringLiteral("Text1(10)"))->setText(QStringLiteral("0,0100"));
    simulation->start();
    if (!QTest::qWaitFor([simulation] { return !simulation->running(); }, 120000)) return 1;
    simulation->resize(560, 520);
    if (!saveWindow(simulation, help.filePath(QStringLiteral("incertitudes-simulation.png")))) ++failures;
    return failures == 0 ? 0 : 1;
}

}  // namespace screenshots
