// Pictures of the help page on conductimetry: hydrochloric acid titrated by soda with the
// conductimeter on the bench, its V-shaped σ = f(V) curve and the "Droites" construction, then
// ethanoic acid's change of slope.
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QToolButton>

#include "app/applicationfolder.h"
#include "platform/qtclipboard.h"
#include "platform/qtfiledialogs.h"
#include "platform/qtmessageboxes.h"
#include "platform/qtprinter.h"
#include "state/actions.h"
#include "state/conductimetry.h"
#include "tools/screenshots/pictures.h"
#include "workbench/graphpanel.h"
#include "workbench/mainwindow.h"
#include "workbench/tabstrip.h"

namespace screenshots {
namespace {

void settle() {
    for (int i = 0; i < 20; ++i) QApplication::processEvents();
}

void click(workbench::MainWindow& window, const char* name) {
    if (auto* button = window.findChild<QAbstractButton*>(QString::fromLatin1(name))) button->click();
    settle();
}

}  // namespace

int conductimetryPictures(const QStringList& arguments) {
    const QString folder = arguments.value(0, QStringLiteral("."));
    QDir().mkpath(folder);

    platform::QtMessageBoxes boxes;
    platform::QtClipboard clipboard;
    platform::QtFileDialogs fileDialogs;
    platform::QtPrinter printer(fileDialogs, boxes);
    workbench::MainWindow window(
        workbench::Services{boxes, clipboard, fileDialogs, printer, applicationFolder(), {}});
    window.show();
    settle();
    auto& bench = window.workbench();

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
    click(window, "Droites");
    window.findChild<workbench::GraphPanel*>()->grab().save(
        QDir(folder).filePath(QStringLiteral("conductimetrie-droites.png")));

    // Ethanoic acid (index 4) at the same concentrations: the slope changes at E.
    bench.perform(state::chooseSolute, 4);
    bench.perform(state::quickTrace);
    settle();
    click(window, "Droites");
    window.findChild<workbench::GraphPanel*>()->grab().save(
        QDir(folder).filePath(QStringLiteral("conductimetrie-ethanoique.png")));
    return 0;
}

}  // namespace screenshots
