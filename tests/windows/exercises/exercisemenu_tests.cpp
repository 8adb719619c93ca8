// The exercise menu: its entries and when they apply, and its commands on the text area.
#include "tests/support/childprocess.h"

#include <QAction>
#include <QFile>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <csignal>

#include "configuration/recordfile.h"
#include "exercisefixture.h"
#include "platform/richtextbox.h"

using platform::MessageAnswer;

namespace {

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class MenuTest : public ExerciseWindowTest {
  protected:
    void open(const QString& exercise) { exercisewindow::openExerciseByPath(context(), exercise); }
    // The entries that apply as the button sets them.
    std::pair<bool, bool> correctionAndClose() {
        menu->popUp();
        menu->hide();
        return {command("opencor")->isEnabled(), command("Closexo")->isEnabled()};
    }
};

}  // namespace

TEST_F(MenuTest, PopsUpBelowTheButtonWithItsEntriesInOrder) {
    auto* button = window->findChild<QPushButton*>(QStringLiteral("btexo"));
    ASSERT_TRUE(button->isEnabled());
    window->show();
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(menu->isVisible());
    // Just below the button, at its left edge unless the screen's edge pushes it back.
    const QPoint below = button->mapToGlobal(QPoint(0, button->height()));
    EXPECT_EQ(menu->y(), below.y());
    EXPECT_EQ(menu->x(), std::min(below.x(), menu->screen()->geometry().right() + 1 - menu->width()));
    QStringList entries;
    for (const QAction* action : menu->actions())
        entries << (action->isSeparator() ? QStringLiteral("-")
                                          : action->objectName() + QLatin1Char('=') + action->text());
    EXPECT_EQ(entries, (QStringList{QStringLiteral("PRISENMAIN=Prise en main"), QStringLiteral("-"),
                                    QStringLiteral("openexo=Ouvrir un exercice (énoncé + configuration)"),
                                    QStringLiteral("opencor=Voir la correction"), QStringLiteral("-"),
                                    QStringLiteral("CREEREXO=Créer un exercice…"),
                                    QStringLiteral("MODIFEXO=Modifier l'exercice…"), QStringLiteral("-"),
                                    QStringLiteral("savetexte=Enregistrer le contenu de la fenêtre exercice"),
                                    QStringLiteral("opentexte=Retrouver un texte"),
                                    QStringLiteral("imprimetexte=Imprimer le contenu de la fenêtre exercice"),
                                    QStringLiteral("-"), QStringLiteral("Closexo=Fermer l'exercice")}));
    menu->hide();
}

TEST_F(MenuTest, CorrectionAndClosingApplyOnlyToAnOpenCorrectedExercise) {
    EXPECT_EQ(correctionAndClose(), std::make_pair(false, false));
    open(makeExercise(QStringLiteral("A")));
    EXPECT_EQ(correctionAndClose(), std::make_pair(true, true));
    // Showing the menu applies the correction's rule again.
    session().setCorrectionAvailable(false);
    menu->popup(QPoint(0, 0));
    EXPECT_FALSE(command("opencor")->isEnabled());
    menu->hide();
}

TEST_F(MenuTest, GettingStartedOpensQelvoWithItsConfigurationAndNothingWithoutIt) {
    command("PRISENMAIN")->trigger();
    EXPECT_TRUE(boxes.calls().empty());
    EXPECT_TRUE(session().name().isEmpty());
    EXPECT_TRUE(shownText().startsWith(QStringLiteral("Vireltra")));

    writeText(QStringLiteral("Guide.RTF"), "Premier titrage");
    writeConfiguration(QStringLiteral("Guide.C13"), "0,05");
    exercises::ExerciseFile guide;
    guide.statement = "Guide.RTF";
    guide.configuration = "Guide.C13";
    guide.correction = "Guide.RTF";
    writeIndex(QStringLiteral("Qelvo.PEM"), guide);
    session().setCorrectionAvailable(true);
    command("PRISENMAIN")->trigger();
    EXPECT_EQ(shownText(), QStringLiteral("Premier titrage"));
    EXPECT_EQ(session().name(), path("Qelvo.PEM"));
    EXPECT_EQ(session().folder(), folder);
    EXPECT_EQ(window->workbench().fieldText(state::Field::BeakerConcentration), QStringLiteral("0,05"));
    EXPECT_FALSE(session().correctionAvailable());
    EXPECT_FALSE(session().isModified());

    // Over an edited text it asks first, as every command that replaces the text does.
    textArea().appendText(QStringLiteral(" note"));
    boxes.queueAnswer(MessageAnswer::Cancel);
    command("PRISENMAIN")->trigger();
    EXPECT_EQ(shownText(), QStringLiteral("Premier titrage note"));

    QFile::remove(path("Guide.RTF"));
    boxes.queueAnswer(MessageAnswer::Ok);
    boxes.queueAnswer(MessageAnswer::Ok);
    command("PRISENMAIN")->trigger();
    EXPECT_EQ(
        messages().mid(1),
        (QStringList{QStringLiteral("Abandon des données?: Attention: perte des modifications du texte."),
                     QStringLiteral("Erreur lors du chargement: Fichier introuvable. Revoir "
                                    "l'installation du logiciel.")}));
}

TEST_F(MenuTest, TheCorrectionIsReadOnlyWithItsConfigurationAndKeepsTheStatementWhenItHasNoText) {
    for (const bool hasText : {true, false}) {
        open(makeExercise(QString::number(hasText), [&](exercises::ExerciseFile& e) {
            if (!hasText) e.correction = " ";
        }));
        // The correction sits beside the exercise, whatever folder the browser showed since.
        session().setFolder(folder);
        command("opencor")->trigger();
        EXPECT_EQ(shownText(), hasText ? QStringLiteral("Corrigé 1") : QStringLiteral("Énoncé 0"));
        EXPECT_EQ(window->workbench().fieldText(state::Field::BeakerConcentration), QStringLiteral("0,03"));
        EXPECT_TRUE(textArea().isReadOnly());
        EXPECT_FALSE(session().isModified());
        EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor);
    }
}

TEST_F(MenuTest, ACorrectionThatCannotBeReadSaysWhy) {
    const QString exercise = makeExercise(QStringLiteral("A"));
    open(exercise);
    QFile::remove(path("exercises/A-corrige.RTF"));
    boxes.queueAnswer(MessageAnswer::Ok);
    command("opencor")->trigger();
    QFile::remove(exercise);
    boxes.queueAnswer(MessageAnswer::Ok);
    command("opencor")->trigger();
    EXPECT_EQ(messages(),
              (QStringList{QStringLiteral("Fichier absent: Le fichier ") + path("exercises/A-corrige.RTF") +
                               QStringLiteral(" est introuvable"),
                           QStringLiteral("Lecture impossible: Vérifier:\r\n- le nom du fichier,\r\n- "
                                          "l'état du lecteur.")}));
    EXPECT_EQ(shownText(), QStringLiteral("Énoncé A"));
    EXPECT_FALSE(textArea().isReadOnly());
    EXPECT_EQ(window->workbench().fieldText(state::Field::BeakerConcentration), QStringLiteral("0,02"));
    EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(MenuTest, SavingOverAFileAsksFirstAndCancelLeavesItUntouched) {
    open(makeExercise(QStringLiteral("A")));
    textArea().appendText(QStringLiteral(" réponse"));
    const QString answers = inHome("reponses.RTF");
    writeBytes(answers, "ancien");

    dialogs.queueSaveAnswer(answers);
    boxes.queueAnswer(MessageAnswer::Cancel);
    command("savetexte")->trigger();
    ASSERT_EQ(dialogs.calls().size(), 1u);
    EXPECT_EQ(dialogs.calls()[0].filter, QStringLiteral("Texte au format RTF|*.RTF"));
    EXPECT_EQ(dialogs.calls()[0].defaultSuffix, QStringLiteral("RTF"));
    EXPECT_EQ(messages(), QStringList{QStringLiteral("Ecraser le fichier?: Le fichier ") + answers +
                                      QStringLiteral(" existe déjà.\r\nEcraser l'ancien?")});
    EXPECT_EQ(contentOf(answers), QByteArray("ancien"));
    EXPECT_TRUE(session().isModified());

    dialogs.queueSaveAnswer(answers);
    boxes.queueAnswer(MessageAnswer::Ok);
    command("savetexte")->trigger();
    EXPECT_TRUE(contentOf(answers).startsWith("{\\rtf1"));
    EXPECT_FALSE(session().isModified());
}

TEST_F(MenuTest, ASaveThatFailsHalfWayKeepsThePreviousAnswers) {
    open(makeExercise(QStringLiteral("A")));
    const QString answers = inHome("reponses.RTF");
    dialogs.queueSaveAnswer(answers);
    command("savetexte")->trigger();
    const QByteArray saved = contentOf(answers);
    ASSERT_FALSE(saved.isEmpty());
    // A long answer, and a disk that takes only part of it: the write fails half-way.
    textArea().appendText(QString(200000, QLatin1Char('x')));
    ASSERT_TRUE(session().isModified());
    dialogs.queueSaveAnswer(answers);
    boxes.queueAnswer(MessageAnswer::Ok);  // overwrite
    boxes.queueAnswer(MessageAnswer::Ok);  // the failure
    {
        const testsupport::FileSizeLimit limit(65536);
        if (!limit.active()) GTEST_SKIP() << testsupport::kNoFileSizeLimitReason;
        command("savetexte")->trigger();
    }
    ASSERT_EQ(boxes.calls().size(), 2u);
    EXPECT_EQ(messages().back(),
              QStringLiteral("Erreur d'écriture.: Vérifier l'état du lecteur et le nom du fichier."));
    EXPECT_EQ(contentOf(answers), saved);
    EXPECT_EQ(QDir(home.path()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral(".tmp")),
              QStringList{});
    EXPECT_TRUE(session().isModified());
}

TEST_F(MenuTest, TheTextDialogsStartInTheDocumentsAndNeverWriteTheData) {
    open(makeExercise(QStringLiteral("A")));
    textArea().appendText(QStringLiteral(" réponse"));
    const QByteArray statement = contentOf(path("exercises/A.RTF"));
    dialogs.queueSaveAnswer(path("exercises/A.RTF"));
    boxes.queueAnswer(MessageAnswer::Ok);
    command("savetexte")->trigger();
    EXPECT_EQ(dialogs.calls().back().initialName, QDir::toNativeSeparators(inHome("Documents/")));
    EXPECT_EQ(
        messages(),
        QStringList{QStringLiteral("Erreur d'écriture.: Vérifier l'état du lecteur et le nom du fichier.")});
    EXPECT_EQ(contentOf(path("exercises/A.RTF")), statement);
    EXPECT_TRUE(session().isModified());
}

TEST_F(MenuTest, ASavedAnswerReopensWithItsStyles) {
    open(makeExercise(QStringLiteral("A")));
    textArea().appendText(QStringLiteral("\r\nRéponse : "));
    textArea().selection().setBold(true);
    textArea().selection().setColour({0, 0, 200});
    textArea().appendText(QStringLiteral("pH = 8,2"));
    const rtf::Document written = textArea().richDocument();
    dialogs.queueSaveAnswer(inHome("reponse.RTF"));
    command("savetexte")->trigger();
    command("Closexo")->trigger();

    dialogs.queueOpenAnswer(inHome("reponse.RTF"));
    command("opentexte")->trigger();
    // Where it was saved.
    EXPECT_EQ(dialogs.calls().back().initialName, QDir::toNativeSeparators(inHome("*.rtf")));
    EXPECT_EQ(textArea().richDocument(), written);
    textArea().select(static_cast<int>(textArea().text().indexOf(QStringLiteral("pH"))), 2);
    EXPECT_TRUE(textArea().selection().bold());
    EXPECT_EQ(session().name(), QStringLiteral("Texte: ") + inHome("reponse.RTF"));
    EXPECT_FALSE(textArea().isReadOnly());
    EXPECT_FALSE(session().correctionAvailable());
    EXPECT_FALSE(session().isModified());
}

TEST_F(MenuTest, RetrievingATextCancelledOrUnreadableKeepsTheTextButClearsTheModification) {
    open(makeExercise(QStringLiteral("A")));
    textArea().appendText(QStringLiteral(" réponse"));
    const QString edited = shownText();
    boxes.queueAnswer(MessageAnswer::Ok);
    dialogs.queueOpenAnswer(std::nullopt);
    command("opentexte")->trigger();
    EXPECT_EQ(shownText(), edited);
    EXPECT_FALSE(session().isModified());
    EXPECT_EQ(session().name(), path("exercises/A.E36"));

    writeBytes(path("notes.RTF"), "pas du RTF");
    dialogs.queueOpenAnswer(path("notes.RTF"));
    boxes.queueAnswer(MessageAnswer::Ok);
    command("opentexte")->trigger();
    EXPECT_EQ(messages().back(),
              QStringLiteral("Erreur de lecture.: Vérifier l'état du lecteur et le nom du fichier."));
    EXPECT_EQ(shownText(), edited);
    EXPECT_EQ(session().name(), QStringLiteral("Texte: ") + path("notes.RTF"));
}

TEST_F(MenuTest, PrintingSetsUpThePrinterThenPrintsTheSelectionOrAll) {
    open(makeExercise(QStringLiteral("A")));
    printer.queueSetupAnswer(false);
    command("imprimetexte")->trigger();
    EXPECT_TRUE(printer.documents().empty());
    printer.queueSetupAnswer(true);
    command("imprimetexte")->trigger();
    textArea().select(0, 6);
    printer.queueSetupAnswer(true);
    command("imprimetexte")->trigger();
    ASSERT_EQ(printer.documents().size(), 2u);
    EXPECT_EQ(printer.documents()[0].text, QStringLiteral("Énoncé A"));
    EXPECT_EQ(printer.documents()[1].text, QStringLiteral("Énoncé"));
    EXPECT_EQ(printer.setupCalls(), 3);
}

TEST_F(MenuTest, ClosingAnEditedExerciseAsksThenBringsBackTheWelcomeText) {
    open(makeExercise(QStringLiteral("A")));
    command("opencor")->trigger();
    session().setModified(true);
    boxes.queueAnswer(MessageAnswer::Cancel);
    command("Closexo")->trigger();
    EXPECT_EQ(shownText(), QStringLiteral("Corrigé A"));
    EXPECT_TRUE(session().isModified());

    boxes.queueAnswer(MessageAnswer::Ok);
    command("Closexo")->trigger();
    EXPECT_EQ(boxes.calls().size(), 2u);
    EXPECT_TRUE(shownText().startsWith(QStringLiteral("Vireltra\n\nCe simulateur permet")));
    EXPECT_TRUE(session().name().isEmpty());
    EXPECT_FALSE(session().isModified());
    EXPECT_EQ(correctionAndClose(), std::make_pair(false, false));
    // The workbench keeps the exercise's configuration.
    EXPECT_EQ(window->workbench().fieldText(state::Field::BeakerConcentration), QStringLiteral("0,03"));
}
