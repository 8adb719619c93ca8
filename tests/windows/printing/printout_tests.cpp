// The printout composed on the recording page: which pages in which order, where the pictures
// fall in twips, the report of the completed situations and a table longer than a page.
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "printingfixture.h"
#include "state/actions.h"
#include "state/conductimetry.h"
#include "workbench/measurementtable.h"
#include "workbench/printsources.h"

using platform::PrintedDocument;
using platform::PrintOperation;
using printingwindow::PrintChoices;
using printingwindow::Printout;

namespace {

const QString kTitle = QStringLiteral("Solvane - Vireltra");
constexpr double kWidth = platform::RecordingPrinter::kDefaultWidth;
constexpr double kHeight = platform::RecordingPrinter::kDefaultHeight;

std::vector<const PrintOperation*> operations(const std::vector<PrintOperation>& page,
                                              PrintOperation::Kind kind) {
    std::vector<const PrintOperation*> found;
    for (const PrintOperation& op : page)
        if (op.kind == kind) found.push_back(&op);
    return found;
}

}  // namespace

class PrintoutTest : public PrintingTest {
  protected:
    PrintedDocument compose(const PrintChoices& choices, platform::TwipsPerPixel twips = {},
                            double width = kWidth, double height = kHeight) {
        PrintedDocument document;
        platform::RecordingPage page(document, width, height);
        Printout(window->printSources(), twips).compose(page, choices);
        return document;
    }

    // The picture a printed image is, told by its size.
    std::string pictureName(const QImage& image) {
        if (image.size() == window->printSources().illustration().size()) return "illustration";
        if (image.size() == window->printSources().graph().size()) return "graph";
        return "table";
    }

    // The texts of the report's beaker line, from its heading to its full stop.
    QStringList beakerLine(const std::vector<PrintOperation>& page) {
        QStringList texts;
        for (const PrintOperation* op : operations(page, PrintOperation::Kind::Text)) texts << op->text;
        const qsizetype start = texts.indexOf(QStringLiteral("Solution dans le bécher : "));
        const qsizetype end = start < 0 ? -1 : texts.indexOf(QStringLiteral("."), start);
        return end < 0 ? QStringList() : texts.mid(start, end - start + 1);
    }
};

TEST_F(PrintoutTest, EachCopyIsACompleteSetOfPagesInTheOrderOfTheChoices) {
    struct Case {
        const char* name;
        bool illustration, graph, table;
        int copies;
        std::vector<std::string> pages;  // each page: its title's end and its pictures
    };
    const Case cases[] = {
        {"only the table: one page a copy, no page 2", false, false, true, 2, {"|table", "|table"}},
        {"graph and table, two copies",
         false,
         true,
         true,
         2,
         {"|graph", " (page 2)|table", "|graph", " (page 2)|table"}},
        {"illustration and graph share the first page", true, true, false, 1, {"|illustration graph"}},
        {"all three", true, true, true, 1, {"|illustration graph", " (page 2)|table"}},
    };
    for (const Case& c : cases) {
        PrintChoices choices{c.illustration, c.graph, c.table, kTitle, c.copies};
        const PrintedDocument document = compose(choices);
        EXPECT_TRUE(document.ended) << c.name;
        std::vector<std::string> pages;
        for (const auto& page : document.pages) {
            const auto texts = operations(page, PrintOperation::Kind::Text);
            std::string summary = texts.empty() ? "?" : texts[0]->text.mid(kTitle.size()).toStdString();
            summary += "|";
            for (const PrintOperation* image : operations(page, PrintOperation::Kind::Image))
                summary += (summary.back() == '|' ? "" : " ") + pictureName(image->image);
            pages.push_back(summary);
        }
        EXPECT_EQ(pages, c.pages) << c.name;
    }
}

TEST_F(PrintoutTest, PicturesKeepTheirScreenSizeCentredOnThePrintableArea) {
    struct Case {
        const char* name;
        double width, height;
        platform::TwipsPerPixel twips;
    };
    const Case cases[] = {
        {"usual screen on the default paper", kWidth, kHeight, {15, 15}},
        {"120 dpi screen", kWidth, kHeight, {12, 12}},
        {"narrow paper, unequal pixels", 9000, 14000, {16, 14}},
    };
    const QSize illustration = window->printSources().illustration().size();
    const QSize graph = window->printSources().graph().size();
    for (const Case& c : cases) {
        const PrintedDocument document = compose({true, true, true, kTitle, 1}, c.twips, c.width, c.height);
        ASSERT_EQ(document.pages.size(), 2u) << c.name;
        const auto title = operations(document.pages[0], PrintOperation::Kind::Text);
        ASSERT_FALSE(title.empty());
        EXPECT_EQ(title[0]->text, kTitle);
        EXPECT_EQ(title[0]->fontSize, 12);
        EXPECT_TRUE(title[0]->bold);
        EXPECT_EQ(QPointF(title[0]->x, title[0]->y), QPointF(0, 0)) << c.name;

        const double gap = c.height / 20;
        const auto images = operations(document.pages[0], PrintOperation::Kind::Image);
        ASSERT_EQ(images.size(), 2u) << c.name;
        const QRectF expectedIllustration((c.width - illustration.width() * c.twips.x) / 2, 2 * gap,
                                          illustration.width() * c.twips.x,
                                          illustration.height() * c.twips.y);
        const QRectF expectedGraph((c.width - graph.width() * c.twips.x) / 2,
                                   expectedIllustration.bottom() + gap, graph.width() * c.twips.x,
                                   graph.height() * c.twips.y);
        EXPECT_EQ(QRectF(QPointF(images[0]->x, images[0]->y), QPointF(images[0]->x2, images[0]->y2)),
                  expectedIllustration)
            << c.name;
        EXPECT_EQ(QRectF(QPointF(images[1]->x, images[1]->y), QPointF(images[1]->x2, images[1]->y2)),
                  expectedGraph)
            << c.name;

        // The table: at H/20, centred, with the line down its left edge beside its rows.
        const auto table = operations(document.pages[1], PrintOperation::Kind::Image);
        const auto lines = operations(document.pages[1], PrintOperation::Kind::Line);
        ASSERT_EQ(table.size(), 1u);
        ASSERT_EQ(lines.size(), 1u);
        const QImage& grid = table[0]->image;
        EXPECT_DOUBLE_EQ(table[0]->x, (c.width - grid.width() * c.twips.x) / 2) << c.name;
        EXPECT_DOUBLE_EQ(table[0]->y, gap) << c.name;
        EXPECT_DOUBLE_EQ(table[0]->y2 - table[0]->y, grid.height() * c.twips.y) << c.name;
        EXPECT_EQ(QLineF(lines[0]->x, lines[0]->y, lines[0]->x2, lines[0]->y2),
                  QLineF(table[0]->x, gap, table[0]->x, table[0]->y2))
            << c.name;
        EXPECT_EQ(lines[0]->colour, platform::kBlack);
    }
}

TEST_F(PrintoutTest, TheReportStatesTheCompletedSituationsBelowTheGraph) {
    // Nothing completed: the title alone is written.
    PrintedDocument document = compose({false, true, false, kTitle, 1});
    ASSERT_EQ(document.pages.size(), 1u);
    EXPECT_EQ(operations(document.pages[0], PrintOperation::Kind::Text).size(), 1u);

    struct Case {
        const char* water;
        QStringList lineEnd;  // after the concentration's unit
    };
    const Case cases[] = {
        {"0,0", {"-1", "."}},
        {"10,0", {"-1", " avec 10,0 mL d'eau", "."}},
    };
    for (const Case& c : cases) {
        bench().setFieldText(state::Field::WaterVolume, QString::fromUtf8(c.water));
        bench().validateField(state::Field::WaterVolume);
        bench().perform(state::quickTrace);  // "Trace rapide": situation 1 completed
        document = compose({false, true, false, kTitle, 1});
        ASSERT_EQ(document.pages.size(), 1u);
        const auto& page = document.pages[0];
        const auto graph = operations(page, PrintOperation::Kind::Image);
        ASSERT_EQ(graph.size(), 1u);
        const auto texts = operations(page, PrintOperation::Kind::Text);
        ASSERT_GE(texts.size(), 2u);
        const PrintOperation& heading = *texts[1];
        EXPECT_EQ(heading.text, QStringLiteral("Courbe n° 1"));
        EXPECT_EQ(heading.colour, state::situationColour(bench().state(), 0));
        EXPECT_EQ(heading.fontSize, 8);
        EXPECT_TRUE(heading.bold);
        EXPECT_DOUBLE_EQ(heading.x, graph[0]->x + 60);
        EXPECT_GT(heading.y, graph[0]->y2);

        const QString species = QString::fromStdString(
            state::catalogue().speciesName(true, bench().state().solution.speciesIndex));
        const QStringList expected =
            QStringList{QStringLiteral("Solution dans le bécher : "),
                        QStringLiteral("20,0 mL %1 de concentration 0,01 mol · L").arg(species)} +
            c.lineEnd;
        EXPECT_EQ(beakerLine(page), expected) << c.water;
        const auto exponent =
            std::find_if(texts.begin(), texts.end(), [](auto* op) { return op->text == "-1"; });
        ASSERT_NE(exponent, texts.end());
        EXPECT_DOUBLE_EQ((*(exponent - 1))->y - (*exponent)->y, 50);
    }
    bench().perform(state::setConcentrationMasked, true);  // still completed, its concentration now hidden
    const QStringList hidden = beakerLine(compose({false, true, false, kTitle, 1}).pages[0]);
    EXPECT_TRUE(hidden.join("").endsWith(QStringLiteral(" de concentration inconnue avec 10,0 mL d'eau.")))
        << hidden.join("|").toStdString();
}

TEST_F(PrintoutTest, PicturesDrawnForAScaledScreenPrintAtTheirLogicalSizeWithTheirFinerPixels) {
    const PrintedDocument plain = compose({true, true, false, kTitle, 1});
    bench().apparatus().surface().setDevicePixelRatio(2.0);
    bench().graph().surface().setDevicePixelRatio(2.0);
    bench().graph().redraw();
    const PrintedDocument scaled = compose({true, true, false, kTitle, 1});
    const auto before = operations(plain.pages.at(0), PrintOperation::Kind::Image);
    const auto after = operations(scaled.pages.at(0), PrintOperation::Kind::Image);
    ASSERT_EQ(after.size(), 2u);
    ASSERT_EQ(before.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(QRectF(QPointF(after[i]->x, after[i]->y), QPointF(after[i]->x2, after[i]->y2)),
                  QRectF(QPointF(before[i]->x, before[i]->y), QPointF(before[i]->x2, before[i]->y2)));
        EXPECT_EQ(after[i]->image.size(), 2 * before[i]->image.size());
    }
}

TEST_F(PrintoutTest, ATableLongerThanAPageGoesOnWithItsHeaderOnEachPage) {
    bench().perform(state::setMeasuringStep, 1);  // 0,1 mL between two rows
    bench().perform(state::quickTrace);           // "Trace rapide": every tenth from 0 to 25,0 mL
    const int rows = bench().state().rows.count();
    ASSERT_EQ(rows, 251);
    const PrintedDocument document = compose({false, false, true, kTitle, 1});
    ASSERT_GT(document.pages.size(), 2u);
    const double header = workbench::MeasurementTable::kHeaderHeight * 15.0;
    const double row = workbench::MeasurementTable::kRowHeight * 15.0;
    int printed = 0;
    for (std::size_t p = 0; p < document.pages.size(); ++p) {
        const auto& page = document.pages[p];
        const auto texts = operations(page, PrintOperation::Kind::Text);
        ASSERT_FALSE(texts.empty());
        EXPECT_EQ(texts[0]->text, p == 0 ? kTitle : kTitle + QStringLiteral(" (page %1)").arg(p + 1));
        const auto images = operations(page, PrintOperation::Kind::Image);
        const auto lines = operations(page, PrintOperation::Kind::Line);
        ASSERT_EQ(images.size(), 1u) << p;
        ASSERT_EQ(lines.size(), 1u) << p;
        const QImage& grid = images[0]->image;
        EXPECT_EQ(platform::colourOf(grid.pixel(2, 2)), (platform::Colour{0, 0, 200})) << p;  // the header
        const int count = (grid.height() - workbench::MeasurementTable::kHeaderHeight) /
                          workbench::MeasurementTable::kRowHeight;
        EXPECT_LE(images[0]->y2, kHeight) << p;
        EXPECT_DOUBLE_EQ(lines[0]->y2 - lines[0]->y, header + count * row) << p;
        printed += count;
    }
    EXPECT_EQ(printed, rows);
}

TEST_F(PrintoutTest, ReportsThatWouldRunOffThePaperGoOnToTheNextPage) {
    for (int slot = 0; slot < 10; ++slot) {
        bench().perform(state::switchSituation, slot);
        bench().perform(state::quickTrace);
    }
    const PrintedDocument document = compose({true, true, true, kTitle, 1});
    QStringList titles;
    QStringList headings;
    for (const auto& page : document.pages) {
        const auto texts = operations(page, PrintOperation::Kind::Text);
        titles << texts[0]->text;
        for (const PrintOperation* op : texts) {
            if (op->text.startsWith(QStringLiteral("Courbe n° "))) headings << op->text;
            EXPECT_LE(op->y2, kHeight) << op->text.toStdString();
        }
    }
    QStringList expected;
    for (int n = 1; n <= 10; ++n) expected << QStringLiteral("Courbe n° %1").arg(n);
    EXPECT_EQ(headings, expected);
    ASSERT_EQ(titles.size(), 3);
    EXPECT_EQ(titles, (QStringList{kTitle, kTitle + " (page 2)", kTitle + " (page 3)"}));
}

TEST_F(PrintoutTest, NothingPrintedRunsOffThePaper) {
    bench().perform(state::chooseSolute, 11);  // "chlorure de méthylammonium": the longest report line
    for (const auto& [field, text] :
         {std::pair{state::Field::BeakerConcentration, "0,00000001"},
          std::pair{state::Field::BeakerVolume, "180"}, std::pair{state::Field::WaterVolume, "20"}}) {
        bench().setFieldText(field, QString::fromUtf8(text));
        bench().validateField(field);
    }
    bench().perform(state::quickTrace);
    const QString longTitle =
        QStringLiteral("Titrage de l'acide par la soude, travaux pratiques du mardi, groupe B");
    // The paper, its title and the page the graph goes on when it, or it and its report together,
    // do not fit below the illustration (on Letter paper the report would not).
    const std::tuple<QPageSize::PageSizeId, QPageLayout::Orientation, QString, int> cases[] = {
        {QPageSize::A4, QPageLayout::Portrait, kTitle, 1},
        {QPageSize::A4, QPageLayout::Landscape, kTitle, 2},
        {QPageSize::A5, QPageLayout::Portrait, longTitle, 2},
        {QPageSize::A5, QPageLayout::Landscape, kTitle, 2},
        {QPageSize::Letter, QPageLayout::Portrait, kTitle, 2},
        {QPageSize::Letter, QPageLayout::Landscape, kTitle, 2},
    };
    const auto near = [](double a, double b) { return std::abs(a - b) < 1e-6 * std::max(1.0, b); };
    for (const auto& [size, orientation, title, graphPage] : cases) {
        const std::string name = QPageSize::name(size).toStdString() + (orientation ? " landscape" : "");
        const QSizeF area =
            QPageLayout(QPageSize(size), orientation, QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter)
                .paintRect(QPageLayout::Point)
                .size() *
            20.0;  // the PDF files' margins, in twips
        const PrintedDocument document =
            compose({true, true, true, title, 1}, {}, area.width(), area.height());
        int graphOn = 0;
        for (std::size_t p = 0; p < document.pages.size(); ++p) {
            QStringList titleLines;
            double titleBottom = 0;
            for (const PrintOperation& op : document.pages[p]) {
                EXPECT_TRUE(std::min({op.x, op.x2, op.y, op.y2}) > -1e-6 &&
                            std::max(op.x, op.x2) < area.width() + 1e-6 &&
                            std::max(op.y, op.y2) < area.height() + 1e-6)
                    << name << op.text.toStdString();
                if (op.kind == PrintOperation::Kind::Text && op.fontSize == 12) {
                    titleLines << op.text;
                    titleBottom = op.y2;
                }
                if (op.kind != PrintOperation::Kind::Image) continue;
                if (pictureName(op.image) == "graph") graphOn = static_cast<int>(p) + 1;
                EXPECT_GT(op.y, titleBottom) << name;
                // Its proportions kept, and made smaller only as far as the paper asks.
                const QSizeF natural = op.image.deviceIndependentSize() * 15.0;
                const QSizeF printed(op.x2 - op.x, op.y2 - op.y);
                EXPECT_TRUE(near(printed.width() * natural.height(), printed.height() * natural.width()))
                    << name;
                EXPECT_TRUE(near(printed.width(), natural.width()) || near(op.y2, area.height())) << name;
            }
            EXPECT_EQ(titleLines.join(' '), p == 0 ? title : title + QStringLiteral(" (page %1)").arg(p + 1))
                << name;
        }
        EXPECT_EQ(graphOn, graphPage) << name << ", " << title.toStdString();
    }
}

TEST(TableColumnPages, ATableWiderThanThePaperGoesOnInPagesOfColumnsEachWithTheVolume) {
    struct Case {
        const char* name;
        std::vector<double> widths;
        double room;
        std::vector<std::vector<int>> pages;
    };
    const Case cases[] = {
        {"fits: one page of every column", {75, 75, 75, 75, 75, 75}, 11000 / 15.0, {{0, 1, 2, 3, 4, 5}}},
        {"fits exactly", {100, 100, 100}, 300, {{0, 1, 2}}},
        {"thirteen columns on narrow paper",
         {60, 60, 60, 60, 60, 60, 60, 60, 60, 60, 60, 60, 60},
         600,
         {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, {0, 10, 11, 12}}},
        {"a column wider than the paper still has its page", {50, 400, 60}, 300, {{0, 1}, {0, 2}}},
        {"no column", {}, 300, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(printingwindow::tableColumnPages(c.widths, c.room), c.pages) << c.name;
}

TEST_F(PrintoutTest, AWideTablePrintsItsColumnsAtTheirScreenWidthOnPagesThatBeginWithTheVolume) {
    bench().perform(state::chooseSolute, 18);        // "acide citrique"
    bench().perform(state::chooseSecondSolute, 15);  // "acide phosphorique"
    bench().perform(state::showConductimeter, true);
    bench().perform(state::quickTrace);
    const std::vector<int> widths = window->printSources().tableColumnWidths();
    ASSERT_EQ(widths.size(), 13u);
    const QImage volume = window->printSources().table(0, 0, {0});
    struct Case {
        const char* name;
        double width, height;
        int rowPages;  // pages of rows, each printed in as many pages of columns as it needs
        std::size_t pages;
    };
    for (const Case& c : {Case{"portrait: two pages of columns", kWidth, kHeight, 1, 2},
                          Case{"landscape: every column, two pages of rows", kHeight, kWidth, 2, 2}}) {
        const PrintedDocument document = compose({false, false, true, kTitle, 1}, {}, c.width, c.height);
        int printedColumns = 0;
        for (const auto& page : document.pages) {
            const auto images = operations(page, PrintOperation::Kind::Image);
            ASSERT_EQ(images.size(), 1u);
            const QImage& grid = images[0]->image;
            EXPECT_DOUBLE_EQ(images[0]->x2 - images[0]->x, grid.width() * 15.0) << c.name;  // not narrowed
            EXPECT_LE(images[0]->x2, c.width) << c.name;
            EXPECT_EQ(grid.copy(0, 0, volume.width(), volume.height()), volume) << c.name;
            printedColumns += grid.width() / widths[0] - 1;
        }
        EXPECT_EQ(printedColumns, 12 * c.rowPages) << c.name;
        EXPECT_EQ(document.pages.size(), c.pages) << c.name;
    }
}

TEST_F(PrintoutTest, TheReportTakesTheHeightItIsMeasuredAt) {
    bench().perform(state::chooseSolute, 11);  // "chlorure de méthylammonium": the longest report line
    bench().setFieldText(state::Field::WaterVolume, QStringLiteral("20,0"));
    bench().validateField(state::Field::WaterVolume);
    for (int slot = 0; slot < 3; ++slot) {
        bench().perform(state::switchSituation, slot);
        bench().perform(state::quickTrace);
        for (const double width : {kWidth, 6000.0}) {  // on narrow paper the lines wrap
            PrintedDocument document;
            platform::RecordingPage page(document, width, kHeight);
            Printout printout(window->printSources(), {});
            page.moveTo(1500, 2000);
            const double measured = printout.reportsHeight(page, 1500);
            EXPECT_EQ(QPointF(page.currentX(), page.currentY()), QPointF(1500, 2000));
            printout.printReports(page, 1500);
            EXPECT_NEAR(page.currentY() - 2000, measured, 1e-6) << slot + 1 << " reports, " << width;
        }
    }
}

TEST_F(PrintoutTest, TheGraphTakesItsReportsWithItOntoTheNextPageWhenTheyDoNotFitBelowTheIllustration) {
    struct Case {
        int completed;
        std::vector<std::string> pages;  // each page: its pictures, and "r" for each report entry
    };
    const Case cases[] = {
        {1, {"illustration graph r", "table"}},
        {2, {"illustration", "graph r r", "table"}},
        {10, {"illustration", "graph r r r r r r r r r r", "table"}},
    };
    for (const Case& c : cases) {
        for (int slot = 0; slot < c.completed; ++slot) {
            bench().perform(state::switchSituation, slot);
            bench().perform(state::quickTrace);
        }
        const PrintedDocument document = compose({true, true, true, kTitle, 1});
        std::vector<std::string> pages;
        for (const auto& page : document.pages) {
            std::string summary;
            for (const PrintOperation& op : page) {
                if (op.kind == PrintOperation::Kind::Image) summary += " " + pictureName(op.image);
                if (op.kind == PrintOperation::Kind::Text && op.text.startsWith(QStringLiteral("Courbe n° ")))
                    summary += " r";
            }
            pages.push_back(summary.empty() ? summary : summary.substr(1));
        }
        EXPECT_EQ(pages, c.pages) << c.completed << " completed";
    }
}
