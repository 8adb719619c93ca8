// The apparatus illustration `picburette` with the bench: the controls laid over it, the tap, the
// buttons and the fields.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "platform/fonts.h"
#include "platform/scriptedmessageboxes.h"
#include "platform/surface.h"
#include "state/actions.h"
#include "testsupport.h"
#include "workbench/apparatuspainter.h"
#include "workbench/benchcontroller.h"
#include "workbench/entryfield.h"
#include "workbench/illustrationpanel.h"

using platform::Colour;
using platform::kBlack;
using platform::MessageAnswer;
using testsupport::apparatusGradient;
using testsupport::darkPixels;
using namespace workbench;

namespace {

constexpr Colour kDarkGrey{128, 128, 128};

class Illustration : public testing::Test {
  protected:
    void SetUp() override {
        testsupport::application();
        m_workbench = std::make_unique<BenchController>(m_boxes);
        m_workbench->perform(state::setDefaults);
        m_panel = std::make_unique<IllustrationPanel>(*m_workbench);
        QObject::connect(m_panel.get(), &IllustrationPanel::hint,
                         [this](const QString& text) { m_hint = text; });
        m_workbench->perform(state::switchSituation, 0);
        m_panel->show();
    }
    void TearDown() override {
        EXPECT_FALSE(m_boxes.hasFailures()) << m_boxes.failures().join(QLatin1Char('\n')).toStdString();
    }

    template <typename T>
    T* control(const char* name) const {
        T* found = m_panel->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    Colour at(int x, int y) const { return m_panel->surface().pixel(x, y); }
    static void moveOver(QWidget* widget) {
        QMouseEvent move(QEvent::MouseMove, QPointF(3, 3), widget->mapToGlobal(QPointF(3, 3)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &move);
    }
    void type(const char* name, const char* text) {
        auto* field = control<EntryField>(name);
        field->selectAll();
        QTest::keyClicks(field, QString::fromUtf8(text));
        QTest::keyClick(field, Qt::Key_Return);
    }

    platform::ScriptedMessageBoxes m_boxes;
    std::unique_ptr<BenchController> m_workbench;
    std::unique_ptr<IllustrationPanel> m_panel;
    QString m_hint;
};

TEST_F(Illustration, ControlsCarryTheirNamesCaptionsAndDisplay) {
    EXPECT_EQ(m_panel->objectName(), QStringLiteral("picburette"));
    EXPECT_EQ(m_panel->surface().width(), 289);
    EXPECT_EQ(m_panel->surface().height(), 497);
    EXPECT_EQ(control<QPushButton>("Command6")->text(), QStringLiteral("Vider la burette"));
    EXPECT_EQ(control<QPushButton>("Command13")->text(), QStringLiteral("Trace rapide"));
    EXPECT_EQ(control<QPushButton>("Command14")->text(), QStringLiteral("0"));
    EXPECT_EQ(control<QLabel>("Image1")->toolTip(), QStringLiteral("Ajouter une goutte"));
    EXPECT_EQ(control<QLabel>("Image3")->pos(), QPoint(76, 283));
    auto* pH = control<QLabel>("LabelpH");
    EXPECT_EQ(pH->geometry(), QRect(208, 456, 49, 20));
    EXPECT_TRUE(pH->font().bold());
    EXPECT_EQ(pH->font().pixelSize(), platform::pixelsFromPoints(9.75));
    EXPECT_EQ(pH->palette().color(QPalette::WindowText), QColor(0, 255, 0));
    EXPECT_EQ(pH->text(), QString::fromStdString(m_workbench->state().readings.pH));
    EXPECT_FALSE(pH->text().isEmpty());
    EXPECT_EQ(control<QLabel>("Labelbur")->text(), QStringLiteral("0,0 mL"));
    EXPECT_EQ(control<EntryField>("Text1(1)")->text(), QStringLiteral("0,01"));
    EXPECT_EQ(control<EntryField>("Text1(5)")->text(), QStringLiteral("0,0"));
}

TEST_F(Illustration, SwitchesShowAndHideTheOverlaidControls) {
    const char* buretteControls[] = {"Image3",    "Image1",   "Command6", "Command13",
                                     "Command14", "Labelbur", "Text1(1)", "Text1(5)"};
    for (const char* name : buretteControls) EXPECT_TRUE(control<QWidget>(name)->isVisible()) << name;
    m_workbench->perform(state::showApparatusPart, state::ApparatusPart::Burette, false);
    for (const char* name : buretteControls) EXPECT_TRUE(control<QWidget>(name)->isHidden()) << name;
    EXPECT_TRUE(control<QWidget>("LabelpH")->isVisible());
    EXPECT_EQ(at(60, 479), kBlack) << "beaker 30 px lower";

    m_workbench->perform(state::showApparatusPart, state::ApparatusPart::PhMeter, false);
    EXPECT_TRUE(control<QWidget>("LabelpH")->isHidden());
    EXPECT_EQ(at(89, 380), apparatusGradient(380)) << "no probe";

    m_workbench->perform(state::showApparatusPart, state::ApparatusPart::Burette, true);
    m_workbench->perform(state::showApparatusPart, state::ApparatusPart::PhMeter, true);
    for (const char* name : buretteControls) EXPECT_TRUE(control<QWidget>(name)->isVisible()) << name;
    EXPECT_TRUE(control<QWidget>("LabelpH")->isVisible());
    EXPECT_EQ(at(60, 449), kBlack);
}

// The beaker's solutes, named beside the burette when they are not a single monoprotic solute.
struct BeakerCase {
    const char* name;
    int solute;
    int secondSolute;  // -1: none
};

class IllustrationLayout : public Illustration, public testing::WithParamInterface<BeakerCase> {};

TEST_P(IllustrationLayout, ControlsStayClearOfTheDrawingAndOfEachOtherAndTheLabelEndsInside) {
    m_workbench->perform(state::chooseSolute, GetParam().solute);
    m_workbench->perform(state::chooseSecondSolute, GetParam().secondSolute);
    const char* names[] = {"Command6", "Command13", "Command14", "Image1",
                           "Text1(1)", "Text1(5)",  "Labelbur"};
    // The drawing under the controls, without them: nothing dark (no text, no apparatus) is hidden.
    platform::Surface background(289, 497);
    ApparatusPainter painter(background);
    const ApparatusLayout layout = painter.drawBackground(state::apparatusScene(m_workbench->state()));
    painter.drawLiquidLevels(state::apparatusScene(m_workbench->state()));
    EXPECT_EQ(layout.pouredLabel, control<QWidget>("Labelbur")->pos());
    const QRect keyParts[] = {
        QRect(QPoint(48, 8), QPoint(78, 350)),     QRect(QPoint(50, 369), QPoint(102, 486)),
        QRect(QPoint(171, 446), QPoint(274, 486)), QRect(QPoint(21, 70), QPoint(25, 486)),
        QRect(QPoint(85, 334), QPoint(175, 400)),  QRect(76, 283, 30, 30)};
    std::vector<QRect> placed;
    for (const char* name : names) {
        const QRect r = control<QWidget>(name)->geometry();
        EXPECT_TRUE(QRect(0, 0, 289, 497).contains(r)) << name;
        for (const QRect& part : keyParts) EXPECT_FALSE(r.intersects(part)) << name;
        for (const QRect& other : placed) EXPECT_FALSE(r.intersects(other)) << name;
        EXPECT_EQ(darkPixels(background, r), 0) << name;
        placed.push_back(r);
    }
    // The label's lines end a few pixels before the picture's right edge: none is cut.
    EXPECT_EQ(darkPixels(background, QRect(QPoint(286, 180), QPoint(288, 330))), 0);
}

INSTANTIATE_TEST_SUITE_P(Solutes, IllustrationLayout,
                         testing::Values(BeakerCase{"OneMonoacidNoLabel", 4, -1},
                                         BeakerCase{"PhosphoricAcidOnOneLine", 15, -1},
                                         BeakerCase{"CitricFormsOnTwoLinesAndASecondSolute", 18, 4},
                                         BeakerCase{"TwoCitricAcidsThreeLinesOfForms", 18, 18}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Illustration, HoldingTheTapPoursAndReleasingItCloses) {
    auto* tap = control<QLabel>("Image3");
    QTest::mousePress(tap, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_TRUE(m_workbench->state().burette.tapOpen);
    EXPECT_TRUE(m_workbench->state().burette.pouring);
    EXPECT_TRUE(control<EntryField>("Text1(1)")->isReadOnly());
    m_workbench->perform(state::pourTick);
    EXPECT_EQ(control<QLabel>("Labelbur")->text(), QStringLiteral("0,1 mL"));
    EXPECT_EQ(at(62, 360), kDarkGrey) << "stream";
    EXPECT_NE(at(76 + 9, 283 + 3), apparatusGradient(286)) << "open tap painted";

    QTest::mouseRelease(tap, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_FALSE(m_workbench->state().burette.tapOpen);
    EXPECT_FALSE(m_workbench->state().burette.pouring);
    EXPECT_FALSE(control<EntryField>("Text1(5)")->isReadOnly());
    // The click pours its own tick.
    EXPECT_EQ(m_workbench->fieldText(state::Field::PouredVolume), QStringLiteral("0,2"));
    EXPECT_EQ(control<EntryField>("Text1(5)")->text(), QStringLiteral("0,2"));
    EXPECT_EQ(control<QLabel>("Labelbur")->text(), QStringLiteral("0,2 mL"));
    EXPECT_NE(at(62, 360), kDarkGrey) << "stream stopped";
    EXPECT_EQ(at(62, 32), kBlack) << "meniscus at 0,2 mL";
}

TEST_F(Illustration, RightButtonOnTheTapPoursOnlyWhileHeld) {
    auto* tap = control<QLabel>("Image3");
    QTest::mousePress(tap, Qt::RightButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_TRUE(m_workbench->state().burette.pouring);
    QTest::mouseRelease(tap, Qt::RightButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_FALSE(m_workbench->state().burette.pouring);
    EXPECT_EQ(m_workbench->fieldText(state::Field::PouredVolume), QStringLiteral("0,0"));
}

TEST_F(Illustration, EmptyBuretteAnsweredNoPoursNothingAndGivesTheEntriesBack) {
    control<QPushButton>("Command13")->click();
    ASSERT_EQ(m_workbench->fieldText(state::Field::PouredVolume), QStringLiteral("25,0"));
    m_boxes.queueAnswer(MessageAnswer::No);
    auto* tap = control<QLabel>("Image3");
    QTest::mousePress(tap, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    ASSERT_EQ(m_boxes.calls().size(), 1u);
    EXPECT_EQ(m_boxes.calls()[0].title, QStringLiteral("Burette vide"));
    EXPECT_FALSE(m_workbench->state().burette.tapOpen);
    EXPECT_FALSE(m_workbench->state().controls.fieldsLocked);
    QTest::mouseRelease(tap, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_EQ(m_workbench->fieldText(state::Field::PouredVolume), QStringLiteral("25,0"));
    EXPECT_TRUE(m_workbench->state().situations.records[0].completed);
}

TEST_F(Illustration, EmptyBuretteAnsweredYesStartsAgainFromZeroWithoutPouring) {
    control<QPushButton>("Command13")->click();
    m_boxes.queueAnswer(MessageAnswer::Yes);
    auto* tap = control<QLabel>("Image3");
    QTest::mouseClick(tap, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_EQ(m_workbench->fieldText(state::Field::PouredVolume), QStringLiteral("0,0"));
    EXPECT_EQ(control<QLabel>("Labelbur")->text(), QStringLiteral("0,0 mL"));
    EXPECT_FALSE(m_workbench->state().situations.records[0].completed);
    EXPECT_FALSE(m_workbench->state().burette.pouring);
}

TEST_F(Illustration, ButtonsRunTheBuretteHandlers) {
    auto* empty = control<QPushButton>("Command6");
    empty->click();
    EXPECT_TRUE(m_workbench->state().burette.pouring);
    empty->click();
    EXPECT_FALSE(m_workbench->state().burette.pouring);

    control<QPushButton>("Command13")->click();
    EXPECT_EQ(control<QLabel>("Labelbur")->text(), QStringLiteral("25,0 mL"));
    EXPECT_EQ(at(62, 280), kBlack) << "meniscus on the 25 mL mark";
    EXPECT_TRUE(m_workbench->state().situations.records[0].completed);

    control<QPushButton>("Command14")->click();
    EXPECT_EQ(control<EntryField>("Text1(5)")->text(), QStringLiteral("0,0"));
    EXPECT_FALSE(m_workbench->state().situations.records[0].completed);
    EXPECT_EQ(at(62, 30), kBlack) << "burette full again";
}

TEST_F(Illustration, DropButtonStartsADropThatIsPaintedUnderTheTip) {
    QTest::mouseClick(control<QLabel>("Image1"), Qt::LeftButton, Qt::NoModifier, QPoint(8, 8));
    EXPECT_TRUE(m_workbench->state().burette.dropFalling);
    m_workbench->perform(state::dropTick);
    const Colour drop = at(63, 359);
    EXPECT_GT(drop.blue, drop.red + 60);
    for (int frame = 2; frame <= 4; ++frame) m_workbench->perform(state::dropTick);
    EXPECT_EQ(m_workbench->fieldText(state::Field::PouredVolume), QStringLiteral("0,05"));
    EXPECT_EQ(control<QLabel>("Labelbur")->text(), QStringLiteral("0,05 mL"));
    EXPECT_NE(at(63, 359).blue, drop.blue) << "the drop has landed";
    EXPECT_EQ(at(63, 369), kBlack) << "rim drawn again";
}

TEST_F(Illustration, TypedVolumesAreCommittedWithEnter) {
    type("Text1(5)", "12,25");
    EXPECT_EQ(m_workbench->fieldText(state::Field::PouredVolume), QStringLiteral("12,25"));
    EXPECT_EQ(control<QLabel>("Labelbur")->text(), QStringLiteral("12,25 mL"));
    EXPECT_EQ(at(62, 30 + 123), kBlack) << "meniscus at 12,25 mL";

    type("Text1(1)", "0.05");
    EXPECT_EQ(m_workbench->fieldText(state::Field::TitrantConcentration), QStringLiteral("0,05"));
    EXPECT_EQ(control<EntryField>("Text1(1)")->text(), QStringLiteral("0,05"));

    m_boxes.queueAnswer(MessageAnswer::Ok);
    type("Text1(5)", "30");
    EXPECT_EQ(control<EntryField>("Text1(5)")->text(), QStringLiteral("25,0"));
}

TEST_F(Illustration, HintsForTheTapAndTheFields) {
    moveOver(control<QWidget>("Image3"));
    EXPECT_EQ(m_hint, QStringLiteral("Utiliser le bouton gauche de la souris pour ouvrir le robinet."));
    moveOver(control<QWidget>("Text1(1)"));
    EXPECT_EQ(m_hint, QStringLiteral("Concentration de la solution introduite dans la burette"));
    moveOver(control<QWidget>("Text1(5)"));
    EXPECT_EQ(m_hint,
              QStringLiteral("Volume de solution versée (vous pouvez également utiliser le robinet)"));
}

TEST_F(Illustration, BeakerTakesTheIndicatorColourAtTheBenchPh) {
    m_workbench->perform(state::chooseIndicator, 5);
    m_workbench->perform(state::chooseSolute, 2);  // a strong acid: pH 2, bromothymol blue's yellow form
    EXPECT_EQ(at(52, 452), (Colour{250, 250, 0}));
}

}  // namespace

// Building the window asks for the illustration several times before it shows: held, it is drawn
// once at the release, as a fresh drawing would be, kept packed until drawn on, and the first
// resize of a shown panel does not draw it again.
TEST(IllustrationHold, DrawsOnceAtTheReleaseWhatWasAskedWhileHeld) {
    testsupport::application();
    platform::ScriptedMessageBoxes boxes;
    BenchController bench(boxes);
    int drawings = 0;
    QObject::connect(&bench.apparatus(), &ApparatusCanvas::layoutChanged, [&drawings] { ++drawings; });
    bench.holdApparatus();
    bench.perform(state::setDefaults);
    IllustrationPanel panel(bench);
    bench.perform(state::start);
    EXPECT_EQ(drawings, 0);
    bench.releaseApparatus();
    EXPECT_EQ(drawings, 1);
    EXPECT_TRUE(bench.apparatus().surface().isCompact());
    panel.resize(ApparatusCanvas::kWidth, ApparatusCanvas::kHeight);
    panel.show();
    EXPECT_EQ(drawings, 1);
    const QImage shown = panel.grab().toImage().convertToFormat(QImage::Format_RGB32);

    bench.redrawApparatus();
    EXPECT_EQ(drawings, 2);
    EXPECT_FALSE(bench.apparatus().surface().isCompact());
    EXPECT_EQ(panel.grab().toImage().convertToFormat(QImage::Format_RGB32), shown);
    bench.releaseApparatus();  // not held: nothing to draw
    EXPECT_EQ(drawings, 2);

    // Left alone after a drawing, it is packed again once the delay has passed, not before.
    bench.perform(state::refreshApparatus);
    QElapsedTimer waited;
    waited.start();
    while (!bench.apparatus().surface().isCompact() && waited.elapsed() < 4 * BenchController::kPackDelay)
        QTest::qWait(50);
    EXPECT_TRUE(bench.apparatus().surface().isCompact());
    EXPECT_GE(waited.elapsed(), BenchController::kPackDelay - 50);
}
