#pragma once
// Text printed as one paragraph between a left edge and the right edge of the printable area:
// lines break at blanks, never inside a number written in groups of digits, and a word wider than
// a whole line is broken where it must be. Nothing runs past the right edge.
#include <QString>
#include <utility>
#include <vector>

namespace platform {
class Page;
}

namespace printingwindow {

struct TextRun {
    QString text;
    bool bold = false;
    bool raised = false;  // an exponent, 50 twips above the line
};

class Paragraph {
  public:
    static constexpr double kRaise = 50.0;  // twips

    Paragraph(std::vector<TextRun> runs, double points);

    // Lines the paragraph takes when printed from the pen. The page's font is left as it was.
    int lineCount(platform::Page& page, double left, double right) const;
    // Prints from the pen; the lines after the first start at `left`. The pen stays at the end
    // of the last line, in the paragraph's size and the last run's weight.
    void print(platform::Page& page, double left, double right) const;

  private:
    // Whether a line may end after the blanks that end at `blanksEnd`.
    bool breaksAfter(qsizetype blanksEnd) const;
    // The width of the characters [from, to), each run in its weight.
    double width(platform::Page& page, qsizetype from, qsizetype to) const;
    // Each line as the characters [first, second) of the text.
    std::vector<std::pair<qsizetype, qsizetype>> layOut(platform::Page& page, double left,
                                                        double right) const;

    std::vector<TextRun> m_runs;
    QString m_text;            // the runs end to end
    std::vector<int> m_runOf;  // the run of each character
    double m_points;
};

}  // namespace printingwindow
