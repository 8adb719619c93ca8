// The printout of a finished titration written into a PDF file: the illustration, the graph with
// its report and the table, one copy, from the file's opening to its replacement on disk.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>

#include "platform/qtprinter.h"
#include "platform/recordingclipboard.h"
#include "platform/scriptedfiledialogs.h"
#include "platform/scriptedmessageboxes.h"
#include "state/actions.h"
#include "windows/printing/printdialog.h"
#include "workbench/mainwindow.h"
#include "workbench/printsources.h"

namespace {

void BM_PrintThreePicturesIntoPdf(benchmark::State& state) {
    QTemporaryDir folder;
    platform::ScriptedMessageBoxes boxes;
    platform::RecordingClipboard clipboard;
    platform::ScriptedFileDialogs fileDialogs;
    platform::QtPrinter printer(fileDialogs, boxes, platform::QtPrinter::Output::PdfFile);
    workbench::MainWindow window(
        workbench::Services{boxes, clipboard, fileDialogs, printer, folder.path(), {}});
    window.workbench().perform(state::quickTrace);  // "Trace rapide"
    printingwindow::PrintChoices choices{true, true, true, printingwindow::PrintDialog::defaultTitle(), 1};
    const platform::TwipsPerPixel twips = platform::screenTwipsPerPixel(QGuiApplication::primaryScreen());
    const QString path = QDir(folder.path()).filePath(QStringLiteral("dosage.pdf"));
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(path);
        fileDialogs.queueSaveAnswer(path);
        state.ResumeTiming();
        std::unique_ptr<platform::Page> page = printer.beginDocument(&window, choices.title);
        if (!page) {
            state.SkipWithError("the PDF file could not be opened");
            break;
        }
        printingwindow::Printout(window.printSources(), twips).compose(*page, choices);
    }
    if (!QFile::exists(path) || boxes.hasFailures()) state.SkipWithError("no PDF file was written");
}
BENCHMARK(BM_PrintThreePicturesIntoPdf)->Unit(benchmark::kMillisecond);

}  // namespace
