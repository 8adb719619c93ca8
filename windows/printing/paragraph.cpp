#include "windows/printing/paragraph.h"

#include "platform/page.h"

namespace printingwindow {

using platform::Page;

namespace {

// Rounding in the font metrics must not push a line that fits onto the next one.
constexpr double kTolerance = 1e-6;
const QChar kBlank = QLatin1Char(' ');

}  // namespace

Paragraph::Paragraph(std::vector<TextRun> runs, double points) : m_points(points) {
    for (std::size_t r = 0; r < runs.size(); ++r) {
        m_text += runs[r].text;
        m_runOf.insert(m_runOf.end(), static_cast<std::size_t>(runs[r].text.size()), static_cast<int>(r));
    }
    m_runs = std::move(runs);
}

// A blank between two digits groups them ("0,000 000 01"), and French puts one before ":" and
// its kind: neither ends a line.
bool Paragraph::breaksAfter(qsizetype blanksEnd) const {
    qsizetype first = blanksEnd;
    while (first > 0 && m_text[first - 1] == kBlank) --first;
    if (first == 0 || blanksEnd >= m_text.size()) return true;
    const QChar after = m_text[blanksEnd];
    return !(m_text[first - 1].isDigit() && after.isDigit()) && !QStringLiteral(":;!?").contains(after);
}

double Paragraph::width(Page& page, qsizetype from, qsizetype to) const {
    double total = 0.0;
    page.setFontSize(m_points);
    while (from < to) {
        const int run = m_runOf[static_cast<std::size_t>(from)];
        qsizetype end = from;
        while (end < to && m_runOf[static_cast<std::size_t>(end)] == run) ++end;
        page.setFontBold(m_runs[static_cast<std::size_t>(run)].bold);
        total += page.textWidth(m_text.mid(from, end - from));
        from = end;
    }
    return total;
}

std::vector<std::pair<qsizetype, qsizetype>> Paragraph::layOut(Page& page, double left, double right) const {
    const double start = page.currentX();
    std::vector<std::pair<qsizetype, qsizetype>> lines;
    qsizetype lineStart = 0;
    qsizetype position = 0;
    const auto fits = [&](qsizetype end) {
        return (lines.empty() ? start : left) + width(page, lineStart, end) <= right + kTolerance;
    };
    const auto hasInk = [&] {
        for (qsizetype i = lineStart; i < position; ++i)
            if (m_text[i] != kBlank) return true;
        return false;
    };
    while (position < m_text.size()) {
        // The next word: up to the blanks where a line may end, and those blanks.
        qsizetype inkEnd = 0;
        qsizetype wordEnd = position;
        do {
            while (wordEnd < m_text.size() && m_text[wordEnd] != kBlank) ++wordEnd;
            inkEnd = wordEnd;
            while (wordEnd < m_text.size() && m_text[wordEnd] == kBlank) ++wordEnd;
        } while (!breaksAfter(wordEnd));
        if (fits(inkEnd)) {
            position = wordEnd;
        } else if (hasInk() || (lines.empty() && start > left)) {
            lines.emplace_back(lineStart, position);
            lineStart = position;
        } else {
            // Wider than a whole line: as many characters as fit, one at least.
            qsizetype end = position + 1;
            while (end < inkEnd && fits(end + 1)) ++end;
            lines.emplace_back(lineStart, end);
            lineStart = position = end;
        }
    }
    lines.emplace_back(lineStart, m_text.size());
    return lines;
}

int Paragraph::lineCount(Page& page, double left, double right) const {
    const double points = page.fontSize();
    const bool bold = page.fontBold();
    const auto count = static_cast<int>(layOut(page, left, right).size());
    page.setFontSize(points);
    page.setFontBold(bold);
    return count;
}

void Paragraph::print(Page& page, double left, double right) const {
    const auto lines = layOut(page, left, right);
    page.setFontSize(m_points);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        auto [from, to] = lines[i];
        if (i > 0) {
            page.newLine();
            page.setCurrentX(left);
        }
        // The blanks where a line ends are not printed.
        if (i + 1 < lines.size())
            while (to > from && m_text[to - 1] == kBlank) --to;
        while (from < to) {
            const int run = m_runOf[static_cast<std::size_t>(from)];
            qsizetype end = from;
            while (end < to && m_runOf[static_cast<std::size_t>(end)] == run) ++end;
            const TextRun& style = m_runs[static_cast<std::size_t>(run)];
            page.setFontBold(style.bold);
            const double baseline = page.currentY();
            if (style.raised) page.setCurrentY(baseline - kRaise);
            page.print(m_text.mid(from, end - from));
            page.setCurrentY(baseline);
            from = end;
        }
    }
}

}  // namespace printingwindow
