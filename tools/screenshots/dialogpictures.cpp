// Pictures of the open and save dialogs, and of the open dialog loading a file, over a folder of
// sample configurations.
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

#include "configuration/configurationfile.h"
#include "platform/directorylist.h"
#include "platform/filelist.h"
#include "platform/recordingclipboard.h"
#include "platform/recordingprinter.h"
#include "platform/scriptedfiledialogs.h"
#include "platform/scriptedmessageboxes.h"
#include "tools/screenshots/pictures.h"
#include "tools/screenshots/picturewindow.h"
#include "windows/configuration/opendialog.h"
#include "windows/configuration/savedialog.h"
#include "workbench/mainwindow.h"

namespace screenshots {
namespace {

bool save(const QPixmap& picture, const QStringList& files) {
    bool saved = !picture.isNull();
    for (const QString& file : files) saved = picture.save(file) && saved;
    return saved;
}

// A pupil's folder: two sub-folders and four configurations.
QString sampleFolder(const QString& root) {
    QString folder = QDir(root).filePath(QStringLiteral("Chimie/Titrages"));
    QDir().mkpath(QDir(folder).filePath(QStringLiteral("Corrections")));
    QDir().mkpath(QDir(folder).filePath(QStringLiteral("Exercices")));
    configuration::ConfigurationFile file;
    file.situations[0].completed = true;
    file.situations[0].pouredVolumeText = "25,0";
    file.situations[0].speciesIndex = 4;
    file.situations[0].indicatorIndex = 3;
    for (const char* name : {"acide éthanoïque.C13", "ammoniac.C13", "comparaison des indicateurs.C13",
                             "soude et acide chlorhydrique.C13"}) {
        configuration::saveConfigurationFile(QDir(folder).filePath(QString::fromUtf8(name)).toStdString(),
                                             file);
    }
    return folder;
}

}  // namespace

int dialogPictures(const QStringList& arguments) {
    // Absolute: the dialogs move the current directory.
    const QString docs = QDir(arguments.value(0, QStringLiteral("."))).absolutePath();
    const QString help = arguments.size() > 1 ? QDir(arguments[1]).absolutePath() : docs;

    QDir root = emptyCaptureFolder();
    const QString folder = sampleFolder(root.path());
    QDir::setCurrent(folder);

    platform::ScriptedMessageBoxes boxes;
    platform::RecordingClipboard clipboard;
    platform::ScriptedFileDialogs fileDialogs;
    platform::RecordingPrinter printer;
    workbench::MainWindow window(
        workbench::Services{boxes, clipboard, fileDialogs, printer, root.path(), {}});
    bool saved = true;

    // The open dialog with a file clicked.
    configurationwindow::OpenDialog* openDialog =
        configurationwindow::openOpenDialog(window.document(), boxes, &window);
    openDialog->findChild<platform::FileList*>(QStringLiteral("File1"))->selectFile(1);
    settle();
    saved = save(openDialog->grab(), {QDir(docs).filePath(QStringLiteral("open-dialog.png")),
                                      QDir(help).filePath(QStringLiteral("ouvrir.png"))}) &&
            saved;

    // The same dialog while the file loads: taken as the workbench takes the file's situations.
    QPixmap loading;
    QObject::connect(&window.workbench(), &workbench::BenchController::changed, &window, [&] {
        if (loading.isNull() && openDialog != nullptr) loading = openDialog->grab();
    });
    openDialog->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    openDialog = nullptr;
    settle();
    saved = save(loading, {QDir(docs).filePath(QStringLiteral("loading-panel.png"))}) && saved;

    // The save dialog, a new name typed, over the folder where the pupil saved before.
    window.saveLocations().noteSaved(QDir(folder).filePath(QStringLiteral("ammoniac.C13")));
    configurationwindow::SaveDialog* saveDialog =
        configurationwindow::openSaveDialog(window.document(), boxes, window.saveLocations(), &window);
    saveDialog->findChild<QLineEdit*>(QStringLiteral("Text1"))
        ->setText(QStringLiteral("acide éthanoïque et phénolphtaléine"));
    settle();
    saved = save(saveDialog->grab(), {QDir(docs).filePath(QStringLiteral("save-dialog.png")),
                                      QDir(help).filePath(QStringLiteral("enregistrer.png"))}) &&
            saved;
    saveDialog->close();
    settle();

    root.removeRecursively();
    return saved && boxes.calls().empty() ? 0 : 1;
}

}  // namespace screenshots
