#pragma once
// The real main window, offscreen, with scripted services and an application folder of its own,
// for the benchmarks that work on it.
#include <benchmark/benchmark.h>
#include <QTemporaryDir>

#include "platform/recordingclipboard.h"
#include "platform/recordingprinter.h"
#include "platform/scriptedfiledialogs.h"
#include "platform/scriptedmessageboxes.h"
#include "state/actions.h"
#include "workbench/mainwindow.h"
#include "workbench/recoverykeeper.h"

struct BenchWindow {
    QTemporaryDir folder;
    platform::ScriptedMessageBoxes boxes;
    platform::RecordingClipboard clipboard;
    platform::ScriptedFileDialogs fileDialogs;
    platform::RecordingPrinter printer;
    workbench::MainWindow window{
        workbench::Services{boxes, clipboard, fileDialogs, printer, folder.path(), {}}};
    workbench::BenchController& bench = window.workbench();
};

// The same window keeping its recovery copy in a folder of its own, as the program does.
struct RecoveryWindow {
    QTemporaryDir folder;
    QTemporaryDir stateFolder;
    platform::ScriptedMessageBoxes boxes;
    platform::RecordingClipboard clipboard;
    platform::ScriptedFileDialogs fileDialogs;
    platform::RecordingPrinter printer;
    workbench::MainWindow window{workbench::Services{
        boxes, clipboard, fileDialogs, printer, folder.path(), {}, nullptr, stateFolder.path()}};
    workbench::BenchController& bench = window.workbench();
    workbench::RecoveryKeeper& keeper() { return *window.recovery(); }
};

// Ticks of the tap held open on the bench as it stands: each pours 0.1 mL, solves, redraws the
// beaker and the readings and, at each multiple of the step, places a mark and a table row. The
// burette is refilled, untimed, before it empties.
inline void pourTicks(benchmark::State& state, workbench::BenchController& bench) {
    bench.pressTap(workbench::Input::Mouse);
    for (auto _ : state) {
        if (state::fieldValue(bench.state(), state::Field::PouredVolume) >= 24.9) {
            state.PauseTiming();
            bench.perform(state::releaseTap);
            bench.perform(state::resetToZero);
            bench.pressTap(workbench::Input::Mouse);
            state.ResumeTiming();
        }
        bench.perform(state::pourTick);
    }
    bench.perform(state::releaseTap);
}
