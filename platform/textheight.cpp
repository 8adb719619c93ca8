#include "platform/textheight.h"

#include <QFontMetricsF>
#include <QTextBlock>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace platform {
namespace {

// What one character format takes: its widest character, the room above and below the base line
// of a line holding it (raised or lowered characters included) and the leading.
struct Extent {
    qreal widest = 0.0;
    qreal above = 0.0;
    qreal below = 0.0;
    qreal leading = 0.0;
};

class Extents {
  public:
    // `format` gives the character format, asked for the first time only.
    template <typename Format>
    const Extent& of(int index, const Format& format) {
        auto [known, added] = m_extents.try_emplace(index);
        if (added) {
            // The format's own font, which the layout uses later: its glyphs are loaded once.
            const QTextCharFormat charFormat = format();
            const QFontMetricsF metrics(charFormat.font());
            const qreal shift = charFormat.baselineOffset() / 100.0 * metrics.height();
            known->second = {metrics.maxWidth(), metrics.ascent() + std::abs(shift),
                             metrics.descent() + std::abs(shift), metrics.leading()};
        }
        return known->second;
    }

    // An empty paragraph is one line of its mark's font.
    qreal emptyLine(const QTextBlock& block) {
        const Extent& mark = of(block.charFormatIndex(), [&] { return block.charFormat(); });
        return std::ceil(mark.above + mark.below + std::max(mark.leading, 0.0));
    }

  private:
    std::unordered_map<int, Extent> m_extents;
};

qreal lineWidth(const QTextBlockFormat& format, qreal width) {
    return std::max(1.0, width - format.leftMargin() - format.rightMargin() - std::abs(format.textIndent()));
}

struct Bounds {
    qreal lower = 0.0;
    qreal upper = 0.0;
};

// A line ends where the next word does not fit, so two lines running hold more than a line's
// width: a paragraph takes at most twice the lines its characters' width fills, one more, and
// one for each line break inside it. The lower bound counts the empty paragraphs only.
Bounds heightBounds(const QTextDocument& document, qreal width, Extents& extents) {
    const qreal tab = std::max(document.defaultTextOption().tabStopDistance(), 1.0);
    Bounds bounds;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.length() == 1) {
            const qreal line = extents.emptyLine(block);
            bounds.lower += line;
            bounds.upper += line;
            continue;
        }
        Extent tallest;
        qreal advance = 0.0;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid()) continue;
            const Extent& extent =
                extents.of(fragment.charFormatIndex(), [&] { return fragment.charFormat(); });
            tallest.above = std::max(tallest.above, extent.above);
            tallest.below = std::max(tallest.below, extent.below);
            tallest.leading = std::max(tallest.leading, extent.leading);
            advance += fragment.length() * std::max(tab, extent.widest);
        }
        const QString text = block.text();
        const qreal breaks = static_cast<qreal>(text.count(QChar(QChar::LineSeparator)));
        const qreal lines = 2.0 * std::ceil(advance / lineWidth(block.blockFormat(), width)) + 1.0 + breaks;
        bounds.upper += lines * (std::ceil(tallest.above + tallest.below + tallest.leading) + 1.0);
    }
    return bounds;
}

bool laidOutWithin(QTextDocument& document, qreal width, qreal limit, Extents& extents) {
    qreal height = 0.0;
    for (QTextBlock block = document.begin(); block.isValid() && height <= limit; block = block.next()) {
        if (block.length() == 1) {
            height += extents.emptyLine(block);
            continue;
        }
        const QTextBlockFormat format = block.blockFormat();
        QTextLayout* layout = block.layout();
        layout->setTextOption(document.defaultTextOption());
        layout->beginLayout();
        // Each line takes one character at least: the lines end with the text.
        for (QTextLine line = layout->createLine(); line.isValid() && height <= limit;
             line = layout->createLine()) {
            line.setLeadingIncluded(true);
            line.setLineWidth(lineWidth(format, width));
            height += std::ceil(line.height());
        }
        layout->endLayout();
    }
    return height <= limit;
}

}  // namespace

bool fitsHeight(QTextDocument& document, qreal width, qreal limit) {
    Extents extents;
    const Bounds bounds = heightBounds(document, width, extents);
    if (bounds.upper <= limit) return true;
    if (bounds.lower > limit) return false;
    return laidOutWithin(document, width, limit, extents);
}

}  // namespace platform
