// The exercise browser: where it opens, the preview of a file and the opening of an exercise.
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>

#include "configuration/recordfile.h"
#include "exercisefixture.h"
#include "platform/directorylist.h"
#include "platform/filelist.h"
#include "platform/richtextbox.h"
#include "windows/exercises/browserpictures.h"
#include "windows/exercises/browserwidgets.h"

using exercisewindow::ExerciseBrowser;
using platform::MessageAnswer;

namespace {

class BrowserTest : public ExerciseWindowTest {
  protected:
    // The browser shown over the main window, as the menu shows it but without its own loop.
    std::unique_ptr<ExerciseBrowser> showBrowser() {
        auto browser = std::make_unique<ExerciseBrowser>(context());
        browser->show();
        return browser;
    }
    template <typename T>
    static T* control(const ExerciseBrowser& browser, const QString& name) {
        auto* found = browser.findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    static QString shown(const ExerciseBrowser& browser, const char* name) {
        return control<QLabel>(browser, QString::fromLatin1(name))->text();
    }
    static bool visible(const ExerciseBrowser& browser, const char* name) {
        return control<QWidget>(browser, QString::fromLatin1(name))->isVisible();
    }
};

}  // namespace

TEST_F(BrowserTest, CoversTheMainWindowAndPreviewsTheFirstShippedExerciseWhenShown) {
    makeExercise(QStringLiteral("B"));
    makeExercise(QStringLiteral("A"));
    window->show();
    const auto browser = showBrowser();
    EXPECT_EQ(browser->geometry(), window->geometry());
    EXPECT_EQ(browser->windowTitle(), window->windowTitle());
    EXPECT_EQ(control<exercisewindow::TitleBand>(*browser, "tito")->title(),
              QStringLiteral("Ouvrir un exercice"));
    auto* files = control<platform::FileList>(*browser, "File1");
    EXPECT_EQ(files->path(), QDir::toNativeSeparators(QDir::cleanPath(path("exercises"))));
    EXPECT_EQ(files->pattern(), QStringLiteral("*.E36"));
    EXPECT_EQ(browser->selectedPath(), path("exercises/A.E36"));
    EXPECT_EQ(session().folder(), path("exercises/"));
    EXPECT_EQ(shown(*browser, "titratexo"), QStringLiteral("Titrage A"));
    EXPECT_EQ(control<QPlainTextEdit>(*browser, "Text1")->toPlainText(),
              QStringLiteral("Équivalence ; pH ; Tangentes"));
    EXPECT_EQ(control<exercisewindow::HourglassBox>(*browser, "Text2")->count(), 3);
    EXPECT_EQ(shown(*browser, "Label2"), QStringLiteral("Exercice corrigé"));
    EXPECT_EQ(shown(*browser, "Label3"), QStringLiteral("Exercice corrigé"));
    EXPECT_EQ(control<QLabel>(*browser, "Label3")->pos(),
              control<QLabel>(*browser, "Label2")->pos() + QPoint(2, 0));
    EXPECT_FALSE(visible(*browser, "intratro"));
    EXPECT_TRUE(visible(*browser, "ouvreur"));
    EXPECT_FALSE(visible(*browser, "Frame2"));
}

TEST_F(BrowserTest, AFolderWithoutExercisesShowsTheHintAndNoPreview) {
    QDir(folder).mkdir(QStringLiteral("vide"));
    // Shown over an empty folder; then moved to one after an exercise was previewed.
    for (const bool moved : {false, true}) {
        if (moved) makeExercise(QStringLiteral("A"));
        const auto browser = showBrowser();
        if (moved) {
            ASSERT_EQ(shown(*browser, "titratexo"), QStringLiteral("Titrage A"));
            control<platform::DirectoryList>(*browser, "Dir1")->setPath(path("vide"));
        }
        EXPECT_EQ(control<platform::FileList>(*browser, "File1")->count(), 0);
        EXPECT_EQ(shown(*browser, "intratro"), QStringLiteral("Sélectionner un fichier"));
        EXPECT_TRUE(visible(*browser, "intratro"));
        for (const char* name : {"Label4", "Image4(0)", "ouvreur", "Label1", "Text1", "Label2", "Text2"})
            EXPECT_FALSE(visible(*browser, name)) << name << (moved ? " after a preview" : "");
        EXPECT_TRUE(shown(*browser, "titratexo").isEmpty());
        EXPECT_TRUE(browser->selectedPath().isEmpty());
        browser->openSelectedExercise();
        EXPECT_TRUE(session().name().isEmpty());
    }
}

TEST_F(BrowserTest, LevelIconsLightUpToTheLevel) {
    const std::pair<const char*, std::array<bool, 3>> cases[] = {{"2", {true, true, false}},
                                                                 {"0", {false, false, false}},
                                                                 {"difficile", {false, false, false}},
                                                                 {"5", {true, true, true}}};
    const QImage lit = exercisewindow::levelPicture(true).toImage();
    const QImage dark = exercisewindow::levelPicture(false).toImage();
    ASSERT_NE(lit, dark);
    const QString exercise = makeExercise(QStringLiteral("Niveau"));
    const auto browser = showBrowser();
    for (const auto& [level, expected] : cases) {
        configuration::RecordFile file;
        ASSERT_TRUE(file.open(exercise.toStdString(), configuration::RecordFile::Mode::ReadWrite));
        ASSERT_TRUE(file.write(5, level));
        file.close();
        browser->showPreview();
        for (int k = 0; k < 3; ++k) {
            auto* icon = control<QLabel>(*browser, QStringLiteral("Image4(%1)").arg(k));
            EXPECT_TRUE(icon->isVisible());
            EXPECT_EQ(icon->pixmap().toImage(), expected[static_cast<std::size_t>(k)] ? lit : dark)
                << "level " << level << ", icon " << k;
        }
    }
}

TEST_F(BrowserTest, OpeningLoadsTheStatementAndTheConfigurationThenCloses) {
    makeExercise(QStringLiteral("A"));
    const auto browser = showBrowser();
    textArea().setReadOnly(true);
    browser->openSelectedExercise();
    EXPECT_EQ(shownText(), QStringLiteral("Énoncé A"));
    EXPECT_EQ(session().name(), path("exercises/A.E36"));
    EXPECT_EQ(window->workbench().fieldText(state::Field::BeakerConcentration), QStringLiteral("0,02"));
    EXPECT_EQ(window->windowTitle(),
              QStringLiteral("Vireltra - ") + QDir::toNativeSeparators(path("exercises/A.C13")));
    EXPECT_TRUE(session().correctionAvailable());
    EXPECT_FALSE(session().isModified());
    EXPECT_FALSE(textArea().isReadOnly());
    EXPECT_FALSE(browser->isVisible());
    EXPECT_EQ(browser->result(), QDialog::Accepted);
    // The pupil writes in the statement.
    textArea().appendText(QStringLiteral(" réponse"));
    EXPECT_TRUE(session().isModified());
}

TEST_F(BrowserTest, TheOpenButtonADoubleClickAndEnterOpenTheSelectedExercise) {
    makeExercise(QStringLiteral("A"));
    const std::function<void(platform::FileList*, QToolButton*)> triggers[] = {
        [](platform::FileList*, QToolButton* button) { QTest::mouseClick(button, Qt::LeftButton); },
        [](platform::FileList* files, QToolButton*) {
            QTest::mouseDClick(files->viewport(), Qt::LeftButton, {},
                               files->visualItemRect(files->item(0)).center());
        },
        [](platform::FileList* files, QToolButton*) { QTest::keyClick(files, Qt::Key_Return); }};
    for (const auto& trigger : triggers) {
        session().setName(QString());
        const auto browser = showBrowser();
        trigger(control<platform::FileList>(*browser, "File1"), control<QToolButton>(*browser, "ouvreur"));
        EXPECT_EQ(session().name(), path("exercises/A.E36"));
        EXPECT_FALSE(browser->isVisible());
    }
}

TEST_F(BrowserTest, AnUncorrectedExerciseLeavesTheCorrectionDisabled) {
    makeExercise(QStringLiteral("A"),
                 [](exercises::ExerciseFile& e) { e.correction = e.correctionConfiguration = " "; });
    const auto browser = showBrowser();
    EXPECT_EQ(shown(*browser, "Label2"), QStringLiteral("Non corrigé"));
    browser->openSelectedExercise();
    menu->popUp();
    EXPECT_FALSE(command("opencor")->isEnabled());
    EXPECT_TRUE(command("Closexo")->isEnabled());
    menu->hide();
}

TEST_F(BrowserTest, ABlankConfigurationRecordLeavesTheWorkbenchAsItWas) {
    makeExercise(QStringLiteral("A"), [](exercises::ExerciseFile& e) { e.configuration = "  "; });
    window->workbench().setFieldText(state::Field::BeakerConcentration, QStringLiteral("0,07"));
    window->workbench().validateField(state::Field::BeakerConcentration);
    showBrowser()->openSelectedExercise();
    EXPECT_EQ(shownText(), QStringLiteral("Énoncé A"));
    EXPECT_EQ(window->workbench().fieldText(state::Field::BeakerConcentration), QStringLiteral("0,07"));
    EXPECT_TRUE(window->document().configurationPath().isEmpty());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Vireltra"));
}

TEST_F(BrowserTest, AFailedOpeningSaysWhyAndKeepsTheBrowserOpen) {
    const QString statementless =
        makeExercise(QStringLiteral("A"), [](exercises::ExerciseFile& e) { e.statement = "absent.RTF"; });
    QFile::remove(path("exercises/absent.RTF"));
    const auto browser = showBrowser();
    const std::pair<QString, QString> cases[] = {
        {statementless, QStringLiteral("Fichier absent: Le fichier ") + path("exercises/absent.RTF") +
                            QStringLiteral(" est introuvable")},
        {path("exercises/disparu.E36"),
         QStringLiteral("Lecture impossible: Vérifier:\r\n- le nom du fichier,\r\n- l'état du lecteur.")}};
    for (const auto& [exercise, message] : cases) {
        boxes.reset();
        boxes.queueAnswer(MessageAnswer::Ok);
        browser->setSelectedPath(exercise);
        browser->openSelectedExercise();
        ASSERT_EQ(messages(), QStringList{message});
        EXPECT_EQ(boxes.calls().front().icon, platform::MessageIcon::Stop);
        EXPECT_TRUE(browser->isVisible());
        EXPECT_FALSE(visible(*browser, "Frame2"));
        EXPECT_TRUE(session().name().isEmpty());
        EXPECT_TRUE(shownText().startsWith(QStringLiteral("Vireltra")));
    }
}

TEST_F(BrowserTest, OpeningAnotherExerciseOverAnEditedTextAsksFirst) {
    makeExercise(QStringLiteral("A"));
    showBrowser()->openSelectedExercise();
    textArea().appendText(QStringLiteral(" ma réponse"));
    const QString edited = shownText();

    boxes.queueAnswer(MessageAnswer::Cancel);
    command("openexo")->trigger();
    EXPECT_EQ(
        messages(),
        QStringList{QStringLiteral("Abandon des données?: Attention: perte des modifications du texte.")});
    EXPECT_EQ(boxes.calls().front().icon, platform::MessageIcon::Question);
    EXPECT_EQ(shownText(), edited);
    EXPECT_TRUE(session().isModified());

    boxes.queueAnswer(MessageAnswer::Ok);
    whenShown<ExerciseBrowser>([](ExerciseBrowser* browser) { browser->closeBrowser(); });
    command("openexo")->trigger();
    EXPECT_FALSE(session().isModified());
    EXPECT_EQ(shownText(), edited);
}

TEST_F(BrowserTest, AnExerciseNamedInTheSharedRecordFileOpensAtActivation) {
    makeExercise(QStringLiteral("Demande"),
                 [](exercises::ExerciseFile& e) { e.correction = e.correctionConfiguration = ""; });
    {
        configuration::RecordFile file;
        ASSERT_TRUE(file.open(window->sharedRecordFile().path().toStdString(),
                              configuration::RecordFile::Mode::ReadWrite));
        ASSERT_TRUE(file.write(31, "exercises/Demande.E36"));
    }
    session().setCorrectionAvailable(true);
    window->checkExerciseRequest();
    EXPECT_EQ(shownText(), QStringLiteral("Énoncé Demande"));
    EXPECT_EQ(session().name(), path("exercises/Demande.E36"));
    EXPECT_EQ(window->workbench().fieldText(state::Field::BeakerConcentration), QStringLiteral("0,02"));
    EXPECT_TRUE(window->exerciseFromTempFile());
    // Its records say it has no correction.
    EXPECT_FALSE(session().correctionAvailable());
}
