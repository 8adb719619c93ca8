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
#include "windows/exercises/exercisetext.h"
#include "windows/exercises/fichexo.h"
#include "workbench/mainwindow.h"

namespace exercisewindow {
namespace {

const QString kRtfFilter = QStringLiteral("Texte au format RTF|*.RTF");
const QString kDiskFailure = QStringLiteral("Vérifier l'état du lecteur et le nom du fichier.");

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

void showInstallationFailure(workbench::MainWindow& window) {
    showStop(window, QStringLiteral("Fichier introuvable. Revoir l'installation du logiciel."),
             QStringLiteral("Erreur lors du chargement"));
}

}  // namespace

ExerciseMenu::ExerciseMenu(workbench::MainWindow& window) : QMenu(&window), m_window(window) {
    setObjectName(QStringLiteral("optionexo"));
    addCommand("PRISENMAIN", QStringLiteral("Prise en main"), &ExerciseMenu::PRISENMAIN_Click);
    addSeparator();
    addCommand("openexo", QStringLiteral("Ouvrir un exercice (énoncé + configuration)"),
               &ExerciseMenu::openexo_Click);
    m_opencor = addCommand("opencor", QStringLiteral("Voir la correction"), &ExerciseMenu::opencor_Click);
    addSeparator();
    addCommand("savetexte", QStringLiteral("Enregistrer le contenu de la fenêtre exercice"),
               &ExerciseMenu::savetexte_Click);
    addCommand("opentexte", QStringLiteral("Retrouver un texte"), &ExerciseMenu::opentexte_Click);
    addCommand("imprimetexte", QStringLiteral("Imprimer le contenu de la fenêtre exercice"),
               &ExerciseMenu::imprimetexte_Click);
    addSeparator();
    m_closexo = addCommand("Closexo", QStringLiteral("Fermer l'exercice"), &ExerciseMenu::Closexo_Click);
    connect(this, &QMenu::aboutToShow, this, &ExerciseMenu::enableCorrection);
}

QAction* ExerciseMenu::addCommand(const char* name, const QString& caption, void (ExerciseMenu::*handler)()) {
    QAction* action = addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, handler);
    return action;
}

void ExerciseMenu::enableCorrection() {
    m_opencor->setEnabled(m_window.correctionAvailable());
}

void ExerciseMenu::btexo_Click() {
    enableCorrection();
    m_closexo->setEnabled(!m_window.fich().isEmpty());
    const auto* button = m_window.findChild<QPushButton*>(QStringLiteral("btexo"));
    const QPoint below = button ? button->mapToGlobal(QPoint(0, button->height())) : QCursor::pos();
    popup(below);
}

void ExerciseMenu::PRISENMAIN_Click() {
    const QString folder = withSeparator(m_window.services().applicationFolder);
    m_window.setExerciseFolder(folder);
    const QString index =
        folder + QString::fromLatin1(exercises::kGettingStartedFileName.data(),
                                     static_cast<qsizetype>(exercises::kGettingStartedFileName.size()));
    if (!QFileInfo(index).isFile()) return;
    // Replacing an edited text asks first, as every other command that replaces it does.
    if (!confirmLoss(m_window)) return;
    const auto exercise = readExerciseAt(index);
    if (!exercise) {
        showInstallationFailure(m_window);
        return;
    }
    ExerciseSetUp setUp(m_window, folder, exercise->configuration);
    if (setUp.refused()) return;
    if (loadText(m_window, folder + recordText(exercise->statement)) != TextLoad::Loaded) {
        showInstallationFailure(m_window);
        return;
    }
    m_window.setFich(index);
    m_window.setCorrectionAvailable(false);
    setUp.apply();
    m_window.supertext().setReadOnly(false);
    m_window.setTextModified(false);
}

void ExerciseMenu::openexo_Click() {
    if (!confirmLoss(m_window)) return;
    m_window.setTextModified(false);
    openExerciseBrowser(m_window);
}

void ExerciseMenu::opencor_Click() {
    if (!confirmLoss(m_window)) return;
    m_window.setTextModified(false);
    WaitPointer wait(m_window);
    // The correction sits beside the exercise that is open, whatever folder the browser showed
    // since.
    const QString path = m_window.fich();
    const QString folder = folderOf(path);
    m_window.setExerciseFolder(folder);
    const auto exercise = readExerciseAt(path);
    if (!exercise) {
        showReadFailure(m_window);
        return;
    }
    ExerciseSetUp setUp(m_window, folder, exercise->correctionConfiguration);
    if (setUp.refused()) return;
    if (!exercises::isBlank(exercise->correction) &&
        !loadExerciseText(m_window, folder + recordText(exercise->correction))) {
        return;
    }
    setUp.apply();
    m_window.supertext().setReadOnly(true);
    m_window.setTextModified(false);
}

void ExerciseMenu::savetexte_Click() {
    auto& services = m_window.services();
    platform::SaveLocations& locations = m_window.saveLocations();
    const auto chosen = services.fileDialogs.saveFile(
        &m_window, QStringLiteral("Enregistrer le contenu de la fenêtre exercice"), kRtfFilter,
        QStringLiteral("RTF"), inStartFolder(locations, QString()));
    if (!chosen) return;
    // The shipped statements are never replaced, even where the system would allow it.
    if (locations.isInDataFolder(*chosen)) {
        showStop(m_window, kDiskFailure, QStringLiteral("Erreur d'écriture."));
        return;
    }
    if (QFileInfo::exists(*chosen)) {
        const auto answer = services.messageBoxes.show(
            platform::MessageIcon::Question,
            QStringLiteral("Le fichier ") + *chosen + QStringLiteral(" existe déjà.\r\nEcraser l'ancien?"),
            QStringLiteral("Ecraser le fichier?"), platform::MessageButtons::OkCancel);
        if (answer != platform::MessageAnswer::Ok) return;
    }
    if (!m_window.supertext().saveRtfFile(*chosen)) {
        showStop(m_window, kDiskFailure, QStringLiteral("Erreur d'écriture."));
        return;
    }
    locations.noteSaved(*chosen);
    m_window.setTextModified(false);
}

void ExerciseMenu::opentexte_Click() {
    if (!confirmLoss(m_window)) return;
    m_window.setTextModified(false);
    // Where the pupil's texts were saved.
    const auto chosen = m_window.services().fileDialogs.openFile(
        &m_window, QStringLiteral("Retrouver un texte"), kRtfFilter,
        inStartFolder(m_window.saveLocations(), QStringLiteral("*.rtf")));
    if (!chosen) return;
    m_window.setCorrectionAvailable(false);
    if (!m_window.supertext().loadRtfFile(*chosen))
        showStop(m_window, kDiskFailure, QStringLiteral("Erreur de lecture."));
    m_window.supertext().setReadOnly(false);
    m_window.setFich(QStringLiteral("Texte: ") + *chosen);
    m_window.setTextModified(false);
}

void ExerciseMenu::imprimetexte_Click() {
    auto& printer = m_window.services().printer;
    if (!printer.setup(&m_window)) return;
    const auto text = platform::printableText(m_window.supertext().textCursor());
    printer.printDocument(&m_window, *text, QStringLiteral("Vireltra - exercice"));
}

void ExerciseMenu::Closexo_Click() {
    if (!confirmLoss(m_window)) return;
    m_window.setTextModified(false);
    m_window.setFich(QString());
    m_window.writeWelcomeText();
    // The welcome text can be written in, as at start-up, even after a correction was shown.
    m_window.supertext().setReadOnly(false);
    m_window.setCorrectionAvailable(false);
}

}  // namespace exercisewindow
