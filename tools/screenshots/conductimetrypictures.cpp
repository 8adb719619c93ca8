// Pictures of the help page on conductimetry: hydrochloric acid titrated by soda with the
// conductimeter on the bench, its V-shaped σ = f(V) curve and the "Droites" construction on σ
// corrected for the dilution, then on σ as measured, then ethanoic acid's change of slope.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QToolButton>

#include "state/actions.h"
#include "state/conductimetry.h"
#include "tools/screenshots/pictures.h"
#include "tools/screenshots/picturewindow.h"
#include "workbench/graphpanel.h"
#include "workbench/mainwindow.h"
#include "workbench/tabstrip.h"

namespace screenshots {
int conductimetryPictures(const QStringList& arguments) {
    const QString folder = arguments.value(0, QStringLiteral("."));
    QDir().mkpath(folder);

    PictureWindow pictures;
    workbench::MainWindow& window = pictures.window();
    auto& bench = pictures.bench();

    // 20 mL of hydrochloric acid at 0,01 mol/L against soda at 0,01 mol/L: E at 20 mL.
    bench.perform(state::chooseSolute, 2);
    bench.perform(state::showConductimeter, true);
    bench.perform(state::showConductivityGraph, true);
    // The tap held to 12 mL: a mark every 0,5 mL.
    bench.perform(state::pressTap);
    for (int tick = 0; tick < 120; ++tick) bench.perform(state::pourTick);
    bench.perform(state::releaseTap);
    window.findChild<workbench::TabStrip*>()->selectTab(2);
    settle();
    window.grab().save(QDir(folder).filePath(QStringLiteral("conductimetre.png")));

    bench.perform(state::quickTrace);
    settle();
    pictures.click("Droites");
    window.findChild<workbench::GraphPanel*>()->grab().save(
        QDir(folder).filePath(QStringLiteral("conductimetrie-droites.png")));
    if (auto* measured = window.findChild<QAction*>(QStringLiteral("droitesmesurees"))) {
        measured->trigger();
        settle();
        window.findChild<workbench::GraphPanel*>()->grab().save(
            QDir(folder).filePath(QStringLiteral("conductimetrie-droites-mesurees.png")));
    }
    // Back to the corrected σ for what follows.
    if (auto* corrected = window.findChild<QAction*>(QStringLiteral("droitescorrigees")))
        corrected->trigger();

    // Ethanoic acid (index 4) at the same concentrations: the slope changes at E.
    bench.perform(state::chooseSolute, 4);
    bench.perform(state::quickTrace);
    settle();
    pictures.click("Droites");
    window.findChild<workbench::GraphPanel*>()->grab().save(
        QDir(folder).filePath(QStringLiteral("conductimetrie-ethanoique.png")));
    return 0;
}

}  // namespace screenshots
