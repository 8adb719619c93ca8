// Pictures of the help page on amounts of matter: ethanoic acid titrated by soda on the
// n = f(V) graph, half poured with its marks, then with the curves once the burette is empty.
#include <QDir>

#include "state/actions.h"
#include "state/amountgraph.h"
#include "tools/screenshots/pictures.h"
#include "tools/screenshots/picturewindow.h"
#include "workbench/graphpanel.h"
#include "workbench/mainwindow.h"
#include "workbench/tabstrip.h"

namespace screenshots {

int amountPictures(const QStringList& arguments) {
    const QString folder = arguments.value(0, QStringLiteral("."));
    QDir().mkpath(folder);

    PictureWindow pictures;
    workbench::MainWindow& window = pictures.window();
    auto& bench = pictures.bench();

    // 20 mL of ethanoic acid at 0,01 mol/L against soda at 0,01 mol/L: E at 20 mL.
    bench.perform(state::chooseSolute, 4);
    window.findChild<workbench::TabStrip*>()->selectTab(2);
    pictures.click("Graphe(3)");
    // The tap held to 12 mL: a mark per species every 0,5 mL.
    bench.perform(state::pressTap);
    for (int tick = 0; tick < 120; ++tick) bench.perform(state::pourTick);
    bench.perform(state::releaseTap);
    settle();
    auto* graph = window.findChild<workbench::GraphPanel*>();
    graph->grab().save(QDir(folder).filePath(QStringLiteral("quantites-versement.png")));

    bench.perform(state::quickTrace);
    settle();
    graph->grab().save(QDir(folder).filePath(QStringLiteral("quantites.png")));
    return 0;
}

}  // namespace screenshots
