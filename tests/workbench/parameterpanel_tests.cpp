// The parameter panel `Frame2`: its layout as flowing text, typing and validating its fields,
// its lists, the masking of the concentration and its hints.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "chemistry/chemistry.h"
#include "platform/scriptedmessageboxes.h"
#include "state/actions.h"
#include "testsupport.h"
#include "workbench/benchcontroller.h"
#include "workbench/entryfield.h"
#include "workbench/parameterpanel.h"

using platform::MessageAnswer;
using platform::MessageIcon;
using namespace workbench;

namespace {

// --- Layout with simple metrics ------------------------------------------------------------------

// Every character 5 px wide in size 8 and 6 px in size 10, the bullet 4 px; lines of 13 px in
// size 8 and 16 px in size 10.
class FixedMetrics : public PanelMetrics {
  public:
    double textWidth(const PanelFont& font, const QString& text) const override {
        if (font.family == QStringLiteral("Symbol")) return 4.0 * static_cast<double>(text.size());
        return (font.points == 8 ? 5.0 : 6.0) * static_cast<double>(text.size());
    }
    double lineHeight(const PanelFont& font) const override { return font.points == 8 ? 13 : 16; }
};

PanelControlSizes fixedSizes() {
    PanelControlSizes sizes;
    sizes.acidOption = {100, 18};
    sizes.baseOption = {110, 18};
    sizes.soluteList = {190, 22};
    sizes.otherPKa = {40, 20};
    sizes.concentration = {84, 20};
    sizes.beakerVolume = {52, 20};
    sizes.waterVolume = {52, 20};
    sizes.revealLabel = {70, 26};
    sizes.dieButton = {16, 16};
    sizes.indicatorList = {230, 22};
    return sizes;
}

const PanelText* findText(const PanelLayout& layout, const QString& text) {
    for (const PanelText& t : layout.texts) {
        if (t.text == text) return &t;
    }
    return nullptr;
}

TEST(PanelLayout, ControlsFollowTheirLabelsOnTheGivenRows) {
    const PanelLayout layout = layOutParameterPanel(FixedMetrics(), fixedSizes(), true, false);
    // Row 1 at y = 18: bullet (4) and a label of 31 characters end at 18 + 4 + 155.
    EXPECT_EQ(layout.acidOption, QRect(177, 17, 100, 18));
    EXPECT_EQ(layout.baseOption, QRect(277, 17, 110, 18));
    // Two size-8 lines lower: y = 44; "Soluté : " after x = 81.
    EXPECT_EQ(layout.soluteList, QRect(126, 40, 190, 22));
    // After the solute list, 6 px and "pKa = " (30), 3 px higher than the row.
    EXPECT_EQ(layout.otherPKa, QRect(352, 41, 40, 20));
    // One line and 18 px lower: y = 75; "Deuxième soluté : " after x = 81.
    EXPECT_EQ(layout.secondList.topLeft(), QPoint(171, 71));
    // 27 px below the next line: y = 115. Label of 35 characters, "c" (6), "2" (5), " = " (18).
    EXPECT_EQ(layout.concentration, QRect(226, 110, 84, 20));
    EXPECT_EQ(layout.revealLabel.topLeft(), layout.concentration.topLeft());
    // After " mol · L" (48) and "-1" (10), 8 px on, centred on the field.
    EXPECT_EQ(layout.dieButton, QRect(376, 112, 16, 16));
    // The exponent's line break is in size 8, from the raised level: 113 + 13 + 27 = 153.
    EXPECT_EQ(layout.beakerVolume, QRect(216, 148, 52, 20));
    // " mL" leaves size 10: 151 + 16 + 27 = 194.
    EXPECT_EQ(layout.waterVolume, QRect(221, 189, 52, 20));
    EXPECT_EQ(layout.indicatorList, QRect(127, 231, 230, 22));
}

TEST(PanelLayout, SymbolsAreRaisedWithTheirSubscriptsBelowAndTheExponentAbove) {
    const PanelLayout layout = layOutParameterPanel(FixedMetrics(), fixedSizes(), false, false);
    const PanelText* c = findText(layout, QStringLiteral("c"));
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->font, (PanelFont{QStringLiteral("Arial"), 10, true}));
    EXPECT_DOUBLE_EQ(c->y, 115 - 2);
    const PanelText* minusOne = findText(layout, QStringLiteral("-1"));
    ASSERT_NE(minusOne, nullptr);
    EXPECT_DOUBLE_EQ(minusOne->font.points, 8);
    EXPECT_DOUBLE_EQ(minusOne->y, c->y - 4);
    const PanelText* equals = findText(layout, QStringLiteral(" = "));
    ASSERT_NE(equals, nullptr);
    EXPECT_DOUBLE_EQ(equals->y, c->y);
    EXPECT_DOUBLE_EQ(equals->font.points, 10);
    EXPECT_FALSE(equals->font.italic);
    int subscripts = 0;
    for (const PanelText& t : layout.texts) {
        if (t.text == QStringLiteral("2") || t.text == QStringLiteral("3")) {
            ++subscripts;
            EXPECT_DOUBLE_EQ(t.font.points, 8);
            EXPECT_FALSE(t.font.italic);
        }
    }
    EXPECT_EQ(subscripts, 3);
    const PanelText* unit = findText(layout, QStringLiteral(" mol · L"));
    ASSERT_NE(unit, nullptr);
    EXPECT_DOUBLE_EQ(unit->x, 226 + 84);
}

TEST(PanelLayout, EachSectionStartsWithASymbolBulletAtX18) {
    const PanelLayout layout = layOutParameterPanel(FixedMetrics(), fixedSizes(), false, false);
    std::vector<double> rows;
    for (const PanelText& t : layout.texts) {
        if (t.font.family != QStringLiteral("Symbol")) continue;
        EXPECT_EQ(t.text, panelBullet());
        EXPECT_DOUBLE_EQ(t.x, 18);
        rows.push_back(t.y);
    }
    EXPECT_EQ(rows, (std::vector<double>{18, 115, 153, 194, 235}));
}

TEST(PanelLayout, PKaLabelAndFieldOnlyForTheFreeSolute) {
    const PanelLayout shown = layOutParameterPanel(FixedMetrics(), fixedSizes(), true, false);
    const PanelLayout hidden = layOutParameterPanel(FixedMetrics(), fixedSizes(), false, false);
    EXPECT_NE(findText(shown, QStringLiteral("pKa = ")), nullptr);
    EXPECT_TRUE(shown.otherPKaVisible);
    EXPECT_EQ(findText(hidden, QStringLiteral("pKa = ")), nullptr);
    EXPECT_FALSE(hidden.otherPKaVisible);
    // The rows below do not move.
    EXPECT_EQ(shown.concentration, hidden.concentration);
}

// What the panel is drawn for: the free solute (with two pKa or one), the concentrations hidden,
// a second solute.
struct PanelCase {
    const char* name;
    bool otherSolute;
    bool freeDiprotic;
    bool masked;
    bool secondSolute;
};

class PanelRows : public testing::TestWithParam<PanelCase> {};

bool onRowOf(const QRect& control, const QRect& row) {
    return control.center().y() >= row.top() && control.center().y() <= row.bottom();
}

TEST_P(PanelRows, EachFieldSitsOnTheRowOfWhatItBelongsToAndTheRowsBelowStay) {
    const PanelCase& c = GetParam();
    PanelControlSizes sizes = fixedSizes();
    sizes.secondPKa = {40, 20};
    sizes.secondList = {150, 22};
    sizes.secondConcentration = {50, 20};
    const PanelLayout layout =
        layOutParameterPanel(FixedMetrics(), sizes, c.otherSolute, c.masked, c.freeDiprotic, c.secondSolute);

    // The free solute's pKa on the row of the list that chooses it, after it.
    EXPECT_EQ(layout.otherPKaVisible, c.otherSolute);
    EXPECT_EQ(layout.secondPKaVisible, c.otherSolute && c.freeDiprotic);
    if (layout.otherPKaVisible) {
        EXPECT_TRUE(onRowOf(layout.otherPKa, layout.soluteList));
        EXPECT_GT(layout.otherPKa.left(), layout.soluteList.right());
    }
    if (layout.secondPKaVisible) {
        EXPECT_TRUE(onRowOf(layout.secondPKa, layout.soluteList));
        EXPECT_GT(layout.secondPKa.left(), layout.otherPKa.right());
        EXPECT_NE(findText(layout, QStringLiteral("pKa₂ = ")), nullptr);
    }

    // c₂' with its unit after the second solute's list; nothing of it while hidden.
    EXPECT_EQ(layout.secondConcentrationVisible, c.secondSolute && !c.masked);
    const PanelText* prime = findText(layout, QStringLiteral("2'"));
    EXPECT_EQ(prime != nullptr, layout.secondConcentrationVisible);
    int units = 0;
    for (const PanelText& t : layout.texts) units += t.text == QStringLiteral(" mol · L") ? 1 : 0;
    EXPECT_EQ(units, layout.secondConcentrationVisible ? 2 : 1);
    if (layout.secondConcentrationVisible) {
        EXPECT_TRUE(onRowOf(layout.secondConcentration, layout.secondList));
        EXPECT_GT(layout.secondConcentration.left(), layout.secondList.right());
    }

    // Whatever the first rows hold, the sections below do not move.
    const PanelLayout plain = layOutParameterPanel(FixedMetrics(), sizes, false, c.masked);
    for (const auto row :
         {&PanelLayout::secondList, &PanelLayout::concentration, &PanelLayout::dieButton,
          &PanelLayout::beakerVolume, &PanelLayout::waterVolume, &PanelLayout::indicatorList})
        EXPECT_EQ(layout.*row, plain.*row);
}

INSTANTIATE_TEST_SUITE_P(Solutes, PanelRows,
                         testing::Values(PanelCase{"OtherAcid", true, false, false, false},
                                         PanelCase{"OtherDiacid", true, true, false, false},
                                         PanelCase{"SecondSolute", false, false, false, true},
                                         PanelCase{"SecondSoluteHidden", false, false, true, true},
                                         PanelCase{"OtherDiacidWithASecondSolute", true, true, false, true},
                                         PanelCase{"OtherDiacidWithASecondSoluteHidden", true, true, true,
                                                   true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PanelLayout, MaskingSwapsTheFieldForTheRevealLabelAndHidesTheDie) {
    const PanelLayout masked = layOutParameterPanel(FixedMetrics(), fixedSizes(), false, true);
    EXPECT_FALSE(masked.concentrationVisible);
    EXPECT_TRUE(masked.revealLabelVisible);
    EXPECT_FALSE(masked.dieButtonVisible);
    const PanelLayout open = layOutParameterPanel(FixedMetrics(), fixedSizes(), false, false);
    EXPECT_TRUE(open.concentrationVisible);
    EXPECT_FALSE(open.revealLabelVisible);
    EXPECT_TRUE(open.dieButtonVisible);
}

// --- The panel on the bench ---------------------------------------------------------------------

class PanelTest : public ::testing::Test {
  protected:
    PanelTest() : app(testsupport::application()), bench(boxes) {
        bench.perform(state::setDefaults);
        panel = std::make_unique<ParameterPanel>(bench);
        bench.perform(state::switchSituation, 0);
        hints = std::make_unique<QSignalSpy>(panel.get(), &ParameterPanel::hint);
    }
    ~PanelTest() override {
        EXPECT_FALSE(boxes.hasFailures()) << boxes.failures().join("\n").toStdString();
        EXPECT_EQ(boxes.pendingAnswers(), 0u) << "an expected message was not shown";
    }

    EntryField* field(state::Field which) const {
        const int index = static_cast<int>(which);
        auto* f = panel->findChild<EntryField*>(QStringLiteral("Text1(%1)").arg(index));
        EXPECT_NE(f, nullptr) << index;
        return f;
    }
    template <typename T>
    T* control(const char* name) const {
        auto* c = panel->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    void type(state::Field which, const QString& text) {
        field(which)->selectAll();
        QTest::keyClicks(field(which), text);
    }
    void enter(state::Field which, const QString& text) {
        type(which, text);
        QTest::keyClick(field(which), Qt::Key_Return);
    }
    QString pH() const { return QString::fromStdString(bench.state().readings.pH); }
    bool shown(const char* name) const { return control<QWidget>(name)->isVisibleTo(panel.get()); }
    QString lastHint() const { return hints->isEmpty() ? QString() : hints->last().at(0).toString(); }
    void moveOver(QWidget* widget) {
        const QPointF p(3, 3);
        QMouseEvent move(QEvent::MouseMove, p, widget->mapToGlobal(p), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
    }
    void chooseSolute(int position) {
        auto* list = control<QComboBox>("lbecher");
        QTest::keyClick(list, Qt::Key_Home);
        for (int i = 0; i < position; ++i) QTest::keyClick(list, Qt::Key_Down);
    }

    QApplication& app;
    platform::ScriptedMessageBoxes boxes;
    BenchController bench;
    std::unique_ptr<ParameterPanel> panel;
    std::unique_ptr<QSignalSpy> hints;
};

// --- Typing --------------------------------------------------------------------------------------

TEST_F(PanelTest, AFullStopIsTypedAsAComma) {
    type(state::Field::BeakerVolume, QStringLiteral("2.5"));
    EXPECT_EQ(field(state::Field::BeakerVolume)->text(), QStringLiteral("2,5"));
    EXPECT_EQ(bench.fieldText(state::Field::BeakerVolume), QStringLiteral("2,5"));
}

TEST_F(PanelTest, LettersTheLetterEAndThePlusSignCannotBeTyped) {
    type(state::Field::BeakerConcentration, QStringLiteral("1e-3+x,5a"));
    EXPECT_EQ(field(state::Field::BeakerConcentration)->text(), QStringLiteral("1-3,5"));
}

struct ClampCase {
    const char* name;
    std::optional<state::Field> presetField;
    const char* preset;
    state::Field field;
    const char* typed;
    const char* shown;
    const char* message;  // nullptr: no message
};

class ClampTest : public PanelTest, public ::testing::WithParamInterface<ClampCase> {};

TEST_P(ClampTest, EnterValidatesAndCorrectsTheField) {
    const ClampCase& c = GetParam();
    if (c.field == state::Field::OtherPKa) chooseSolute(chemistry::SpeciesCatalogue::kOtherIndex);
    if (c.presetField) enter(*c.presetField, QString::fromUtf8(c.preset));
    const std::size_t before = boxes.calls().size();
    if (c.message) boxes.queueAnswer(MessageAnswer::Ok);
    enter(c.field, QString::fromUtf8(c.typed));
    EXPECT_EQ(field(c.field)->text(), QString::fromUtf8(c.shown));
    EXPECT_EQ(bench.fieldText(c.field), QString::fromUtf8(c.shown));
    if (c.message) {
        ASSERT_EQ(boxes.calls().size(), before + 1);
        EXPECT_EQ(boxes.calls().back().text, QString::fromUtf8(c.message));
        EXPECT_EQ(boxes.calls().back().title, QStringLiteral("Volume corrigé"));
        EXPECT_EQ(boxes.calls().back().icon, MessageIcon::Information);
    } else {
        EXPECT_EQ(boxes.calls().size(), before);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Limits, ClampTest,
    ::testing::Values(
        ClampCase{"BeakerOf15IsRaisedTo20", std::nullopt, "", state::Field::BeakerVolume, "15", "20,0",
                  "Le volume minimum pour que la sonde soit immergée est de 20 mL."},
        ClampCase{"BeakerOf150With100OfWaterBecomes100", state::Field::WaterVolume, "100",
                  state::Field::BeakerVolume, "150", "100,0", "Le volume maximal est de 200 mL."},
        ClampCase{"BeakerOf15With10OfWaterIsAccepted", state::Field::WaterVolume, "10",
                  state::Field::BeakerVolume, "15", "15,0", nullptr},
        ClampCase{"NegativeWaterBecomesZero", std::nullopt, "", state::Field::WaterVolume, "-5", "0,0",
                  nullptr},
        ClampCase{"ConcentrationOf5Becomes01", std::nullopt, "", state::Field::BeakerConcentration, "5",
                  "0,1", nullptr},
        ClampCase{"ConcentrationOf0BecomesTheSmallestShownGrouped", std::nullopt, "",
                  state::Field::BeakerConcentration, "0", "0,000 000 01", nullptr},
        ClampCase{"ConcentrationKeepsThreeSignificantDigits", std::nullopt, "",
                  state::Field::BeakerConcentration, "0.012345", "0,012 3", nullptr},
        ClampCase{"NegativePKaBecomes0", std::nullopt, "", state::Field::OtherPKa, "-3", "0,0", nullptr},
        ClampCase{"PKaOf15Becomes139", std::nullopt, "", state::Field::OtherPKa, "15", "13,9", nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PanelTest, TheFreeSolutesPKaTakesEffectAsSoonAsItIsValidated) {
    chooseSolute(chemistry::SpeciesCatalogue::kOtherIndex);
    ASSERT_EQ(bench.state().solution.speciesIndex, chemistry::SpeciesCatalogue::kOtherIndex);
    QString atSeven = pH();
    enter(state::Field::OtherPKa, QStringLiteral("3"));
    QString atThree = pH();
    EXPECT_NE(atThree, atSeven);
    EXPECT_NEAR(std::log10(bench.state().engine.constantK), -3.0, 1e-4);
    // A stronger acid: a lower pH.
    EXPECT_LT(atThree.replace(',', '.').toDouble(), atSeven.replace(',', '.').toDouble());
}

TEST_F(PanelTest, WaterBringingTheTotalUnder20IsRaisedToMakeExactly20) {
    enter(state::Field::WaterVolume, QStringLiteral("10"));
    enter(state::Field::BeakerVolume, QStringLiteral("15"));
    boxes.queueAnswer(MessageAnswer::Ok);
    enter(state::Field::WaterVolume, QStringLiteral("2"));
    EXPECT_EQ(field(state::Field::WaterVolume)->text(), QStringLiteral("5,0"));
    ASSERT_FALSE(boxes.calls().empty());
    EXPECT_EQ(boxes.calls().back().text,
              QStringLiteral("Le volume minimum pour que la sonde soit immergée est de 20 mL."));
}

TEST_F(PanelTest, FieldsAreLockedWhileTheTapIsOpen) {
    bench.pressTap(workbench::Input::Mouse);
    EXPECT_TRUE(field(state::Field::BeakerVolume)->isReadOnly());
    type(state::Field::BeakerVolume, QStringLiteral("3"));
    EXPECT_EQ(bench.fieldText(state::Field::BeakerVolume), QStringLiteral("20,0"));
    bench.perform(state::releaseTap);
    EXPECT_FALSE(field(state::Field::BeakerVolume)->isReadOnly());
}

TEST_F(PanelTest, FieldsShowTheSituationChosen) {
    enter(state::Field::BeakerVolume, QStringLiteral("35"));
    bench.perform(state::switchSituation, 1);
    EXPECT_EQ(field(state::Field::BeakerVolume)->text(), QStringLiteral("20,0"));
    bench.perform(state::switchSituation, 0);
    EXPECT_EQ(field(state::Field::BeakerVolume)->text(), QStringLiteral("35,0"));
}

// --- Lists and nature ----------------------------------------------------------------------------

TEST_F(PanelTest, TheSecondSoluteListOffersTheSoluteOfTheNatureAndShowsItsConcentration) {
    auto* second = control<QComboBox>("lbecher2");
    ASSERT_EQ(second->itemText(0), QStringLiteral("aucun"));
    // Every solute of the nature but the two free ones.
    ASSERT_EQ(second->count(), 1 + chemistry::SpeciesCatalogue::kAcidCount - 2);
    EXPECT_FALSE(shown("Text1(7)"));
    second->setCurrentIndex(5);
    emit second->activated(5);  // "acide éthanoïque", after "aucun" and four acids
    EXPECT_EQ(bench.state().solution.secondSpeciesIndex, 4);
    EXPECT_TRUE(shown("Text1(7)"));
    EXPECT_EQ(field(state::Field::SecondConcentration)->text(), QStringLiteral("0,01"));
    EXPECT_EQ(field(state::Field::SecondConcentration)->objectName(), QStringLiteral("Text1(7)"));
    control<QRadioButton>("Option1(1)")->click();
    EXPECT_EQ(second->currentIndex(), 0);
    EXPECT_EQ(second->count(), 1 + chemistry::SpeciesCatalogue::kBaseCount - 2);
}

TEST_F(PanelTest, TheNatureButtonsRefillTheSoluteList) {
    auto* list = control<QComboBox>("lbecher");
    ASSERT_EQ(list->count(), chemistry::SpeciesCatalogue::kAcidCount);
    EXPECT_EQ(list->itemText(0), QString::fromStdString(state::catalogue().speciesName(true, 0)));
    control<QRadioButton>("Option1(1)")->click();
    EXPECT_FALSE(bench.state().solution.beakerIsAcid);
    ASSERT_EQ(list->count(), chemistry::SpeciesCatalogue::kBaseCount);
    for (int i = 0; i < list->count(); ++i) {
        EXPECT_EQ(list->itemText(i), QString::fromStdString(state::catalogue().speciesName(false, i)));
    }
    EXPECT_EQ(list->currentIndex(), 0);
    EXPECT_TRUE(control<QRadioButton>("Option1(1)")->isChecked());
    EXPECT_FALSE(control<QRadioButton>("Option1(0)")->isChecked());
}

TEST_F(PanelTest, ChoosingTheNatureAlreadyShownRestartsNothing) {
    chooseSolute(4);
    const auto restarts = bench.state().rows.resets();
    control<QRadioButton>("Option1(0)")->click();
    EXPECT_EQ(bench.state().rows.resets(), restarts);
    EXPECT_EQ(bench.state().solution.speciesIndex, 4);
}

TEST_F(PanelTest, ThePKaFieldShowsOnlyForTheFifteenthSolute) {
    EXPECT_FALSE(shown("Text1(2)"));
    chooseSolute(chemistry::SpeciesCatalogue::kOtherIndex);
    EXPECT_TRUE(shown("Text1(2)"));
    EXPECT_NE(findText(panel->panelLayout(), QStringLiteral("pKa = ")), nullptr);
    chooseSolute(13);
    EXPECT_FALSE(shown("Text1(2)"));
    EXPECT_EQ(findText(panel->panelLayout(), QStringLiteral("pKa = ")), nullptr);
    // The free diacid has two, starting at 4 and 9.
    chooseSolute(chemistry::SpeciesCatalogue::kOtherDiacidIndex);
    EXPECT_TRUE(shown("Text1(2)"));
    EXPECT_TRUE(shown("Text1(3)"));
    EXPECT_EQ(field(state::Field::OtherPKa)->text(), QStringLiteral("4,0"));
    EXPECT_EQ(field(state::Field::SecondPKa)->text(), QStringLiteral("9,0"));
}

struct StrongCase {
    const char* name;
    bool acid;
    int position;
    bool enabled;
};

class DistributionTest : public PanelTest, public ::testing::WithParamInterface<StrongCase> {};

TEST_P(DistributionTest, TheDistributionButtonIsRefusedToStrongSolutes) {
    if (!GetParam().acid) control<QRadioButton>("Option1(1)")->click();
    chooseSolute(GetParam().position);
    EXPECT_EQ(bench.state().solution.speciesIndex, GetParam().position);
    EXPECT_EQ(bench.state().controls.distributionEnabled, GetParam().enabled);
}

INSTANTIATE_TEST_SUITE_P(Solutes, DistributionTest,
                         ::testing::Values(StrongCase{"HydrochloricAcid", true, 2, false},
                                           StrongCase{"EthanoicAcid", true, 4, true},
                                           StrongCase{"SodiumHydroxide", false, 8, false},
                                           StrongCase{"Ammonia", false, 1, true},
                                           StrongCase{"FreeBase", false, 14, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PanelTest, TheIndicatorListOffersNoneThenTheNineIndicators) {
    auto* list = control<QComboBox>("lindic");
    ASSERT_EQ(list->count(), chemistry::IndicatorTable::kCount);
    EXPECT_EQ(list->itemText(0), QStringLiteral("aucun"));
    for (int i = 1; i < list->count(); ++i) {
        EXPECT_EQ(list->itemText(i), QString::fromStdString(chemistry::IndicatorTable::at(i).label));
    }
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(bench.state().solution.indicatorIndex, 2);
}

// --- Masking -------------------------------------------------------------------------------------

TEST_F(PanelTest, MaskingHidesTheConcentrationAndShowsTheRevealLabelInItsPlace) {
    EXPECT_TRUE(shown("Text1(0)"));
    EXPECT_FALSE(shown("Label1"));
    bench.perform(state::setConcentrationMasked, true);
    EXPECT_FALSE(shown("Text1(0)"));
    EXPECT_TRUE(shown("Label1"));
    EXPECT_FALSE(shown("Command5"));
    EXPECT_EQ(control<QLabel>("Label1")->pos(), field(state::Field::BeakerConcentration)->pos());
    EXPECT_EQ(control<QLabel>("Label1")->text(), QStringLiteral("Afficher la\nconcentration"));
    bench.perform(state::setConcentrationMasked, false);
    EXPECT_TRUE(shown("Text1(0)"));
    EXPECT_FALSE(shown("Label1"));
    EXPECT_TRUE(shown("Command5"));
}

TEST_F(PanelTest, TheDieDrawsAHiddenConcentrationThatOnlyTheRevealLabelShows) {
    auto* die = control<QToolButton>("Command5");
    EXPECT_EQ(die->size(), QSize(16, 16));
    QTest::mouseClick(die, Qt::LeftButton);
    EXPECT_TRUE(bench.state().switches.concentrationMasked);
    EXPECT_FALSE(bench.state().switches.maskEnabled);
    EXPECT_FALSE(shown("Command5"));
    EXPECT_FALSE(shown("Text1(0)"));
    EXPECT_TRUE(shown("Label1"));
    const double c = state::fieldValue(bench.state(), state::Field::BeakerConcentration);
    EXPECT_GE(c, 0.0001);
    EXPECT_LE(c, 0.0999);

    QTest::mouseClick(control<QLabel>("Label1"), Qt::LeftButton);
    EXPECT_FALSE(bench.state().switches.concentrationMasked);
    EXPECT_TRUE(bench.state().switches.maskEnabled);
    EXPECT_TRUE(shown("Text1(0)"));
    EXPECT_TRUE(shown("Command5"));
    EXPECT_FALSE(shown("Label1"));
    EXPECT_EQ(field(state::Field::BeakerConcentration)->text(),
              bench.fieldText(state::Field::BeakerConcentration));
}

// --- Hints ---------------------------------------------------------------------------------------

TEST_F(PanelTest, EachFieldGivesItsHintAndThePKaFieldNone) {
    const std::vector<std::pair<state::Field, QString>> cases = {
        {state::Field::BeakerConcentration,
         QStringLiteral("Concentration de la solution introduite dans le bécher")},
        {state::Field::BeakerVolume, QStringLiteral("Volume de la solution introduite dans le bécher")},
        {state::Field::WaterVolume, QStringLiteral("Volume d'eau distillée ajoutée")},
    };
    for (const auto& [which, hint] : cases) {
        moveOver(field(which));
        EXPECT_EQ(lastHint(), hint) << static_cast<int>(which);
    }
    const auto count = hints->count();
    moveOver(field(state::Field::OtherPKa));
    EXPECT_EQ(hints->count(), count);
}

TEST_F(PanelTest, AFieldReceivingTheFocusAsksForValidation) {
    QFocusEvent focus(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(field(state::Field::WaterVolume), &focus);
    EXPECT_EQ(lastHint(), QStringLiteral("Valider à la fin de la saisie."));
}

TEST_F(PanelTest, ClickingTheDieValidatesTheFieldBeingTypedInFirst) {
    panel->show();
    panel->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(panel.get()));
    field(state::Field::BeakerVolume)->setFocus();
    type(state::Field::BeakerVolume, QStringLiteral("5"));
    boxes.queueAnswer(MessageAnswer::Ok);
    QTest::mouseClick(control<QToolButton>("Command5"), Qt::LeftButton);
    EXPECT_EQ(bench.fieldText(state::Field::BeakerVolume), QStringLiteral("20,0"));
    ASSERT_FALSE(boxes.calls().empty());
    EXPECT_EQ(boxes.calls().back().text,
              QStringLiteral("Le volume minimum pour que la sonde soit immergée est de 20 mL."));
}

TEST_F(PanelTest, TheDieHintDependsOnTheMask) {
    auto* die = control<QToolButton>("Command5");
    moveOver(die);
    EXPECT_EQ(lastHint(),
              QStringLiteral("Ce bouton permet d'obtenir une concentration aléatoire en soluté apporté"));
    bench.perform(state::setConcentrationMasked, true);
    moveOver(die);
    EXPECT_EQ(lastHint(), QStringLiteral("Afficher la concentration en soluté apporté"));
}

// --- Painting ------------------------------------------------------------------------------------

TEST_F(PanelTest, ThePanelIsPaintedOnItsBackgroundWithEverythingInside) {
    const platform::Surface& s = panel->surface();
    EXPECT_EQ(s.pixel(5, 5), (platform::Colour{240, 235, 230}));
    // Ink of the first bullet, within its own width: the label after it starts with a blank.
    SurfaceMetrics metrics;
    const int bulletWidth =
        static_cast<int>(metrics.textWidth(PanelFont{QStringLiteral("Symbol"), 8, false}, panelBullet()));
    ASSERT_GT(bulletWidth, 0);
    bool ink = false;
    for (int y = 18; y < 32; ++y) {
        for (int x = 18; x < 18 + bulletWidth; ++x) {
            const platform::Colour c = s.pixel(x, y);
            ink = ink || (c.red < 120 && c.green < 120 && c.blue < 120);
        }
    }
    EXPECT_TRUE(ink);
    // With the real fonts every control fits the page of the tab strip, below its label, with the
    // fields a two-pKa solute and a second solute add.
    bench.perform(state::chooseSolute, 21);  // "autre diacide"
    bench.perform(state::chooseSecondSolute, 4);
    const QRect page(0, 0, 473, 275);
    const PanelLayout& layout = panel->panelLayout();
    for (const QRect& r :
         {layout.acidOption, layout.baseOption, layout.soluteList, layout.otherPKa, layout.secondPKa,
          layout.secondList, layout.secondConcentration, layout.concentration, layout.dieButton,
          layout.beakerVolume, layout.waterVolume, layout.indicatorList, layout.revealLabel}) {
        EXPECT_TRUE(page.contains(r)) << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
    }
    const std::vector<QRect> rows = {layout.soluteList,   layout.secondList,  layout.concentration,
                                     layout.beakerVolume, layout.waterVolume, layout.indicatorList};
    for (std::size_t i = 1; i < rows.size(); ++i) EXPECT_FALSE(rows[i].intersects(rows[i - 1])) << i;
    EXPECT_FALSE(layout.acidOption.intersects(layout.baseOption));
    EXPECT_FALSE(layout.dieButton.intersects(layout.concentration));
    EXPECT_EQ(field(state::Field::BeakerVolume)->geometry(), layout.beakerVolume);
    EXPECT_EQ(control<QComboBox>("lindic")->geometry(), layout.indicatorList);
}

}  // namespace
