#include "windows/printing/printout.h"

#include <QImage>
#include <algorithm>
#include <cmath>

#include "windows/printing/paragraph.h"
#include "workbench/measurementtable.h"
#include "workbench/printsources.h"

namespace printingwindow {

using platform::Page;

namespace {

constexpr double kReportIndent = 60.0;  // twips right of the graph's left edge
constexpr double kReportPoints = 8.0;

double gap(const Page& page) {
    return page.height() / 20.0;
}

// The size, down to the room given and never up, keeping the proportions.
QSizeF fitted(const QSizeF& natural, double width, double height) {
    if (natural.width() <= 0.0 || natural.height() <= 0.0) return natural;
    const double scale = std::min({1.0, width / natural.width(), height / natural.height()});
    return std::isfinite(scale) && scale > 0.0 ? natural * scale : QSizeF();
}

// The height of a line of the report's entries.
double reportLineHeight(Page& page) {
    const double points = page.fontSize();
    page.setFontSize(kReportPoints);
    const double height = page.textHeight();
    page.setFontSize(points);
    return height;
}

QString fromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

Printout::Printout(workbench::PrintSources& sources, platform::TwipsPerPixel twipsPerPixel)
    : m_sources(sources), m_twipsPerPixel(twipsPerPixel) {}

void Printout::compose(Page& page, const PrintChoices& choices) {
    if (!choices.anyPicture() || page.ended()) return;
    m_title = choices.title;
    const int copies = std::clamp(choices.copies, 1, kMaxCopies);
    for (int copy = 1; copy <= copies; ++copy) {
        m_pageNumber = 1;
        m_pictureOnPage = false;
        printTitle(page, true);
        page.setCurrentY(m_top);
        if (choices.illustration) printPicture(page, m_sources.illustration(), gap(page));
        if (choices.graph) {
            printPicture(page, m_sources.graph(), gap(page));
            printReports(page, page.currentX());  // the graph's left edge
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
    // A title longer than the paper goes on over several lines, and what follows below them.
    const QString title = firstPage ? m_title : m_title + QStringLiteral(" (page %1)").arg(m_pageNumber);
    Paragraph({{title, true}}, 12).print(page, 0, page.width());
    m_top = std::max(gap(page), page.currentY() + page.textHeight());
    if (firstPage) {
        page.newLine();
        page.setFontSize(10);
        page.newLine();
    }
}

void Printout::continueOnNewPage(Page& page) {
    page.newPage();
    ++m_pageNumber;
    m_pictureOnPage = false;
    printTitle(page, false);
}

// Centred across the page, `spaceAbove` below the pen, at its size on screen: on a new page when
// it does not fit below another picture, and scaled down, keeping its proportions, when larger
// than the room left to it. The pen stays at its left edge and goes down past it.
void Printout::printPicture(Page& page, const QImage& picture, double spaceAbove) {
    // A picture drawn for a scaled screen keeps its logical size on paper, and its finer pixels.
    const QSizeF logical = picture.deviceIndependentSize();
    const QSizeF natural(platform::pixelsToTwips(logical.width(), m_twipsPerPixel.x),
                         platform::pixelsToTwips(logical.height(), m_twipsPerPixel.y));
    double y = page.currentY() + spaceAbove;
    if (m_pictureOnPage &&
        y + fitted(natural, page.width(), page.height() - m_top).height() > page.height()) {
        continueOnNewPage(page);
        y = m_top;
    }
    const QSizeF size = fitted(natural, page.width(), page.height() - y);
    const double x = (page.width() - size.width()) / 2.0;
    page.drawImage(picture, x, y, size.width(), size.height());
    page.moveTo(x, y + size.height());
    m_pictureOnPage = true;
}

// The table goes on over as many pages as its rows need, the header row on each, with the line
// beside the rows of each page; a table wider than the paper is narrowed, rows and all.
void Printout::printTable(Page& page) {
    const double header =
        platform::pixelsToTwips(workbench::MeasurementTable::kHeaderHeight, m_twipsPerPixel.y);
    const double row = platform::pixelsToTwips(workbench::MeasurementTable::kRowHeight, m_twipsPerPixel.y);
    const QSizeF headerOnly(
        platform::pixelsToTwips(m_sources.table(0, 0).deviceIndependentSize().width(), m_twipsPerPixel.x),
        header);
    const double scale =
        headerOnly.width() > 0.0
            ? fitted(headerOnly, page.width(), page.height() - m_top).width() / headerOnly.width()
            : 1.0;
    const double room = std::floor((page.height() - m_top - header * scale) / (row * scale));
    const int perPage = std::isfinite(room) ? std::max(1, static_cast<int>(std::min(room, 1e6))) : 1;
    const int total = m_sources.tableRowCount();
    int first = 0;
    // One page at least, even for a table without rows.
    for (int pages = 0; pages <= total; ++pages) {
        const int count = std::min(perPage, total - first);
        const double top = m_top;
        page.setCurrentY(top);
        printPicture(page, m_sources.table(first, count), 0.0);
        const double x = page.currentX();
        page.line(x, top, x, page.currentY());
        first += count;
        if (first >= total) break;
        continueOnNewPage(page);
    }
}

void Printout::printReports(Page& page, double x0) {
    page.setFontName(QStringLiteral("Arial"));
    page.setFontSize(10);
    page.setFontBold(true);
    page.setTextColour(platform::kBlack);
    page.newLine();
    page.setCurrentX(x0);
    const double indent = x0 + kReportIndent;
    const double right = page.width();
    for (const chemistry::SituationReport& report : m_sources.completedSituations()) {
        const QString beakerSolution =
            fromUtf8(report.beakerVolume) + QStringLiteral(" mL ") + fromUtf8(report.speciesName);
        std::vector<TextRun> beaker{{QStringLiteral("Solution dans le bécher : "), true}};
        if (report.concentrationHidden) {
            beaker.push_back({beakerSolution + QStringLiteral(" de concentration inconnue")});
        } else {
            beaker.push_back({beakerSolution + QStringLiteral(" de concentration ") +
                              fromUtf8(report.beakerConcentration) + QStringLiteral(" mol · L")});
            beaker.push_back({QStringLiteral("-1"), false, true});
        }
        if (!report.secondSpeciesName.empty()) {
            const QString second = QStringLiteral(" et ") + fromUtf8(report.secondSpeciesName);
            if (report.concentrationHidden) {
                beaker.push_back({second + QStringLiteral(" de concentration inconnue")});
            } else {
                beaker.push_back({second + QStringLiteral(" de concentration ") +
                                  fromUtf8(report.secondConcentration) + QStringLiteral(" mol · L")});
                beaker.push_back({QStringLiteral("-1"), false, true});
            }
        }
        if (!report.waterVolume.empty())
            beaker.push_back(
                {QStringLiteral(" avec ") + fromUtf8(report.waterVolume) + QStringLiteral(" mL d'eau")});
        beaker.push_back({QStringLiteral(".")});
        const Paragraph beakerLine(std::move(beaker), kReportPoints);
        const Paragraph titrantLine({{QStringLiteral("Solution dans la burette : "), true},
                                     {fromUtf8(report.titrantName) + QStringLiteral(" de concentration ") +
                                      fromUtf8(report.titrantConcentration) + QStringLiteral(" mol · L")},
                                     {QStringLiteral("-1"), false, true},
                                     {QStringLiteral(".")}},
                                    kReportPoints);

        // Ten situations below the pictures do not fit on one sheet: an entry that would run
        // off the paper goes on to the next page.
        page.setCurrentX(indent);
        const double emptyLine = page.textHeight();
        const double lines =
            2.0 + beakerLine.lineCount(page, indent, right) + titrantLine.lineCount(page, indent, right);
        if (page.currentY() + emptyLine + lines * reportLineHeight(page) > page.height()) {
            continueOnNewPage(page);
            page.moveTo(x0, m_top);
        }
        page.newLine();
        page.setFontSize(kReportPoints);
        page.setFontBold(true);
        page.setTextColour(m_sources.situationColour(report.slot));
        page.setCurrentX(indent);
        page.print(QStringLiteral("Courbe n° %1").arg(report.slot + 1));
        page.newLine();

        page.setCurrentY(page.currentY() + page.textHeight() / 2);
        page.setTextColour(platform::kBlack);
        page.setCurrentX(indent);
        beakerLine.print(page, indent, right);
        page.newLine();

        page.setCurrentY(page.currentY() + page.textHeight() / 2);
        page.setCurrentX(indent);
        titrantLine.print(page, indent, right);
        page.newLine();
    }
    page.newLine();
}

}  // namespace printingwindow
