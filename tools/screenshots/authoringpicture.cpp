// The picture of the window in which a teacher writes an exercise: the statement of a shipped
// exercise in the text area, its set-up on the workbench, the fields filled and a correction typed.
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>

#include "platform/richtextbox.h"
#include "tools/screenshots/pictures.h"
#include "tools/screenshots/picturewindow.h"
#include "windows/exercises/exerciseauthoring.h"
#include "windows/exercises/exercisebrowser.h"
#include "windows/exercises/exerciseeditor.h"
#include "workbench/exercisesession.h"
#include "workbench/mainwindow.h"

namespace screenshots {

int authoringPicture(const QStringList& arguments) {
    if (arguments.size() < 2) return 2;
    const QString data = QDir(arguments[0]).absolutePath();
    PictureWindow pictures(PictureWindow::Commands::Wired, data);
    workbench::MainWindow& window = pictures.window();

    const exercisewindow::ExerciseContext context = exerciseContext(window);
    const QString shipped = QDir(data).filePath(QStringLiteral("exercises/"));
    context.session.setFolder(shipped);
    exercisewindow::openExerciseByPath(context, shipped + QStringLiteral("AcideFaible.E36"));

    exercisewindow::ExerciseEditor editor(context, exercisewindow::draftOfWorkbench(context), QString());
    editor.findChild<QLineEdit*>(QStringLiteral("titre"))->setText(QStringLiteral("Dosage du vinaigre"));
    editor.findChild<QSpinBox*>(QStringLiteral("niveau"))->setValue(2);
    editor.findChild<QSpinBox*>(QStringLiteral("sabliers"))->setValue(3);
    const QString notions[] = {QStringLiteral("Titrage pH-métrique"), QStringLiteral("Méthode des tangentes"),
                               QStringLiteral("Concentration d'un acide faible")};
    for (int i = 0; i < 3; ++i)
        editor.findChild<QLineEdit*>(QStringLiteral("notion(%1)").arg(i))->setText(notions[i]);
    editor.findChild<QRadioButton*>(QStringLiteral("aveccorrige"))->setChecked(true);
    editor.findChild<platform::RichTextBox*>(QStringLiteral("corrige"))
        ->loadRtfFile(shipped + QStringLiteral("AcideFaible-corrige.RTF"));
    editor.show();
    for (int i = 0; i < 20; ++i) QApplication::processEvents();
    const QPixmap picture = editor.grab();
    bool saved = !picture.isNull();
    for (const QString& file : arguments.mid(1)) saved = picture.save(file) && saved;
    return saved ? 0 : 1;
}

}  // namespace screenshots
