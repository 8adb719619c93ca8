#pragma once
// What the main window and the windows opened from it need from outside: the message boxes, the
// clipboard, the file dialogs and the printer (scripted in tests), the folder of the program's
// data, the opener of an exercise named by another program, the screen reader's announcer and
// the folder of the recovery copies.
#include <QString>
#include <functional>

namespace platform {
class Announcer;
class Clipboard;
class FileDialogs;
class MessageBoxes;
class Printer;
}  // namespace platform

namespace workbench {

struct Services {
    platform::MessageBoxes& messageBoxes;
    platform::Clipboard& clipboard;
    platform::FileDialogs& fileDialogs;
    platform::Printer& printer;
    QString applicationFolder;
    std::function<void(const QString& exercisePath)> openExercise;
    // What the screen reader is told; none: the window's own status announcer.
    platform::Announcer* announcer = nullptr;
    // Where the recovery copy of the bench is kept; none: no copy is kept.
    QString recoveryFolder = {};
};

}  // namespace workbench
