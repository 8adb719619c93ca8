#pragma once
// The main window as the program shows it, with the desktop's own message boxes, clipboard, file
// dialogs and printer, for the picture sets.
#include <QDir>
#include <QString>
#include <optional>

#include "app/commands.h"
#include "measurements/measurementreader.h"
#include "platform/qtbeeper.h"
#include "platform/qtclipboard.h"
#include "platform/qtfiledialogs.h"
#include "platform/qtmessageboxes.h"
#include "platform/qtprinter.h"
#include "workbench/mainwindow.h"

namespace screenshots {

// Lets the window finish what it has queued (pages laid out, pictures painted, windows closed).
void settle();

// The folder, emptied, in which the sets whose pictures show a path lay out their files: its path
// is the same from every checkout.
QDir emptyCaptureFolder();
// The measurements of an example file, read as the program reads them; nothing, with the reason on
// the standard error, when it cannot be read.
std::optional<measurements::ReadResult> readExampleMeasurements(const QString& path);
// Copies the files of `from`, its sub-folders' too, into `to`; false if one could not be copied.
bool copyFolder(const QString& from, const QString& to);

class PictureWindow {
  public:
    enum class Commands { Unwired, Wired };
    // `dataFolder` empty: the program's own. Wired: every window of the command bar connected, as
    // the program shows it. The window is shown and settled.
    explicit PictureWindow(Commands commands = Commands::Unwired, const QString& dataFolder = {});

    workbench::MainWindow& window() { return m_window; }
    workbench::BenchController& bench() { return m_window.workbench(); }
    // Clicks the window's button of that object name, if it has one, and settles.
    void click(const char* name);

  private:
    platform::QtMessageBoxes m_boxes;
    platform::QtClipboard m_clipboard;
    platform::QtFileDialogs m_fileDialogs;
    platform::QtPrinter m_printer;
    platform::QtBeeper m_beeper;
    RunState m_run;
    workbench::MainWindow m_window;
};

}  // namespace screenshots
