// The command bar as the program wires it: every button that opens a window is enabled by the
// wiring, and opens its own window over the main window.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "app/commands.h"
#include "platform/countingbeeper.h"
#include "state/conductimetry.h"
#include "state/labmeasurements.h"
#include "tests/labpoints.h"
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
