// The window in which a teacher writes an exercise: what it writes is what the exercise builder
// makes of the same content, the exercise opens again as it was written, an exercise open is
// changed and written again, and what cannot be written is refused with nothing written.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include "chemistry/catalogue.h"
#include "exercisefixture.h"
#include "exercises/exercisewriter.h"
#include "platform/directorylist.h"
#include "platform/filelist.h"
#include "platform/richtextbox.h"
#include "tools/exercisebuilder.h"
#include "windows/exercises/browserpictures.h"
#include "windows/exercises/browserwidgets.h"
#include "windows/exercises/exerciseeditor.h"
#include "windows/exercises/exercisetext.h"
#include "windows/exercises/textformatbar.h"

using exercisewindow::ExerciseEditor;
using platform::MessageAnswer;

namespace {

const QString kData = QStringLiteral(VIRELTRA_DATA_DIR_BUILD);

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

template <typename T>
T* control(const QWidget& window, const QString& name) {
    auto* found = window.findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
}

QString fromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

// The text a rich-text file shows.
QString textOf(const QString& file) {
    platform::RichTextBox box;
    EXPECT_TRUE(box.loadRtfFile(file)) << file.toStdString();
    return box.plainText();
}

class EditorTest : public ExerciseWindowTest {
  protected:
    explicit EditorTest(const QString& applicationFolder = QString())
        : ExerciseWindowTest(applicationFolder) {
        QDir(home.path()).mkpath(QStringLiteral("Exercices"));
    }

    // Opens the window from its menu entry and runs `act` on it, which saves or closes it.
    void withEditor(const char* entry, const std::function<void(ExerciseEditor&)>& act) {
        whenShown<ExerciseEditor>([act](ExerciseEditor* editor) { act(*editor); });
        command(entry)->trigger();
    }
    static void fill(ExerciseEditor& editor, const QString& title, int level, int hourglasses,
                     const QStringList& notions) {
        control<QLineEdit>(editor, QStringLiteral("titre"))->setText(title);
        control<QSpinBox>(editor, QStringLiteral("niveau"))->setValue(level);
        control<QSpinBox>(editor, QStringLiteral("sabliers"))->setValue(hourglasses);
        for (int i = 0; i < notions.size(); ++i)
            control<QLineEdit>(editor, QStringLiteral("notion(%1)").arg(i))->setText(notions[i]);
    }
    static void correct(ExerciseEditor& editor, const QByteArray& rtf) {
        control<QRadioButton>(editor, QStringLiteral("aveccorrige"))->setChecked(true);
        control<platform::RichTextBox>(editor, QStringLiteral("corrige"))->setRtf(rtf);
    }
    void saveAs(ExerciseEditor& editor, const QString& path) {
        dialogs.queueSaveAnswer(path);
        QTest::mouseClick(control<QPushButton>(editor, QStringLiteral("enregistrer")), Qt::LeftButton);
    }
};

// The builder's source of the exercise the first test writes in the program; its correction's
// set-up is the statement's with every situation poured to 25 mL.
std::string equivalentSource() {
    const std::string solute = chemistry::SpeciesCatalogue().speciesName(true, 0);
    const std::string situations[] = {"acide éthanoïque ; c = 0,01 ; V = 20 ; cb = 0,0125",
                                      "ammoniac ; eau = 80 ; masquée = oui"};
    std::string setUp = "superposer = oui\n";
    std::string titrated = setUp;
    for (int s = 1; s <= 10; ++s) {
        const std::string line =
            "situation " + std::to_string(s) + " : " + (s <= 2 ? situations[s - 1] : solute);
        if (s <= 2) setUp += line + "\n";
        titrated += line + " ; versé = 25\n";
    }
    return "@titre Dosage du vinaigre\n@niveau 2\n@sabliers 3\n@notion Titrage pH-métrique\n"
           "@notion Volume à l'équivalence\n@notion Concentration d'un acide faible\n"
           "@configuration\n" +
           setUp + "@énoncé\n# Dosage du vinaigre\nOn titre **20,0 mL** d'acide éthanoïque CH_3COOH.\n...\n" +
           "@configuration-corrigé\n" + titrated + "@corrigé\n{rouge|V_E} = 16,0 mL et pH_E = 8,25.\n";
}

}  // namespace

TEST_F(EditorTest, AnExerciseWrittenHereIsWhatTheBuilderMakesAndOpensAsItWasWritten) {
    tools::SourceError fault;
    const auto source = tools::parseExerciseSource(equivalentSource(), "Vinaigre", fault);
    ASSERT_TRUE(source.has_value()) << fault.line << ": " << fault.message;
    std::string error;
    ASSERT_TRUE(tools::buildExercise(*source, folder.toStdString(), error)) << error;
    const QString built = path(QStringLiteral("exercises/"));
    // Its statement in the text area and its set-up on the workbench, as a teacher would have them.
    exercisewindow::openExerciseByPath(context(), built + QStringLiteral("Vinaigre.E36"));

    withEditor("CREEREXO", [&](ExerciseEditor& editor) {
        EXPECT_EQ(editor.windowTitle(), QStringLiteral("Créer un exercice"));
        // Situation 2 alone is masked: the box keeps each situation's mask until it is clicked.
        EXPECT_EQ(control<QCheckBox>(editor, QStringLiteral("masquer"))->checkState(), Qt::PartiallyChecked);
        fill(editor, QStringLiteral("Dosage du vinaigre"), 2, 3,
             {QStringLiteral("Titrage pH-métrique"), QString(), QStringLiteral(" Volume à l'équivalence"),
              QStringLiteral("Concentration d'un acide faible")});
        EXPECT_EQ(control<exercisewindow::HourglassBox>(editor, QStringLiteral("Text2"))->count(), 3);
        correct(editor, bytesOf(built + QStringLiteral("Vinaigre-corrige.RTF")));
        saveAs(editor, inHome(QStringLiteral("Exercices/Vinaigre.E36")));
    });
    EXPECT_EQ(messages(), QStringList{});
    const auto names = exercises::fileNamesOf(tools::contentOf(*source));
    ASSERT_EQ(names.size(), 5u);
    for (const std::string& name : names) {
        const QByteArray written = bytesOf(inHome(QStringLiteral("Exercices/")) + fromUtf8(name));
        EXPECT_FALSE(written.isEmpty()) << name;
        EXPECT_EQ(written, bytesOf(built + fromUtf8(name))) << name;
    }
    EXPECT_EQ(session().name(), inHome(QStringLiteral("Exercices/Vinaigre.E36")));

    // A fresh main window lists it in the teacher's folder and opens it as it was written.
    workbench::MainWindow fresh(window->services());
    const exercisewindow::ExerciseContext opened{fresh.exerciseSession(), fresh.services(),
                                                 fresh.saveLocations(), fresh};
    exercisewindow::ExerciseBrowser browser(opened);
    browser.show();
    control<platform::DirectoryList>(browser, QStringLiteral("Dir1"))
        ->setPath(inHome(QStringLiteral("Exercices")));
    auto* files = control<platform::FileList>(browser, QStringLiteral("File1"));
    ASSERT_EQ(files->count(), 1);
    files->selectFile(0);
    EXPECT_EQ(control<QLabel>(browser, QStringLiteral("titratexo"))->text(),
              QStringLiteral("Dosage du vinaigre"));
    EXPECT_EQ(
        control<QPlainTextEdit>(browser, QStringLiteral("Text1"))->toPlainText(),
        QStringLiteral("Titrage pH-métrique ; Volume à l'équivalence ; Concentration d'un acide faible."));
    EXPECT_EQ(control<exercisewindow::HourglassBox>(browser, QStringLiteral("Text2"))->count(), 3);
    EXPECT_EQ(control<QLabel>(browser, QStringLiteral("Label2"))->text(), QStringLiteral("Exercice corrigé"));
    const QImage lit = exercisewindow::levelPicture(true).toImage();
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(control<QLabel>(browser, QStringLiteral("Image4(%1)").arg(k))->pixmap().toImage() == lit,
                  k < 2)
            << "level icon " << k;
    }
    browser.openSelectedExercise();
    EXPECT_EQ(fresh.exerciseSession().text().plainText(), textOf(built + QStringLiteral("Vinaigre.RTF")));
    EXPECT_EQ(fresh.workbench().state().situations.records, source->configuration->situations);
    exercisewindow::ExerciseMenu(opened).showCorrection();
    EXPECT_EQ(fresh.exerciseSession().text().plainText(),
              textOf(built + QStringLiteral("Vinaigre-corrige.RTF")));
    EXPECT_EQ(fresh.workbench().state().situations.records, source->correctionConfiguration->situations);
    EXPECT_EQ(messages(), QStringList{});
}

class ShippedExerciseChanged : public EditorTest, public ::testing::WithParamInterface<std::string> {
  protected:
    ShippedExerciseChanged() : EditorTest(kData + QLatin1Char('/')) {}
};

TEST_P(ShippedExerciseChanged, ShowsItsFieldsAndIsWrittenAgainByteForByte) {
    const QString index = path(QStringLiteral("exercises/") + QString::fromStdString(GetParam()));
    const auto records = exercisewindow::readExerciseAt(index);
    ASSERT_TRUE(records.has_value());
    // With the correction shown, the statement and its set-up come from the exercise's files.
    for (const bool correctionShown : {false, true}) {
        if (correctionShown && !records->isCorrected()) break;
        exercisewindow::openExerciseByPath(context(), index);
        if (correctionShown) command("opencor")->trigger();
        const QString copies =
            inHome(correctionShown ? QStringLiteral("Corrige/") : QStringLiteral("Exercices/"));
        QDir().mkpath(copies);
        withEditor("MODIFEXO", [&](ExerciseEditor& editor) {
            EXPECT_EQ(editor.windowTitle(), QStringLiteral("Modifier l'exercice"));
            EXPECT_EQ(control<QLineEdit>(editor, QStringLiteral("titre"))->text(), fromUtf8(records->title));
            EXPECT_EQ(control<QSpinBox>(editor, QStringLiteral("niveau"))->value(), records->level);
            EXPECT_EQ(control<QSpinBox>(editor, QStringLiteral("sabliers"))->value(),
                      records->hourglassCount);
            const auto notions = exercises::notionsOf(records->notionLines);
            for (std::size_t i = 0; i < notions.size(); ++i) {
                EXPECT_EQ(control<QLineEdit>(editor, QStringLiteral("notion(%1)").arg(i))->text(),
                          fromUtf8(notions[i]));
            }
            EXPECT_EQ(control<QRadioButton>(editor, QStringLiteral("aveccorrige"))->isChecked(),
                      records->isCorrected());
            // The shipped exercises are not replaced: a copy goes to the teacher's folder.
            saveAs(editor, copies + QString::fromStdString(GetParam()));
        });
        EXPECT_EQ(messages(), QStringList{});
        const QString own = exercisewindow::folderOf(index);
        for (const std::string& name : {records->statement, records->configuration, records->correction,
                                        records->correctionConfiguration, GetParam()}) {
            if (exercises::isBlank(name)) continue;
            EXPECT_EQ(bytesOf(copies + fromUtf8(name)), bytesOf(own + fromUtf8(name)))
                << name << (correctionShown ? " (correction shown)" : "");
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    DataFolder, ShippedExerciseChanged, ::testing::ValuesIn([] {
        std::vector<std::string> names;
        for (const QString& name :
             QDir(kData + QStringLiteral("/exercises")).entryList({QStringLiteral("*.E36")}, QDir::Files))
            names.push_back(name.toStdString());
        return names;
    }()),
    [](const auto& info) { return testsupport::caseName(info.param.c_str()); });

TEST_F(EditorTest, WhatCannotBeWrittenIsRefusedInFrenchAndNothingIsWritten) {
    QFile(inHome(QStringLiteral("fichier"))).open(QIODevice::WriteOnly);
    makeExercise(QStringLiteral("Fourni"));
    const struct {
        const char* why;
        std::function<void(ExerciseEditor&)> change;
        QString savedAs;  // empty: the save dialog is not shown
        QString message;
    } cases[] = {
        {"no title", [](ExerciseEditor& e) { fill(e, QString(), 1, 1, {}); }, QString(),
         QStringLiteral("Exercice incomplet: L'exercice n'a pas de titre.")},
        {"a name that is not plain", [](ExerciseEditor& e) { fill(e, QStringLiteral("Exo"), 1, 1, {}); },
         inHome(QStringLiteral("Exercices/mon exo.E36")),
         QStringLiteral(
             "Nom de fichier non valide: Le nom « mon exo » ne convient pas : il compte de 1 à 64 lettres "
             "sans accent, chiffres, tirets (-) ou soulignés (_).")},
        {"the shipped exercises' folder", [](ExerciseEditor& e) { fill(e, QStringLiteral("Exo"), 1, 1, {}); },
         path(QStringLiteral("exercises/Fourni.E36")),
         QStringLiteral(
             "Enregistrement impossible: Les exercices fournis avec le logiciel ne peuvent pas être "
             "remplacés : choisir un autre dossier (par exemple dans Documents).")},
        {"a folder that cannot be written",
         [](ExerciseEditor& e) { fill(e, QStringLiteral("Exo"), 1, 1, {}); },
         inHome(QStringLiteral("fichier/Exo.E36")),
         QStringLiteral("Enregistrement impossible: Écriture impossible dans le dossier ") +
             QDir::toNativeSeparators(inHome("fichier/")) +
             QStringLiteral("\r\nVérifier l'état du lecteur et le nom du dossier.")}};
    const QStringList shipped = QDir(path(QStringLiteral("exercises"))).entryList(QDir::Files | QDir::Hidden);
    for (const auto& c : cases) {
        boxes.reset();
        boxes.queueAnswer(MessageAnswer::Ok);
        withEditor("CREEREXO", [&](ExerciseEditor& editor) {
            c.change(editor);
            if (c.savedAs.isEmpty()) {
                QTest::mouseClick(control<QPushButton>(editor, QStringLiteral("enregistrer")),
                                  Qt::LeftButton);
            } else {
                saveAs(editor, c.savedAs);
            }
            EXPECT_TRUE(editor.isVisible()) << c.why << ": the window stays open to be corrected";
            editor.reject();
        });
        EXPECT_EQ(messages(), QStringList{c.message}) << c.why;
        EXPECT_EQ(QDir(inHome(QStringLiteral("Exercices"))).entryList(QDir::Files | QDir::Hidden),
                  QStringList{})
            << c.why;
        EXPECT_EQ(QDir(path(QStringLiteral("exercises"))).entryList(QDir::Files | QDir::Hidden), shipped)
            << c.why;
        EXPECT_TRUE(session().name().isEmpty()) << c.why;
    }
}

TEST_F(EditorTest, SavingOverAnExerciseAsksFirst) {
    const QString exercise = inHome(QStringLiteral("Exercices/Exo.E36"));
    for (const MessageAnswer answer : {MessageAnswer::Cancel, MessageAnswer::Ok}) {
        QDir(inHome(QStringLiteral("Exercices"))).removeRecursively();
        QDir(home.path()).mkpath(QStringLiteral("Exercices"));
        boxes.reset();
        withEditor("CREEREXO", [&](ExerciseEditor& editor) {
            fill(editor, QStringLiteral("Premier"), 1, 1, {});
            saveAs(editor, exercise);
        });
        withEditor("MODIFEXO", [&](ExerciseEditor& editor) {
            EXPECT_EQ(control<QLineEdit>(editor, QStringLiteral("titre"))->text(), QStringLiteral("Premier"));
            control<QLineEdit>(editor, QStringLiteral("titre"))->setText(QStringLiteral("Second"));
            boxes.queueAnswer(answer);
            saveAs(editor, exercise);
            if (editor.isVisible()) editor.reject();
        });
        // The save dialog proposes the exercise being changed.
        EXPECT_EQ(dialogs.calls().back().initialName, exercise);
        // The question names the exercise chosen, not the first of its files.
        EXPECT_EQ(messages(), QStringList{QStringLiteral("Écraser le fichier ?: Le fichier ") +
                                          QDir::toNativeSeparators(exercise) +
                                          QStringLiteral(" existe déjà.\r\nÉcraser l'ancien ?")});
        const auto records = exercisewindow::readExerciseAt(exercise);
        ASSERT_TRUE(records.has_value());
        EXPECT_EQ(records->title, answer == MessageAnswer::Ok ? "Second" : "Premier");
    }
}

// Written again, the exercise's files go beside the old ones, in its folder, and the exercise opens
// from there as from anywhere: its statement, its correction, and its fields to change again.
TEST_F(EditorTest, AnExerciseWrittenAgainOpensFromTheFolderOfItsNewFiles) {
    const QString exercise = inHome(QStringLiteral("Exercices/Exo.E36"));
    const QByteArray correction = bytesOf(
        makeExercise(QStringLiteral("Modele")).replace(QStringLiteral(".E36"), QStringLiteral(".RTF")));
    withEditor("CREEREXO", [&](ExerciseEditor& editor) {
        fill(editor, QStringLiteral("Premier"), 1, 1, {});
        correct(editor, correction);
        saveAs(editor, exercise);
    });
    withEditor("MODIFEXO", [&](ExerciseEditor& editor) {
        control<QLineEdit>(editor, QStringLiteral("titre"))->setText(QStringLiteral("Second"));
        boxes.queueAnswer(MessageAnswer::Ok);
        saveAs(editor, exercise);
    });
    boxes.reset();
    EXPECT_EQ(QDir(inHome(QStringLiteral("Exercices")))
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              (QStringList{QStringLiteral("Exo.E36"), QStringLiteral("Exo.fichiers")}));

    workbench::MainWindow fresh(window->services());
    const exercisewindow::ExerciseContext opened{fresh.exerciseSession(), fresh.services(),
                                                 fresh.saveLocations(), fresh};
    exercisewindow::openExerciseByPath(opened, exercise);
    EXPECT_EQ(fresh.exerciseSession().name(), exercise);
    EXPECT_EQ(fresh.exerciseSession().text().plainText(), session().text().plainText());
    exercisewindow::ExerciseMenu(opened).showCorrection();
    EXPECT_EQ(fresh.exerciseSession().text().plainText(),
              textOf(inHome(QStringLiteral("Exercices/Exo.fichiers/corrige.RTF"))));
    EXPECT_EQ(messages(), QStringList{});
}

TEST_F(EditorTest, ChangingAppliesToAnExerciseNotToAText) {
    const auto editable = [this] {
        menu->popUp();
        menu->hide();
        return command("MODIFEXO")->isEnabled();
    };
    EXPECT_FALSE(editable());
    exercisewindow::openExerciseByPath(context(), makeExercise(QStringLiteral("A")));
    EXPECT_TRUE(editable());
    session().setName(QStringLiteral("Texte: ") + path(QStringLiteral("exercises/A.RTF")));
    EXPECT_FALSE(editable());
}

TEST_F(EditorTest, TheCorrectionsSetUpCanBeReadFromAConfigurationFile) {
    writeConfiguration(QStringLiteral("autre.C13"), "0,05");
    writeText(QStringLiteral("texte.RTF"), "Pas une configuration");
    // A file the reader refuses keeps the set-up chosen before: the statement's, titrated.
    const struct {
        QString chosen;
        QString shown;
        QStringList messages;
    } cases[] = {{path(QStringLiteral("autre.C13")), QStringLiteral("Lue dans un fichier…"), {}},
                 {path(QStringLiteral("texte.RTF")),
                  QStringLiteral("L'énoncé titré jusqu'au bout"),
                  {QStringLiteral("Fichier non valide: Ce fichier ne correspond pas à cette application")}}};
    int saved = 0;
    for (const auto& c : cases) {
        boxes.reset();
        for (int i = 0; i < c.messages.size(); ++i) boxes.queueAnswer(MessageAnswer::Ok);
        const QString name = QStringLiteral("Exo%1").arg(++saved);
        withEditor("CREEREXO", [&](ExerciseEditor& editor) {
            fill(editor, QStringLiteral("Exo"), 1, 1, {});
            correct(editor, QByteArray("{\\rtf1 V = 16 mL}"));
            dialogs.queueOpenAnswer(c.chosen);
            editor.chooseCorrectionSetUp(ExerciseEditor::CorrectionSetUp::FromFile);
            EXPECT_EQ(control<QComboBox>(editor, QStringLiteral("configcorrige"))->currentText(), c.shown);
            saveAs(editor, inHome(QStringLiteral("Exercices/") + name + QStringLiteral(".E36")));
        });
        EXPECT_EQ(messages(), c.messages);
        configuration::ConfigurationFile expected;
        if (c.messages.isEmpty()) {
            expected.situations[0].beakerConcentrationText = "0,05";
        } else {
            expected = exercises::titratedToTheEnd(expected);
        }
        configuration::ConfigurationFile read;
        const QString written = inHome(QStringLiteral("Exercices/") + name + QStringLiteral("-corrige.C13"));
        ASSERT_EQ(configuration::loadConfigurationFile(written.toStdString(), read),
                  configuration::LoadResult::Loaded);
        EXPECT_EQ(read, expected) << c.chosen.toStdString();
    }
}

TEST(TextFormatBar, EachCommandSwitchesTheLookOfTheSelectionOnAndOff) {
    testsupport::application();
    const struct {
        const char* button;
        std::function<QString(const platform::RichTextBox&)> look;
        QString on;
    } cases[] = {
        {"gras", [](const auto& box) { return QString::number(box.selection().bold()); },
         QStringLiteral("1")},
        {"italique", [](const auto& box) { return QString::number(box.selection().italic()); },
         QStringLiteral("1")},
        {"souligne", [](const auto& box) { return QString::number(box.selection().underline()); },
         QStringLiteral("1")},
        {"exposant",
         [](const auto& box) {
             return QStringLiteral("%1 %2").arg(box.selection().charOffset()).arg(box.selection().fontSize());
         },
         QStringLiteral("50 8")},
        {"indice",
         [](const auto& box) {
             return QStringLiteral("%1 %2").arg(box.selection().charOffset()).arg(box.selection().fontSize());
         },
         QStringLiteral("-50 8")},
        {"centrer",
         [](const auto& box) {
             return QString::number(box.selection().alignment() == rtf::Alignment::Centre);
         },
         QStringLiteral("1")}};
    for (const auto& c : cases) {
        platform::RichTextBox box;
        exercisewindow::TextFormatBar bar(box);
        box.appendText(QStringLiteral("H3O+"));
        box.select(1, 1);
        const QString off = c.look(box);
        auto* button = control<QToolButton>(bar, QString::fromLatin1(c.button));
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(c.look(box), c.on) << c.button;
        EXPECT_EQ(box.selText(), QStringLiteral("3")) << c.button << ": the selection stays";
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(c.look(box), off) << c.button;
    }
}
