// Writes the printout of a finished titration into a PDF file, for the README and the help:
// printing_sample <file.pdf>. The start-up titration is finished with "Trace rapide" and the
// three pictures are printed as "&OK" prints them, into a PDF file chosen in advance.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QScreen>
#include <cstdio>

#include "platform/fonts.h"
#include "platform/qtprinter.h"
#include "platform/recordingclipboard.h"
#include "platform/scriptedfiledialogs.h"
#include "platform/scriptedmessageboxes.h"
#include "state/buretteactions.h"
#include "windows/printing/confimp.h"
#include "workbench/mainwindow.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    platform::installFontSubstitutes();
    QApplication::setFont(platform::pixelFont(QStringLiteral("Arial"), 8.25));
    const QString path =
        QFileInfo(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("printout.pdf"))
            .absoluteFilePath();

    platform::ScriptedMessageBoxes boxes;
    platform::RecordingClipboard clipboard;
    platform::ScriptedFileDialogs fileDialogs;
    platform::QtPrinter printer(fileDialogs, boxes, platform::QtPrinter::Output::PdfFile);
    workbench::MainWindow window(
        workbench::Services{boxes, clipboard, fileDialogs, printer, QDir::tempPath(), {}});
    window.workbench().perform(state::quickTrace);

    printingwindow::PrintChoices choices;
    choices.illustration = choices.graph = choices.table = true;
    choices.title = printingwindow::Confimp::defaultTitle();
    if (QFileInfo::exists(path)) boxes.queueAnswer(platform::MessageAnswer::Yes);  // replace it
    fileDialogs.queueSaveAnswer(path);
    std::unique_ptr<platform::Page> page = printer.beginDocument(&window, choices.title);
    if (!page) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return 1;
    }
    printingwindow::Printout(window, platform::screenTwipsPerPixel(QGuiApplication::primaryScreen()))
        .compose(*page, choices);
    if (boxes.hasFailures() || fileDialogs.hasFailures()) {
        std::fprintf(stderr, "%s\n", qPrintable((boxes.failures() + fileDialogs.failures()).join('\n')));
        return 1;
    }
    std::printf("%s\n", qPrintable(path));
    return 0;
}
