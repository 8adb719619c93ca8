#pragma once
// The real main window, offscreen, with scripted services and an application folder of its own,
// for the benchmarks that work on it.
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
