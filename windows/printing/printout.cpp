#include "windows/printing/printout.h"

#include <QImage>
#include <algorithm>
#include <cmath>

#include "chemistry/situationreport.h"
#include "workbench/mainwindow.h"
#include "workbench/measurementtable.h"

namespace printingwindow {

using platform::Page;

namespace {

constexpr double kReportIndent = 60.0;   // twips right of the graph's left edge
constexpr double kExponentRaise = 50.0;  // twips
// An entry of the report: its empty line, its heading, two lines and two half lines.
constexpr double kReportEntryLines = 5.0;

double gap(const Page& page) {
    return page.height() / 20.0;
}

QString fromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

Printout::Printout(workbench::MainWindow& window, platform::TwipsPerPixel twipsPerPixel)
    : m_window(window), m_twipsPerPixel(twipsPerPixel) {}

void Printout::compose(Page& page, const PrintChoices& choices) {
    if (!choices.anyPicture() || page.ended()) return;
    m_title = choices.title;
    const int copies = std::clamp(choices.copies, 1, kMaxCopies);
    for (int copy = 1; copy <= copies; ++copy) {
        m_pageNumber = 1;
        printTitle(page, true);
        page.setCurrentY(gap(page));
        if (choices.illustration) {
            // Composed for the print and already drawn again for the screen.
            const QImage picture = m_window.workbench().composedIllustration();
            page.setCurrentY(page.currentY() + gap(page));
            printPicture(page, picture);
        }
        if (choices.graph) {
            page.setCurrentY(page.currentY() + gap(page));
            printPicture(page, m_window.graphPicture());
            rappoprint(page, page.currentX());  // the graph's left edge
        }
        if (choices.table) {
            if (choices.illustration || choices.graph) continueOnNewPage(page);
            printTable(page);
        }
        if (copy == copies) {
            page.endDocument();
        } else {
            page.newPage();
        }
    }
}

void Printout::printTitle(Page& page, bool firstPage) {
    page.setFontName(QStringLiteral("Arial"));
    page.setFontSize(12);
    page.setFontBold(true);
    page.setFontItalic(false);
    page.setTextColour(platform::kBlack);
    page.moveTo(0, 0);
    if (firstPage) {
        page.print(m_title);
        page.newLine();
        page.setFontSize(10);
        page.newLine();
    } else {
        page.print(m_title + QStringLiteral(" (page %1)").arg(m_pageNumber));
    }
}

void Printout::continueOnNewPage(Page& page) {
    page.newPage();
    ++m_pageNumber;
    printTitle(page, false);
}

// Centred across the page at the pen's height, at its size on screen; the pen stays at its left
// edge and goes down past it.
void Printout::printPicture(Page& page, const QImage& picture) {
    // A picture drawn for a scaled screen keeps its logical size on paper, and its finer pixels.
    const QSizeF logical = picture.deviceIndependentSize();
    const double width = platform::pixelsToTwips(logical.width(), m_twipsPerPixel.x);
    const double height = platform::pixelsToTwips(logical.height(), m_twipsPerPixel.y);
    const double x = (page.width() - width) / 2.0;
    const double y = page.currentY();
    page.drawImage(picture, x, y, width, height);
    page.moveTo(x, y + height);
}

// The table goes on over as many pages as its rows need, the header row on each, with the line
// beside the rows of each page.
void Printout::printTable(Page& page) {
    const double top = gap(page);
    const double header =
        platform::pixelsToTwips(workbench::MeasurementTable::kHeaderHeight, m_twipsPerPixel.y);
    const double row = platform::pixelsToTwips(workbench::MeasurementTable::kRowHeight, m_twipsPerPixel.y);
    const double room = std::floor((page.height() - top - header) / row);
    const int perPage = std::isfinite(room) ? std::max(1, static_cast<int>(std::min(room, 1e6))) : 1;
    const int total = m_window.workbench().rows().count();
    int first = 0;
    // One page at least, even for a table without rows.
    for (int pages = 0; pages <= total; ++pages) {
        const int count = std::min(perPage, total - first);
        page.setCurrentY(top);
        printPicture(page, m_window.tablePicture(first, count));
        const double x = page.currentX();
        page.line(x, top, x, top + header + count * row);
        first += count;
        if (first >= total) break;
        continueOnNewPage(page);
    }
}

void Printout::printRaisedExponent(Page& page) {
    const double line = page.currentY();
    page.setCurrentY(line - kExponentRaise);
    page.print(QStringLiteral("-1"));
    page.setCurrentY(line);
}

void Printout::rappoprint(Page& page, double x0) {
    const workbench::Workbench& bench = m_window.workbench();
    page.setFontName(QStringLiteral("Arial"));
    page.setFontSize(10);
    page.setFontBold(true);
    page.setTextColour(platform::kBlack);
    page.newLine();
    page.setCurrentX(x0);
    const double indent = x0 + kReportIndent;
    for (const chemistry::SituationReport& report :
         chemistry::completedSituationReports(bench.situations(), bench.catalogue())) {
        // Ten situations below the pictures do not fit on one sheet: an entry that would run
        // off the paper goes on to the next page.
        if (page.currentY() + kReportEntryLines * page.textHeight() > page.height()) {
            continueOnNewPage(page);
            page.moveTo(x0, gap(page));
        }
        page.newLine();
        page.setFontSize(8);
        page.setFontBold(true);
        page.setTextColour(bench.situationColour(report.slot));
        page.setCurrentX(indent);
        page.print(QStringLiteral("Courbe n° %1").arg(report.slot + 1));
        page.newLine();

        page.setCurrentY(page.currentY() + page.textHeight() / 2);
        page.setTextColour(platform::kBlack);
        page.setCurrentX(indent);
        page.print(QStringLiteral("Solution dans le bécher : "));
        page.setFontBold(false);
        const QString beaker =
            fromUtf8(report.beakerVolume) + QStringLiteral(" mL ") + fromUtf8(report.speciesName);
        if (report.concentrationHidden) {
            page.print(beaker + QStringLiteral(" de concentration inconnue"));
        } else {
            page.print(beaker + QStringLiteral(" de concentration ") + fromUtf8(report.beakerConcentration) +
                       QStringLiteral(" mol · L"));
            printRaisedExponent(page);
        }
        if (!report.waterVolume.empty()) {
            page.print(QStringLiteral(" avec ") + fromUtf8(report.waterVolume) + QStringLiteral(" mL d'eau"));
        }
        page.print(QStringLiteral("."));
        page.newLine();

        page.setCurrentY(page.currentY() + page.textHeight() / 2);
        page.setCurrentX(indent);
        page.setFontBold(true);
        page.print(QStringLiteral("Solution dans la burette : "));
        page.setFontBold(false);
        page.print(fromUtf8(report.titrantName) + QStringLiteral(" de concentration ") +
                   fromUtf8(report.titrantConcentration) + QStringLiteral(" mol · L"));
        printRaisedExponent(page);
        page.print(QStringLiteral("."));
        page.newLine();
    }
    page.newLine();
}

}  // namespace printingwindow
