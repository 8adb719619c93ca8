// Which file the save dialog writes: the file listed whatever the case of its extension, never one
// of the program's data, from the folder where the pupil last saved.
#include "configurationdialogfixture.h"
#include "platform/directorylist.h"
#include "platform/filelist.h"

struct ListedCase {
    const char* name;
    std::vector<const char*> files;  // in the folder shown
    bool doubleClicked;              // else `chosen` is typed and ENREGISTRER pressed
    const char* chosen;
    const char* rewritten;
};

class ListedFile : public ConfigurationDialogsTest, public ::testing::WithParamInterface<ListedCase> {};

TEST_P(ListedFile, IsTheOneRewrittenAfterTheQuestion) {
    const ListedCase& c = GetParam();
    QStringList files;
    for (const char* file : c.files) writeConfiguration(files.emplace_back(QString::fromUtf8(file)));
    if (QDir(folder.path()).entryList(QDir::Files).size() < files.size())
        GTEST_SKIP() << "this system's file names ignore the letter case: the files are one";
    QPointer<QDialog> dialog = pressSave();
    boxes.script.queueAnswer(platform::MessageAnswer::Yes);
    if (c.doubleClicked) {
        doubleClick(in<platform::FileList>(dialog, "File1"), QString::fromUtf8(c.chosen));
    } else {
        in<QLineEdit>(dialog, "Text1")->setText(QString::fromUtf8(c.chosen));
        click(dialog, "Command1");
    }
    EXPECT_EQ(boxes.script.calls().size(), 1u);
    EXPECT_TRUE(closed(dialog));
    EXPECT_EQ(caption(), QStringLiteral("Vireltra - ") + path(QString::fromUtf8(c.rewritten)));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files, QDir::Name), files);  // nothing new beside it
}

INSTANTIATE_TEST_SUITE_P(
    , ListedFile,
    ::testing::Values(
        ListedCase{"LowerCaseExtension", {"travail.c13"}, true, "travail.c13", "travail.c13"},
        ListedCase{"BesideCapitals", {"travail.C13", "travail.c13"}, true, "travail.c13", "travail.c13"},
        ListedCase{"DotsInTheName", {"essai.C13", "essai.v2.C13"}, true, "essai.v2.C13", "essai.v2.C13"},
        ListedCase{"TypedName", {"travail.c13"}, false, "travail", "travail.c13"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ConfigurationDialogsTest, StartsWhereThePupilLastSavedNeverInTheData) {
    QDir(folder.path()).mkdir(QStringLiteral("Documents"));
    writeConfiguration(QStringLiteral("app/exercice.C13"));
    const auto startsIn = [this](const char* folderShown, const QString& text1) {
        QPointer<QDialog> dialog = pressSave();
        EXPECT_EQ(in<platform::FileList>(dialog, "File1")->path(), path(QString::fromLatin1(folderShown)));
        EXPECT_EQ(in<QLineEdit>(dialog, "Text1")->text(), text1);
        return dialog;
    };
    // A configuration of the data, chosen in its folder: only its name is offered, in the documents.
    QPointer<QDialog> opening = pressOpen();
    doubleClick(in<platform::DirectoryList>(opening, "Dir1"), QStringLiteral("app"));
    doubleClick(in<platform::FileList>(opening, "File1"), QStringLiteral("exercice.C13"));
    ASSERT_TRUE(closed(opening));
    QPointer<QDialog> saving = startsIn("Documents", QStringLiteral("exercice.C13"));
    in<QLineEdit>(saving, "Text1")->setText(path("travail/essai"));
    click(saving, "Command1");
    ASSERT_TRUE(closed(saving));
    // Then where it was saved, wherever the current directory went.
    QDir::setCurrent(path("autre"));
    startsIn("travail", path("travail/essai.C13"))->close();
}
