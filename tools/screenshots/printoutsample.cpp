// The printout of a finished titration written into a PDF file: the start-up titration is
// finished with "Trace rapide" and the three pictures are printed as "&OK" prints them, into a
// PDF file chosen in advance.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QScreen>
#include <cstdio>

#include "platform/qtprinter.h"
#include "platform/recordingclipboard.h"
#include "platform/scriptedfiledialogs.h"
#include "platform/scriptedmessageboxes.h"
#include "state/buretteactions.h"
#include "tools/screenshots/pictures.h"
#include "windows/printing/printdialog.h"
#include "workbench/mainwindow.h"

namespace screenshots {

int printoutSample(const QStringList& arguments) {
    const QString path = QFileInfo(arguments.value(0, QStringLiteral("printout.pdf"))).absoluteFilePath();

    platform::ScriptedMessageBoxes boxes;
    platform::RecordingClipboard clipboard;
    platform::ScriptedFileDialogs fileDialogs;
    platform::QtPrinter printer(fileDialogs, boxes, platform::QtPrinter::Output::PdfFile);
    workbench::MainWindow window(
        workbench::Services{boxes, clipboard, fileDialogs, printer, QDir::tempPath(), {}});
    window.workbench().perform(state::quickTrace);

    printingwindow::PrintChoices choices;
    choices.illustration = choices.graph = choices.table = true;
    choices.title = printingwindow::PrintDialog::defaultTitle();
    if (QFileInfo::exists(path)) boxes.queueAnswer(platform::MessageAnswer::Yes);  // replace it
    fileDialogs.queueSaveAnswer(path);
    std::unique_ptr<platform::Page> page = printer.beginDocument(&window, choices.title);
    if (!page) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return 1;
    }
    printingwindow::Printout(window.printSources(),
                             platform::screenTwipsPerPixel(QGuiApplication::primaryScreen()))
        .compose(*page, choices);
    if (boxes.hasFailures() || fileDialogs.hasFailures()) {
        std::fprintf(stderr, "%s\n", qPrintable((boxes.failures() + fileDialogs.failures()).join('\n')));
        return 1;
    }
    std::printf("%s\n", qPrintable(path));
    return 0;
}

}  // namespace screenshots
