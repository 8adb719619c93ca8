// Vireltra: a titration simulator for secondary-school chemistry.
#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>

#include "app/applicationfolder.h"
#include "app/commands.h"
#include "app/openedfile.h"
#include "platform/accessibility.h"
#include "platform/folders.h"
#include "platform/fonts.h"
#include "platform/freedmemory.h"
#include "platform/qtbeeper.h"
#include "platform/qtclipboard.h"
#include "platform/qtfiledialogs.h"
#include "platform/qtmessageboxes.h"
#include "platform/qtprinter.h"
#include "platform/qttranslations.h"
#include "windows/exercises/exercisebrowser.h"
#include "workbench/mainwindow.h"

namespace {

// The program's own pictures, for a desktop whose theme has none. Window managers draw a
// window's icon at 64 px at most (a 256 px one alone would keep a quarter of a megabyte); the
// larger sizes come with the desktop entry, from the icon theme.
QIcon programIcon() {
    QIcon icon;
    for (const char* size : {"16", "32", "48", "64"}) {
        // Read as PNG outright: left to guess, the reader loads every image plugin to ask it.
        QImageReader reader(QStringLiteral(":/icons/%1.png").arg(QLatin1String(size)), "png");
        reader.setAutoDetectImageFormat(false);
        const QImage image = reader.read();
        if (!image.isNull()) icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vireltra"));
    QApplication::setOrganizationName(QStringLiteral("Vireltra"));
    QApplication::setDesktopFileName(QStringLiteral("org.vireltra.Vireltra"));
    // Qt's own dialogs (printing, preview, files) in French like the rest of the program.
    platform::useFrenchLocale();
    platform::installQtTranslations(application);
    platform::installFontSubstitutes();
    // Before any list exists: a screen reader keeps the interface it was first given for a control.
    platform::nameListsAfterWhatTheyChoose();
    QApplication::setFont(platform::pixelFont(QStringLiteral("Arial"), 8.25));

    platform::QtMessageBoxes messageBoxes;
    platform::QtClipboard clipboard;
    platform::QtFileDialogs fileDialogs;
    platform::QtPrinter printer(fileDialogs, messageBoxes);
    platform::QtBeeper beeper;
    RunState run;
    // An exercise named by another program of the family opens once the window exists: the
    // window asks for it only when it is activated, after it is shown.
    workbench::MainWindow* mainWindow = nullptr;
    const auto openExercise = [&mainWindow](const QString& path) {
        if (mainWindow) exercisewindow::openExerciseByPath(exerciseContext(*mainWindow), path);
    };
    const QString dataFolder = applicationFolder();
    workbench::Services services{messageBoxes, clipboard, fileDialogs, printer, dataFolder, openExercise};
    services.recoveryFolder = platform::userStateFolder();
    workbench::MainWindow window(services);
    mainWindow = &window;
    messageBoxes.setParentWindow(&window);
    connectCommands(window, run, beeper);
    // Looking the icon up in the desktop's theme and reading its files take a good part of the
    // start: the icon comes once the window is on screen.
    QObject::connect(
        &window, &workbench::MainWindow::firstFramePainted, &window,
        [] {
            QApplication::setWindowIcon(
                QIcon::fromTheme(QStringLiteral("org.vireltra.Vireltra"), programIcon()));
            platform::releaseFreedMemory();
        },
        Qt::SingleShotConnection);
    // The question about work left by a program that did not close comes over the window.
    QObject::connect(
        &window, &workbench::MainWindow::firstFramePainted, &window, [&window] { window.offerRecovery(); },
        Qt::SingleShotConnection);
    // A file double-clicked in a file manager opens over the start-up set-up, after the question
    // about left work.
    const OpenedFile opened = fileToOpen(QApplication::arguments());
    if (opened.kind != OpenedKind::None) {
        QObject::connect(
            &window, &workbench::MainWindow::firstFramePainted, &window,
            [&window, &openExercise, opened] {
                if (opened.kind == OpenedKind::Exercise) {
                    openExercise(opened.path);
                    return;
                }
                window.document().setConfigurationPath(opened.path);
                window.document().openConfigurationPath();
            },
            Qt::SingleShotConnection);
    }
    window.show();
    return QApplication::exec();
}
