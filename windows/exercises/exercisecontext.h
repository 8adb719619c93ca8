#pragma once
// What the exercise windows work with: the exercise of the main window's text area, the message
// boxes, file dialogs, printer and data folder, the folders the pupil saves in, and the main
// window they are placed over.
class QWidget;

namespace platform {
class SaveLocations;
}

namespace workbench {
class ExerciseSession;
struct Services;
}  // namespace workbench

namespace exercisewindow {

struct ExerciseContext {
    workbench::ExerciseSession& session;
    const workbench::Services& services;
    platform::SaveLocations& saveLocations;
    QWidget& window;
};

}  // namespace exercisewindow
