// Pictures of the help page on printing: the table of citric and phosphoric acids with the
// conductimeter, thirteen columns that scroll sideways, its copied image, and its printout
// written into a PDF file.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QScreen>

#include "platform/recordingclipboard.h"
#include "platform/scriptedfiledialogs.h"
#include "platform/scriptedmessageboxes.h"
#include "state/actions.h"
#include "state/conductimetry.h"
#include "tools/screenshots/pictures.h"
#include "tools/screenshots/picturewindow.h"
#include "windows/printing/printdialog.h"
#include "workbench/mainwindow.h"
#include "workbench/measurementtable.h"
#include "workbench/printsources.h"
#include "workbench/tabstrip.h"

namespace screenshots {
int tablePictures(const QStringList& arguments) {
    const QString folder = arguments.value(0, QStringLiteral("."));
    QDir().mkpath(folder);

    PictureWindow pictures;
    workbench::MainWindow& window = pictures.window();
    auto& bench = pictures.bench();
    bench.perform(state::chooseSolute, 18);        // "acide citrique"
    bench.perform(state::chooseSecondSolute, 15);  // "acide phosphorique"
    bench.perform(state::showConductimeter, true);
    bench.perform(state::quickTrace);
    window.findChild<workbench::TabStrip*>()->selectTab(3);
    settle();
    window.grab().save(QDir(folder).filePath(QStringLiteral("tableau-large.png")));

    // The copied image and the printout, for a look at what they lay out.
    const QString pdf = arguments.value(1);
    if (pdf.isEmpty()) return 0;
    window.printSources()
        .table(0, bench.state().rows.count())
        .save(QDir(folder).filePath("tableau-copie.png"));
    platform::ScriptedMessageBoxes boxes;
    platform::ScriptedFileDialogs fileDialogs;
    platform::QtPrinter printer(fileDialogs, boxes, platform::QtPrinter::Output::PdfFile);
    printingwindow::PrintChoices choices;
    choices.illustration = choices.graph = choices.table = true;
    choices.title = printingwindow::PrintDialog::defaultTitle();
    if (QFileInfo::exists(pdf)) boxes.queueAnswer(platform::MessageAnswer::Yes);
    fileDialogs.queueSaveAnswer(QFileInfo(pdf).absoluteFilePath());
    std::unique_ptr<platform::Page> page = printer.beginDocument(&window, choices.title);
    if (!page) return 1;
    printingwindow::Printout(window.printSources(),
                             platform::screenTwipsPerPixel(QGuiApplication::primaryScreen()))
        .compose(*page, choices);
    return boxes.hasFailures() || fileDialogs.hasFailures() ? 1 : 0;
}

}  // namespace screenshots
