// The exercise browser offscreen: from `openSelectedExercise` on a shipped exercise to its statement shown in
// the main window's text area and the workbench redrawn with its configuration.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "platform/filelist.h"
#include "platform/recordingclipboard.h"
#include "platform/recordingprinter.h"
#include "platform/richtextbox.h"
#include "platform/scriptedfiledialogs.h"
#include "platform/scriptedmessageboxes.h"
#include "state/actions.h"
#include "windows/exercises/exercisebrowser.h"
#include "workbench/exercisesession.h"
#include "workbench/mainwindow.h"

namespace {

void settle() {
    for (int i = 0; i < 10; ++i) QApplication::processEvents();
}

void BM_OpenShippedExercise(benchmark::State& state) {
    platform::ScriptedMessageBoxes boxes;
    platform::RecordingClipboard clipboard;
    platform::ScriptedFileDialogs dialogs;
    platform::RecordingPrinter printer;
    workbench::MainWindow window(
        workbench::Services{boxes, clipboard, dialogs, printer, QStringLiteral(VIRELTRA_DATA_DIR_BUILD), {}});
    window.show();
    workbench::ExerciseSession& session = window.exerciseSession();
    exercisewindow::ExerciseBrowser browser({session, window.services(), window.saveLocations(), window});
    browser.show();
    settle();
    auto* files = browser.findChild<platform::FileList*>(QStringLiteral("File1"));
    for (int i = 0; i < files->count(); ++i) {
        if (files->item(i)->text() == QStringLiteral("AcideFaible.E36")) files->selectFile(i);
    }
    // The same exercise each time: the workbench is put back in between, untimed, so that every
    // opening really changes what the window shows.
    for (auto _ : state) {
        browser.openSelectedExercise();
        window.repaint();
        state.PauseTiming();
        window.workbench().perform(state::chooseSolute, 7);
        session.writeWelcomeText();
        settle();
        state.ResumeTiming();
    }
    if (boxes.hasFailures() || session.text().plainText().isEmpty())
        state.SkipWithError("the exercise did not open");
}
BENCHMARK(BM_OpenShippedExercise)->Unit(benchmark::kMillisecond);

}  // namespace
