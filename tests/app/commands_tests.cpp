// The command bar as the program wires it: every button that opens a window is enabled by the
// wiring, and opens its own window over the main window; "Enregistrer le graphe" writes the
// bench's graph.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/commands.h"
#include "platform/countingbeeper.h"
#include "state/actions.h"
#include "state/conductimetry.h"
#include "state/labmeasurements.h"
#include "state/pythonexport.h"
#include "tests/homefolder.h"
#include "tests/labpoints.h"
#include "tests/platform/pdfreader.h"
#include "tests/platform/pdftext.h"
#include "testsupport.h"
#include "workbench/measurementpage.h"

namespace {

// The window that came up over the main window: a modal dialog or a pop-up menu.
QWidget* shownWindow() {
    if (QWidget* popup = QApplication::activePopupWidget()) return popup;
    return QApplication::activeModalWidget();
}

class CommandsTest : public ::testing::Test, protected testsupport::ScriptedWindow {
  protected:
    QPushButton* button(const char* name) {
        auto* found = window->findChild<QPushButton*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    platform::CountingBeeper beeper;
    RunState run;
};

}  // namespace

TEST_F(CommandsTest, EachButtonOpensItsOwnWindowOverTheMainWindow) {
    struct Case {
        const char* button;
        const char* window;  // its object name
    };
    const Case cases[] = {{"Command2", "ouvrir"},
                          {"Command11", "enregistrer"},
                          {"Command10", "confimp"},
                          {"Command8", "Machine"},
                          {"btexo", "optionexo"}};
    for (const Case& c : cases)
        EXPECT_FALSE(button(c.button)->isEnabled()) << c.button << " before the wiring";
    connectCommands(*window, run, beeper);
    window->show();
    for (const Case& c : cases) {
        ASSERT_TRUE(button(c.button)->isEnabled()) << c.button;
        QString shown;
        QWidget* parent = nullptr;
        // The calculator and the print window run their own loop until closed: they are seen
        // and closed from it.
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            QWidget* opened = shownWindow();
            if (opened == nullptr || !shown.isEmpty()) return;
            shown = opened->objectName();
            parent = opened->parentWidget();
            opened->close();
        });
        watch.start(10);
        button(c.button)->click();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !shown.isEmpty(); }, 5000)) << c.button;
        EXPECT_EQ(shown, QString::fromLatin1(c.window)) << c.button;
        EXPECT_EQ(parent, window.get()) << c.button;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    EXPECT_TRUE(boxes.calls().empty());
}

TEST_F(CommandsTest, TheTypedMeasurementsShowSigmaOnlyWhileTheConductimeterIsShown) {
    connectCommands(*window, run, beeper);
    window->show();
    struct Case {
        bool conductimeter;
        bool sigmaMeasured;  // the situation's points have σ, from a file
        int shownColumns;
    };
    for (const Case c : {Case{false, false, 2}, Case{false, true, 2}, Case{true, false, 3}}) {
        window->workbench().perform(state::showConductimeter, c.conductimeter);
        window->workbench().perform(
            state::setMeasurements,
            state::MeasuredPoints(testing_points::labPoints({{0, 2.9, c.sigmaMeasured ? 4.2 : 0}})));
        int columns = 0;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            QWidget* opened = shownWindow();
            if (opened == nullptr || columns != 0) return;
            if (auto* grid = opened->findChild<QTableWidget*>()) {
                for (int column = 0; column < grid->columnCount(); ++column)
                    columns += grid->isColumnHidden(column) ? 0 : 1;
            }
            opened->close();
        });
        watch.start(10);
        window->measurementPage().findChild<QPushButton*>(QStringLiteral("boutonsaisir"))->click();
        EXPECT_TRUE(QTest::qWaitFor([&] { return columns != 0; }, 5000)) << c.conductimeter;
        EXPECT_EQ(columns, c.shownColumns) << c.conductimeter << c.sigmaMeasured;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// The drawing formats hold the traced graph's lines and texts, not a picture of it.
TEST_F(CommandsTest, TheGraphSavedAsADrawingHoldsItsLinesAndTexts) {
    connectCommands(*window, run, beeper);
    window->show();
    window->workbench().perform(state::quickTrace);
    QTemporaryDir home;
    const testing_support::HomeFolder movedHome(home.path());
    window->saveLocations().setUserFolders(movedHome.folders());
    const char* const labels[] = {"pH", "14", "7", "0", "25"};
    for (const char* format : {"svg", "pdf"}) {
        SCOPED_TRACE(format);
        window->measurementPage().findChild<QPushButton*>(QStringLiteral("enregistrergraphe"))->click();
        QWidget* choice = QApplication::activeModalWidget();
        ASSERT_NE(choice, nullptr);
        choice->findChild<QRadioButton*>(QString::fromLatin1(format))->click();
        choice->findChild<QPushButton*>(QStringLiteral("ok"))->click();
        auto* save = window->findChild<QWidget*>(QStringLiteral("enregistrer"));
        ASSERT_NE(save, nullptr);
        save->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("graphe"));
        save->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        QFile file(QDir(home.path()).filePath(QStringLiteral("graphe.") + QString::fromLatin1(format)));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
        const QByteArray bytes = file.readAll();
        if (QByteArray(format) == "svg") {
            const QString svg = QString::fromUtf8(bytes);
            EXPECT_FALSE(svg.contains(QStringLiteral("<image")));
            EXPECT_TRUE(svg.contains(QStringLiteral("<polyline "))) << "the traced curve";
            for (const char* label : labels)
                EXPECT_TRUE(svg.contains(QStringLiteral(">%1</text>").arg(QString::fromLatin1(label))))
                    << label;
            continue;
        }
        const QStringList pages = PdfReader(bytes).pageTexts();
        ASSERT_EQ(pages.size(), 1);
        const QStringList texts = pages[0].split(QLatin1Char('\n'));
        for (const char* label : labels) EXPECT_TRUE(texts.contains(QString::fromLatin1(label))) << label;
        if (const std::optional<QString> read = pdfToText(bytes)) {
            EXPECT_TRUE(read->contains(QRegularExpression(QStringLiteral("\\bpH\\b"))))
                << read->toStdString();
            EXPECT_TRUE(read->contains(QRegularExpression(QStringLiteral("0 +5 +10 +15 +20 +25"))))
                << read->toStdString();
        }
    }
    EXPECT_TRUE(boxes.calls().empty());
}

namespace {

struct PythonExportCase {
    const char* name;
    bool cancelled;  // "Annuler" in the save dialog
};

class PythonExportCommand : public CommandsTest, public ::testing::WithParamInterface<PythonExportCase> {};

}  // namespace

// "Exporter en Python…" writes the bench's program through the save dialog, and nothing when it is
// cancelled (a hidden concentration is left out by the program's writer, tested with it).
TEST_P(PythonExportCommand, WritesTheProgramOnlyWhenSaved) {
    const PythonExportCase& c = GetParam();
    connectCommands(*window, run, beeper);
    window->show();
    workbench::BenchController& bench = window->workbench();
    bench.perform(state::setFieldText, state::Field::BeakerConcentration, std::string("0,0237"));
    bench.perform(state::validateField, state::Field::BeakerConcentration);
    QTemporaryDir home;
    const testing_support::HomeFolder movedHome(home.path());
    window->saveLocations().setUserFolders(movedHome.folders());

    auto* command = window->measurementPage().findChild<QPushButton*>(QStringLiteral("exporterpython"));
    ASSERT_NE(command, nullptr);
    ASSERT_TRUE(command->isEnabled());
    QTest::mouseClick(command, Qt::LeftButton);
    auto* save = window->findChild<QWidget*>(QStringLiteral("enregistrer"));
    ASSERT_NE(save, nullptr);
    save->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("dosage"));
    save->findChild<QPushButton*>(QString::fromLatin1(c.cancelled ? "Command2" : "Command1"))->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(boxes.calls().empty());

    QFile file(QDir(home.path()).filePath(QStringLiteral("dosage.py")));
    if (c.cancelled) {
        EXPECT_FALSE(file.exists());
        EXPECT_EQ(QDir(home.path()).entryList(QDir::Files), QStringList());
        return;
    }
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const std::string text = file.readAll().toStdString();
    EXPECT_EQ(text, state::pythonProgram(bench.state()).text);
    EXPECT_NE(text.find("0.0237"), std::string::npos) << text;
}

INSTANTIATE_TEST_SUITE_P(, PythonExportCommand,
                         ::testing::Values(PythonExportCase{"Saved", false},
                                           PythonExportCase{"Cancelled", true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CommandsTest, APythonProgramThatCannotBeWrittenIsRefusedWithAMessage) {
    connectCommands(*window, run, beeper);
    window->show();
    window->workbench().perform(state::setFieldText, state::Field::BeakerVolume, std::string("vingt"));
    boxes.queueAnswer(platform::MessageAnswer::Ok);
    window->measurementPage().findChild<QPushButton*>(QStringLiteral("exporterpython"))->click();
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].title, QStringLiteral("Exporter en Python"));
    EXPECT_TRUE(boxes.calls()[0].text.contains(QStringLiteral("nombre")))
        << boxes.calls()[0].text.toStdString();
    EXPECT_EQ(window->findChild<QWidget*>(QStringLiteral("enregistrer")), nullptr);
}
