// Paragraphs laid out on the recording page: where lines break, and that none runs past the edge.
#include <gtest/gtest.h>

#include <QStringList>

#include "platform/recordingprinter.h"
#include "windows/printing/paragraph.h"

using platform::PrintOperation;
using printingwindow::Paragraph;
using printingwindow::TextRun;

TEST(Paragraph, BreaksAtBlanksThatEndNothingAndCutsOnlyWordsWiderThanALine) {
    struct Case {
        const char* name;
        std::vector<TextRun> runs;
        QString widest;  // the line's width is that of this text, plain
        QStringList lines;
    };
    const Case cases[] = {
        {"fits", {{"0,01 mol · L"}}, "0,01 mol · L", {"0,01 mol · L"}},
        {"a blank between words",
         {{"de concentration 0,01 mol"}},
         "de concentration",
         {"de concentration", "0,01 mol"}},
        {"digits grouped by blanks stay together",
         {{"de concentration 0,000 000 01"}},
         "de concentration 0,000",
         {"de concentration", "0,000 000 01"}},
        {"a unit stays whole", {{"0,01 mol · L"}}, "0,01 mol ·", {"0,01", "mol · L"}},
        {"the exponent stays on its unit",
         {{"0,01 mol · L"}, {"-1", false, true}, {"."}},
         "0,01 mol · L",
         {"0,01", "mol · L-1."}},
        {"a colon stays on its word, across a change of weight",
         {{"Solution dans le bécher : ", true}, {"20,0 mL"}},
         "Solution dans le bécher",
         {"Solution dans le", "bécher : 20,0 mL"}},
        {"a word wider than a line is cut", {{"méthylammonium"}}, "méthyl", {"méthyl", "ammo", "nium"}},
    };
    for (const Case& c : cases) {
        platform::PrintedDocument document;
        platform::RecordingPage page(document, 20000, 20000);
        page.setFontSize(8);
        page.setFontBold(false);
        constexpr double left = 300;
        const double right = left + page.textWidth(c.widest);
        page.setFontSize(12);  // the paragraph's own size wins, and the page's is kept
        page.setFontBold(true);
        page.moveTo(left, 1000);
        const Paragraph paragraph(c.runs, 8);
        EXPECT_EQ(paragraph.lineCount(page, left, right), c.lines.size()) << c.name;
        EXPECT_EQ(page.fontSize(), 12) << c.name;
        EXPECT_TRUE(page.fontBold()) << c.name;
        paragraph.print(page, left, right);

        QStringList lines;
        double lineY = -1;
        for (const PrintOperation& op : document.pages[0]) {
            const double y = op.y + (op.text == "-1" ? Paragraph::kRaise : 0.0);
            if (y != lineY) {
                EXPECT_DOUBLE_EQ(op.x, left) << c.name << ": " << op.text.toStdString();
                lines << QString();
                lineY = y;
            }
            lines.back() += op.text;
            EXPECT_LE(op.x2, right + 1e-6) << c.name << ": " << op.text.toStdString();
            EXPECT_EQ(op.fontSize, 8);
        }
        EXPECT_EQ(lines, c.lines) << c.name;
    }
}
