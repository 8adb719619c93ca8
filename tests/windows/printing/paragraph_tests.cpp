// Paragraphs laid out on the recording page: where lines break, and that none runs past the edge.
#include <gtest/gtest.h>

#include <QStringList>
#include <tuple>

#include "platform/recordingprinter.h"
#include "tests/workbench/testsupport.h"
#include "windows/printing/paragraph.h"

using printingwindow::Paragraph;
using printingwindow::TextRun;

TEST(Paragraph, BreaksAtBlanksOutsideNumbersAndCutsOnlyWordsWiderThanALine) {
    // The runs, the text as wide as the line, and the lines printed.
    const std::tuple<std::vector<TextRun>, QString, QStringList> cases[] = {
        {{{"de concentration 0,000 000 01"}}, "de concentration 0,000", {"de concentration", "0,000 000 01"}},
        {{{"Solution : ", true}, {"0,01 L"}, {"-1", false, true}, {"."}},
         "Solution : 0,01 L",
         {"Solution : 0,01", "L-1."}},
        {{{"méthylammonium"}}, "méthyl", {"méthyl", "ammo", "nium"}},
    };
    testsupport::application();  // text is measured with the program's fonts
    constexpr double left = 300;
    for (const auto& [runs, widest, expected] : cases) {
        platform::PrintedDocument document;
        platform::RecordingPage page(document, 20000, 20000);
        page.setFontSize(8);
        const double right = left + page.textWidth(widest);
        page.setFontSize(12);  // the paragraph's own size wins
        page.moveTo(left, 1000);
        const Paragraph paragraph(runs, 8);
        EXPECT_EQ(paragraph.lineCount(page, left, right), expected.size()) << widest.toStdString();
        paragraph.print(page, left, right);
        QStringList lines;
        for (const platform::PrintOperation& op : document.pages[0]) {
            if (op.x == left || lines.isEmpty()) lines << QString();  // a line starts at the left edge
            lines.back() += op.text;
            EXPECT_LE(op.x2, right + 1e-6) << op.text.toStdString();
        }
        EXPECT_EQ(lines, expected) << widest.toStdString();
    }
}
