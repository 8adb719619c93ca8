// The main window worked from the keyboard alone: the Tab order, the tab strip, Enter and Space
// on buttons, the accelerators, the tap held with the space bar and the focus frames.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <map>
#include <memory>

#include "platform/recordingclipboard.h"
#include "platform/recordingprinter.h"
#include "platform/richtextbox.h"
#include "platform/scriptedfiledialogs.h"
#include "platform/scriptedmessageboxes.h"
#include "state/actions.h"
#include "testsupport.h"
#include "workbench/exercisesession.h"
#include "workbench/keyboardaccess.h"
#include "workbench/mainwindow.h"
#include "workbench/tabstrip.h"

using namespace workbench;

namespace {

const std::pair<Command, const char*> kCommands[] = {
    {Command::Open, "Command2"},   {Command::Save, "Command11"},      {Command::Copy, "Command4"},
    {Command::Print, "Command10"}, {Command::Calculator, "Command8"}, {Command::Help, "Command7"},
    {Command::Close, "Command1"},  {Command::Exercises, "btexo"}};

class KeyboardTest : public ::testing::Test {
  protected:
    KeyboardTest() : app(testsupport::application()) {
        window =
            std::make_unique<MainWindow>(Services{boxes, clipboard, fileDialogs, printer, folder.path(), {}});
        testsupport::buildPages(*window);
        // Every command has its window in the program: here each one counts its presses.
        for (const auto& [command, name] : kCommands) {
            window->setCommandAction(command, [this, name = name] { ++pressed[name]; });
        }
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        child<QWidget>("Command2")->setFocus();
    }
    ~KeyboardTest() override {
        EXPECT_FALSE(boxes.hasFailures()) << boxes.failures().join("\n").toStdString();
    }

    template <typename T>
    T* child(const char* name) {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static QWidget* focused() { return QApplication::focusWidget(); }
    static QString focusedName() { return focused() ? focused()->objectName() : QStringLiteral("<none>"); }
    static void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(focused(), k, modifiers);
    }
    // Presses Tab until `name` has the focus; false when it never comes.
    bool tabTo(const char* name) {
        for (int i = 0; i < 60 && focusedName() != QLatin1String(name); ++i) key(Qt::Key_Tab);
        return focusedName() == QLatin1String(name);
    }
    // The names met going round the window once with `k`, from Command2 back to it.
    QStringList round(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QStringList names;
        for (int i = 0; i < 60; ++i) {
            key(k, modifiers);
            if (focusedName() == QLatin1String("Command2")) break;
            names << focusedName();
        }
        return names;
    }
    static void sendSpace(QEvent::Type type, bool autoRepeat) {
        QKeyEvent event(type, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), autoRepeat);
        QApplication::sendEvent(focused(), &event);
    }
    QString fieldText(const char* name) { return child<QLineEdit>(name)->text(); }

    QApplication& app;
    QTemporaryDir folder;
    platform::ScriptedMessageBoxes boxes;
    platform::RecordingClipboard clipboard;
    platform::ScriptedFileDialogs fileDialogs;
    platform::RecordingPrinter printer;
    std::unique_ptr<MainWindow> window;
    std::map<std::string, int> pressed;
};

}  // namespace

TEST_F(KeyboardTest, TabAndShiftTabGoRoundTheWindowInReadingOrder) {
    const QStringList before = {"Command11", "Command4", "Command10", "Command8",  "Command7",
                                "Command1",  "Text1(1)", "Text1(5)",  "Command14", "Command13",
                                "Image3",    "Command6", "Image1",    "Onglets"};
    const QStringList after = {"Option2(0)", "fich", "btexo", "supertext"};
    struct Case {
        int tab;
        QStringList page;
    };
    const Case cases[] = {
        {1, {"Option1(0)", "lbecher", "lbecher2", "Text1(0)", "Command5", "Text1(4)", "Text1(6)", "lindic"}},
        // Tab leaves the grid at once; of the lab commands, only the fit acts without the program.
        {3, {"MSFlexGrid1", "ajuster"}},
        {4,
         {"optscema(0)", "typetitrage", "optscema(1)", "optscema(2)", "Check1", "Check2", "masquer",
          "optcontraste", "optzoom", "UpDown1"}},
        {5, {"Histo"}},
    };
    for (const Case& c : cases) {
        child<TabStrip>("Onglets")->selectTab(c.tab);
        const QStringList expected = before + c.page + after;
        EXPECT_EQ(round(Qt::Key_Tab), expected) << c.tab;
        QStringList backwards(expected.rbegin(), expected.rend());
        EXPECT_EQ(round(Qt::Key_Backtab, Qt::ShiftModifier), backwards) << c.tab;
    }
}

TEST_F(KeyboardTest, TheTextAreaLetsTabThroughUnlessAnExerciseIsWrittenIn) {
    auto* text = child<platform::RichTextBox>("supertext");
    ASSERT_TRUE(tabTo("supertext"));
    key(Qt::Key_Tab);
    EXPECT_EQ(focusedName(), QStringLiteral("Command2"));
    EXPECT_FALSE(text->toPlainText().contains(QLatin1Char('\t')));

    window->exerciseSession().setName(folder.filePath(QStringLiteral("exercice.E36")));
    text->setFocus(Qt::TabFocusReason);
    key(Qt::Key_Tab);
    EXPECT_EQ(focusedName(), QStringLiteral("supertext"));
    EXPECT_TRUE(text->toPlainText().contains(QLatin1Char('\t')));
    key(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(focusedName(), QStringLiteral("Command2"));
    text->setFocus(Qt::TabFocusReason);
    key(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(focusedName(), QStringLiteral("btexo"));
}

TEST_F(KeyboardTest, ArrowsHomeAndEndOnTheTabStripChooseTheTabs) {
    auto* tabs = child<TabStrip>("Onglets");
    ASSERT_TRUE(tabTo("Onglets"));
    const std::pair<Qt::Key, int> steps[] = {{Qt::Key_Right, 2}, {Qt::Key_Right, 3}, {Qt::Key_End, 5},
                                             {Qt::Key_Right, 5}, {Qt::Key_Left, 4},  {Qt::Key_Home, 1},
                                             {Qt::Key_Left, 1}};
    for (const auto& [k, tab] : steps) {
        key(k);
        EXPECT_EQ(tabs->currentTab(), tab);
        EXPECT_TRUE(tabs->page(kTabPages[static_cast<std::size_t>(tab - 1)])->isVisible()) << tab;
    }
    EXPECT_EQ(focusedName(), QStringLiteral("Onglets"));
}

TEST_F(KeyboardTest, EnterAndSpacePressTheFocusedButton) {
    auto& bench = window->workbench();
    for (const Qt::Key k : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
        child<QWidget>("Command2")->setFocus();
        key(k);
    }
    EXPECT_EQ(pressed["Command2"], 3);

    ASSERT_TRUE(tabTo("Command5"));  // the die
    key(Qt::Key_Return);
    EXPECT_TRUE(bench.state().switches.concentrationMasked);
    ASSERT_TRUE(tabTo("Label1"));  // "Afficher la concentration" takes the die's place
    key(Qt::Key_Space);
    EXPECT_FALSE(bench.state().switches.concentrationMasked);
    EXPECT_EQ(focusedName(), QStringLiteral("Text1(0)"));  // the concentration it reveals

    ASSERT_TRUE(tabTo("Image1"));  // the drop
    key(Qt::Key_Enter);
    EXPECT_TRUE(bench.state().burette.dropFalling);
}

TEST_F(KeyboardTest, TheCommandBarAcceleratorsPressTheirButtons) {
    const std::pair<Qt::Key, const char*> accelerators[] = {
        {Qt::Key_O, "Command2"}, {Qt::Key_E, "Command11"}, {Qt::Key_P, "Command4"}, {Qt::Key_I, "Command10"},
        {Qt::Key_C, "Command8"}, {Qt::Key_A, "Command7"},  {Qt::Key_F, "Command1"}};
    for (const auto& [k, name] : accelerators) {
        child<QWidget>("Text1(5)")->setFocus();
        QTest::keyClick(focused(), k, Qt::AltModifier);
        // The button shows itself pressed for a moment, then acts.
        EXPECT_TRUE(QTest::qWaitFor([&] { return pressed[name] == 1; }, 2000)) << name;
    }
}

TEST_F(KeyboardTest, HoldingSpaceOnTheTapPoursThroughAutoRepeatUntilReleased) {
    auto& bench = window->workbench();
    ASSERT_TRUE(tabTo("Image3"));
    int tapChanges = 0;
    const QObject context;
    QObject::connect(&bench, &BenchController::changed, &context, [&tapChanges](state::Changes changes) {
        if (changes.has(state::Changed::Tap)) ++tapChanges;
    });
    sendSpace(QEvent::KeyPress, false);
    ASSERT_TRUE(bench.state().burette.pouring);
    // A held key repeats as release and press pairs, both marked as auto-repeated.
    for (int i = 0; i < 40; ++i) {
        QTest::qWait(15);
        sendSpace(QEvent::KeyRelease, true);
        sendSpace(QEvent::KeyPress, true);
        ASSERT_TRUE(bench.state().burette.tapOpen) << i;
    }
    QTest::qWait(15);
    sendSpace(QEvent::KeyRelease, false);

    EXPECT_EQ(tapChanges, 2);  // opened once, closed once
    EXPECT_FALSE(bench.state().burette.tapOpen);
    EXPECT_GT(state::fieldValue(bench.state(), state::Field::PouredVolume), 0.5);
    auto* grid = child<QTableWidget>("MSFlexGrid1");
    ASSERT_GE(grid->rowCount(), 3);
    EXPECT_EQ(grid->item(2, 0)->text(), QStringLiteral("0,5"));
    EXPECT_EQ(focusedName(), QStringLiteral("Image3"));
    EXPECT_FALSE(child<QLineEdit>("Text1(4)")->isReadOnly());
}

TEST_F(KeyboardTest, AShortPressOrEnterOnTheTapPoursAsAClick) {
    ASSERT_TRUE(tabTo("Image3"));
    sendSpace(QEvent::KeyPress, false);
    sendSpace(QEvent::KeyRelease, false);
    EXPECT_EQ(fieldText("Text1(5)"), QStringLiteral("0,1"));
    key(Qt::Key_Return);
    EXPECT_EQ(fieldText("Text1(5)"), QStringLiteral("0,2"));
    EXPECT_FALSE(window->workbench().state().burette.tapOpen);
    EXPECT_EQ(focusedName(), QStringLiteral("Image3"));
}

TEST_F(KeyboardTest, PouringCommitsTheEditedFieldTheKeyboardWithoutMovingTheFocus) {
    auto& bench = window->workbench();
    for (const Input input : {Input::Keyboard, Input::Mouse}) {
        auto* field = child<QLineEdit>("Text1(1)");
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_5);
        bench.pressTap(input);
        bench.perform(state::releaseTap);
        EXPECT_EQ(field->text(), QStringLiteral("0,1"));  // 5 mol/L is brought to the limit
        EXPECT_EQ(focusedName(), input == Input::Keyboard ? "Text1(1)" : "supertext");
    }
}

TEST_F(KeyboardTest, ViderLaBuretteFromTheKeyboardKeepsTheFocus) {
    ASSERT_TRUE(tabTo("Command6"));
    key(Qt::Key_Space);
    EXPECT_TRUE(window->workbench().state().burette.pouring);
    EXPECT_EQ(focusedName(), QStringLiteral("Command6"));
    key(Qt::Key_Return);
    EXPECT_FALSE(window->workbench().state().burette.pouring);
}

TEST_F(KeyboardTest, TabbingThroughAFieldKeepsTheMeasurementsTypingInItValidates) {
    auto& bench = window->workbench();
    bench.pressTap(Input::Mouse);
    for (int tick = 0; tick < 30; ++tick) bench.perform(state::pourTick);  // 3 mL measured
    bench.perform(state::releaseTap);
    auto* grid = child<QTableWidget>("MSFlexGrid1");
    const int rows = grid->rowCount();
    ASSERT_GT(rows, 2);
    ASSERT_TRUE(tabTo("Command14"));  // through Text1(1) and Text1(5)
    EXPECT_EQ(grid->rowCount(), rows);

    child<QWidget>("Command1")->setFocus();
    key(Qt::Key_Tab);
    static_cast<QLineEdit*>(focused())->selectAll();
    key(Qt::Key_5);
    key(Qt::Key_Tab);
    EXPECT_EQ(fieldText("Text1(1)"), QStringLiteral("0,1"));
    EXPECT_LT(grid->rowCount(), rows);  // the display restarted from the new value
}

TEST_F(KeyboardTest, TabEntersTheSituationsAtTheCurrentOneAndTheArrowsChooseAnother) {
    QTest::mouseClick(child<QRadioButton>("Option2(2)"), Qt::LeftButton);
    child<QWidget>("fich")->setFocus();
    key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(focusedName(), QStringLiteral("Option2(2)"));
    key(Qt::Key_Down);
    EXPECT_EQ(window->workbench().state().situations.current, 3);
    // Above the first situation is the panel's nature of the solution, which is not one of them.
    for (int i = 0; i < 4; ++i) key(Qt::Key_Up);
    EXPECT_EQ(window->workbench().state().situations.current, 0);
    EXPECT_EQ(focusedName(), QStringLiteral("Option2(0)"));
    EXPECT_TRUE(window->workbench().state().solution.beakerIsAcid);
}

TEST_F(KeyboardTest, EveryControlReachedWithTabShowsItsFocusFrame) {
    auto* frame = child<FocusFrame>("focusFrame");
    auto* tabs = child<TabStrip>("Onglets");
    const QColor highlight = window->palette().color(QPalette::Active, QPalette::Highlight);
    const auto colourAt = [](QWidget* widget, QPoint p) { return widget->grab().toImage().pixelColor(p); };
    EXPECT_NE(colourAt(tabs, tabs->currentTitleArea().topLeft()), highlight);
    for (int i = 0; i < 40; ++i) {
        key(Qt::Key_Tab);
        QWidget* control = focused();
        if (control == tabs) {
            EXPECT_EQ(colourAt(tabs, tabs->currentTitleArea().topLeft()), highlight);
            continue;
        }
        ASSERT_EQ(frame->target(), control) << focusedName().toStdString();
        const QPoint corner = control->mapTo(window.get(), QPoint(-1, -1));
        EXPECT_EQ(colourAt(window.get(), corner), highlight) << focusedName().toStdString();
        if (focusedName() == QLatin1String("Command2")) break;
    }
}
