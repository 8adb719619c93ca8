#include "exercisefixture.h"

#include <QAction>
#include <QDir>
#include <fstream>

#include "configuration/configurationfile.h"
#include "platform/richtextbox.h"
#include "rtf/writer.h"
#include "workbench/exercisesession.h"

namespace {

std::filesystem::path fsPath(const QString& path) {
    return std::filesystem::path(path.toStdU16String());
}

}  // namespace

ExerciseWindowTest::ExerciseWindowTest(const QString& applicationFolder)
    : app(testsupport::application()), m_workingFolder(QDir::currentPath()) {
    folder = applicationFolder.isEmpty() ? data.path() + QLatin1Char('/') : applicationFolder;
    QDir(data.path()).mkpath(QStringLiteral("exercises"));
    QDir(home.path()).mkpath(QStringLiteral("Documents"));
    window = std::make_unique<workbench::MainWindow>(workbench::Services{
        boxes, clipboard, dialogs, printer, QDir::cleanPath(folder),
        [this](const QString& exercise) { exercisewindow::openExerciseByPath(context(), exercise); }});
    window->saveLocations().setUserFolders(movedHome.folders());
    menu = new exercisewindow::ExerciseMenu(context());
    window->setCommandAction(workbench::Command::Exercises, [this] { menu->popUp(); });
    QObject::connect(&m_watchdog, &QTimer::timeout, [this] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || m_modalExpected) return;
        ADD_FAILURE() << "unexpected modal window " << modal->objectName().toStdString();
        modal->close();
    });
    m_watchdog.start(20);
}

ExerciseWindowTest::~ExerciseWindowTest() {
    EXPECT_FALSE(boxes.hasFailures()) << boxes.failures().join('\n').toStdString();
    EXPECT_FALSE(dialogs.hasFailures()) << dialogs.failures().join('\n').toStdString();
    EXPECT_FALSE(printer.hasFailures()) << printer.failures().join('\n').toStdString();
    EXPECT_FALSE(m_modalExpected) << "an expected window was not shown";
    // Clicking a file makes its folder the current one; the data folder goes with the test.
    QDir::setCurrent(m_workingFolder);
}

QString ExerciseWindowTest::path(const QString& relative) const {
    return folder + relative;
}

QString ExerciseWindowTest::inHome(const QString& relative) const {
    return home.filePath(relative);
}

void ExerciseWindowTest::writeText(const QString& relative, const std::string& paragraph) {
    rtf::Document document;
    rtf::Paragraph first;
    first.runs.push_back({paragraph, {}});
    document.paragraphs.push_back(first);
    std::ofstream(fsPath(path(relative)), std::ios::binary) << rtf::write(document);
}

void ExerciseWindowTest::writeConfiguration(const QString& relative, const std::string& beakerConcentration) {
    configuration::ConfigurationFile file;
    file.situations[0].beakerConcentrationText = beakerConcentration;
    ASSERT_TRUE(configuration::saveConfigurationFile(fsPath(path(relative)), file));
}

void ExerciseWindowTest::writeIndex(const QString& relative, const exercises::ExerciseFile& exercise) {
    ASSERT_TRUE(exercises::saveExerciseFile(fsPath(path(relative)), exercise));
}

QString ExerciseWindowTest::makeExercise(const QString& name,
                                         const std::function<void(exercises::ExerciseFile&)>& tweak) {
    const std::string base = name.toStdString();
    exercises::ExerciseFile exercise;
    exercise.statement = base + ".RTF";
    exercise.configuration = base + ".C13";
    exercise.correction = base + "-corrige.RTF";
    exercise.correctionConfiguration = base + "-corrige.C13";
    exercise.level = 2;
    exercise.notionLines = {"Équivalence ; ", "", "pH ; ", "Tangentes"};
    exercise.title = "Titrage " + base;
    exercise.hourglassCount = 3;
    if (tweak) tweak(exercise);
    const QString sub = QStringLiteral("exercises/");
    auto named = [&](const std::string& record) { return sub + QString::fromStdString(record); };
    if (!exercises::isBlank(exercise.statement)) writeText(named(exercise.statement), "Énoncé " + base);
    if (!exercises::isBlank(exercise.configuration))
        writeConfiguration(named(exercise.configuration), "0,02");
    if (!exercises::isBlank(exercise.correction)) writeText(named(exercise.correction), "Corrigé " + base);
    if (!exercises::isBlank(exercise.correctionConfiguration))
        writeConfiguration(named(exercise.correctionConfiguration), "0,03");
    writeIndex(sub + name + QStringLiteral(".E36"), exercise);
    return path(sub + name + QStringLiteral(".E36"));
}

exercisewindow::ExerciseContext ExerciseWindowTest::context() {
    return {session(), window->services(), window->saveLocations(), *window};
}

workbench::ExerciseSession& ExerciseWindowTest::session() {
    return window->exerciseSession();
}

platform::RichTextBox& ExerciseWindowTest::textArea() {
    return session().text();
}

QString ExerciseWindowTest::shownText() {
    return textArea().plainText();
}

QAction* ExerciseWindowTest::command(const char* name) {
    auto* action = menu->findChild<QAction*>(QString::fromLatin1(name));
    EXPECT_NE(action, nullptr) << name;
    return action;
}

QStringList ExerciseWindowTest::messages() const {
    QStringList shown;
    for (const auto& call : boxes.calls()) shown << call.title + QStringLiteral(": ") + call.text;
    return shown;
}
