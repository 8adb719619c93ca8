#include "windows/exercises/exercisemenu.h"

#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QTextDocument>

#include "platform/filedialogs.h"
#include "platform/messageboxes.h"
#include "platform/printer.h"
#include "platform/richtextbox.h"
#include "platform/savelocations.h"
#include "windows/exercises/exercisebrowser.h"
#include "windows/exercises/exerciseeditor.h"
#include "windows/exercises/exercisetext.h"
#include "workbench/exercisesession.h"
#include "workbench/services.h"

namespace exercisewindow {
namespace {

const QString kRtfFilter = QStringLiteral("Texte au format RTF|*.RTF");
const QString kDiskFailure = QStringLiteral("Vérifier l'état du lecteur et le nom du fichier.");
// What the name of a text reopened alone starts with.
const QString kTextNamePrefix = QStringLiteral("Texte: ");

// The main window shows the hourglass pointer while a correction loads.
class WaitPointer {
  public:
    explicit WaitPointer(QWidget& window) : m_window(window) { m_window.setCursor(Qt::WaitCursor); }
    ~WaitPointer() { m_window.unsetCursor(); }
    WaitPointer(const WaitPointer&) = delete;
    WaitPointer& operator=(const WaitPointer&) = delete;

  private:
    QWidget& m_window;
};

// A name, or a pattern, in the folder the save dialogs start in.
QString inStartFolder(const platform::SaveLocations& locations, const QString& name) {
    const QString folder = locations.startFolder();
    return folder.endsWith(QDir::separator()) ? folder + name : folder + QDir::separator() + name;
}

void showInstallationFailure(const ExerciseContext& context) {
    showStop(context, QStringLiteral("Fichier introuvable. Revoir l'installation du logiciel."),
             QStringLiteral("Erreur lors du chargement"));
}

}  // namespace

ExerciseMenu::ExerciseMenu(const ExerciseContext& context) : QMenu(&context.window), m_context(context) {
    setObjectName(QStringLiteral("optionexo"));
    addCommand("PRISENMAIN", QStringLiteral("Prise en main"), &ExerciseMenu::openGettingStarted);
    addSeparator();
    addCommand("openexo", QStringLiteral("Ouvrir un exercice (énoncé + configuration)"),
               &ExerciseMenu::browseExercises);
    m_correctionEntry =
        addCommand("opencor", QStringLiteral("Voir la correction"), &ExerciseMenu::showCorrection);
    addSeparator();
    addCommand("CREEREXO", QStringLiteral("Créer un exercice…"), &ExerciseMenu::createExercise);
    m_editEntry = addCommand("MODIFEXO", QStringLiteral("Modifier l'exercice…"), &ExerciseMenu::editExercise);
    addSeparator();
    addCommand("savetexte", QStringLiteral("Enregistrer le contenu de la fenêtre exercice"),
               &ExerciseMenu::saveText);
    addCommand("opentexte", QStringLiteral("Retrouver un texte"), &ExerciseMenu::reopenText);
    addCommand("imprimetexte", QStringLiteral("Imprimer le contenu de la fenêtre exercice"),
               &ExerciseMenu::printText);
    addSeparator();
    m_closeEntry = addCommand("Closexo", QStringLiteral("Fermer l'exercice"), &ExerciseMenu::closeExercise);
    connect(this, &QMenu::aboutToShow, this, &ExerciseMenu::enableCorrection);
    connect(this, &QMenu::aboutToShow, this, &ExerciseMenu::enableEditing);
}

QAction* ExerciseMenu::addCommand(const char* name, const QString& caption, void (ExerciseMenu::*handler)()) {
    QAction* action = addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, handler);
    return action;
}

void ExerciseMenu::enableCorrection() {
    m_correctionEntry->setEnabled(m_context.session.correctionAvailable());
}

void ExerciseMenu::enableEditing() {
    const QString name = m_context.session.name();
    m_editEntry->setEnabled(!name.isEmpty() && !name.startsWith(kTextNamePrefix));
}

void ExerciseMenu::popUp() {
    enableCorrection();
    enableEditing();
    m_closeEntry->setEnabled(!m_context.session.name().isEmpty());
    const auto* button = m_context.window.findChild<QPushButton*>(QStringLiteral("btexo"));
    const QPoint below = button ? button->mapToGlobal(QPoint(0, button->height())) : QCursor::pos();
    popup(below);
}

void ExerciseMenu::openGettingStarted() {
    workbench::ExerciseSession& session = m_context.session;
    const QString folder = withSeparator(m_context.services.applicationFolder);
    session.setFolder(folder);
    const QString index =
        folder + QString::fromLatin1(exercises::kGettingStartedFileName.data(),
                                     static_cast<qsizetype>(exercises::kGettingStartedFileName.size()));
    if (!QFileInfo(index).isFile()) return;
    // Replacing an edited text asks first, as every other command that replaces it does.
    if (!confirmLoss(m_context)) return;
    const auto exercise = readExerciseAt(index);
    if (!exercise) {
        showInstallationFailure(m_context);
        return;
    }
    ExerciseSetUp setUp(session, folder, exercise->configuration);
    if (setUp.refused()) return;
    if (loadText(m_context, folder + recordText(exercise->statement)) != TextLoad::Loaded) {
        showInstallationFailure(m_context);
        return;
    }
    session.setName(index);
    session.setCorrectionAvailable(false);
    setUp.apply();
    session.text().setReadOnly(false);
    session.setModified(false);
}

void ExerciseMenu::browseExercises() {
    if (!confirmLoss(m_context)) return;
    m_context.session.setModified(false);
    openExerciseBrowser(m_context);
}

void ExerciseMenu::showCorrection() {
    workbench::ExerciseSession& session = m_context.session;
    if (!confirmLoss(m_context)) return;
    session.setModified(false);
    WaitPointer wait(m_context.window);
    // The correction sits beside the exercise that is open, whatever folder the browser showed
    // since.
    const QString path = session.name();
    const QString folder = folderOf(path);
    session.setFolder(folder);
    const auto exercise = readExerciseAt(path);
    if (!exercise) {
        showReadFailure(m_context, path);
        return;
    }
    ExerciseSetUp setUp(session, folder, exercise->correctionConfiguration);
    if (setUp.refused()) return;
    if (!exercises::isBlank(exercise->correction) &&
        !loadExerciseText(m_context, folder + recordText(exercise->correction))) {
        return;
    }
    setUp.apply();
    session.text().setReadOnly(true);
    session.setModified(false);
}

void ExerciseMenu::createExercise() {
    openExerciseCreation(m_context);
}

void ExerciseMenu::editExercise() {
    openExerciseEditing(m_context);
}

void ExerciseMenu::saveText() {
    workbench::ExerciseSession& session = m_context.session;
    const workbench::Services& services = m_context.services;
    platform::SaveLocations& locations = m_context.saveLocations;
    const auto chosen = services.fileDialogs.saveFile(
        &m_context.window, QStringLiteral("Enregistrer le contenu de la fenêtre exercice"), kRtfFilter,
        QStringLiteral("RTF"), inStartFolder(locations, QString()));
    if (!chosen) return;
    // The shipped statements are never replaced, even where the system would allow it.
    if (locations.isInDataFolder(*chosen)) {
        showStop(m_context, kDiskFailure, QStringLiteral("Erreur d'écriture."));
        return;
    }
    if (QFileInfo::exists(*chosen)) {
        const auto answer = services.messageBoxes.show(
            platform::MessageIcon::Question,
            QStringLiteral("Le fichier ") + *chosen + QStringLiteral(" existe déjà.\r\nEcraser l'ancien?"),
            QStringLiteral("Ecraser le fichier?"), platform::MessageButtons::OkCancel);
        if (answer != platform::MessageAnswer::Ok) return;
    }
    if (!session.text().saveRtfFile(*chosen)) {
        showStop(m_context, kDiskFailure, QStringLiteral("Erreur d'écriture."));
        return;
    }
    locations.noteSaved(*chosen);
    session.setModified(false);
}

void ExerciseMenu::reopenText() {
    workbench::ExerciseSession& session = m_context.session;
    if (!confirmLoss(m_context)) return;
    session.setModified(false);
    // Where the pupil's texts were saved.
    const auto chosen = m_context.services.fileDialogs.openFile(
        &m_context.window, QStringLiteral("Retrouver un texte"), kRtfFilter,
        inStartFolder(m_context.saveLocations, QStringLiteral("*.rtf")));
    if (!chosen) return;
    session.setCorrectionAvailable(false);
    if (!session.text().loadRtfFile(*chosen))
        showStop(m_context, kDiskFailure, QStringLiteral("Erreur de lecture."));
    session.text().setReadOnly(false);
    session.setName(kTextNamePrefix + *chosen);
    session.setModified(false);
}

void ExerciseMenu::printText() {
    auto& printer = m_context.services.printer;
    if (!printer.setup(&m_context.window)) return;
    const auto text = platform::printableText(m_context.session.text().textCursor());
    printer.printDocument(&m_context.window, *text, QStringLiteral("Vireltra - exercice"));
}

void ExerciseMenu::closeExercise() {
    workbench::ExerciseSession& session = m_context.session;
    if (!confirmLoss(m_context)) return;
    session.setModified(false);
    session.setName(QString());
    session.writeWelcomeText();
    // The welcome text can be written in, as at start-up, even after a correction was shown.
    session.text().setReadOnly(false);
    session.setCorrectionAvailable(false);
}

}  // namespace exercisewindow
