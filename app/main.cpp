// Vireltra: a titration simulator for secondary-school chemistry.
#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLocale>

#include "app/applicationfolder.h"
#include "app/commands.h"
#include "platform/fonts.h"
#include "platform/qtbeeper.h"
#include "platform/qtclipboard.h"
#include "platform/qtfiledialogs.h"
#include "platform/qtmessageboxes.h"
#include "platform/qtprinter.h"
#include "platform/qttranslations.h"
#include "windows/exercises/exercisebrowser.h"
#include "workbench/mainwindow.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vireltra"));
    QApplication::setOrganizationName(QStringLiteral("Vireltra"));
    QApplication::setDesktopFileName(QStringLiteral("org.vireltra.Vireltra"));
    QIcon icon;
    for (const char* size : {"16", "32", "48", "64", "256"})
        icon.addFile(QStringLiteral(":/icons/%1.png").arg(QLatin1String(size)));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.vireltra.Vireltra"), icon));
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    // Qt's own dialogs (printing, preview, files) in French like the rest of the program.
    platform::installQtTranslations(application);
    platform::installFontSubstitutes();
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
    workbench::MainWindow window(services);
    mainWindow = &window;
    messageBoxes.setParentWindow(&window);
    connectCommands(window, run, beeper);
    window.show();
    return QApplication::exec();
}
