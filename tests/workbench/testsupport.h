#pragma once
// What the GUI tests share: one offscreen application and readable test names.
#include <QApplication>
#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <ostream>
#include <string>

#include "platform/accessibility.h"
#include "platform/recordingclipboard.h"
#include "platform/recordingprinter.h"
#include "platform/scriptedfiledialogs.h"
#include "platform/scriptedmessageboxes.h"
#include "platform/surface.h"
#include "workbench/mainwindow.h"

// Test failures print texts as text.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace testsupport {

// The application, created once on the offscreen platform with the program's fonts.
QApplication& application();

// The dark pixels of a picture: text and black strokes.
bool isDark(const platform::Colour& colour);
int darkPixels(const platform::Surface& surface, const QRect& area);
// The illustration's background at a row: peach at the top, white at the bottom.
platform::Colour apparatusGradient(int y);

// A test name from a case's description: its letters and digits, words run together.
std::string caseName(const char* description);

// The window builds a page when it is first shown; tests that reach the pages' controls by name
// have every page built first.
void buildPages(workbench::MainWindow& window);

// The real main window with scripted services and an application folder of its own.
struct ScriptedWindow {
    ScriptedWindow();

    QTemporaryDir folder;
    platform::ScriptedMessageBoxes boxes;
    platform::RecordingClipboard clipboard;
    platform::ScriptedFileDialogs fileDialogs;
    platform::RecordingPrinter printer;
    platform::RecordingAnnouncer announcer;
    std::unique_ptr<workbench::MainWindow> window;
};

}  // namespace testsupport
