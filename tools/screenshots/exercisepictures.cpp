// Pictures of the exercise browser previewing a shipped exercise, and of the main window with that
// exercise open: each picture folder gets "exercise-browser.png" and "exercise-statement.png"; and
// of the main window with the correction of an oxidation-reduction exercise open.
#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include "platform/filelist.h"
#include "tools/screenshots/pictures.h"
#include "tools/screenshots/picturewindow.h"
#include "windows/exercises/exercisebrowser.h"
#include "windows/exercises/exercisemenu.h"
#include "workbench/exercisesession.h"
#include "workbench/mainwindow.h"
#include "workbench/tabstrip.h"

namespace screenshots {
namespace {

int saveEverywhere(QWidget& widget, const QStringList& folders, const QString& name) {
    settle();
    const QPixmap picture = widget.grab();
    int failures = 0;
    for (const QString& folder : folders) {
        QDir().mkpath(folder);
        if (!picture.save(QDir(folder).filePath(name))) ++failures;
    }
    return failures;
}

// The browser and the statement, with the program's data in `data`.
int takeExercisePictures(const QString& data, const QStringList& folders) {
    // The command bar as the program shows it: every window wired.
    PictureWindow pictures(PictureWindow::Commands::Wired, data);
    workbench::MainWindow& window = pictures.window();

    // The browser over the main window, previewing the exercise on the weak acid.
    int failures = 0;
    auto* browser = new exercisewindow::ExerciseBrowser(exerciseContext(window));
    browser->show();
    auto* files = browser->findChild<platform::FileList*>(QStringLiteral("File1"));
    for (int i = 0; files && i < files->count(); ++i) {
        if (files->item(i)->text().startsWith(QStringLiteral("AcideFaible"))) files->selectFile(i);
    }
    failures += saveEverywhere(*browser, folders, QStringLiteral("exercise-browser.png"));
    browser->openSelectedExercise();
    delete browser;
    failures += saveEverywhere(window, folders, QStringLiteral("exercise-statement.png"));
    return failures == 0 ? 0 : 1;
}

// The correction of the iron(II) exercise open, its E = f(V) curve drawn, with the tangents.
int takeRedoxCorrectionPicture(const QString& data, const QStringList& files) {
    PictureWindow pictures(PictureWindow::Commands::Wired, data);
    workbench::MainWindow& window = pictures.window();
    const exercisewindow::ExerciseContext context = exerciseContext(window);
    const QString shipped = QDir(data).filePath(QStringLiteral("exercises/"));
    context.session.setFolder(shipped);
    exercisewindow::openExerciseByPath(context, shipped + QStringLiteral("FerCerium.E36"));
    auto* menu = window.findChild<exercisewindow::ExerciseMenu*>();
    if (!menu) return 1;
    menu->showCorrection();
    if (auto* tabs = window.findChild<workbench::TabStrip*>()) tabs->selectTab(2);  // the graph
    settle();
    pictures.click("Image4");
    const QPixmap picture = window.grab();
    bool saved = !picture.isNull();
    for (const QString& file : files) saved = picture.save(file) && saved;
    return saved ? 0 : 1;
}

}  // namespace

int redoxExercisePicture(const QStringList& arguments) {
    if (arguments.size() < 2) return 2;
    QStringList files;
    for (const QString& file : arguments.mid(1)) files << QFileInfo(file).absoluteFilePath();
    QDir copy = emptyCaptureFolder();
    const int result = copyFolder(QDir(arguments[0]).absolutePath(), copy.path())
                           ? takeRedoxCorrectionPicture(copy.path(), files)
                           : 1;
    copy.removeRecursively();
    return result;
}

int exercisePictures(const QStringList& arguments) {
    if (arguments.size() < 2) return 2;
    QStringList folders;
    // Absolute now: clicking a file in the browser changes the current folder.
    for (const QString& folder : arguments.mid(1)) folders << QDir(folder).absolutePath();
    // The pictures show the exercise's path: a copy of the data in a folder named alike on every
    // machine, rather than the checkout's own.
    QDir copy = emptyCaptureFolder();
    const int result = copyFolder(QDir(arguments[0]).absolutePath(), copy.path())
                           ? takeExercisePictures(copy.path(), folders)
                           : 1;
    copy.removeRecursively();
    return result;
}

}  // namespace screenshots
