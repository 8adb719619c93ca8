// Undo and redo on the main window: the keys, what the hint line and the screen reader say, the
// views drawn again for the bench given back, and the keys left to a text box.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "state/actions.h"
#include "testsupport.h"
#include "workbench/exercisesession.h"
#include "workbench/measurementtable.h"

using namespace workbench;

namespace {

class UndoTest : public testing::Test, protected testsupport::ScriptedWindow {
  protected:
    UndoTest() {
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        window->findChild<QPushButton*>(QStringLiteral("Command7"))->setFocus();
    }
    ~UndoTest() override { EXPECT_FALSE(boxes.hasFailures()); }

    BenchController& bench() { return window->workbench(); }
    void press(QKeyCombination key) {
        QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
    }
    void typeConcentration(const char* text) {
        auto* field = window->findChild<QLineEdit*>(QStringLiteral("Text1(0)"));
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, QString::fromLatin1(text));
        QTest::keyClick(field, Qt::Key_Return);
        window->findChild<QPushButton*>(QStringLiteral("Command7"))->setFocus();
    }
    QString concentration() { return bench().fieldText(state::Field::BeakerConcentration); }
};

struct KeyCase {
    const char* name;
    QKeyCombination undo;
    QKeyCombination redo;
};

class UndoKeys : public UndoTest, public testing::WithParamInterface<KeyCase> {};

TEST_P(UndoKeys, UndoAValidatedFieldAndRedoItSayingWhat) {
    typeConcentration("0,02");
    ASSERT_EQ(concentration(), QStringLiteral("0,02"));
    press(GetParam().undo);
    EXPECT_EQ(concentration(), QStringLiteral("0,01"));
    EXPECT_EQ(window->hint(), QString::fromUtf8("Annulé : c₂ 0,02 → 0,01"));
    EXPECT_TRUE(announcer.texts().contains(QString::fromUtf8("Annulé : c₂ 0,02 → 0,01")));
    press(GetParam().redo);
    EXPECT_EQ(concentration(), QStringLiteral("0,02"));
    EXPECT_EQ(window->hint(), QString::fromUtf8("Rétabli : c₂ 0,01 → 0,02"));
    press(GetParam().redo);
    EXPECT_EQ(window->hint(), QString::fromUtf8("Rien à rétablir"));
}

INSTANTIATE_TEST_SUITE_P(Keys, UndoKeys,
                         testing::Values(KeyCase{"CtrlZCtrlY", Qt::CTRL | Qt::Key_Z, Qt::CTRL | Qt::Key_Y},
                                         KeyCase{"CtrlZCtrlShiftZ", Qt::CTRL | Qt::Key_Z,
                                                 Qt::CTRL | Qt::SHIFT | Qt::Key_Z}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(UndoTest, AFieldValidatedWithEnterLeavesTheKeysToTheBench) {
    auto* field = window->findChild<QLineEdit*>(QStringLiteral("Text1(0)"));
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, QStringLiteral("0,02"));
    QTest::keyClick(field, Qt::Key_Return);
    press(Qt::CTRL | Qt::Key_Z);
    EXPECT_EQ(concentration(), QStringLiteral("0,01"));
    EXPECT_EQ(field->text(), QStringLiteral("0,01"));
    EXPECT_EQ(window->hint(), QString::fromUtf8("Annulé : c₂ 0,02 → 0,01"));
}

TEST_F(UndoTest, ATextBoxKeepsItsOwnUndo) {
    typeConcentration("0,02");
    auto* field = window->findChild<QLineEdit*>(QStringLiteral("Text1(4)"));
    field->setFocus();
    field->end(false);
    QTest::keyClick(field, Qt::Key_5);
    press(Qt::CTRL | Qt::Key_Z);
    EXPECT_EQ(field->text(), QStringLiteral("20,0"));
    EXPECT_EQ(concentration(), QStringLiteral("0,02")) << "the bench is not undone";
    press(Qt::CTRL | Qt::Key_Y);
    EXPECT_EQ(field->text(), QStringLiteral("20,05"));
    EXPECT_EQ(bench().history().redoCount(), 0u);
}

TEST_F(UndoTest, UndoingAPourGivesBackTheGraphTheTableAndTheIllustration) {
    const QImage graph = bench().graph().image().copy();
    const QImage illustration = bench().apparatus().image().copy();
    bench().pressTap(Input::Mouse);
    for (int tick = 0; tick < 30; ++tick) bench().perform(state::pourTick);
    press(Qt::CTRL | Qt::Key_Z);
    EXPECT_EQ(window->hint(), QString::fromUtf8("Impossible d'annuler pendant que la burette coule"));
    bench().perform(state::releaseTap);
    auto* table = window->findChild<MeasurementTable*>(QStringLiteral("Picture5"));
    ASSERT_GT(table->grid().rowCount(), 2);
    press(Qt::CTRL | Qt::Key_Z);
    EXPECT_EQ(window->hint(), QString::fromUtf8("Annulé : V₁ 3,0 → 0,0 mL"));
    EXPECT_EQ(bench().graph().image(), graph);
    EXPECT_EQ(bench().apparatus().image(), illustration);
    EXPECT_EQ(table->grid().rowCount(), 1 + bench().state().rows.count());
}

TEST_F(UndoTest, AnExerciseOpenedStartsTheHistoryAgain) {
    typeConcentration("0,02");
    bench().perform(state::quickTrace);
    ASSERT_EQ(bench().history().undoCount(), 2u);
    emit window->exerciseSession().exerciseOpened();
    EXPECT_EQ(bench().history().undoCount(), 0u);
    press(Qt::CTRL | Qt::Key_Z);
    EXPECT_EQ(window->hint(), QString::fromUtf8("Rien à annuler"));
    EXPECT_EQ(bench().fieldText(state::Field::PouredVolume), QStringLiteral("25,0"));
}

}  // namespace
