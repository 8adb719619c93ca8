// An exercise whose configuration the reader refuses is not opened at all: its text does not
// replace the one shown, and the workbench keeps its set-up.
#include <QFile>

#include "exercisefixture.h"
#include "platform/richtextbox.h"

namespace {

struct RefusalCase {
    const char* name;
    const char* command;  // the menu entry; nothing: the browser opens exercise B
    const char* configuration;
};

class RefusedConfiguration : public ExerciseWindowTest, public ::testing::WithParamInterface<RefusalCase> {};

}  // namespace

TEST_P(RefusedConfiguration, LeavesTheOpenExerciseAndTheWorkbenchAsTheyWere) {
    const QString open = makeExercise(QStringLiteral("A"));
    exercisewindow::openExerciseByPath(context(), open);
    const QString caption = window->windowTitle();
    const QString other = makeExercise(QStringLiteral("B"));
    writeText(QStringLiteral("Guide.RTF"), "Premier titrage");
    writeConfiguration(QStringLiteral("Guide.C13"), "0,05");
    exercises::ExerciseFile guide;
    guide.statement = "Guide.RTF";
    guide.configuration = "Guide.C13";
    writeIndex(QStringLiteral("Qelvo.PEM"), guide);

    ASSERT_TRUE(QFile::resize(path(QString::fromUtf8(GetParam().configuration)), 572));  // inside record 5
    boxes.queueAnswer(platform::MessageAnswer::Ok);
    if (GetParam().command)
        command(GetParam().command)->trigger();
    else
        exercisewindow::openExerciseByPath(context(), other);
    EXPECT_EQ(
        messages(),
        QStringList{QStringLiteral("Erreur lors du chargement du fichier: Lecture impossible sur disque")});
    EXPECT_EQ(shownText(), QStringLiteral("Énoncé A"));
    EXPECT_EQ(session().name(), open);
    EXPECT_FALSE(textArea().isReadOnly());
    EXPECT_EQ(window->workbench().fieldText(state::Field::BeakerConcentration), QStringLiteral("0,02"));
    EXPECT_EQ(window->windowTitle(), caption);
}

INSTANTIATE_TEST_SUITE_P(, RefusedConfiguration,
                         ::testing::Values(RefusalCase{"Browser", nullptr, "exercises/B.C13"},
                                           RefusalCase{"GettingStarted", "PRISENMAIN", "Guide.C13"},
                                           RefusalCase{"Correction", "opencor", "exercises/A-corrige.C13"}),
                         [](const auto& info) { return std::string(info.param.name); });
