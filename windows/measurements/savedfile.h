#pragma once
// The program's save dialog for a file other than a configuration: its captions, its extension,
// and bytes written whole or not at all.
#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

class QDialog;
class QHBoxLayout;
class QWidget;

namespace platform {
class MessageBoxes;
class SaveLocations;
}  // namespace platform

namespace configurationwindow {
class SaveDialog;
}

namespace measurementwindows {

// The content, made when the pupil has chosen the file; nothing when it cannot be made (the save
// then fails as a write does).
using ContentMaker = std::function<std::optional<QByteArray>()>;

// Shows the save dialog titled `title` on the files ending with `extension` (".csv"), with
// `initialName` in its name box, modal over `mainWindow`, and returns at once.
configurationwindow::SaveDialog* openFileSave(const QString& title, const QString& extension,
                                              const QString& initialName, ContentMaker content,
                                              platform::MessageBoxes& messageBoxes,
                                              platform::SaveLocations& saveLocations, QWidget* mainWindow);

// The "OK" and "Annuler" buttons at the foot of an export window, OK the default: OK runs
// `choose`, Annuler rejects the window.
QHBoxLayout* okCancelButtons(QDialog& dialog, std::function<void()> choose);

}  // namespace measurementwindows
