// Every exercise the program ships, and the getting-started exercise, opens from the build's data
// folder: its statement shows, its configuration loads and saves back unchanged, and so does its
// correction.
#include <QAction>
#include <QDir>

#include "exercisefixture.h"
#include "platform/richtextbox.h"
#include "state/actions.h"
#include "tests/configuration/filebytes.h"
#include "windows/exercises/exercisetext.h"

namespace {

const QString kData = QStringLiteral(VIRELTRA_DATA_DIR_BUILD);

std::vector<std::string> shippedExercises() {
    std::vector<std::string> names{"Qelvo.PEM"};
    const QDir shipped(kData + QStringLiteral("/exercises"));
    for (const QString& name : shipped.entryList({QStringLiteral("*.E36")}, QDir::Files, QDir::Name))
        names.push_back(("exercises/" + name).toStdString());
    return names;
}

class ShippedExercise : public ExerciseWindowTest, public ::testing::WithParamInterface<std::string> {
  protected:
    ShippedExercise() : ExerciseWindowTest(kData + QLatin1Char('/')) {}

    // Saved as "&Enregistrer" does, the configuration just loaded is its file again, byte for byte.
    void expectSavedBackAs(const QString& original) {
        auto& bench = window->workbench();
        bench.perform(state::switchSituation, bench.state().situations.current);
        const QString copy = data.filePath(QStringLiteral("copie.C13"));
        ASSERT_TRUE(window->document().saveBenchTo(copy));
        const auto bytes = [](const QString& path) { return filebytes::fileBytes(path.toStdU16String()); };
        EXPECT_EQ(bytes(copy), bytes(original)) << original.toStdString();
    }

    // The text a rich-text file shows on its own.
    static QString textOf(const QString& file) {
        platform::RichTextBox box;
        EXPECT_TRUE(box.loadRtfFile(file)) << file.toStdString();
        return box.plainText();
    }
};

}  // namespace

TEST(ShippedExercises, AreThere) {
    EXPECT_GE(shippedExercises().size(), 2u);
}

TEST_P(ShippedExercise, OpensWithItsStatementConfigurationAndCorrection) {
    const QString index = path(QString::fromStdString(GetParam()));
    const auto records = exercisewindow::readExerciseAt(index);
    ASSERT_TRUE(records.has_value());
    const QString own = exercisewindow::folderOf(index);
    exercisewindow::openExerciseByPath(context(), index);
    EXPECT_EQ(messages(), QStringList{});
    const QString statement = textOf(own + exercisewindow::recordText(records->statement));
    EXPECT_FALSE(statement.trimmed().isEmpty());
    EXPECT_EQ(shownText(), statement);
    EXPECT_EQ(session().name(), index);
    ASSERT_TRUE(records->hasConfiguration());
    EXPECT_EQ(window->windowTitle(),
              QStringLiteral("Vireltra - ") +
                  QDir::toNativeSeparators(own + exercisewindow::recordText(records->configuration)));
    EXPECT_EQ(session().correctionAvailable(), records->isCorrected());
    expectSavedBackAs(own + exercisewindow::recordText(records->configuration));
    if (!records->isCorrected()) return;

    command("opencor")->trigger();
    EXPECT_EQ(messages(), QStringList{});
    if (!exercises::isBlank(records->correction)) {
        EXPECT_EQ(shownText(), textOf(own + exercisewindow::recordText(records->correction)));
    }
    EXPECT_TRUE(textArea().isReadOnly());
    if (!exercises::isBlank(records->correctionConfiguration))
        expectSavedBackAs(own + exercisewindow::recordText(records->correctionConfiguration));
}

INSTANTIATE_TEST_SUITE_P(DataFolder, ShippedExercise, ::testing::ValuesIn(shippedExercises()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             return testsupport::caseName(info.param.c_str());
                         });
