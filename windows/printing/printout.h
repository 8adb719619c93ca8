#pragma once
// The printout, composed on a page in twips: the title, the illustration, the graph followed by
// the report of the completed situations, and the table of values, in as many copies as asked.
// The one composition serves the printer, the PDF files, the preview and the tests' recording
// page alike.
#include <QString>
#include <vector>

#include "platform/page.h"
#include "windows/printing/paragraph.h"

namespace workbench {
class PrintSources;
}

namespace printingwindow {

// What the print window asks for.
struct PrintChoices {
    bool illustration = false;  // `Chec(0)`
    bool graph = false;         // `Chec(1)`, with the report of the completed situations
    bool table = false;         // `Chec(3)`
    QString title;
    int copies = 1;

    bool anyPicture() const { return illustration || graph || table; }
};

// The columns each printed page of a table shows, from the columns' widths and the paper's
// (one unit for both): all of them when they fit, else the first column, the volume, on every
// page, followed by as many of the others as fit.
std::vector<std::vector<int>> tableColumnPages(const std::vector<double>& widths, double room);

class Printout {
  public:
    static constexpr int kMaxCopies = 40;

    // Pictures keep their size on screen: `twipsPerPixel` is the screen's.
    Printout(workbench::PrintSources& sources, platform::TwipsPerPixel twipsPerPixel);

    // Every copy, each a complete set of pages, then the end of the document. Nothing is drawn
    // when no picture is chosen.
    void compose(platform::Page& page, const PrintChoices& choices);
    // The report of the completed situations below the graph, its left margin at x0 (twips).
    void printReports(platform::Page& page, double x0);
    // The height printReports(page, x0) takes from the pen; the page is left as it was.
    double reportsHeight(platform::Page& page, double x0);

  private:
    void printTitle(platform::Page& page, bool firstPage);
    // Goes on to a new page of the copy, with the title and its page number.
    void continueOnNewPage(platform::Page& page);
    // `vectors`: the drawing the picture shows, painted instead where the page can.
    void printPicture(platform::Page& page, const QImage& picture, double spaceAbove,
                      bool withReports = false, const platform::Drawing* vectors = nullptr);
    void printTable(platform::Page& page);

    // One completed situation's entry in the report: its number and its two lines.
    struct ReportEntry {
        int slot;
        Paragraph beaker;
        Paragraph titrant;
    };
    std::vector<ReportEntry> reportEntries() const;
    // The height the entry takes from the pen, its empty line above included.
    static double entryHeight(platform::Page& page, const ReportEntry& entry, double indent);

    workbench::PrintSources& m_sources;
    platform::TwipsPerPixel m_twipsPerPixel;
    QString m_title;
    int m_pageNumber = 1;  // within the copy
    double m_top = 0.0;    // where the page's content starts, below its title
    bool m_pictureOnPage = false;
};

}  // namespace printingwindow
