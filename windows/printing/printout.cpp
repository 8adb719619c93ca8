#include "windows/printing/printout.h"

#include <QImage>
#include <algorithm>
#include <cmath>

#include "platform/utf8text.h"
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

using platform::fromUtf8;

void useReportHeadingFont(Page& page) {
    page.setFontName(QStringLiteral("Arial"));
    page.setFontSize(10);
    page.setFontBold(true);
    page.setTextColour(platform::kBlack);
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
            const platform::Drawing graph = m_sources.graphDrawing();
            printPicture(page, m_sources.graph(), gap(page), true, &graph);
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
// it does not fit below another picture, or when the reports that follow it would not fit below
// it there but would with it on a new page; scaled down, keeping its proportions, when larger
// than the room left to it. The pen stays at its left edge and goes down past it.
void Printout::printPicture(Page& page, const QImage& picture, double spaceAbove, bool withReports,
                            const platform::Drawing* vectors) {
    // A picture drawn for a scaled screen keeps its logical size on paper, and its finer pixels.
    const QSizeF logical = picture.deviceIndependentSize();
    const QSizeF natural(platform::pixelsToTwips(logical.width(), m_twipsPerPixel.x),
                         platform::pixelsToTwips(logical.height(), m_twipsPerPixel.y));
    double y = page.currentY() + spaceAbove;
    if (m_pictureOnPage) {
        const QSizeF alone = fitted(natural, page.width(), page.height() - m_top);
        const double below = withReports ? reportsHeight(page, (page.width() - alone.width()) / 2.0) : 0.0;
        const bool pictureFits = y + alone.height() <= page.height();
        const bool togetherHere = y + alone.height() + below <= page.height();
        const bool togetherOnNewPage = m_top + alone.height() + below <= page.height();
        if (!pictureFits || (!togetherHere && togetherOnNewPage)) {
            continueOnNewPage(page);
            y = m_top;
        }
    }
    const QSizeF size = fitted(natural, page.width(), page.height() - y);
    const double x = (page.width() - size.width()) / 2.0;
    page.drawImage(picture, x, y, size.width(), size.height(), vectors);
    page.moveTo(x, y + size.height());
    m_pictureOnPage = true;
}

std::vector<std::vector<int>> tableColumnPages(const std::vector<double>& widths, double room) {
    std::vector<std::vector<int>> pages;
    if (widths.empty()) return pages;
    pages.push_back({0});
    double used = widths[0];
    for (std::size_t c = 1; c < widths.size(); ++c) {
        // A page holds the volume and one column at least, however narrow the paper.
        if (used + widths[c] > room && pages.back().size() > 1) {
            pages.push_back({0});
            used = widths[0];
        }
        pages.back().push_back(static_cast<int>(c));
        used += widths[c];
    }
    return pages;
}

// The table goes on over as many pages as its rows need, the header row on each, with the line
// beside the rows of each page. A table wider than the paper is printed in several pages of
// columns, each beginning with the volume; a page of columns wider than the paper is narrowed.
void Printout::printTable(Page& page) {
    const double header =
        platform::pixelsToTwips(workbench::MeasurementTable::kHeaderHeight, m_twipsPerPixel.y);
    const double row = platform::pixelsToTwips(workbench::MeasurementTable::kRowHeight, m_twipsPerPixel.y);
    const std::vector<int> pixels = m_sources.tableColumnWidths();
    std::vector<double> widths;
    widths.reserve(pixels.size());
    for (const int w : pixels) widths.push_back(platform::pixelsToTwips(w, m_twipsPerPixel.x));
    const std::vector<std::vector<int>> columnPages = tableColumnPages(widths, page.width());
    double widest = 0.0;
    for (const std::vector<int>& columns : columnPages) {
        double width = 0.0;
        for (const int c : columns) width += widths[static_cast<std::size_t>(c)];
        widest = std::max(widest, width);
    }
    const QSizeF headerOnly(widest, header);
    const double scale =
        widest > 0.0 ? fitted(headerOnly, page.width(), page.height() - m_top).width() / widest : 1.0;
    const double room = std::floor((page.height() - m_top - header * scale) / (row * scale));
    const int perPage = std::isfinite(room) ? std::max(1, static_cast<int>(std::min(room, 1e6))) : 1;
    const int total = m_sources.tableRowCount();
    int first = 0;
    // One page at least, even for a table without rows.
    for (int pages = 0; pages <= total; ++pages) {
        const int count = std::min(perPage, total - first);
        for (std::size_t part = 0; part < std::max<std::size_t>(1, columnPages.size()); ++part) {
            if (part > 0) continueOnNewPage(page);
            const double top = m_top;
            page.setCurrentY(top);
            const QImage picture = columnPages.empty() ? m_sources.table(first, count)
                                                       : m_sources.table(first, count, columnPages[part]);
            printPicture(page, picture, 0.0);
            const double x = page.currentX();
            page.line(x, top, x, page.currentY());
        }
        first += count;
        if (first >= total) break;
        continueOnNewPage(page);
    }
}

void Printout::printReports(Page& page, double x0) {
    useReportHeadingFont(page);
    page.newLine();
    page.setCurrentX(x0);
    const double indent = x0 + kReportIndent;
    for (const ReportEntry& entry : reportEntries()) {
        // Ten situations below the pictures do not fit on one sheet: an entry that would run
        // off the paper goes on to the next page.
        page.setCurrentX(indent);
        if (page.currentY() + entryHeight(page, entry, indent) > page.height()) {
            continueOnNewPage(page);
            page.moveTo(x0, m_top);
        }
        page.newLine();
        page.setFontSize(kReportPoints);
        page.setFontBold(true);
        page.setTextColour(m_sources.situationColour(entry.slot));
        page.setCurrentX(indent);
        page.print(QStringLiteral("Courbe n° %1").arg(entry.slot + 1));
        page.newLine();

        page.setCurrentY(page.currentY() + page.textHeight() / 2);
        page.setTextColour(platform::kBlack);
        page.setCurrentX(indent);
        entry.beaker.print(page, indent, page.width());
        page.newLine();

        page.setCurrentY(page.currentY() + page.textHeight() / 2);
        page.setCurrentX(indent);
        entry.titrant.print(page, indent, page.width());
        page.newLine();
    }
    page.newLine();
}

double Printout::reportsHeight(Page& page, double x0) {
    const double x = page.currentX();
    const double y = page.currentY();
    const double points = page.fontSize();
    const bool bold = page.fontBold();
    const QString name = page.fontName();
    const platform::Colour colour = page.textColour();
    useReportHeadingFont(page);
    double height = page.textHeight();
    const double indent = x0 + kReportIndent;
    for (const ReportEntry& entry : reportEntries()) {
        page.setCurrentX(indent);
        height += entryHeight(page, entry, indent);
        // Each entry ends in the size of its lines and the weight of its full stop.
        page.setFontSize(kReportPoints);
        page.setFontBold(false);
    }
    height += page.textHeight();
    page.setFontName(name);
    page.setFontSize(points);
    page.setFontBold(bold);
    page.setTextColour(colour);
    page.moveTo(x, y);
    return height;
}

// From the empty line above it to the end of its last line, in the page's font of the moment.
double Printout::entryHeight(Page& page, const ReportEntry& entry, double indent) {
    const double emptyLine = page.textHeight();
    const double right = page.width();
    const double lines =
        2.0 + entry.beaker.lineCount(page, indent, right) + entry.titrant.lineCount(page, indent, right);
    return emptyLine + lines * reportLineHeight(page);
}

std::vector<Printout::ReportEntry> Printout::reportEntries() const {
    std::vector<ReportEntry> entries;
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
        entries.push_back({report.slot, Paragraph(std::move(beaker), kReportPoints),
                           Paragraph({{QStringLiteral("Solution dans la burette : "), true},
                                      {fromUtf8(report.titrantName) + QStringLiteral(" de concentration ") +
                                       fromUtf8(report.titrantConcentration) + QStringLiteral(" mol · L")},
                                      {QStringLiteral("-1"), false, true},
                                      {QStringLiteral(".")}},
                                     kReportPoints)});
    }
    return entries;
}

}  // namespace printingwindow
