// The options page `Picture3`: the apparatus, graph, display and table options, the read-out
// along the volume axis and the measuring step.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>
#include <QToolButton>
#include <memory>
#include <ostream>
#include <string>

#include "platform/fonts.h"
#include "platform/scriptedmessageboxes.h"
#include "state/actions.h"
#include "testsupport.h"
#include "workbench/benchcontroller.h"
#include "workbench/optionspage.h"

using platform::Colour;
using testsupport::darkPixels;
using namespace workbench;

namespace {

// --- The options page -------------------------------------------------------------------------

class Options : public testing::Test {
  protected:
    void SetUp() override {
        testsupport::application();
        m_workbench = std::make_unique<BenchController>(m_boxes);
        m_workbench->perform(state::setDefaults);
        m_page = std::make_unique<OptionsPage>(*m_workbench);
        QObject::connect(m_page.get(), &OptionsPage::hint, [this](const QString& text) { m_hint = text; });
        m_workbench->perform(state::switchSituation, 0);
        m_page->show();
    }

    template <typename T>
    T* control(const char* name) const {
        T* found = m_page->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void moveTo(QWidget* widget, int x, int y) {
        QMouseEvent move(QEvent::MouseMove, QPointF(x, y), widget->mapToGlobal(QPointF(x, y)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &move);
    }

    platform::ScriptedMessageBoxes m_boxes;
    std::unique_ptr<BenchController> m_workbench;
    std::unique_ptr<OptionsPage> m_page;
    QString m_hint;
};

struct ReadOutCase {
    int x;
    int y;
    const char* text;
};

void PrintTo(const ReadOutCase& c, std::ostream* out) {
    *out << "(" << c.x << ", " << c.y << ")";
}

std::string readOutName(const testing::TestParamInfo<ReadOutCase>& info) {
    return "X" + std::to_string(info.param.x) + "Y" + std::to_string(info.param.y);
}

class OptionsReadOut : public Options, public testing::WithParamInterface<ReadOutCase> {};

TEST_P(OptionsReadOut, HoverTextGivesTheVolumeAlongTheAxis) {
    const ReadOutCase& c = GetParam();
    EXPECT_EQ(OptionsPage::readOut(c.x, c.y), QString::fromUtf8(c.text));
    moveTo(m_page.get(), c.x, c.y);
    EXPECT_EQ(m_page->hoverText(), QString::fromUtf8(c.text));
    EXPECT_EQ(m_hint, QStringLiteral("Déplacer la souris pour lire l'abscisse d'un point."));
}

INSTANTIATE_TEST_SUITE_P(Positions, OptionsReadOut,
                         testing::Values(ReadOutCase{40, 100, "V = 0,0 mL"},
                                         ReadOutCase{54, 100, "V = 1,0 mL"},
                                         ReadOutCase{41, 10, "V = 0,1 mL"},
                                         ReadOutCase{215, 262, "V = 12,5 mL"},
                                         ReadOutCase{390, 0, "V = 25,0 mL"}, ReadOutCase{391, 100, ""},
                                         ReadOutCase{39, 100, ""}, ReadOutCase{215, 263, ""}),
                         readOutName);

TEST_F(Options, TickingTheBoxesRunsTheirHandlers) {
    control<QCheckBox>("optscema(0)")->click();
    EXPECT_FALSE(m_workbench->state().switches.showBurette);
    control<QCheckBox>("optscema(1)")->click();
    EXPECT_FALSE(m_workbench->state().switches.showPhMeter);
    control<QCheckBox>("optscema(0)")->click();
    EXPECT_TRUE(m_workbench->state().switches.showBurette);

    control<QCheckBox>("Check1")->click();
    EXPECT_TRUE(m_workbench->state().switches.superposeCurves);
    control<QCheckBox>("Check2")->click();
    EXPECT_TRUE(m_workbench->state().switches.boldStrokes);
    EXPECT_EQ(m_workbench->state().graph.strokeWidth(), 2);
    control<QCheckBox>("masquer")->click();
    EXPECT_TRUE(m_workbench->state().switches.concentrationMasked);
    control<QCheckBox>("masquer")->click();
    EXPECT_FALSE(m_workbench->state().switches.concentrationMasked);
}

TEST_F(Options, BoxesFollowTheBenchAndMaskingMayBeLocked) {
    m_workbench->perform(state::setConcentrationMasked, true);
    m_workbench->perform(state::setSuperposeCurves, true);
    m_workbench->perform(state::setBoldStrokes, true);
    EXPECT_TRUE(control<QCheckBox>("masquer")->isChecked());
    EXPECT_TRUE(control<QCheckBox>("Check1")->isChecked());
    EXPECT_TRUE(control<QCheckBox>("Check2")->isChecked());
    m_workbench->perform(state::showApparatusPart, state::ApparatusPart::PhMeter, false);
    EXPECT_FALSE(control<QCheckBox>("optscema(1)")->isChecked());

    m_workbench->perform(state::drawRandomConcentration);
    EXPECT_FALSE(control<QCheckBox>("masquer")->isEnabled());
    EXPECT_TRUE(control<QCheckBox>("masquer")->isChecked());
    m_workbench->perform(state::revealConcentration);
    EXPECT_TRUE(control<QCheckBox>("masquer")->isEnabled());
    EXPECT_FALSE(control<QCheckBox>("masquer")->isChecked());
}

TEST_F(Options, MaskBoxHasItsHint) {
    moveTo(control<QWidget>("masquer"), 5, 5);
    EXPECT_EQ(m_hint, QStringLiteral("Utiliser cette option pour cacher la concentration."));
}

struct StepCase {
    int value;
    const char* label;
};

void PrintTo(const StepCase& c, std::ostream* out) {
    *out << c.value;
}

class OptionsStep : public Options, public testing::WithParamInterface<StepCase> {};

TEST_P(OptionsStep, SpinnerSetsTheStepAndTheLabelShowsIt) {
    const StepCase& c = GetParam();
    auto* spinner = control<UpDown>("UpDown1");
    spinner->setValue(c.value == 5 ? 6 : 5);
    spinner->setValue(c.value);
    EXPECT_EQ(m_workbench->state().stepTenths, c.value);
    EXPECT_EQ(control<QLabel>("Label2")->text(), QString::fromUtf8(c.label));
}

INSTANTIATE_TEST_SUITE_P(
    Steps, OptionsStep, testing::Values(StepCase{5, "0,5 mL"}, StepCase{10, "1,0 mL"}, StepCase{1, "0,1 mL"}),
    [](const testing::TestParamInfo<StepCase>& info) { return "Tenths" + std::to_string(info.param.value); });

TEST_F(Options, SpinnerStartsAtHalfAMillilitreAndStaysWithinOneToTen) {
    auto* spinner = control<UpDown>("UpDown1");
    EXPECT_EQ(spinner->value(), 5);
    EXPECT_EQ(control<QLabel>("Label2")->text(), QStringLiteral("0,5 mL"));
    spinner->setValue(11);
    EXPECT_EQ(m_workbench->state().stepTenths, 10);
    auto* up = spinner->findChild<QToolButton*>(QStringLiteral("up"));
    auto* down = spinner->findChild<QToolButton*>(QStringLiteral("down"));
    ASSERT_NE(up, nullptr);
    ASSERT_NE(down, nullptr);
    EXPECT_FALSE(up->isEnabled());
    down->click();
    EXPECT_EQ(m_workbench->state().stepTenths, 9);
    spinner->setValue(0);
    EXPECT_EQ(m_workbench->state().stepTenths, 1);
    EXPECT_FALSE(down->isEnabled());
    up->click();
    EXPECT_EQ(control<QLabel>("Label2")->text(), QStringLiteral("0,2 mL"));
}

TEST_F(Options, PageFlowsItsHeadingsAndControls) {
    EXPECT_EQ(m_page->objectName(), QStringLiteral("Picture3"));
    EXPECT_EQ(m_page->surface().pixel(5, 5), (Colour{240, 235, 230}));
    const int line = QFontMetrics(platform::pixelFont(QStringLiteral("Arial"), 8, true)).height();
    const int plainLine = QFontMetrics(platform::pixelFont(QStringLiteral("Arial"), 8)).height();
    auto* first = control<QWidget>("optscema(0)");
    EXPECT_EQ(first->y(), 26);
    EXPECT_EQ(control<QWidget>("optscema(1)")->y(), 26 + line + 8);
    // Two line breaks and 8 px between sections.
    EXPECT_EQ(control<QWidget>("Check1")->y(), 26 + 3 * line + 2 * 8);
    EXPECT_EQ(control<QWidget>("Check2")->x(), first->x());
    EXPECT_GT(darkPixels(m_page->surface(), QRect(36, 18, 50, line)), 0) << "Matériel";
    auto* label = control<QWidget>("Label2");
    auto* spinner = control<QWidget>("UpDown1");
    EXPECT_EQ(spinner->y(), label->y());
    EXPECT_EQ(spinner->x(), label->x() + label->width());
    EXPECT_GT(label->x(), control<QWidget>("Check2")->x() + 100);
    EXPECT_GT(darkPixels(m_page->surface(), QRect(first->x(), label->y() + 2, 60, plainLine)), 0)
        << "the step's text";
    EXPECT_LE(control<QWidget>("masquer")->geometry().right(), OptionsPage::kWidth - 1);
}

}  // namespace
