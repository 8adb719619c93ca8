// The calculator window, offscreen: keys pressed by name with the mouse or typed on the keyboard,
// the display `z1` read back.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "numbers/decimalreader.h"
#include "platform/countingbeeper.h"
#include "testsupport.h"
#include "windows/calculator/calculatormemory.h"
#include "windows/calculator/calculatorstate.h"
#include "windows/calculator/calculatorwindow.h"

namespace {

using calculatorwindow::CalculatorMemory;
using calculatorwindow::CalculatorWindow;

const QString kMessages[] = {QStringLiteral("Calcul impossible"),
                             QStringLiteral("Erreur saisie: revoir les parenthèses"),
                             QStringLiteral("Erreur saisie: incompréhension sur opérateurs: ^ * / + -"),
                             QStringLiteral("Dépassement de capacité")};

// Every key of the calculator, by its control name.
const std::vector<const char*> kKeyNames = {"B0",       "B1",       "B2",        "B3",       "B4",
                                            "B5",       "B6",       "B7",        "B8",       "B9",
                                            "Bpoint",   "BtoEXP",   "bpf",       "Bpo",      "bsin",
                                            "Bcos",     "Btan",     "invsin",    "invcos",   "Btoncommande3",
                                            "Blog",     "Bln",      "Bexp",      "B10x",     "racine",
                                            "Command5", "pi",       "puissance", "btcarre",  "multip",
                                            "div",      "plus",     "moins",     "kilo",     "mega",
                                            "giga",     "tera",     "mil",       "micro",    "nano",
                                            "pico",     "RAZ",      "EFFACE",    "Command1", "Command2",
                                            "Command3", "Command4", "EXE",       "ANS"};
const std::vector<const char*> kOptionNames = {"angle(0)", "angle(1)", "C(0)", "C(1)"};

class CalculatorWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testsupport::application();
        open();
    }

    void open() {
        window = std::make_unique<CalculatorWindow>(memory, beeper);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    QLineEdit* display() const { return window->findChild<QLineEdit*>(QStringLiteral("z1")); }
    QString shown() const { return display()->text(); }

    // A key or an option button clicked with the mouse.
    void press(const char* name) {
        auto* widget = window->findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_NE(widget, nullptr) << name;
        // An option button is clicked on its round indicator.
        const QPoint where = qobject_cast<QRadioButton*>(widget) != nullptr ? QPoint(8, widget->height() / 2)
                                                                            : widget->rect().center();
        QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, where);
    }
    void press(const std::vector<const char*>& names) {
        for (const char* name : names) press(name);
    }

    CalculatorMemory memory;
    platform::CountingBeeper beeper;
    std::unique_ptr<CalculatorWindow> window;
};

TEST_F(CalculatorWindowTest, OpensWithItsCaptionBlankDisplayAndDefaultOptions) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Machine à calculer"));
    EXPECT_EQ(shown(), QString());
    EXPECT_TRUE(window->findChild<QRadioButton*>(QStringLiteral("angle(0)"))->isChecked());
    EXPECT_TRUE(window->findChild<QRadioButton*>(QStringLiteral("C(1)"))->isChecked());
}

TEST_F(CalculatorWindowTest, EveryKeyIsFoundByItsNameAndIsLargeEnoughToClick) {
    for (const char* name : kKeyNames) {
        auto* key = window->findChild<QPushButton*>(QString::fromLatin1(name));
        ASSERT_NE(key, nullptr) << name;
        EXPECT_GE(key->width(), 32) << name;
        EXPECT_GE(key->height(), 32) << name;
    }
}

// Keys pressed in order, then the display and the number of beeps.
struct KeyCase {
    const char* name;
    std::vector<const char*> keys;
    const char* display;
    int beeps = 0;
};

void PrintTo(const KeyCase& c, std::ostream* out) {
    *out << c.name;
}

class KeySequence : public CalculatorWindowTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(KeySequence, ShowsTheExpectedDisplay) {
    const KeyCase& c = GetParam();
    press(c.keys);
    EXPECT_EQ(shown(), QString::fromUtf8(c.display));
    EXPECT_EQ(beeper.count(), c.beeps);
}

const auto caseName = [](const ::testing::TestParamInfo<KeyCase>& info) {
    return testsupport::caseName(info.param.name);
};

INSTANTIATE_TEST_SUITE_P(
    BlankDisplay, KeySequence,
    ::testing::Values(KeyCase{"plus on a blank display does nothing", {"plus"}, ""},
                      KeyCase{"times on a blank display does nothing", {"multip"}, ""},
                      KeyCase{"divide on a blank display does nothing", {"div"}, ""},
                      KeyCase{"plus after AC does nothing", {"B5", "RAZ", "plus"}, ""},
                      KeyCase{"power on an empty expression starts from ANS", {"puissance"}, " ^ "}),
    caseName);

INSTANTIATE_TEST_SUITE_P(
    Building, KeySequence,
    ::testing::Values(
        KeyCase{"implicit times before a function", {"B2", "bsin", "B3", "B0"}, "2 * sin 30"},
        KeyCase{"implicit times before a parenthesis", {"B2", "Bpo"}, "2 * ("},
        KeyCase{"implicit times before pi", {"B2", "pi"}, "2 * 3.14159265358979"},
        KeyCase{"no implicit times after a minus", {"moins", "Bcos"}, "-cos "},
        KeyCase{"no implicit times after a parenthesis", {"Bpo", "Bln"}, "(ln "},
        KeyCase{"inverse functions are written as typed", {"invsin", "invcos"}, "invSIN invCOS "},
        KeyCase{"kilo appends an exponent", {"B5", "kilo"}, "5E+3"},
        KeyCase{"pico appends a negative exponent", {"B2", "pico"}, "2E-12"},
        KeyCase{"minus after EXP stays with the exponent", {"B1", "BtoEXP", "moins", "B3"}, "1E-3"},
        KeyCase{"plus after EXP stays with the exponent", {"B2", "BtoEXP", "plus", "B3"}, "2E+3"},
        KeyCase{"minus on an empty expression is a sign", {"moins", "B4"}, "-4"},
        KeyCase{"minus after minus is spaced", {"B2", "moins", "moins"}, "2 - -"},
        KeyCase{"minus after a parenthesis then minus", {"Bpo", "moins", "moins"}, "(- -"},
        KeyCase{"square after a number", {"B3", "btcarre"}, "3 ^ 2"},
        KeyCase{"ten to the x", {"B10x", "B3"}, "10 ^ 3"},
        KeyCase{"one over x after a number", {"B4", "Command5"}, "4 * 1 / "},
        KeyCase{"root sign", {"racine", "B9"}, "SQR 9"}),
    caseName);

INSTANTIATE_TEST_SUITE_P(
    BackSpace, KeySequence,
    ::testing::Values(
        KeyCase{"back space removes a function word", {"B2", "multip", "Bcos", "EFFACE"}, "2 * "},
        KeyCase{
            "a second back space removes the operator", {"B2", "multip", "Bcos", "EFFACE", "EFFACE"}, "2"},
        KeyCase{"back space empties a lone function word", {"Bcos", "EFFACE"}, ""},
        KeyCase{"back space empties a lone inverse word", {"Btoncommande3", "EFFACE"}, ""},
        KeyCase{"back space keeps the parenthesis before a word", {"Bpo", "Blog", "EFFACE"}, "("},
        KeyCase{"back space removes one digit", {"B1", "B2", "EFFACE"}, "1"},
        KeyCase{"back space on a short sign token empties it", {"moins", "moins", "EFFACE", "EFFACE"}, ""},
        KeyCase{"back space on an empty expression keeps the result", {"B7", "EXE", "EFFACE"}, " 7"}),
    caseName);

INSTANTIATE_TEST_SUITE_P(
    Results, KeySequence,
    ::testing::Values(
        KeyCase{"two sine thirty in degrees is one", {"B2", "bsin", "B3", "B0", "EXE"}, " 1"},
        KeyCase{"five kilo is five thousand", {"B5", "kilo", "EXE"}, " 5000"},
        KeyCase{"one EXP minus three", {"B1", "BtoEXP", "moins", "B3", "EXE"}, " .001"},
        KeyCase{"priorities", {"B2", "plus", "B3", "multip", "B4", "EXE"}, " 14"},
        KeyCase{"a negative result has no space", {"B2", "moins", "B5", "EXE"}, "-3"},
        KeyCase{"an empty expression shows zero", {"EXE"}, " 0"},
        KeyCase{"arc sine of one in radians", {"angle(1)", "invsin", "B1", "EXE"}, " 1.5707963267949"},
        KeyCase{"scientific one half", {"C(0)", "B1", "div", "B2", "EXE"}, "5.E-01"},
        KeyCase{"scientific keeps seven decimals", {"C(0)", "B2", "div", "B3", "EXE"}, "6.6666667E-01"},
        KeyCase{"a result then plus inserts the answer", {"B2", "plus", "B3", "EXE", "plus"}, "5 + "},
        KeyCase{"a result then square inserts the answer", {"B3", "EXE", "btcarre", "EXE"}, " 9"},
        KeyCase{"ANS appends the last result", {"B2", "EXE", "B3", "ANS"}, "32"},
        KeyCase{"a failed EXE then ANS inserts nothing", {"B1", "div", "B0", "EXE", "ANS"}, "1 / 0", 1},
        KeyCase{"a failed EXE keeps the expression to correct",
                {"B1", "div", "B0", "EXE", "EFFACE", "B2", "EXE"},
                " .5",
                1}),
    caseName);

INSTANTIATE_TEST_SUITE_P(
    Failures, KeySequence,
    ::testing::Values(
        KeyCase{"division by zero", {"B1", "div", "B0", "EXE"}, "Calcul impossible", 1},
        KeyCase{"unbalanced parentheses", {"Bpo", "B2", "EXE"}, "Erreur saisie: revoir les parenthèses", 1},
        KeyCase{"two operators in a row",
                {"B2", "multip", "plus", "B3", "EXE"},
                "Erreur saisie: incompréhension sur opérateurs: ^ * / + -",
                1},
        KeyCase{"a number beyond double precision",
                {"B1", "BtoEXP", "B9", "B9", "B9", "EXE"},
                "Dépassement de capacité",
                1},
        KeyCase{"two failures beep twice", {"B1", "div", "B0", "EXE", "EXE"}, "Calcul impossible", 2}),
    caseName);

INSTANTIATE_TEST_SUITE_P(
    DisplayModes, KeySequence,
    ::testing::Values(
        KeyCase{"scientific shows the last result again", {"B1", "div", "B2", "EXE", "C(0)"}, "5.E-01"},
        KeyCase{"standard shows the last result again", {"C(0)", "B1", "div", "B2", "EXE", "C(1)"}, " .5"},
        KeyCase{"switching with nothing computed shows zero", {"C(0)"}, "0.E+00"},
        KeyCase{"switching while typing keeps the expression", {"B1", "div", "C(0)"}, "1 / "},
        KeyCase{"times after switching continues from the display",
                {"C(0)", "C(1)", "multip", "B3", "EXE"},
                " 0"},
        KeyCase{"switching there and back keeps the full answer",
                {"B1", "div", "B3", "EXE", "C(0)", "C(1)", "ANS", "multip", "B3", "EXE"},
                " .999999999999999"},
        KeyCase{"standard shows a scientific result in full",
                {"C(0)", "B1", "div", "B3", "EXE", "C(1)"},
                " .333333333333333"},
        KeyCase{"ANS gives the full answer in scientific",
                {"C(0)", "B1", "div", "B3", "EXE", "ANS"},
                ".333333333333333"}),
    caseName);

TEST_F(CalculatorWindowTest, ExeShowsTheWaitingTextBeforeTheResult) {
    QSignalSpy changes(display(), &QLineEdit::textChanged);
    press({"B6", "multip", "B7", "EXE"});
    ASSERT_GE(changes.size(), 2);
    EXPECT_EQ(changes.at(changes.size() - 2).at(0).toString(),
              QStringLiteral("    Patience... Calculs en cours.     "));
    EXPECT_EQ(changes.back().at(0).toString(), QStringLiteral(" 42"));
}

TEST_F(CalculatorWindowTest, LongMessageIsShownWholeInASmallerFont) {
    press({"B2", "EXE"});
    const int resultPixels = display()->font().pixelSize();
    press({"B2", "multip", "div", "B3", "EXE"});
    EXPECT_LT(display()->font().pixelSize(), resultPixels);
    EXPECT_LE(QFontMetrics(display()->font()).horizontalAdvance(shown()), display()->contentsRect().width());
}

TEST_F(CalculatorWindowTest, DisplayKeepsTheFocusWithTheCaretAtTheEnd) {
    press({"B1", "plus", "Bcos"});
    EXPECT_EQ(window->focusWidget(), display());
    EXPECT_EQ(display()->cursorPosition(), shown().size());
    press("C(0)");
    EXPECT_EQ(window->focusWidget(), display());
}

// Keys typed on the keyboard into the display, then the display.
struct TypedCase {
    const char* name;
    const char* typed;
    bool enter;
    const char* display;
};

class Typing : public CalculatorWindowTest, public ::testing::WithParamInterface<TypedCase> {};

TEST_P(Typing, ActsAsTheKeys) {
    const TypedCase& c = GetParam();
    QTest::keyClicks(display(), QString::fromLatin1(c.typed));
    if (c.enter) QTest::keyClick(display(), Qt::Key_Return);
    EXPECT_EQ(shown(), QString::fromUtf8(c.display));
}

INSTANTIATE_TEST_SUITE_P(
    Keyboard, Typing,
    ::testing::Values(TypedCase{"DigitsAndPoint", "12.5", false, "12.5"},
                      TypedCase{"SmallDAndEAndCapitalDAreExp", "1d2e3D4", false, "1E2E3E4"},
                      TypedCase{"OperatorsAreSpaced", "2*3+4", false, "2 * 3 + 4"},
                      TypedCase{"EnterEvaluates", "2*3+4", true, " 10"},
                      TypedCase{"ParenthesesAndPower", "(2+3)^2", true, " 25"},
                      TypedCase{"DivisionAndSign", "7/-2", true, "-3.5"},
                      TypedCase{"CommaIsTheDecimalPoint", "2,5", false, "2.5"},
                      TypedCase{"LetterXMultiplies", "3x4", true, " 12"},
                      TypedCase{"CapitalXMultiplies", "3X4", false, "3 * 4"},
                      TypedCase{"OtherLettersAreIgnored", "abcwyz", false, ""},
                      TypedCase{"OperatorOnABlankDisplayIsIgnored", "*/+", false, ""}),
    [](const ::testing::TestParamInfo<TypedCase>& info) { return std::string(info.param.name); });

TEST_F(CalculatorWindowTest, BackSpaceKeyRemovesAnOperatorToken) {
    QTest::keyClicks(display(), QStringLiteral("2*"));
    QTest::keyClick(display(), Qt::Key_Backspace);
    EXPECT_EQ(shown(), QStringLiteral("2"));
}

TEST_F(CalculatorWindowTest, DisplayCanBeCopiedButNotEdited) {
    press({"B7", "EXE"});
    QTest::keyClick(display(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(display(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral(" 7"));
    QApplication::clipboard()->setText(QStringLiteral("123"));
    QTest::keyClick(display(), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(display(), Qt::Key_Delete);
    EXPECT_EQ(shown(), QStringLiteral(" 7"));
}

TEST_F(CalculatorWindowTest, KeysTypedOnTheWindowReachTheDisplay) {
    window->findChild<QRadioButton*>(QStringLiteral("C(0)"))->setFocus();
    QTest::keyClicks(window->findChild<QRadioButton*>(QStringLiteral("C(0)")), QStringLiteral("45"));
    EXPECT_EQ(shown(), QStringLiteral("45"));
}

TEST_F(CalculatorWindowTest, AltShortcutsPressTheUnderlinedKeys) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    // A mnemonic clicks its key with an animation: the key acts a moment later.
    const auto altPress = [&](Qt::Key key, const QString& expected) {
        QTest::keyClick(display(), key, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return shown() == expected; }, 2000)) << shown().toStdString();
    };
    altPress(Qt::Key_S, QStringLiteral("sin "));
    altPress(Qt::Key_N, QStringLiteral("sin ln "));
    altPress(Qt::Key_A, QStringLiteral("sin ln invTAN "));
}

TEST_F(CalculatorWindowTest, MemoryOutlivesTheWindow) {
    press({"B2", "multip", "B3", "EXE", "Command1"});
    window.reset();
    open();
    press("Command3");
    EXPECT_EQ(shown(), QStringLiteral("6"));
    press({"RAZ", "B2", "EXE", "Command2", "Command3"});
    EXPECT_EQ(shown(), QStringLiteral("4"));
    press({"Command4", "RAZ", "Command3"});
    EXPECT_EQ(shown(), QStringLiteral("0"));
    EXPECT_EQ(memory.value(), 0.0);
}

TEST_F(CalculatorWindowTest, MemoryIsRecalledInTheScientificPicture) {
    press({"B1", "B2", "B3", "B4", "Bpoint", "B5", "EXE", "Command1", "C(0)", "Command3"});
    EXPECT_EQ(shown(), QStringLiteral("1.2345E+03"));
}

TEST_F(CalculatorWindowTest, MemoryKeepsItsValueWhenASumWouldOverflow) {
    press({"B1", "BtoEXP", "B3", "B0", "B8", "EXE", "Command1", "Command1"});
    EXPECT_EQ(memory.value(), 1e308);
}

TEST_F(CalculatorWindowTest, MemoryAddsZeroForAMessage) {
    press({"B5", "EXE", "Command1", "B1", "div", "B0", "EXE", "Command1"});
    EXPECT_EQ(memory.value(), 5.0);
}

// The entry point the main window's "Calculatrice" button uses: modal, and destroyed on closing.
TEST(OpenCalculator, OpensModalOverTheMainWindowAndDestroysItOnClosing) {
    testsupport::application();
    QWidget mainWindow;
    mainWindow.show();
    CalculatorMemory memory;
    platform::CountingBeeper beeper;
    QPointer<CalculatorWindow> opened;
    bool modal = false;
    QTimer::singleShot(0, [&] {
        opened = qobject_cast<CalculatorWindow*>(QApplication::activeModalWidget());
        if (opened == nullptr) return;
        modal = opened->isModal() && opened->parentWidget() == &mainWindow;
        QTest::mouseClick(opened->findChild<QPushButton*>(QStringLiteral("B8")), Qt::LeftButton);
        QTest::mouseClick(opened->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
        opened->close();
    });
    // Never hang the suite on a window that failed to close.
    QTimer::singleShot(5000, [] {
        if (auto* stuck = QApplication::activeModalWidget()) stuck->close();
    });
    calculatorwindow::openCalculator(&mainWindow, memory, beeper);
    QApplication::processEvents();
    EXPECT_TRUE(modal);
    EXPECT_TRUE(opened.isNull());
    EXPECT_EQ(memory.value(), 8.0);
}

TEST(OpenCalculator, ClosesWithTheMainWindow) {
    testsupport::application();
    auto* mainWindow = new QWidget;
    mainWindow->show();
    CalculatorMemory memory;
    platform::CountingBeeper beeper;
    QPointer<CalculatorWindow> opened;
    QTimer::singleShot(0, [&] {
        opened = qobject_cast<CalculatorWindow*>(QApplication::activeModalWidget());
        delete mainWindow;
    });
    calculatorwindow::openCalculator(mainWindow, memory, beeper);
    EXPECT_TRUE(opened.isNull());
}

bool isNumberText(const QString& text) {
    const std::string s = text.trimmed().toStdString();
    if (s.empty() || s.find_first_not_of("0123456789.E+-") != std::string::npos) return false;
    return std::isfinite(numbers::readDecimal(s));
}

// Random keys, options and typed characters from a fixed seed: whatever the pupil does, the
// display never shows a value that is not a number, and "EXE" always ends with a number or one
// of the messages.
TEST_F(CalculatorWindowTest, TenThousandRandomPressesNeverBreakExe) {
    std::vector<const char*> names = kKeyNames;
    names.insert(names.end(), kOptionNames.begin(), kOptionNames.end());
    const QString typed = QStringLiteral("0123456789.deD()*+-/^x");
    std::minstd_rand random(20240611u);
    const auto check = [&](int step) {
        const QString text = shown();
        ASSERT_FALSE(text.contains(QStringLiteral("nan"), Qt::CaseInsensitive))
            << step << ": " << text.toStdString();
        ASSERT_FALSE(text.contains(QStringLiteral("inf"), Qt::CaseInsensitive))
            << step << ": " << text.toStdString();
    };
    const auto checkResult = [&](int step) {
        const QString text = shown();
        const bool message =
            std::find(std::begin(kMessages), std::end(kMessages), text) != std::end(kMessages);
        ASSERT_TRUE(message || isNumberText(text)) << step << ": " << text.toStdString();
    };
    for (int step = 0; step < 10000; ++step) {
        const auto pick = random();
        if (pick % 5 == 0) {
            const QChar c = typed[static_cast<qsizetype>(random() % typed.size())];
            QTest::keyClick(display(), c.toLatin1());
        } else {
            const char* name = names[random() % names.size()];
            press(name);
            if (std::string_view(name) == "EXE") checkResult(step);
        }
        check(step);
        if (HasFatalFailure()) return;
    }
    press("EXE");
    checkResult(10000);
}

}  // namespace

TEST_F(CalculatorWindowTest, TheDisplayStopsAtItsLengthSoThatAnyExpressionIsEvaluatedAtOnce) {
    // Key repeat held on "(" then "1" and "+": the expression stops growing at the display's length.
    QTest::keyClicks(display(), QString(1500, QLatin1Char('(')));
    QTest::keyClicks(display(), QString(300, QLatin1Char('1')));
    for (int i = 0; i < 300; ++i) QTest::keyClicks(display(), QStringLiteral("+1"));
    EXPECT_LE(static_cast<std::size_t>(shown().size()),
              calculatorwindow::CalculatorState::kMaxExpressionLength + 3);
    press("EXE");
    EXPECT_EQ(shown(), QStringLiteral("Erreur saisie: revoir les parenthèses"));
}
