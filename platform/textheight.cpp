#include "platform/textheight.h"

#include <QFontMetricsF>
#include <QTextBlock>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace platform {
namespace {

// What a character format takes: its widest character, the room above and below the base line of
// a line holding it (raised or lowered characters included) and the leading.
struct Extent {
    qreal widest = 0.0;
    qreal above = 0.0;
    qreal below = 0.0;
    qreal leading = 0.0;

    qreal lineHeight() const { return std::ceil(above + below + std::max(leading, 0.0)); }
};

Extent measure(const QFont& font, qreal baselineOffset) {
    const QFontMetricsF metrics(font);
    const qreal shift = std::abs(baselineOffset) / 100.0 * metrics.height();
    return {metrics.maxWidth(), metrics.ascent() + shift, metrics.descent() + shift, metrics.leading()};
}

// The extents of a document's formats by their index; `format` gives a format the first time only.
class Extents {
  public:
    explicit Extents(const QFont& defaultFont) : m_default(defaultFont) {}

    // From the format's own font, which loads that font.
    template <typename Format>
    const Extent& exact(int index, const Format& format) {
        auto [known, added] = m_exact.try_emplace(index);
        if (added) {
            const QTextCharFormat charFormat = format();
            known->second = measure(charFormat.font(), charFormat.baselineOffset());
        }
        return known->second;
    }

    // From the default family at the format's size and style, its lines twice as tall: other
    // families' lines seldom are, their characters are mostly narrower than its widest, and a
    // document of thousands of fonts is not loaded twice.
    template <typename Format>
    const Extent& estimated(int index, const Format& format) {
        auto [known, added] = m_estimated.try_emplace(index);
        if (added) {
            const QTextCharFormat charFormat = format();
            QFont font = m_default;
            if (charFormat.hasProperty(QTextFormat::FontPointSize))
                font.setPointSizeF(charFormat.fontPointSize());
            font.setBold(charFormat.fontWeight() >= QFont::DemiBold);
            font.setItalic(charFormat.fontItalic());
            const Extent extent = measure(font, charFormat.baselineOffset());
            known->second = {extent.widest, 2.0 * extent.above, 2.0 * extent.below, 2.0 * extent.leading};
        }
        return known->second;
    }

    // An empty paragraph is one line of its mark's font.
    qreal emptyLine(const QTextBlock& block) {
        return exact(block.charFormatIndex(), [&] { return block.charFormat(); }).lineHeight();
    }

  private:
    QFont m_default;
    std::unordered_map<int, Extent> m_exact;
    std::unordered_map<int, Extent> m_estimated;
};

qreal lineWidth(const QTextBlockFormat& format, qreal width) {
    return std::max(1.0, width - format.leftMargin() - format.rightMargin() - std::abs(format.textIndent()));
}

struct Heights {
    qreal atLeast = 0.0;
    qreal estimate = 0.0;
};

// A line ends where the next word does not fit, so two lines running hold more than a line's
// width: a paragraph takes at most twice the lines its characters' width fills, one more, and one
// for each line break inside it. Only the empty paragraphs count in the height it has at least.
Heights heights(const QTextDocument& document, qreal width, Extents& extents) {
    const qreal tab = std::max(document.defaultTextOption().tabStopDistance(), 1.0);
    Heights heights;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.length() == 1) {
            const qreal line = extents.emptyLine(block);
            heights.atLeast += line;
            heights.estimate += line;
            continue;
        }
        Extent tallest;
        qreal advance = 0.0;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid()) continue;
            const Extent& extent =
                extents.estimated(fragment.charFormatIndex(), [&] { return fragment.charFormat(); });
            tallest = {0.0, std::max(tallest.above, extent.above), std::max(tallest.below, extent.below),
                       std::max(tallest.leading, extent.leading)};
            advance += fragment.length() * extent.widest;
        }
        // A tab reaches the next tab stop at most.
        const QString text = block.text();
        advance += static_cast<qreal>(text.count(QLatin1Char('\t'))) * tab;
        const qreal breaks = static_cast<qreal>(text.count(QChar(QChar::LineSeparator)));
        const qreal lines = 2.0 * std::ceil(advance / lineWidth(block.blockFormat(), width)) + 1.0 + breaks;
        heights.estimate += lines * (tallest.lineHeight() + 1.0);
    }
    return heights;
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
    Extents extents(document.defaultFont());
    const Heights bounds = heights(document, width, extents);
    if (bounds.estimate <= limit) return true;
    if (bounds.atLeast > limit) return false;
    return laidOutWithin(document, width, limit, extents);
}

}  // namespace platform
