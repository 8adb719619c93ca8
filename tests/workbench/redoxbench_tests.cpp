// An oxidation-reduction titration on the real main window, offscreen: the kind's list
// `typetitrage`, the panel's lists and the acid's field, the millivoltmeter `LabelE` and the
// switch `Graphe(2)`, the table's E column, and the acid-base bench given back.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QToolButton>

#include "state/actions.h"
#include "testsupport.h"
#include "workbench/mainwindow.h"

using namespace workbench;

namespace {

class RedoxBenchTest : public ::testing::Test, protected testsupport::ScriptedWindow {
  protected:
    RedoxBenchTest() { testsupport::buildPages(*window); }
    ~RedoxBenchTest() override {
        EXPECT_FALSE(boxes.hasFailures()) << boxes.failures().join("\n").toStdString();
    }

    BenchController& bench() { return window->workbench(); }
    template <typename T>
    T* child(const char* name) {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    bool shown(const char* name) { return child<QWidget>(name)->isVisibleTo(window.get()); }
    // On the graph page, whichever tab is shown.
    bool onGraphPage(const char* name) {
        return child<QWidget>(name)->isVisibleTo(
            window->findChild<QWidget*>(QStringLiteral("Graphe"))->parentWidget());
    }
    void type(state::Field field, const char* text) {
        bench().perform(state::setFieldText, field, std::string(text));
        bench().perform(state::validateField, field);
    }
    QString cell(int row, int column) {
        const QTableWidgetItem* item = child<QTableWidget>("MSFlexGrid1")->item(row, column);
        return item ? item->text() : QString();
    }
};

// The list's entries name the species; its position is the one the pupil clicks.
int entryOf(QComboBox* list, const QString& name) {
    return list->findText(name);
}

}  // namespace

TEST_F(RedoxBenchTest, IronTwoByCeriumFourReadsThePotentialOfItsCoupleAtHalfEquivalence) {
    ASSERT_FALSE(shown("loxred"));
    emit child<QComboBox>("typetitrage")->activated(1);
    for (const char* acidBase : {"lbecher", "lbecher2", "lindic", "Option1(0)"})
        EXPECT_FALSE(shown(acidBase)) << acidBase;
    for (const char* acidBase : {"Graphe(3)", "Graphe(1)"}) EXPECT_FALSE(onGraphPage(acidBase)) << acidBase;
    for (const char* redox : {"loxred", "ltitrant", "Text1(8)", "lreference"})
        EXPECT_TRUE(shown(redox)) << redox;
    EXPECT_EQ(child<QLineEdit>("Text1(8)")->text(), QStringLiteral("1,0"));
    EXPECT_FALSE(shown("LabelE")) << "the colour alone follows the titration at first";

    auto* titrant = child<QComboBox>("ltitrant");
    const int cerium = entryOf(titrant, QStringLiteral("ion cérium(IV) Ce⁴⁺"));
    ASSERT_GE(cerium, 0);
    emit titrant->activated(cerium);
    // Saturated calomel electrode, the first reference after the colour alone.
    emit child<QComboBox>("lreference")->activated(1);
    ASSERT_TRUE(shown("LabelE"));
    EXPECT_TRUE(onGraphPage("Graphe(2)"));
    EXPECT_TRUE(child<QToolButton>("Graphe(2)")->isChecked());

    type(state::Field::BeakerConcentration, "0,1");
    type(state::Field::TitrantConcentration, "0,1");
    // The tap held for 10 mL: a row every 0,5 mL.
    bench().perform(state::pressTap);
    for (int tick = 0; tick < 100; ++tick) bench().perform(state::pourTick);
    bench().perform(state::releaseTap);
    // Half of the iron(II) oxidised: E = E°(Fe³⁺/Fe²⁺) = 0,77 V, less the calomel's 0,244 V.
    EXPECT_EQ(child<QLabel>("LabelE")->text(), QStringLiteral("E = 0,526 V"));
    auto* grid = child<QTableWidget>("MSFlexGrid1");
    const int last = grid->rowCount() - 1;
    ASSERT_GT(last, 0);
    const int eColumn = grid->columnCount() - 1;
    EXPECT_EQ(bench().state().rows.heading(eColumn), "E (V)");
    EXPECT_EQ(cell(last, eColumn), QStringLiteral("0,526"));

    // Permanganate without acid: the millivoltmeter gives no number and the hint line says why.
    emit titrant->activated(entryOf(titrant, QStringLiteral("ion permanganate MnO₄⁻")));
    type(state::Field::SulfuricAcid, "0");
    type(state::Field::PouredVolume, "2");
    EXPECT_EQ(child<QLabel>("LabelE")->text(), QStringLiteral("E = ---"));
    EXPECT_TRUE(window->hint().contains(QStringLiteral("pas assez acide"))) << window->hint().toStdString();

    // Back to acid-base: the acid-base panel and bench come back, without the millivoltmeter.
    emit child<QComboBox>("typetitrage")->activated(0);
    EXPECT_TRUE(shown("lbecher"));
    EXPECT_FALSE(shown("loxred"));
    EXPECT_FALSE(shown("LabelE"));
    EXPECT_FALSE(onGraphPage("Graphe(2)"));
}
