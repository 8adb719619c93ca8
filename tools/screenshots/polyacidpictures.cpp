// Pictures of the help page on polyacids and mixtures: phosphoric acid titrated to its second
// equivalence, with the tangent method at both jumps, then the distribution of its forms.
#include <QApplication>
#include <QDir>
#include <QToolButton>

#include "app/applicationfolder.h"
#include "platform/qtclipboard.h"
#include "platform/qtfiledialogs.h"
#include "platform/qtmessageboxes.h"
#include "platform/qtprinter.h"
#include "state/actions.h"
#include "tools/screenshots/pictures.h"
#include "workbench/graphpanel.h"
#include "workbench/mainwindow.h"
#include "workbench/tabstrip.h"

namespace screenshots {
namespace {

void settle() {
    for (int i = 0; i < 20; ++i) QApplication::processEvents();
}

void clickTool(workbench::MainWindow& window, const char* tool) {
    if (auto* button = window.findChild<QToolButton*>(QString::fromLatin1(tool))) button->click();
    settle();
}

}  // namespace

int polyacidPictures(const QStringList& arguments) {
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

    // Phosphoric acid at 0,01 mol/L against soda at 0,02 mol/L: E₁ at 10 mL, E₂ at 20 mL.
    bench.perform(state::chooseSolute, 15);
    bench.perform(state::setFieldText, state::Field::TitrantConcentration, std::string("0,02"));
    bench.perform(state::validateField, state::Field::TitrantConcentration);
    bench.perform(state::quickTrace);
    window.findChild<workbench::TabStrip*>()->selectTab(2);
    clickTool(window, "Image4");
    window.grab().save(QDir(folder).filePath(QStringLiteral("polyacide.png")));

    bench.perform(state::restoreGraph);
    clickTool(window, "Command3");
    window.findChild<workbench::GraphPanel*>()->grab().save(
        QDir(folder).filePath(QStringLiteral("graph-forms.png")));
    return 0;
}

}  // namespace screenshots
