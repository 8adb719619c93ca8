// The history `Histo`: its text for completed situations, its formats and its copy.
#include <gtest/gtest.h>

#include <QPalette>
#include <QTest>
#include <functional>

#include "platform/recordingclipboard.h"
#include "platform/scriptedmessageboxes.h"
#include "state/actions.h"
#include "tests/labpoints.h"
#include "testsupport.h"
#include "workbench/benchcontroller.h"
#include "workbench/historypanel.h"

using platform::Colour;
using workbench::BenchController;
using workbench::HistoryPanel;

namespace {

class HistoryTest : public ::testing::Test {
  protected:
    // Situation 10's colour is the system's button-text colour, given by the window.
    static constexpr Colour kTenth{10, 120, 30};

    HistoryTest()
        : app(testsupport::application()), bench(boxes, state::SituationColours(kTenth)), histo(bench) {
        bench.perform(state::setDefaults);
        bench.perform(state::switchSituation, 0);
    }
    ~HistoryTest() override {
        EXPECT_FALSE(boxes.hasFailures()) << boxes.failures().join("\n").toStdString();
    }

    // Takes the current situation to 25 mL and leaves it, which completes it.
    void complete() { bench.perform(state::quickTrace); }

    // Situation 2: a base with 10 mL of water, completed; situation 1 completed before it.
    void twoCompleted() {
        complete();
        bench.perform(state::switchSituation, 1);
        bench.perform(state::chooseNature, false);
        bench.perform(state::chooseSolute, 1);
        bench.setFieldText(state::Field::WaterVolume, QStringLiteral("10"));
        bench.validateField(state::Field::WaterVolume);
        complete();
    }

    QString name(bool acid, int index) const {
        return QString::fromStdString(state::catalogue().speciesName(acid, index));
    }

    // Selects the first occurrence of `text` after `from` in the box's text positions.
    int selectText(const QString& text, int from = 0) {
        const int at = static_cast<int>(histo.text().indexOf(text, from));
        EXPECT_GE(at, 0) << text.toStdString();
        histo.select(at, static_cast<int>(text.size()));
        return at;
    }

    QApplication& app;
    platform::ScriptedMessageBoxes boxes;
    BenchController bench;
    HistoryPanel histo;
};

}  // namespace

// --- Text ----------------------------------------------------------------------------------------

TEST_F(HistoryTest, WithNoCompletedSituationItHoldsOnlyLineBreaks) {
    EXPECT_EQ(histo.objectName(), QStringLiteral("Histo"));
    EXPECT_EQ(histo.plainText(), QStringLiteral("\n\n"));
}

TEST_F(HistoryTest, ACompletedSituationWithoutWaterLeavesTheWaterOut) {
    complete();
    const QString expected = QStringLiteral("\n\nCourbe n° 1\nSolution dans le bécher : 20,0 mL ") +
                             name(true, 0) +
                             QStringLiteral(
                                 " de\nconcentration 0,01 mol · L-1.\n"
                                 "Solution dans la burette : hydroxyde de sodium de\n"
                                 "concentration 0,01 mol · L-1.\n\n");
    EXPECT_EQ(histo.plainText(), expected);
}

struct CountCase {
    const char* name;
    std::size_t points;
    const char* line;  // after the burette's concentration; empty: none
};

class MeasurementCount : public HistoryTest, public ::testing::WithParamInterface<CountCase> {};

TEST_P(MeasurementCount, FollowsTheBuretteWhenTheSituationHasMeasurements) {
    bench.perform(state::setMeasurements,
                  state::MeasuredPoints(GetParam().points, testing_points::labPoint(1, 3)));
    complete();
    const QString tail = QStringLiteral("concentration 0,01 mol · L-1.\n") +
                         QString::fromUtf8(GetParam().line) + QStringLiteral("\n");
    EXPECT_TRUE(histo.plainText().endsWith(tail)) << histo.plainText().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Points, MeasurementCount,
                         ::testing::Values(CountCase{"none", 0, ""}, CountCase{"one", 1, "1 mesure\n"},
                                           CountCase{"twelve", 12, "12 mesures\n"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(HistoryTest, ABaseWithWaterNamesTheWaterAndHydrochloricAcid) {
    twoCompleted();
    const QString second = QStringLiteral("Courbe n° 2\nSolution dans le bécher : 20,0 mL ") +
                           name(false, 1) +
                           QStringLiteral(
                               " de\nconcentration 0,01 mol · L-1 avec 10,0 mL d'eau.\n"
                               "Solution dans la burette : acide chlorhydrique de\n"
                               "concentration 0,01 mol · L-1.\n\n");
    EXPECT_TRUE(histo.plainText().endsWith(second)) << histo.plainText().toStdString();
    // Situation 1 comes first, still without water.
    EXPECT_TRUE(histo.plainText().startsWith(QStringLiteral("\n\nCourbe n° 1\n")));
    EXPECT_EQ(histo.plainText().count(QStringLiteral("d'eau")), 1);
}

TEST_F(HistoryTest, ATitrationStartedAgainLeavesTheHistory) {
    complete();
    ASSERT_TRUE(histo.plainText().contains(QStringLiteral("Courbe n° 1")));
    bench.perform(state::resetToZero);  // "0": the titration starts again and is no longer completed
    EXPECT_EQ(histo.plainText(), QStringLiteral("\n\n"));
}

TEST_F(HistoryTest, AHiddenConcentrationIsUnknownUntilRevealed) {
    complete();
    const auto drawByTheDie = [&] {
        bench.perform(state::drawRandomConcentration);
        complete();
    };
    const std::pair<std::function<void()>, bool> steps[] = {
        {[&] { bench.perform(state::setConcentrationMasked, true); }, true},
        {[&] { bench.perform(state::setConcentrationMasked, false); }, false},
        {drawByTheDie, true},
        {[&] { bench.perform(state::revealConcentration); }, false}};
    for (const auto& [step, hidden] : steps) {
        step();
        EXPECT_EQ(histo.plainText().contains(QStringLiteral("concentration inconnue.")), hidden);
        EXPECT_EQ(histo.plainText().count(QStringLiteral(" mol · L-1")), hidden ? 1 : 2);  // the burette's
    }
}

TEST_F(HistoryTest, ThePupilCannotTypeIntoIt) {
    complete();
    const QString before = histo.plainText();
    EXPECT_TRUE(histo.isReadOnly());
    QTest::keyClicks(histo.viewport(), QStringLiteral("abc"));
    QTest::keyClicks(&histo, QStringLiteral("abc"));
    EXPECT_EQ(histo.plainText(), before);
}

// --- Formats -------------------------------------------------------------------------------------

TEST_F(HistoryTest, TitlesAreBoldInTheirSituationsColours) {
    twoCompleted();
    for (const int slot : {0, 1}) {
        selectText(QStringLiteral("Courbe n° %1").arg(slot + 1));
        EXPECT_EQ(histo.selection().colour(), state::situationColour(bench.state(), slot)) << slot;
        EXPECT_TRUE(histo.selection().bold());
        EXPECT_DOUBLE_EQ(histo.selection().fontSize(), 8.0);
        EXPECT_EQ(histo.selection().fontName(), QStringLiteral("Arial"));
        EXPECT_EQ(histo.selection().indent(), 30);
        EXPECT_EQ(histo.selection().rightIndent(), 45);
    }
    selectText(QStringLiteral("Courbe n° 2"));
    EXPECT_EQ(histo.selection().colour(), (Colour{0, 128, 0}));
}

TEST_F(HistoryTest, HeadingsAreBoldBlackAndValuesPlainIndentedFurther) {
    complete();
    selectText(QStringLiteral("Solution dans le bécher : "));
    EXPECT_TRUE(histo.selection().bold());
    EXPECT_EQ(histo.selection().colour(), platform::kBlack);
    EXPECT_EQ(histo.selection().indent(), 45);
    selectText(QStringLiteral("20,0 mL"));
    EXPECT_FALSE(histo.selection().bold());
    EXPECT_DOUBLE_EQ(histo.selection().fontSize(), 8.0);
    selectText(QStringLiteral("Solution dans la burette : "));
    EXPECT_TRUE(histo.selection().bold());
    selectText(QStringLiteral("hydroxyde de sodium"));
    EXPECT_FALSE(histo.selection().bold());
    EXPECT_EQ(histo.selection().indent(), 45);
}

TEST_F(HistoryTest, TheOpeningBlankLineIsBoldTenPointEvenAfterARebuild) {
    twoCompleted();
    bench.perform(state::switchSituation, 0);  // rebuilt after a history that ended in 8 point plain text
    const auto document = histo.richDocument();
    ASSERT_FALSE(document.paragraphs.empty());
    const auto& opening = document.paragraphs.front();
    EXPECT_TRUE(opening.runs.empty() || opening.text().empty());
    EXPECT_DOUBLE_EQ(opening.markFormat.pointSize, 10.0);
    EXPECT_TRUE(opening.markFormat.bold);
    EXPECT_EQ(opening.leftIndentTwips, 450);
}

TEST_F(HistoryTest, TheExponentsAreRaisedAndTheTextAfterThemIsNot) {
    complete();
    int from = 0;
    for (int n = 0; n < 2; ++n) {
        const int at = selectText(QStringLiteral("-1"), from);
        EXPECT_EQ(histo.selection().charOffset(), 45) << "exponent " << n;
        histo.select(at + 2, 1);
        EXPECT_EQ(histo.selText(), QStringLiteral("."));
        EXPECT_EQ(histo.selection().charOffset(), 0);
        histo.select(at - 1, 1);
        EXPECT_EQ(histo.selText(), QStringLiteral("L"));
        EXPECT_EQ(histo.selection().charOffset(), 0);
        from = at + 2;
    }
}

TEST_F(HistoryTest, SituationTenHeadingTakesTheTenthColour) {
    bench.perform(state::switchSituation, 9);
    complete();
    selectText(QStringLiteral("Courbe n° 10"));
    EXPECT_EQ(histo.selection().colour(), kTenth);
}

// --- Copy ----------------------------------------------------------------------------------------

TEST_F(HistoryTest, TheCopyEmptiesTheClipboardThenPutsRichTextWithItsColours) {
    twoCompleted();
    platform::RecordingClipboard clipboard;
    clipboard.setText(QStringLiteral("previous"));
    histo.copyHistory(clipboard);
    EXPECT_EQ(clipboard.operations(), (QStringList{"text", "clear", "richText"}));
    const QByteArray rtf = clipboard.rtf();
    EXPECT_TRUE(rtf.startsWith("{\\rtf1"));
    EXPECT_TRUE(rtf.contains("\\colortbl"));
    EXPECT_TRUE(rtf.contains("\\red0\\green0\\blue255;"));  // situation 1
    EXPECT_TRUE(rtf.contains("\\red0\\green128\\blue0;"));  // situation 2
    EXPECT_TRUE(rtf.contains("\\up"));
    EXPECT_TRUE(rtf.contains("\\b"));
    EXPECT_TRUE(clipboard.html().contains(QStringLiteral("Courbe n° 2")));
    EXPECT_EQ(clipboard.text(), histo.plainText());
}

TEST_F(HistoryTest, TheCopiedRtfReadsBackAsTheSameHistory) {
    twoCompleted();
    platform::RecordingClipboard clipboard;
    histo.copyHistory(clipboard);
    platform::RichTextBox pasted;
    ASSERT_TRUE(pasted.setRtf(clipboard.rtf()));
    EXPECT_EQ(pasted.plainText(), histo.plainText());
    const int at = static_cast<int>(pasted.text().indexOf(QStringLiteral("-1")));
    pasted.select(at, 2);
    EXPECT_GT(pasted.selection().charOffset(), 0);
    pasted.select(static_cast<int>(pasted.text().indexOf(QStringLiteral("Courbe n° 2"))), 5);
    EXPECT_EQ(pasted.selection().colour(), (Colour{0, 128, 0}));
}
