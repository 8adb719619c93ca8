// The open and save dialogs: their look, saving and opening, what goes wrong, the names typed,
// replacing a file and the lists.
#include <QCheckBox>
#include <QDirIterator>
#include <QLabel>
#include <QRadioButton>

#include "configurationdialogfixture.h"
#include "platform/directorylist.h"
#include "platform/drivelist.h"
#include "platform/filelist.h"
#include "tests/configuration/filebytes.h"
#include "workbench/printsources.h"

using namespace configurationwindow;
using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

// --- The dialogs themselves --------------------------------------------------------------------

struct DialogCase {
    const char* name;
    const char* command;
    const char* title;
    std::vector<const char*> labels;
    const char* command1;
    const char* nameBox;
};

void PrintTo(const DialogCase& c, std::ostream* out) {
    *out << c.name;
}

class DialogLook : public ConfigurationDialogsTest, public ::testing::WithParamInterface<DialogCase> {};

TEST_P(DialogLook, OpensModalBesideTheMainWindowInTheCurrentDirectoryAndCancelChangesNothing) {
    const DialogCase& c = GetParam();
    for (const char* file : {"maj.C13", "min.c13", "autre.txt", ".cache.C13"}) writeConfiguration(file);
    const QString before = state();
    QPointer<QDialog> dialog = press<ConfigurationDialog>(c.command);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8(c.title));
    EXPECT_NE(dialog->windowModality(), Qt::NonModal);
    EXPECT_EQ(dialog->pos(), window->pos() + QPoint(20, 20));
    QStringList labels;
    for (const QLabel* label : dialog->findChildren<QLabel*>()) labels << label->text();
    for (const char* label : c.labels) EXPECT_TRUE(labels.contains(QString::fromUtf8(label))) << label;
    EXPECT_EQ(in<QPushButton>(dialog, "Command1")->text(), QString::fromUtf8(c.command1));
    EXPECT_EQ(in<QPushButton>(dialog, "Command2")->text(), QStringLiteral("ANNULER"));
    EXPECT_NE(in<QLineEdit>(dialog, c.nameBox), nullptr);
    in<platform::DriveList>(dialog, "Drive1");
    EXPECT_EQ(in<platform::DirectoryList>(dialog, "Dir1")->path(), path());
    // "*.C13" in any letter case; hidden files and other extensions left out.
    auto* files = in<platform::FileList>(dialog, "File1");
    QStringList listed;
    for (int i = 0; i < files->count(); ++i) listed << files->item(i)->text();
    EXPECT_EQ(listed, (QStringList{QStringLiteral("maj.C13"), QStringLiteral("min.c13")}));
    if (auto* frame = dialog->findChild<QFrame*>(QStringLiteral("Frame1"))) {
        EXPECT_FALSE(frame->isVisible());
    }

    click(dialog, "Command2");
    EXPECT_TRUE(closed(dialog));
    EXPECT_EQ(state(), before);
    EXPECT_EQ(caption(), QStringLiteral("Vireltra"));
    EXPECT_EQ(window->document().configurationPath(), QString());
}

INSTANTIATE_TEST_SUITE_P(, DialogLook,
                         ::testing::Values(DialogCase{"OpenDialog",
                                                      "Command2",
                                                      "Ouvrir une configuration",
                                                      {"Lecteur:", "Répertoire", "Fichiers"},
                                                      "OUVRIR",
                                                      "ficharge"},
                                           DialogCase{"SaveDialog",
                                                      "Command11",
                                                      "Enregistrer les paramètres.",
                                                      {"Lecteur:", "Répertoire:", "Fichiers enregistrés",
                                                       "Nom du fichier:"},
                                                      "ENREGISTRER",
                                                      "Text1"}),
                         [](const auto& info) { return std::string(info.param.name); });

// --- Saving and opening --------------------------------------------------------------------------

TEST_F(ConfigurationDialogsTest, SavingRightAfterStartUpWritesTheDefaultSituations) {
    EXPECT_TRUE(closed(save(QStringLiteral("essai"))));
    const auto bytes = filebytes::fileBytes(path("essai.C13").toStdString());
    ASSERT_EQ(bytes.size(), 154u * 128u);
    const std::vector<std::string> block = {"0",  "7,0", "0,01", "0,0", "0,01", "20,0", "0,0", " 0",
                                            " 0", " 0",  "0",    "1",   "1",    "1",    "0"};
    for (int s = 2; s <= 10; ++s) {
        for (int k = 0; k < 15; ++k) {
            const std::string& text = block[static_cast<std::size_t>(k)];
            std::vector<unsigned char> head{static_cast<unsigned char>(text.size()), 0};
            head.insert(head.end(), text.begin(), text.end());
            const auto start = bytes.begin() + (configuration::situationRecord(s, k) - 1) * 128;
            EXPECT_EQ(std::vector<unsigned char>(start, start + 128), filebytes::padded(head))
                << "situation " << s << ", record " << k;
        }
    }
    EXPECT_EQ(caption(), QStringLiteral("Vireltra - ") + path("essai.C13"));
}

TEST_F(ConfigurationDialogsTest, OpeningWhatWasSavedRestoresTheTenSituationsOverSituationTen) {
    configurationscript::setUpTenSituations(*window);
    QPointer<QDialog> saving = pressSave();
    const QString saved = state();  // the panel is stored by the button
    in<QLineEdit>(saving, "Text1")->setText(QStringLiteral("essai"));
    click(saving, "Command1");
    ASSERT_TRUE(closed(saving));
    configurationscript::changeEverything(*window);
    ASSERT_NE(state(), saved);
    ASSERT_EQ(window->workbench().state().situations.current, 9);

    bool loadingShown = false;
    QObject::connect(&window->workbench(), &workbench::BenchController::changed, window.get(), [&] {
        if (auto* dialog = window->findChild<OpenDialog*>())
            loadingShown = loadingShown || dialog->findChild<QFrame*>(QStringLiteral("Frame1"))->isVisible();
    });
    EXPECT_TRUE(closed(load(path("essai.C13"))));

    EXPECT_TRUE(loadingShown);
    EXPECT_EQ(state(), saved);
    EXPECT_TRUE(in<QCheckBox>(window.get(), "Check1")->isChecked());
    EXPECT_TRUE(in<QCheckBox>(window.get(), "Check2")->isChecked());
    EXPECT_TRUE(in<QRadioButton>(window.get(), "Option2(0)")->isChecked());
    EXPECT_EQ(caption(), QStringLiteral("Vireltra - ") + path("essai.C13"));
    // The completed situations' curves are superposed, each in its colour; the others have none
    // (Situation 5 was poured with the pH-meter hidden).
    const QImage graph = window->printSources().graph();
    for (int slot = 0; slot < 8; ++slot) {
        const int pixels =
            countColour(graph, platform::toQColor(state::situationColour(window->workbench().state(), slot)));
        if (slot % 2 == 0 && slot != 4)
            EXPECT_GT(pixels, 100) << "situation " << slot + 1;
        else
            EXPECT_EQ(pixels, 0) << "situation " << slot + 1;
    }
}

// --- What goes wrong -----------------------------------------------------------------------------

struct FailureCase {
    const char* name;
    bool saving;        // the save dialog, else the open dialog
    const char* typed;  // into `Text1` or `ficharge`; <dir> is the test folder
    MessageAnswer answer;
    const char* text;
    const char* title;
    MessageIcon icon;
    MessageButtons buttons;
    bool staysOpen;
    const char* boxAfter;   // `Text1` or `ficharge` then
    const char* pathAfter;  // `ConfigurationPath` then
    Qt::CursorShape cursorDuringMessage;
    bool loadingDuringMessage;
};

void PrintTo(const FailureCase& c, std::ostream* out) {
    *out << c.name;
}

class Failure : public ConfigurationDialogsTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(Failure, ShowsItsMessageAndLeavesTheWorkbenchAsItWas) {
    const FailureCase& c = GetParam();
    if (c.typed == std::string_view("/proc/self/mem") && !QFileInfo::exists(QString::fromLatin1(c.typed)))
        GTEST_SKIP() << "this system has no file that exists yet cannot be read, as Linux's /proc/self/mem";
    // The name a save completes is written with the system's separators.
    const auto after = [&](const char* text) {
        return c.saving ? QDir::toNativeSeparators(withFolder(text)) : withFolder(text);
    };
    writeConfiguration(QStringLiteral("essai.C13"));
    writeConfiguration(QStringLiteral(".cache.C13"));
    QDir(folder.path()).mkdir(QStringLiteral("dossier.C13"));
    QFile other(path("autre.C13"));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write(QByteArray("\x05\x00qelvo", 7).leftJustified(128, '\0'));
    other.close();
    const auto essai = filebytes::fileBytes(path("essai.C13").toStdString());
    const QString before = state();

    boxes.script.queueAnswer(c.answer);
    QPointer<QDialog> dialog = c.saving ? save(withFolder(c.typed)) : load(withFolder(c.typed));

    ASSERT_EQ(boxes.script.calls().size(), 1u);
    const auto& call = boxes.script.calls()[0];
    EXPECT_EQ(call.text, QString::fromUtf8(c.text));
    EXPECT_EQ(call.title, QString::fromUtf8(c.title));
    EXPECT_EQ(call.icon, c.icon);
    EXPECT_EQ(call.buttons, c.buttons);
    EXPECT_EQ(boxes.states[0].cursor, c.cursorDuringMessage);
    EXPECT_EQ(boxes.states[0].loadingShown, c.loadingDuringMessage);
    EXPECT_EQ(!closed(dialog), c.staysOpen);
    if (dialog) {
        EXPECT_EQ(in<QLineEdit>(dialog, c.saving ? "Text1" : "ficharge")->text(), after(c.boxAfter));
        EXPECT_EQ(dialog->cursor().shape(), Qt::ArrowCursor);
        click(dialog, "Command2");
    }
    EXPECT_EQ(window->document().configurationPath(), after(c.pathAfter));
    EXPECT_EQ(state(), before);
    EXPECT_EQ(caption(), QStringLiteral("Vireltra"));
    EXPECT_EQ(filebytes::fileBytes(path("essai.C13").toStdString()), essai);
}

const char kNoName[] = "Il faut donner un nom au fichier!";
const char kNotSaved[] = "Enregistrement impossible";
const char kBadName[] = "Nom de fichier incorrect ou chemin non valide";
const char kCannotOpen[] = "impossible d'ouvrir ce fichier";

INSTANTIATE_TEST_SUITE_P(
    , Failure,
    ::testing::Values(
        FailureCase{"EmptyNameWhenSaving", true, "   ", MessageAnswer::Ok, kNoName, kNotSaved,
                    MessageIcon::Stop, MessageButtons::Ok, true, "", "", Qt::ArrowCursor, false},
        FailureCase{"ExistingFileAnsweredNo", true, "essai", MessageAnswer::No,
                    "Ecraser le fichier existant?", "Ce fichier existe déjà!", MessageIcon::Exclamation,
                    MessageButtons::YesNo, true, "<dir>/essai.C13", "<dir>/essai.C13", Qt::WaitCursor, false},
        FailureCase{"FileCannotBeWritten", true, "<dir>/absent/essai", MessageAnswer::Ok,
                    "Ecriture impossible sur disque", kNotSaved, MessageIcon::Stop, MessageButtons::Ok, true,
                    "<dir>/absent/essai.C13", "<dir>/absent/essai.C13", Qt::ArrowCursor, false},
        FailureCase{"AimedIntoTheDataFolder", true, "<dir>/app/essai", MessageAnswer::Ok,
                    "Ecriture impossible sur disque", kNotSaved, MessageIcon::Stop, MessageButtons::Ok, true,
                    "<dir>/app/essai.C13", "<dir>/app/essai.C13", Qt::ArrowCursor, false},
        FailureCase{"NoSuchFileWhenOpening", false, "<dir>/absent.C13", MessageAnswer::Ok, kBadName,
                    kCannotOpen, MessageIcon::Stop, MessageButtons::Ok, true, "<dir>/absent.C13",
                    "<dir>/absent.C13", Qt::ArrowCursor, false},
        FailureCase{"HiddenFileWhenOpening", false, "<dir>/.cache.C13", MessageAnswer::Ok, kBadName,
                    kCannotOpen, MessageIcon::Stop, MessageButtons::Ok, true, "<dir>/.cache.C13",
                    "<dir>/.cache.C13", Qt::ArrowCursor, false},
        FailureCase{"FolderWhenOpening", false, "<dir>/dossier.C13", MessageAnswer::Ok, kBadName, kCannotOpen,
                    MessageIcon::Stop, MessageButtons::Ok, true, "<dir>/dossier.C13", "<dir>/dossier.C13",
                    Qt::ArrowCursor, false},
        FailureCase{"NotAConfigurationFile", false, "<dir>/autre.C13", MessageAnswer::Ok,
                    "Ce fichier ne correspond pas à cette application", "Fichier non valide",
                    MessageIcon::Stop, MessageButtons::Ok, false, "", "<dir>/autre.C13", Qt::ArrowCursor,
                    true},
        FailureCase{"FileUnreadable", false, "/proc/self/mem", MessageAnswer::Ok,
                    "Lecture impossible sur disque", "Erreur lors du chargement du fichier",
                    MessageIcon::Stop, MessageButtons::Ok, false, "", "/proc/self/mem", Qt::ArrowCursor,
                    true}),
    [](const auto& info) { return std::string(info.param.name); });

// --- The name typed to save under ----------------------------------------------------------------

struct NameCase {
    const char* name;
    const char* typed;
    const char* written;  // relative to the test folder; none: the name is refused
};

void PrintTo(const NameCase& c, std::ostream* out) {
    *out << c.name;
}

class SaveName : public ConfigurationDialogsTest, public ::testing::WithParamInterface<NameCase> {};

TEST_P(SaveName, IsCleanedAndCompletedIntoAFullPath) {
    const NameCase& c = GetParam();
    if (c.written == nullptr) boxes.script.queueAnswer(MessageAnswer::Ok);
    QPointer<QDialog> dialog = pressSave();
    doubleClick(in<platform::DirectoryList>(dialog, "Dir1"), QStringLiteral("travail"));
    in<QLineEdit>(dialog, "Text1")->setText(withFolder(c.typed));
    click(dialog, "Command1");

    QStringList written;
    QDirIterator files(folder.path(), {QStringLiteral("*.C13")}, QDir::Files | QDir::Hidden,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) written << QDir(folder.path()).relativeFilePath(files.next());
    if (c.written == nullptr) {
        ASSERT_EQ(boxes.script.calls().size(), 1u);
        EXPECT_EQ(boxes.script.calls()[0].text, QString::fromUtf8(kNoName));
        EXPECT_FALSE(closed(dialog));
        EXPECT_EQ(written, QStringList());
        return;
    }
    EXPECT_TRUE(boxes.script.calls().empty());
    EXPECT_TRUE(closed(dialog));
    EXPECT_EQ(written, QStringList{QString::fromUtf8(c.written)});
    EXPECT_EQ(caption(), QStringLiteral("Vireltra - ") + path(QString::fromUtf8(c.written)));
}

INSTANTIATE_TEST_SUITE_P(
    , SaveName,
    ::testing::Values(NameCase{"BareNameGoesIntoTheFolderShown", "essai", "travail/essai.C13"},
                      NameCase{"AnotherExtensionIsReplaced", "essai.txt", "travail/essai.C13"},
                      NameCase{"SpacesAndTheExtensionGo", "  essai.C13  ", "travail/essai.C13"},
                      NameCase{"EveryDotOfTheNameCuts", "a.b.c", "travail/a.C13"},
                      NameCase{"AFullPathGoesWhereItSays", "<dir>/autre/essai", "autre/essai.C13"},
                      NameCase{"AFolderWithADotKeepsIt", "TP.chimie/essai", "travail/TP.chimie/essai.C13"},
                      NameCase{"AHiddenFolderKeepsItsDot", "<dir>/.local/essai.C13", ".local/essai.C13"},
                      NameCase{"OnlyAnExtensionIsNoName", "  .C13", nullptr},
                      NameCase{"AFolderWithoutAFileNameIsNoName", "TP.chimie/.C13", nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Replacing a file ----------------------------------------------------------------------------

enum class Replace { SaveButtonAtOnce, DoubleClickOnTheFile, EnterInText1 };

class Replacing : public ConfigurationDialogsTest, public ::testing::WithParamInterface<Replace> {};

TEST_P(Replacing, TheFileJustOpenedIsOfferedAndRewrittenOnYes) {
    writeConfiguration(QStringLiteral("essai.C13"), false);
    ASSERT_TRUE(closed(load(path("essai.C13"))));
    in<QCheckBox>(window.get(), "Check1")->click();

    QPointer<QDialog> dialog = pressSave();
    auto* text1 = in<QLineEdit>(dialog, "Text1");
    EXPECT_EQ(text1->text(), path("essai.C13"));
    boxes.script.queueAnswer(MessageAnswer::Yes);
    switch (GetParam()) {
        case Replace::SaveButtonAtOnce:
            click(dialog, "Command1");
            break;
        case Replace::DoubleClickOnTheFile:
            text1->setText(QStringLiteral("autre"));
            doubleClick(in<platform::FileList>(dialog, "File1"), QStringLiteral("essai.C13"));
            break;
        case Replace::EnterInText1:
            QTest::keyClick(text1, Qt::Key_Return);
            break;
    }
    ASSERT_EQ(boxes.script.calls().size(), 1u);
    EXPECT_EQ(boxes.script.calls()[0].text, QStringLiteral("Ecraser le fichier existant?"));
    EXPECT_TRUE(closed(dialog));
    configuration::ConfigurationFile file;
    ASSERT_EQ(configuration::loadConfigurationFile(path("essai.C13").toStdString(), file),
              configuration::LoadResult::Loaded);
    EXPECT_TRUE(file.superposeCurves);
}

std::string replaceName(const ::testing::TestParamInfo<Replace>& info) {
    static const char* const names[] = {"SaveButtonAtOnce", "DoubleClickOnTheFile", "EnterInText1"};
    return names[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(, Replacing,
                         ::testing::Values(Replace::SaveButtonAtOnce, Replace::DoubleClickOnTheFile,
                                           Replace::EnterInText1),
                         replaceName);

// --- The lists -----------------------------------------------------------------------------------

enum class Move { ByTheDirectoryList, ByTheDriveList };

class FolderChange : public ConfigurationDialogsTest, public ::testing::WithParamInterface<Move> {};

TEST_P(FolderChange, KeepsOnlyTheFileNameToSaveInTheNewFolder) {
    QPointer<QDialog> dialog = pressSave();
    auto* text1 = in<QLineEdit>(dialog, "Text1");
    text1->setText(path("travail/essai.C13"));
    if (GetParam() == Move::ByTheDirectoryList) {
        doubleClick(in<platform::DirectoryList>(dialog, "Dir1"), QStringLiteral("autre"));
    } else {
        auto* drives = in<platform::DriveList>(dialog, "Drive1");
        drives->setDrives(
            {{QStringLiteral("/"), QStringLiteral("/")}, {path("autre"), QStringLiteral("autre")}});
        drives->setCurrentIndex(1);
    }
    EXPECT_EQ(in<platform::FileList>(dialog, "File1")->path(), path("autre"));
    EXPECT_EQ(text1->text(), QStringLiteral("essai.C13"));
    click(dialog, "Command1");
    EXPECT_TRUE(closed(dialog));
    EXPECT_TRUE(QFileInfo(path("autre/essai.C13")).isFile());
}

INSTANTIATE_TEST_SUITE_P(, FolderChange, ::testing::Values(Move::ByTheDirectoryList, Move::ByTheDriveList),
                         [](const auto& info) {
                             return std::string(info.param == Move::ByTheDriveList ? "ByTheDriveList"
                                                                                   : "ByTheDirectoryList");
                         });

TEST_F(ConfigurationDialogsTest, ADriveThatCannotBeReadIsPutBackWithoutAMessage) {
    QPointer<QDialog> dialog = pressOpen();
    auto* drives = in<platform::DriveList>(dialog, "Drive1");
    auto* directories = in<platform::DirectoryList>(dialog, "Dir1");
    // The test folder is the home folder, a drive of its own, and the one shown.
    drives->setDrives({{path(), QStringLiteral("home")},
                       {QStringLiteral("/"), QStringLiteral("/")},
                       {QStringLiteral("/absent-drive"), QStringLiteral("absent")}});
    ASSERT_EQ(drives->drive(), path());
    for (int attempt = 0; attempt < 2; ++attempt) {
        drives->setCurrentIndex(2);
        EXPECT_EQ(drives->drive(), path()) << attempt;
        EXPECT_EQ(directories->path(), path()) << attempt;
        EXPECT_EQ(in<platform::FileList>(dialog, "File1")->path(), path()) << attempt;
    }
    EXPECT_TRUE(boxes.script.calls().empty());
}

TEST_F(ConfigurationDialogsTest, TheCurrentDirectoryFollowsTheFileClickedAndTheFileSaved) {
    writeConfiguration(QStringLiteral("travail/essai.C13"));
    QPointer<QDialog> opening = pressOpen();
    doubleClick(in<platform::DirectoryList>(opening, "Dir1"), QStringLiteral("travail"));
    EXPECT_EQ(QDir::currentPath(), folder.path());  // browsing alone does not move it
    auto* files = in<platform::FileList>(opening, "File1");
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, files->visualItemRect(files->item(0)).center());
    EXPECT_EQ(QDir::toNativeSeparators(QDir::currentPath()), path("travail"));
    EXPECT_EQ(in<QLineEdit>(opening, "ficharge")->text(), path("travail/essai.C13"));
    click(opening, "Command2");
    ASSERT_TRUE(closed(opening));

    // The save dialog starts where the pupil saved last (nowhere yet: the home folder).
    QPointer<QDialog> saving = pressSave();
    EXPECT_EQ(in<platform::DirectoryList>(saving, "Dir1")->path(), path());
    doubleClick(in<platform::DirectoryList>(saving, "Dir1"), QStringLiteral("travail"));
    doubleClick(in<platform::DirectoryList>(saving, "Dir1"), QStringLiteral("TP.chimie"));
    in<QLineEdit>(saving, "Text1")->setText(QStringLiteral("b"));
    click(saving, "Command1");
    ASSERT_TRUE(closed(saving));
    EXPECT_EQ(QDir::toNativeSeparators(QDir::currentPath()), path("travail/TP.chimie"));

    // A double click opens the file at once.
    opening = pressOpen();
    EXPECT_EQ(in<platform::DirectoryList>(opening, "Dir1")->path(), path("travail/TP.chimie"));
    doubleClick(in<platform::FileList>(opening, "File1"), QStringLiteral("b.C13"));
    EXPECT_TRUE(closed(opening));
    EXPECT_EQ(caption(), QStringLiteral("Vireltra - ") + path("travail/TP.chimie/b.C13"));
}

class BlankPath : public ConfigurationDialogsTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(BlankPath, OpenDoesNothing) {
    QPointer<QDialog> dialog = load(QString::fromLatin1(GetParam()));
    EXPECT_TRUE(boxes.script.calls().empty());
    EXPECT_FALSE(closed(dialog));
    EXPECT_EQ(window->document().configurationPath(), QString());
}

INSTANTIATE_TEST_SUITE_P(, BlankPath, ::testing::Values("", "   "),
                         [](const auto& info) { return std::string(info.index == 0 ? "Empty" : "Blank"); });
