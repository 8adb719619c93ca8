// The table page: the rows written from the measurements, the painted header pictures, the
// column widths and the two copies, driven through the bench controller.
#include <gtest/gtest.h>

#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QTableWidget>
#include <cctype>
#include <cmath>
#include <memory>
#include <string>

#include "platform/recordingclipboard.h"
#include "platform/scriptedmessageboxes.h"
#include "state/actions.h"
#include "state/conductimetry.h"
#include "testsupport.h"
#include "workbench/benchcontroller.h"
#include "workbench/measurementtable.h"
#include "workbench/tablepainter.h"

using namespace workbench;
using platform::Colour;

namespace {

constexpr Colour kHeaderBlue{0, 0, 200};

double number(const QString& text) {
    QString t = text;
    return t.replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
}

// Text pixels on the header blue: the text is white, the background has no red.
bool isText(const Colour& c) {
    return c.red > 128;
}

QRect textBox(const platform::Surface& s, int left, int top, int right, int bottom) {
    QRect box;
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            if (isText(s.pixel(x, y))) box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

// --- Row texts ---------------------------------------------------------------------------------

struct RowCase {
    const char* name;
    chemistry::TitrationPoint point;
    int columns;
    std::vector<std::string> cells;
};

class RowTexts : public ::testing::TestWithParam<RowCase> {};

TEST_P(RowTexts, FormatsEachColumnWithTheDecimalComma) {
    const RowCase& c = GetParam();
    EXPECT_EQ(state::MeasurementRows::rowTexts(c.point, c.columns), c.cells) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Formats, RowTexts,
                         ::testing::Values(RowCase{"neutral point of a strong acid: four columns",
                                                   {12.5, 7, 1e-7, 1e-7, 0, 0},
                                                   4,
                                                   {"12,5", "7,00", "1,00E-07", "1,00E-07"}},
                                           RowCase{"neutral point of a weak acid: the two forms as well",
                                                   {12.5, 7, 1e-7, 1e-7, 2.5e-5, 5.5e-3},
                                                   6,
                                                   {"12,5", "7,00", "1,00E-07", "1,00E-07", "2,50E-05",
                                                    "5,50E-03"}},
                                           RowCase{"volume of a drop keeps its hundredths",
                                                   {0.25, 2.004, 9.908e-3, 1.009e-12, 0, 0},
                                                   4,
                                                   {"0,25", "2,00", "9,91E-03", "1,01E-12"}},
                                           RowCase{"first row",
                                                   {0, 2.83, 1.479e-3, 6.761e-12, 0, 0},
                                                   4,
                                                   {"0,0", "2,83", "1,48E-03", "6,76E-12"}},
                                           RowCase{"single-precision volume shows as typed",
                                                   {static_cast<float>(0.1), 3, 1e-3, 1e-11, 0, 0},
                                                   4,
                                                   {"0,1", "3,00", "1,00E-03", "1,00E-11"}}),
                         [](const auto& info) { return testsupport::caseName(info.param.name); });

TEST(RowTextsAtPka, AcidAndBasicFormsAreEqualHalves) {
    // 20 mL of "acide éthanoïque" at 0,01 mol · L-1 with 10 mL poured, at pH = pKa.
    chemistry::EngineState engine;
    engine.dilutedConcentration = 0.01f;
    engine.initialVolume = 20;
    engine.pouredVolume = 10;
    engine.pH = 4.75f;
    engine.constantK = static_cast<float>(std::pow(10.0, -4.75));
    const std::vector<std::string> cells =
        state::MeasurementRows::rowTexts(chemistry::makeTitrationPoint(engine, true), 6);
    ASSERT_EQ(cells.size(), 6u);
    EXPECT_EQ(cells[4], cells[5]);
    EXPECT_EQ(cells[4], "3,33E-03");  // C / 2 with C = 0,01 x 20 / 30
}

// --- Column widths -----------------------------------------------------------------------------

TEST(ColumnWidth, SharesTheGridWidthLessTheScrollBarRoom) {
    EXPECT_EQ(MeasurementTable::columnWidth(473, 6), 75);   // 75,5 px
    EXPECT_EQ(MeasurementTable::columnWidth(473, 4), 113);  // 113,25 px
    EXPECT_EQ(MeasurementTable::columnWidth(600, 6), 96);   // 96,67 px: whole twips, whole pixels
    EXPECT_EQ(MeasurementTable::columnWidth(140, 6), 20);
}

TEST(ColumnWidth, ColumnsNeverOverflowTheRoomLeft) {
    for (int width = 40; width <= 1200; ++width) {
        for (int columns : {4, 6}) {
            const int w = MeasurementTable::columnWidth(width, columns);
            EXPECT_LE(w * columns, width - 20) << width << " / " << columns;
            EXPECT_GT((w + 1) * columns, width - 20) << width << " / " << columns;
        }
    }
}

TEST(ColumnWidth, NeverNarrowerThanItsWidestText) {
    struct Case {
        int gridWidth, columns, narrowest, width;
    };
    for (const Case& c : {Case{473, 6, 60, 75}, Case{473, 13, 62, 62}, Case{473, 9, 51, 51},
                          Case{473, 9, 50, 50}, Case{140, 6, 0, 20}}) {
        EXPECT_EQ(MeasurementTable::columnWidth(c.gridWidth, c.columns, c.narrowest), c.width)
            << c.gridWidth << " / " << c.columns << " / " << c.narrowest;
    }
}

TEST(ColumnWidth, DegenerateGridsGiveUsableWidths) {
    EXPECT_EQ(MeasurementTable::columnWidth(473, 0), 0);
    EXPECT_EQ(MeasurementTable::columnWidth(10, 6), 1);
}

// --- Header pictures ----------------------------------------------------------------------------

class HeaderPicture : public ::testing::Test {
  protected:
    HeaderPicture() : app(testsupport::application()) {}

    const platform::Surface& paint(int column, int width = 75) {
        TablePainter::paintHeader(canvas, column, width);
        return canvas;
    }
    static int width(const QString& text, bool italic = false) {
        platform::Surface measure;
        measure.setFontItalic(italic);
        return static_cast<int>(measure.textWidth(text));
    }

    QApplication& app;
    platform::Surface canvas;
};

TEST_F(HeaderPicture, IsTheCellSizeOnTheHeaderBlueWithWhiteText) {
    for (int column = 0; column < 6; ++column) {
        const platform::Surface& s = paint(column, 80);
        EXPECT_EQ(s.width(), 80) << column;
        EXPECT_EQ(s.height(), 42) << column;
        EXPECT_EQ(s.pixel(0, 0), kHeaderBlue) << column;
        EXPECT_EQ(s.pixel(79, 41), kHeaderBlue) << column;
        const QRect box = textBox(s, 0, 0, 79, 41);
        ASSERT_FALSE(box.isEmpty()) << column;
        EXPECT_GE(box.width(), 8) << column;
        // The text is white: its strokes' cores are (nearly) white, not merely lighter blue.
        int white = 0;
        for (int y = 0; y < 42; ++y) {
            for (int x = 0; x < 80; ++x) {
                const Colour c = s.pixel(x, y);
                white += c.red > 200 && c.green > 200 && c.blue > 200 ? 1 : 0;
            }
        }
        EXPECT_GT(white, 5) << column;
    }
}

TEST_F(HeaderPicture, PhIsOneLineCentredAtThirteen) {
    const platform::Surface& s = paint(1, 75);
    const QRect box = textBox(s, 0, 0, 74, 41);
    ASSERT_FALSE(box.isEmpty());
    EXPECT_GE(box.top(), 13);
    EXPECT_LE(box.bottom(), 13 + 14);
    EXPECT_NEAR(box.center().x(), 75 / 2.0, 2);
}

TEST_F(HeaderPicture, TwoLinesWithTheUnitFromTwentyTwo) {
    for (int column : {0, 2, 3, 4, 5}) {
        const platform::Surface& s = paint(column, 75);
        EXPECT_TRUE(textBox(s, 0, 0, 74, 3).isEmpty()) << column;
        const QRect first = textBox(s, 0, 4, 74, 21);
        const QRect second = textBox(s, 0, 22, 74, 41);
        ASSERT_FALSE(first.isEmpty()) << column;
        ASSERT_FALSE(second.isEmpty()) << column;
        EXPECT_NEAR(second.center().x(), 75 / 2.0, 2.5) << column;
    }
}

TEST_F(HeaderPicture, IndexOfVIsFourPixelsLower) {
    const platform::Surface& s = paint(0, 75);
    const int left = static_cast<int>((75 - width("V1")) / 2.0);
    const int v = width("V", true);
    const QRect vBox = textBox(s, left, 4, left + v - 1, 21);
    const QRect oneBox = textBox(s, left + v, 4, left + v + width("1") - 1, 21);
    ASSERT_FALSE(vBox.isEmpty());
    ASSERT_FALSE(oneBox.isEmpty());
    EXPECT_NEAR(oneBox.bottom() - vBox.bottom(), 4, 1);
}

TEST_F(HeaderPicture, HydroniumIndexLoweredAndUnitExponentRaised) {
    const platform::Surface& s = paint(2, 75);
    const int left = static_cast<int>((75 - width("[H3O+]")) / 2.0);
    const int h0 = left + width("[");
    const int three = left + width("[H");
    const QRect hBox = textBox(s, h0, 4, three - 1, 21);
    const QRect threeBox = textBox(s, three, 4, three + width("3") - 1, 21);
    ASSERT_FALSE(hBox.isEmpty());
    ASSERT_FALSE(threeBox.isEmpty());
    EXPECT_NEAR(threeBox.bottom() - hBox.bottom(), 3, 1);

    const QString before = QString::fromUtf8("(mol \u00b7 ");
    const int unitLeft = static_cast<int>((75 - width(QString::fromUtf8("(mol \u00b7 L-1)"))) / 2.0);
    const int l0 = unitLeft + width(before);
    const int exponent = unitLeft + width(before + "L");
    const QRect lBox = textBox(s, l0, 19, exponent - 1, 41);
    const QRect oneBox = textBox(s, exponent + width("-"), 19, exponent + width("-1") - 1, 41);
    ASSERT_FALSE(lBox.isEmpty());
    ASSERT_FALSE(oneBox.isEmpty());
    EXPECT_NEAR(lBox.top() - oneBox.top(), 3, 1);
}

// --- The table page, driven by the bench controller --------------------------------------------------------

class TableTest : public ::testing::Test {
  protected:
    TableTest() : app(testsupport::application()), bench(boxes) {
        table = std::make_unique<MeasurementTable>(bench.state().rows);
        QObject::connect(&bench, &BenchController::changed, table.get(), [this](state::Changes changes) {
            if (changes.has(state::Changed::Rows)) table->showRows();
        });
        bench.perform(state::setDefaults);
        bench.perform(state::switchSituation, 0);
    }
    ~TableTest() override { EXPECT_FALSE(boxes.hasFailures()) << boxes.failures().join("\n").toStdString(); }

    QTableWidget& grid() {
        auto* g = table->findChild<QTableWidget*>(QStringLiteral("MSFlexGrid1"));
        EXPECT_NE(g, nullptr);
        return *g;
    }
    QString cell(int row, int column) {
        const QTableWidgetItem* item = grid().item(row, column);
        return item ? item->text() : QString();
    }
    void pour(int ticks) {
        bench.pressTap(workbench::Input::Mouse);
        for (int i = 0; i < ticks && bench.state().burette.pouring; ++i) bench.perform(state::pourTick);
        bench.perform(state::releaseTap);
    }

    QApplication& app;
    platform::ScriptedMessageBoxes boxes;
    BenchController bench;
    std::unique_ptr<MeasurementTable> table;
    platform::RecordingClipboard clipboard;
};

TEST_F(TableTest, StartsWithTheRowAtZeroMillilitres) {
    EXPECT_EQ(table->objectName(), QStringLiteral("Picture5"));
    ASSERT_EQ(grid().columnCount(), 6);
    ASSERT_EQ(grid().rowCount(), 2);
    EXPECT_EQ(cell(1, 0), QStringLiteral("0,0"));
    EXPECT_EQ(cell(1, 1), QString::fromStdString(bench.state().readings.pH));
    // The pH shown is rounded to 0,005: [H3O+] agrees to 10^0,005, about 1,2 %.
    EXPECT_NEAR(number(cell(1, 2)), std::pow(10.0, -number(cell(1, 1))), 0.015 * number(cell(1, 2)));
    for (int c = 0; c < 6; ++c) {
        EXPECT_TRUE(cell(0, c).isEmpty()) << c;
        EXPECT_EQ(grid().item(1, c)->textAlignment(), int(Qt::AlignHCenter | Qt::AlignTop)) << c;
    }
}

TEST_F(TableTest, ResetLeavesTheHeaderCellOfTheLastColumnCurrent) {
    EXPECT_EQ(grid().currentRow(), 0);
    EXPECT_EQ(grid().currentColumn(), 5);
    bench.perform(state::chooseSolute, chemistry::SpeciesCatalogue::kStrongAcidIndex);
    EXPECT_EQ(grid().currentRow(), 0);
    EXPECT_EQ(grid().currentColumn(), 3);
}

TEST_F(TableTest, GeometryOfTheHeaderRowAndColumns) {
    EXPECT_EQ(grid().geometry(), table->rect());
    EXPECT_EQ(grid().rowHeight(0), 42);
    EXPECT_EQ(grid().rowHeight(1), MeasurementTable::kRowHeight);
    const int expected = MeasurementTable::columnWidth(grid().width(), 6);
    for (int c = 0; c < 6; ++c) {
        EXPECT_EQ(grid().columnWidth(c), expected) << c;
        EXPECT_EQ(table->headerPicture(c).size(), QSize(expected, 42)) << c;
        EXPECT_EQ(platform::colourOf(table->headerPicture(c).pixel(1, 1)), kHeaderBlue) << c;
    }
}

TEST_F(TableTest, ResizedPageSharesTheNewWidthAndRepaintsTheHeaders) {
    table->show();
    table->resize(600, 300);
    EXPECT_EQ(grid().width(), 600);
    EXPECT_EQ(grid().columnWidth(0), 96);
    EXPECT_EQ(table->headerPicture(5).width(), 96);
    EXPECT_EQ(cell(1, 0), QStringLiteral("0,0"));  // the rows stay
}

TEST_F(TableTest, StrongAcidAndStrongBaseHaveFourColumns) {
    bench.perform(state::chooseSolute, chemistry::SpeciesCatalogue::kStrongAcidIndex);
    EXPECT_EQ(grid().columnCount(), 4);
    ASSERT_EQ(grid().rowCount(), 2);
    EXPECT_EQ(cell(1, 1), QStringLiteral("2,00"));
    EXPECT_TRUE(table->headerPicture(4).isNull());
    EXPECT_EQ(grid().columnWidth(0), MeasurementTable::columnWidth(grid().width(), 4));

    bench.perform(state::chooseNature, false);  // "Solution basique"
    EXPECT_EQ(grid().columnCount(), 6);
    bench.perform(state::chooseSolute, chemistry::SpeciesCatalogue::kStrongBaseIndex);
    EXPECT_EQ(grid().columnCount(), 4);
    EXPECT_EQ(cell(1, 1), QStringLiteral("12,00"));
}

TEST_F(TableTest, PouringAtHalfMillilitreStepAddsARowPerStep) {
    pour(10);
    ASSERT_EQ(grid().rowCount(), 4);
    EXPECT_EQ(cell(1, 0), QStringLiteral("0,0"));
    EXPECT_EQ(cell(2, 0), QStringLiteral("0,5"));
    EXPECT_EQ(cell(3, 0), QStringLiteral("1,0"));
    EXPECT_GT(number(cell(3, 1)), number(cell(2, 1)));
}

TEST_F(TableTest, AtHalfEquivalenceOfEthanoicAcidTheTwoFormsBalance) {
    bench.perform(state::chooseSolute, 4);  // "acide éthanoïque"
    pour(100);                              // 10 mL of the 20 mL to the equivalence
    const int last = grid().rowCount() - 1;
    ASSERT_EQ(cell(last, 0), QStringLiteral("10,0"));
    const double acid = number(cell(last, 4));
    const double base = number(cell(last, 5));
    EXPECT_NEAR(acid / base, 1.0, 0.1);
    EXPECT_NEAR(acid + base, 0.01 * 20 / 30, 0.0001);
    EXPECT_NEAR(number(cell(last, 1)), 4.75, 0.05);
}

TEST_F(TableTest, WithoutThePhMeterNoRowIsRecorded) {
    bench.perform(state::showApparatusPart, state::ApparatusPart::PhMeter, false);
    bench.perform(state::restoreGraph);
    EXPECT_EQ(grid().rowCount(), 1);
    pour(10);
    EXPECT_EQ(grid().rowCount(), 1);
}

TEST_F(TableTest, CompletedSituationRebuildsTheWholeTable) {
    bench.perform(state::quickTrace);  // "Trace rapide"
    ASSERT_EQ(grid().rowCount(), 52);
    EXPECT_EQ(cell(1, 0), QStringLiteral("0,0"));
    EXPECT_EQ(cell(51, 0), QStringLiteral("25,0"));
}

TEST_F(TableTest, CopiedTextHasTabsAndLineFeedsAndNoCarriageReturn) {
    pour(10);
    table->copyContents(clipboard);
    EXPECT_EQ(clipboard.operations(), (QStringList{"clear", "text"}));

    const QString text = clipboard.text();
    EXPECT_FALSE(text.contains(QLatin1Char('\r')));
    const QStringList lines = text.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0].split(QLatin1Char('\t')).size(), 6);
    for (int r = 1; r < 4; ++r) {
        const QStringList cells = lines[r].split(QLatin1Char('\t'));
        ASSERT_EQ(cells.size(), 6) << r;
        for (int c = 0; c < 6; ++c) EXPECT_EQ(cells[c], cell(r, c)) << r << ", " << c;
    }
    EXPECT_EQ(text, QString::fromStdString(bench.state().rows.contentsText()));
}

TEST_F(TableTest, CopySelectsTheWholeGridFromItsFirstCell) {
    pour(5);
    table->copyContents(clipboard);
    EXPECT_EQ(grid().currentRow(), 0);
    EXPECT_EQ(grid().currentColumn(), 0);
    const auto ranges = grid().selectedRanges();
    ASSERT_EQ(ranges.size(), 1);
    EXPECT_EQ(ranges[0].topRow(), 0);
    EXPECT_EQ(ranges[0].leftColumn(), 0);
    EXPECT_EQ(ranges[0].bottomRow(), grid().rowCount() - 1);
    EXPECT_EQ(ranges[0].rightColumn(), 5);
}

TEST_F(TableTest, HeaderOnlyTableCopiesAsOneLineOfHeadings) {
    bench.perform(state::showApparatusPart, state::ApparatusPart::PhMeter, false);
    bench.perform(state::restoreGraph);
    // Every column named with its unit (the forms of polyacids and σ: tests/state).
    const QString firstFour = QStringLiteral("V₁ (mL)\tpH\t[H₃O⁺] (mol · L⁻¹)\t[HO⁻] (mol · L⁻¹)");
    table->copyContents(clipboard);
    EXPECT_EQ(clipboard.text(), firstFour + QStringLiteral("\t[acide] (mol · L⁻¹)\t[base] (mol · L⁻¹)"));

    bench.perform(state::chooseSolute, chemistry::SpeciesCatalogue::kStrongAcidIndex);
    table->copyContents(clipboard);
    EXPECT_EQ(clipboard.text(), firstFour);
}

TEST_F(TableTest, ImageCopyShowsTheHeaderPicturesAndTheRows) {
    pour(10);
    table->copyPicture(clipboard);
    EXPECT_EQ(clipboard.operations(), (QStringList{"clear", "image"}));
    const QImage image = clipboard.image();
    const int w = grid().columnWidth(0);
    ASSERT_EQ(image.width(), 6 * w);
    ASSERT_EQ(image.height(), 42 + 3 * MeasurementTable::kRowHeight);
    EXPECT_EQ(platform::colourOf(image.pixel(2, 2)), kHeaderBlue);
    EXPECT_EQ(platform::colourOf(image.pixel(5 * w + 2, 40)), kHeaderBlue);
    // Each data row holds dark text, centred in the first column.
    for (int r = 0; r < 3; ++r) {
        const int top = 42 + r * MeasurementTable::kRowHeight;
        QRect box;
        for (int y = top; y < top + MeasurementTable::kRowHeight - 1; ++y) {
            for (int x = 0; x < w - 1; ++x) {
                if (qGray(image.pixel(x, y)) < 100) box |= QRect(x, y, 1, 1);
            }
        }
        ASSERT_FALSE(box.isEmpty()) << r;
        EXPECT_NEAR(box.center().x(), w / 2.0, 3) << r;
    }
}

struct WideCase {
    const char* why;
    int first;
    int second;  // -1: none
    bool conductimeter;
    int columns;
    bool scrolls;
};

class WideTable : public TableTest, public ::testing::WithParamInterface<WideCase> {};

// Whether the header picture has text in its two outer pixel columns on either side: a heading cut
// by its cell.
bool touchesItsEdges(const QImage& header) {
    for (int y = 0; y < header.height(); ++y) {
        for (const int x : {0, 1, header.width() - 3, header.width() - 2}) {
            if (isText(platform::colourOf(header.pixel(x, y)))) return true;
        }
    }
    return false;
}

TEST_P(WideTable, EveryCellAndHeadingShowsWholeAndTheGridScrollsSideways) {
    const WideCase& c = GetParam();
    bench.perform(state::chooseSolute, c.first);
    if (c.second >= 0) bench.perform(state::chooseSecondSolute, c.second);
    bench.perform(state::showConductimeter, c.conductimeter);
    bench.perform(state::quickTrace);
    table->show();  // the page first shown once the table is built, as in the window
    QApplication::processEvents();
    QTableWidget& g = grid();
    ASSERT_EQ(g.columnCount(), c.columns) << c.why;
    ASSERT_EQ(g.rowCount(), 52) << c.why;
    // The view keeps this margin on each side of a text, and draws the grid line in the cell.
    const int margin = g.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &g) + 1;
    const QFontMetrics metrics(g.font());
    int total = 0;
    for (int column = 0; column < c.columns; ++column) {
        const int width = g.columnWidth(column);
        total += width;
        for (int row = 1; row < g.rowCount(); ++row)
            EXPECT_LE(metrics.horizontalAdvance(cell(row, column)) + 2 * margin, width - 1)
                << c.why << ": " << cell(row, column).toStdString();
        EXPECT_FALSE(touchesItsEdges(table->headerPicture(column))) << c.why << ", column " << column;
    }
    EXPECT_EQ(g.horizontalScrollBar()->isVisible(), c.scrolls) << c.why;
    EXPECT_EQ(g.horizontalScrollBar()->value(), 0) << c.why << ": the volume in view";
    EXPECT_EQ(total > g.viewport()->width(), c.scrolls) << c.why;
    if (!c.scrolls) {
        EXPECT_EQ(g.columnWidth(0), MeasurementTable::columnWidth(g.width(), c.columns)) << c.why;
    }
    // The copied picture lays the columns out as the grid does.
    table->copyPicture(clipboard);
    EXPECT_EQ(clipboard.image().width(), total) << c.why;
}

INSTANTIATE_TEST_SUITE_P(
    SetUps, WideTable,
    ::testing::Values(WideCase{"ethanoic acid keeps its six shared columns", 4, -1, false, 6, false},
                      WideCase{"ethanoic acid with the conductimeter", 4, -1, true, 7, false},
                      WideCase{"phosphoric acid with the conductimeter", 15, -1, true, 9, true},
                      WideCase{"citric and phosphoric acids with the conductimeter", 18, 15, true, 13, true}),
    [](const auto& info) { return testsupport::caseName(info.param.why); });

TEST_F(TableTest, HeaderRowStaysInViewAboveTheRows) {
    table->show();
    bench.perform(state::quickTrace);
    QApplication::processEvents();
    auto* strip = grid().findChild<QWidget*>(QStringLiteral("fixedRow"));
    ASSERT_NE(strip, nullptr);
    const QRect viewport = grid().viewport()->geometry();
    EXPECT_EQ(strip->geometry(), QRect(viewport.x(), viewport.y(), viewport.width(), 42));
    grid().scrollToBottom();
    EXPECT_EQ(strip->geometry().top(), viewport.y());
    EXPECT_FALSE(strip->isHidden());
}

}  // namespace
