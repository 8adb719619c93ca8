// Pictures of the main window for the README; the graph page after each analysis tool goes to
// the help folder, two of them to both, and the window in high contrast to the help folder.
// Run under Xvfb so the window is drawn as on a desktop.
#include <QApplication>
#include <QDir>
#include <QTimer>
#include <QToolButton>

#include "state/actions.h"
#include "tools/screenshots/pictures.h"
#include "tools/screenshots/picturewindow.h"
#include "workbench/graphpanel.h"
#include "workbench/mainwindow.h"
#include "workbench/tabstrip.h"

namespace screenshots {
namespace {

void save(workbench::MainWindow& window, const QString& file) {
    settle();
    window.grab().save(file);
}

// The graph page alone after a click on one of its tools.
void saveGraphAfter(workbench::MainWindow& window, const char* tool, const QStringList& files) {
    if (auto* button = window.findChild<QToolButton*>(QString::fromLatin1(tool))) button->click();
    settle();
    const QPixmap page = window.findChild<workbench::GraphPanel*>()->grab();
    for (const QString& file : files) page.save(file);
}

}  // namespace

int mainWindowPictures(const QStringList& arguments) {
    const QString folder = arguments.value(0, QStringLiteral("."));
    QDir().mkpath(folder);

    // The command bar as the program shows it: every window wired.
    PictureWindow pictures(PictureWindow::Commands::Wired);
    workbench::MainWindow& window = pictures.window();
    auto& bench = pictures.bench();
    auto* tabs = window.findChild<workbench::TabStrip*>();

    // A titration under way: acetic acid with phenolphthalein, 21 mL poured by the tap.
    bench.perform(state::chooseSolute, 4);
    bench.perform(state::chooseIndicator, 3);
    bench.pressTap(workbench::Input::Mouse);
    for (int tick = 0; tick < 210; ++tick) bench.perform(state::pourTick);
    bench.perform(state::releaseTap);
    tabs->selectTab(2);
    save(window, QDir(folder).filePath(QStringLiteral("main-window.png")));

    // Three finished titrations compared on one graph.
    bench.perform(state::quickTrace);
    bench.perform(state::switchSituation, 1);
    bench.perform(state::chooseSolute, 7);
    bench.perform(state::quickTrace);
    bench.perform(state::switchSituation, 2);
    bench.perform(state::chooseSolute, 2);
    bench.perform(state::chooseIndicator, 5);
    bench.perform(state::quickTrace);
    bench.perform(state::setSuperposeCurves, true);
    tabs->selectTab(2);
    save(window, QDir(folder).filePath(QStringLiteral("superposed-curves.png")));
    tabs->selectTab(3);
    save(window, QDir(folder).filePath(QStringLiteral("table.png")));
    tabs->selectTab(1);
    save(window, QDir(folder).filePath(QStringLiteral("parameters.png")));
    tabs->selectTab(4);
    save(window, QDir(folder).filePath(QStringLiteral("options.png")));
    tabs->selectTab(5);
    save(window, QDir(folder).filePath(QStringLiteral("history.png")));

    // The analysis tools on the first titration alone, acetic acid.
    const QString helpFolder = arguments.value(1, folder);
    const auto both = [&](const char* name) {
        return QStringList{QDir(folder).filePath(QString::fromLatin1(name)),
                           QDir(helpFolder).filePath(QString::fromLatin1(name))};
    };
    bench.perform(state::setSuperposeCurves, false);
    bench.perform(state::switchSituation, 0);
    tabs->selectTab(2);
    saveGraphAfter(window, "Image5", {QDir(helpFolder).filePath(QStringLiteral("graph-derivative.png"))});
    bench.perform(state::restoreGraph);
    saveGraphAfter(window, "Image4", both("graph-tangents.png"));
    saveGraphAfter(window, "Command3", both("graph-distribution.png"));

    // The same titration in high contrast, for the help page on reading the screen.
    bench.perform(state::restoreGraph);
    bench.perform(state::setHighContrast, true);
    settle();
    save(window, QDir(helpFolder).filePath(QStringLiteral("contraste-eleve.png")));
    return 0;
}

}  // namespace screenshots
