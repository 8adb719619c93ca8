// One run of the program's main window for the two-run check: "save <file>" sets up ten
// situations and saves them through the save dialog, "load <file>" opens the file through the
// open dialog, then saves it again to <copy> when one is given. Either prints what the workbench
// holds, and the caption; a message box or a dialog left open fails the run.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <cstdio>

#include "app/commands.h"
#include "configurationscript.h"
#include "platform/countingbeeper.h"
#include "platform/fonts.h"
#include "platform/recordingclipboard.h"
#include "platform/recordingprinter.h"
#include "platform/scriptedfiledialogs.h"
#include "platform/scriptedmessageboxes.h"
#include "state/actions.h"
#include "windows/configuration/configurationdialog.h"
#include "workbench/mainwindow.h"

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    platform::installFontSubstitutes();
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 3 || arguments.size() > 4 || (arguments[1] != "save" && arguments[1] != "load")) {
        std::fprintf(stderr, "usage: configuration_tworuns save <file> | load <file> [<copy>]\n");
        return 2;
    }
    const bool saving = arguments[1] == QStringLiteral("save");
    const QString file = arguments[2];

    platform::ScriptedMessageBoxes boxes;
    platform::RecordingClipboard clipboard;
    platform::ScriptedFileDialogs fileDialogs;
    platform::RecordingPrinter printer;
    // The program's data beside the file: nothing may be saved into it.
    const QDir beside = QFileInfo(file).absoluteDir();
    beside.mkpath(QStringLiteral("data"));
    workbench::MainWindow window(workbench::Services{
        boxes, clipboard, fileDialogs, printer, beside.filePath(QStringLiteral("data")), {}});
    platform::CountingBeeper beeper;
    RunState run;
    connectCommands(window, run, beeper);
    if (saving) configurationscript::setUpTenSituations(window);

    // "&Enregistrer" or "&Ouvrir", as the pupil presses it.
    window
        .findChild<QPushButton*>(saving ? QStringLiteral("Command11") : QStringLiteral("Command2"),
                                 Qt::FindDirectChildrenOnly)
        ->click();
    auto* dialog = window.findChild<configurationwindow::ConfigurationDialog*>();
    if (dialog == nullptr) return 1;
    dialog->findChild<QLineEdit*>(saving ? QStringLiteral("Text1") : QStringLiteral("ficharge"))
        ->setText(file);
    dialog->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    std::printf("%s\n%s\n", configurationscript::describe(window).toUtf8().constData(),
                window.windowTitle().toUtf8().constData());
    const bool closed = window.findChild<configurationwindow::ConfigurationDialog*>() == nullptr;
    if (!saving && arguments.size() == 4) {
        // As "&Enregistrer" does before its dialog.
        window.workbench().perform(state::switchSituation, window.workbench().state().situations.current);
        if (!window.document().saveBenchTo(arguments[3])) return 1;
    }
    return boxes.calls().empty() && closed ? 0 : 1;
}
