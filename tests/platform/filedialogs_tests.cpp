#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QListView>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include "modaldialogs.h"
#include "platform/qtfiledialogs.h"
#include "platform/qttranslations.h"
#include "platform/scriptedfiledialogs.h"

using platform::QtFileDialogs;
using platform::ScriptedFileDialogs;

// --- Filters ------------------------------------------------------------------------------

struct FilterCase {
    const char* name;
    const char* filter;
    QStringList expected;
};

void PrintTo(const FilterCase& c, std::ostream* out) {
    *out << c.name;
}

class QtNameFilters : public testing::TestWithParam<FilterCase> {};

TEST_P(QtNameFilters, TheProgramsFiltersBecomeQtsOwn) {
    EXPECT_EQ(platform::qtNameFilters(GetParam().filter), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Filters, QtNameFilters,
    testing::Values(
        FilterCase{"OneDescription", "Texte au format RTF|*.RTF", {"Texte au format RTF (*.RTF)"}},
        FilterCase{"SeveralDescriptionsAndPatterns",
                   "Images|*.bmp;*.png|Tous les fichiers|*.*",
                   {"Images (*.bmp *.png)", "Tous les fichiers (*.*)"}},
        FilterCase{"DescriptionWithoutPatternsIsLeftOut", "Texte|*.rtf|Seul", {"Texte (*.rtf)"}},
        FilterCase{"EmptyPatternIsLeftOut", "Rien| ; ", {}}, FilterCase{"NoFilter", "", {}}),
    [](const auto& info) { return std::string(info.param.name); });

// --- The scripted dialogs ----------------------------------------------------------------------

TEST(ScriptedFileDialogs, AnswersFromTheQueueAndRecordsEachCall) {
    ScriptedFileDialogs dialogs;
    dialogs.queueSaveAnswer(QStringLiteral("/tmp/copie.RTF"));
    dialogs.queueOpenAnswer(std::nullopt);
    EXPECT_EQ(dialogs.saveFile(nullptr, "Enregistrer", "Texte au format RTF|*.RTF", "RTF", ""),
              QStringLiteral("/tmp/copie.RTF"));
    EXPECT_EQ(dialogs.openFile(nullptr, "Ouvrir", "Texte au format RTF|*.RTF", "*.rtf"), std::nullopt);
    ASSERT_EQ(dialogs.calls().size(), 2u);
    EXPECT_EQ(dialogs.calls()[0].kind, ScriptedFileDialogs::Kind::Save);
    EXPECT_EQ(dialogs.calls()[0].defaultSuffix, "RTF");
    EXPECT_EQ(dialogs.calls()[1].kind, ScriptedFileDialogs::Kind::Open);
    EXPECT_EQ(dialogs.calls()[1].initialName, "*.rtf");
    EXPECT_EQ(dialogs.calls()[1].filter, "Texte au format RTF|*.RTF");
    EXPECT_FALSE(dialogs.hasFailures());
    EXPECT_EQ(dialogs.pendingAnswers(), 0u);
}

TEST(ScriptedFileDialogs, AnUnexpectedDialogIsAFailureAnsweredAsCancelled) {
    ScriptedFileDialogs dialogs;
    EXPECT_EQ(dialogs.openFile(nullptr, "Ouvrir", "", ""), std::nullopt);
    ASSERT_TRUE(dialogs.hasFailures());
    EXPECT_TRUE(dialogs.failures().first().contains("Ouvrir"));
}

TEST(ScriptedFileDialogs, AnAnswerForTheOtherDialogIsAFailure) {
    ScriptedFileDialogs dialogs;
    dialogs.queueOpenAnswer(QStringLiteral("/tmp/a.rtf"));
    EXPECT_EQ(dialogs.saveFile(nullptr, "Enregistrer", "", "RTF", ""), std::nullopt);
    EXPECT_TRUE(dialogs.hasFailures());
    EXPECT_EQ(dialogs.pendingAnswers(), 0u);
    dialogs.reset();
    EXPECT_FALSE(dialogs.hasFailures());
    EXPECT_TRUE(dialogs.calls().empty());
}

// --- Qt's dialogs --------------------------------------------------------------------------

namespace {

// The names the dialog lists once its folder has been read (the reading runs in a thread).
QStringList listedNames(QFileDialog* dialog) {
    auto* view = dialog->findChild<QListView*>(QStringLiteral("listView"));
    if (view == nullptr) return {};
    QStringList names;
    for (int attempt = 0; attempt < 200 && names.isEmpty(); ++attempt) {
        QTest::qWait(10);
        const QModelIndex root = view->rootIndex();
        for (int row = 0; row < view->model()->rowCount(root); ++row)
            names << view->model()->index(row, 0, root).data().toString();
    }
    names.sort(Qt::CaseInsensitive);
    return names;
}

void choose(QFileDialog* dialog, const QString& name) {
    // As typed by the pupil, then the accept button.
    dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(name);
    QMetaObject::invokeMethod(dialog, "accept");
}

class QtFileDialogsTest : public testing::Test {
  protected:
    QtFileDialogsTest() {
        for (const char* name : {"lecon.rtf", "Devoir.RTF", "notes.txt"}) {
            QFile file(QDir(folder.path()).filePath(name));
            EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        }
    }
    QString path(const QString& name) const {
        return QDir::toNativeSeparators(QDir(folder.path()).filePath(name));
    }

    QTemporaryDir folder;
    QtFileDialogs dialogs;
};

}  // namespace

TEST_F(QtFileDialogsTest, OpenShowsTheFilesOfTheFilterWhateverTheirCaseAndGivesTheChoice) {
    QStringList filters, listed;
    QString title, accept;
    whenShown<QFileDialog>([&](QFileDialog* dialog) {
        title = dialog->windowTitle();
        filters = dialog->nameFilters();
        accept = dialog->labelText(QFileDialog::Accept);
        listed = listedNames(dialog);
        choose(dialog, "Devoir.RTF");
    });
    const auto chosen =
        dialogs.openFile(nullptr, "Retrouver un texte", "Texte au format RTF|*.RTF", path("*.rtf"));
    EXPECT_EQ(chosen, path("Devoir.RTF"));
    EXPECT_EQ(title, "Retrouver un texte");
    EXPECT_EQ(filters, QStringList{"Texte au format RTF (*.RTF)"});
    EXPECT_EQ(accept, "&Ouvrir");
    EXPECT_EQ(listed, (QStringList{"Devoir.RTF", "lecon.rtf"}));
}

TEST_F(QtFileDialogsTest, SaveAddsTheDefaultSuffixAndDoesNotAskBeforeReplacing) {
    whenShown<QFileDialog>([&](QFileDialog* dialog) { choose(dialog, "lecon"); });
    EXPECT_EQ(dialogs.saveFile(nullptr, "Enregistrer", "Texte au format RTF|*.RTF", "rtf",
                               path("") + QDir::separator()),
              path("lecon.rtf"));
    // Had the dialog asked about replacing lecon.rtf, its question would still be open.
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(QtFileDialogsTest, SaveStartsWithTheInitialNameInItsFolder) {
    QString typed, shownFolder;
    whenShown<QFileDialog>([&](QFileDialog* dialog) {
        typed = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
        shownFolder = QDir::toNativeSeparators(dialog->directory().absolutePath());
        dialog->reject();
    });
    EXPECT_EQ(dialogs.saveFile(nullptr, "Enregistrer", "Document PDF|*.pdf", "pdf", path("Vireltra.pdf")),
              std::nullopt);
    EXPECT_EQ(typed, "Vireltra.pdf");
    EXPECT_EQ(shownFolder, QDir::toNativeSeparators(QDir(folder.path()).absolutePath()));
}

TEST_F(QtFileDialogsTest, FilesAreListedWithFrenchSizesAndDatesWhateverTheSystemsLocale) {
    platform::useFrenchLocale();  // as the program does at start-up
    QFile file(path("lecon.rtf"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(1536, 'x'));
    file.close();
    QString size, date;
    whenShown<QFileDialog>([&](QFileDialog* dialog) {
        auto* view = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
        ASSERT_NE(view, nullptr);
        // The folder is read in a thread: its rows come, then their sizes.
        for (int attempt = 0; attempt < 300 && size.isEmpty(); ++attempt) {
            QTest::qWait(10);
            const QModelIndex root = view->rootIndex();
            for (int row = 0; row < view->model()->rowCount(root); ++row) {
                const QModelIndex name = view->model()->index(row, 0, root);
                if (name.data().toString() != QStringLiteral("lecon.rtf")) continue;
                if (name.siblingAtColumn(1).data().toString().startsWith(QLatin1Char('0'))) continue;
                size = name.siblingAtColumn(1).data().toString();
                date = name.siblingAtColumn(3).data().toString();
            }
        }
        dialog->reject();
    });
    dialogs.openFile(nullptr, "Retrouver un texte", "Texte au format RTF|*.RTF", path("*.rtf"));
    const QLocale french(QLocale::French, QLocale::France);
    QLocale::setDefault(QLocale::system());
    EXPECT_EQ(size, french.formattedDataSize(1536));
    EXPECT_EQ(date, french.toString(QFileInfo(path("lecon.rtf")).lastModified(), QLocale::ShortFormat));
}
