// An exercise whose configuration the reader refuses is not opened at all: its text does not
// replace the one shown, and the workbench keeps its set-up.
#include <QFile>

#include "exercisefixture.h"
#include "platform/richtextbox.h"

using platform::MessageAnswer;

namespace {

enum class Opening { FromTheBrowser, GettingStarted, Correction };

struct RefusalCase {
    const char* name;
    Opening opening;
};

class RefusedConfiguration : public ExerciseWindowTest, public ::testing::WithParamInterface<RefusalCase> {};

}  // namespace

TEST_P(RefusedConfiguration, LeavesTheOpenExerciseAndTheWorkbenchAsTheyWere) {
    const QString open = makeExercise(QStringLiteral("A"));
    exercisewindow::openExerciseByPath(*window, open);
    ASSERT_EQ(shownText(), QStringLiteral("Énoncé A"));
    const QString caption = window->windowTitle();

    QString cut;  // the configuration the command reads, cut inside record 5 like a broken copy
    switch (GetParam().opening) {
        case Opening::FromTheBrowser: {
            const QString other = makeExercise(QStringLiteral("B"));
            cut = path(QStringLiteral("exercises/B.C13"));
            ASSERT_TRUE(QFile::resize(cut, 572));
            boxes.queueAnswer(MessageAnswer::Ok);
            exercisewindow::openExerciseByPath(*window, other);
            break;
        }
        case Opening::GettingStarted: {
            writeText(QStringLiteral("Guide.RTF"), "Premier titrage");
            writeConfiguration(QStringLiteral("Guide.C13"), "0,05");
            exercises::ExerciseFile guide;
            guide.statement = "Guide.RTF";
            guide.configuration = "Guide.C13";
            writeIndex(QStringLiteral("Qelvo.PEM"), guide);
            cut = path(QStringLiteral("Guide.C13"));
            ASSERT_TRUE(QFile::resize(cut, 572));
            boxes.queueAnswer(MessageAnswer::Ok);
            command("PRISENMAIN")->trigger();
            break;
        }
        case Opening::Correction:
            cut = path(QStringLiteral("exercises/A-corrige.C13"));
            ASSERT_TRUE(QFile::resize(cut, 572));
            boxes.queueAnswer(MessageAnswer::Ok);
            command("opencor")->trigger();
            break;
    }
    EXPECT_EQ(messages(),
              QStringList{QStringLiteral("Erreur lors du chargement du fichier: Lecture impossible "
                                         "sur disque")});
    EXPECT_EQ(shownText(), QStringLiteral("Énoncé A"));
    EXPECT_EQ(window->fich(), open);
    EXPECT_FALSE(supertext().isReadOnly());
    EXPECT_EQ(window->workbench().fieldText(0), QStringLiteral("0,02"));
    EXPECT_EQ(window->windowTitle(), caption);
}

INSTANTIATE_TEST_SUITE_P(, RefusedConfiguration,
                         ::testing::Values(RefusalCase{"FromTheBrowser", Opening::FromTheBrowser},
                                           RefusalCase{"GettingStarted", Opening::GettingStarted},
                                           RefusalCase{"Correction", Opening::Correction}),
                         [](const auto& info) { return std::string(info.param.name); });
