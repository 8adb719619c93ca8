#include "windows/printing/paragraph.h"

#include <utility>

#include "platform/page.h"

namespace printingwindow {

using platform::Page;

namespace {

// Rounding in the font metrics must not push a line that fits onto the next one.
constexpr double kTolerance = 1e-6;

using Parts = std::vector<std::pair<int, QString>>;

const QChar kBlank = QLatin1Char(' ');
const QChar kMiddleDot = QChar(0x00B7);

struct Word {
    Parts ink;  // run and text, without the blanks after it
    Parts blanks;
};

bool hasInk(const Parts& parts) {
    for (const auto& part : parts)
        for (const QChar c : part.second)
            if (c != kBlank) return true;
    return false;
}

// A blank between two digits groups them ("0,000 000 01"), one beside "·" belongs to a unit, and
// French puts one before ":" and its kind and inside quotes: none of them ends a line.
bool breaksAfterBlanks(const std::vector<std::pair<QChar, int>>& chars, std::size_t first, std::size_t last) {
    if (first == 0 || last + 1 >= chars.size()) return true;
    const QChar before = chars[first - 1].first;
    const QChar after = chars[last + 1].first;
    if (before.isDigit() && after.isDigit()) return false;
    if (before == kMiddleDot || after == kMiddleDot) return false;
    return before != QChar(u'«') && !QStringLiteral(":;!?»").contains(after);
}

void appendTo(Parts& parts, int run, QChar c) {
    if (parts.empty() || parts.back().first != run) parts.emplace_back(run, QString());
    parts.back().second += c;
}

std::vector<Word> splitWords(const std::vector<TextRun>& runs) {
    std::vector<std::pair<QChar, int>> chars;
    for (std::size_t r = 0; r < runs.size(); ++r)
        for (const QChar c : runs[r].text) chars.emplace_back(c, static_cast<int>(r));
    std::vector<Word> words(1);
    for (std::size_t i = 0; i < chars.size(); ++i) {
        const auto [c, run] = chars[i];
        if (c != kBlank) {
            // A blank that does not break stays inside the word.
            if (!words.back().blanks.empty()) {
                for (const auto& [blankRun, text] : words.back().blanks)
                    for (const QChar b : text) appendTo(words.back().ink, blankRun, b);
                words.back().blanks.clear();
            }
            appendTo(words.back().ink, run, c);
            continue;
        }
        appendTo(words.back().blanks, run, c);
        const bool lastBlank = i + 1 == chars.size() || chars[i + 1].first != kBlank;
        if (!lastBlank) continue;
        std::size_t first = i;
        while (first > 0 && chars[first - 1].first == kBlank) --first;
        if (breaksAfterBlanks(chars, first, i)) words.emplace_back();
    }
    if (words.back().ink.empty() && words.back().blanks.empty()) words.pop_back();
    return words;
}

}  // namespace

Paragraph::Paragraph(std::vector<TextRun> runs, double points) : m_runs(std::move(runs)), m_points(points) {}

double Paragraph::width(Page& page, int run, const QString& text) const {
    page.setFontSize(m_points);
    page.setFontBold(m_runs[static_cast<std::size_t>(run)].bold);
    return page.textWidth(text);
}

std::vector<Paragraph::Line> Paragraph::layOut(Page& page, double left, double right) const {
    const double start = page.currentX();
    std::vector<Line> lines(1);
    const auto end = [&](const Parts& line, bool first) {
        double x = first ? start : left;
        for (const auto& [run, text] : line) x += width(page, run, text);
        return x;
    };
    const auto fits = [&](const Parts& line) { return end(line, lines.size() == 1) <= right + kTolerance; };
    const auto withParts = [](Parts line, const Parts& parts) {
        for (const auto& [run, text] : parts)
            for (const QChar c : text) appendTo(line, run, c);
        return line;
    };
    const auto breakLine = [&lines] {
        auto& line = lines.back();
        while (!line.empty()) {
            QString& text = line.back().second;
            while (text.endsWith(kBlank)) text.chop(1);
            if (!text.isEmpty()) break;
            line.pop_back();
        }
        lines.emplace_back();
    };

    for (const Word& word : splitWords(m_runs)) {
        if (!fits(withParts(lines.back(), word.ink)) &&
            (hasInk(lines.back()) || (lines.size() == 1 && start > left)))
            breakLine();
        if (fits(withParts(lines.back(), word.ink))) {
            lines.back() = withParts(lines.back(), word.ink);
        } else {
            // Wider than a whole line: as many characters as fit on each line, one at least.
            for (const auto& [run, text] : word.ink) {
                for (const QChar c : text) {
                    auto longer = lines.back();
                    appendTo(longer, run, c);
                    if (!fits(longer) && hasInk(lines.back())) {
                        breakLine();
                        longer.clear();
                        appendTo(longer, run, c);
                    }
                    lines.back() = std::move(longer);
                }
            }
        }
        lines.back() = withParts(lines.back(), word.blanks);
    }
    return lines;
}

int Paragraph::lineCount(Page& page, double left, double right) const {
    const double points = page.fontSize();
    const bool bold = page.fontBold();
    const int count = static_cast<int>(layOut(page, left, right).size());
    page.setFontSize(points);
    page.setFontBold(bold);
    return count;
}

void Paragraph::print(Page& page, double left, double right) const {
    const std::vector<Line> lines = layOut(page, left, right);
    page.setFontSize(m_points);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            page.newLine();
            page.setCurrentX(left);
        }
        for (const auto& [index, text] : lines[i]) {
            const TextRun& run = m_runs[static_cast<std::size_t>(index)];
            page.setFontBold(run.bold);
            const double baseline = page.currentY();
            if (run.raised) page.setCurrentY(baseline - kRaise);
            page.print(text);
            page.setCurrentY(baseline);
        }
    }
}

}  // namespace printingwindow
