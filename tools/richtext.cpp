#include "tools/richtext.h"

namespace tools {

namespace {

constexpr int kIndentTwips = 300;  // 20 px, the welcome text's margin
constexpr int kItemIndentTwips = 660;
constexpr int kBulletHangTwips = -240;
constexpr int kScriptOffsetTwips = 50;
constexpr double kScriptSize = 8;

rtf::Colour colourOf(Hue hue) {
    switch (hue) {
        case Hue::Black:
            break;
        case Hue::Red:
            return {200, 0, 0};
        case Hue::Blue:
            return {0, 0, 200};
        case Hue::Green:
            return {0, 128, 0};
        case Hue::Purple:
            return {192, 0, 192};
        case Hue::Orange:
            return {230, 120, 0};
        case Hue::Grey:
            return {100, 100, 100};
    }
    return {0, 0, 0};
}

rtf::CharFormat formatOf(const Span& span, BlockKind kind) {
    rtf::CharFormat format;
    format.pointSize = kind == BlockKind::Title ? 14 : kind == BlockKind::Heading ? 11 : 10;
    const bool heading = kind == BlockKind::Title || kind == BlockKind::Heading;
    format.bold = span.bold || heading;
    format.italic = span.italic;
    format.colour = colourOf(heading && span.hue == Hue::Black ? Hue::Blue : span.hue);
    if (span.script != Script::Base) {
        format.pointSize = kScriptSize;
        format.offsetTwips = span.script == Script::Super ? kScriptOffsetTwips : -kScriptOffsetTwips;
    }
    return format;
}

rtf::Paragraph paragraphOf(BlockKind kind) {
    rtf::Paragraph paragraph;
    paragraph.leftIndentTwips = kind == BlockKind::Item ? kItemIndentTwips : kIndentTwips;
    paragraph.rightIndentTwips = kIndentTwips;
    if (kind == BlockKind::Item) paragraph.firstLineIndentTwips = kBulletHangTwips;
    if (kind == BlockKind::Title) paragraph.alignment = rtf::Alignment::Centre;
    return paragraph;
}

}  // namespace

rtf::Document toDocument(const MarkedText& text) {
    rtf::Document document;
    BlockKind previous = BlockKind::Title;
    for (std::size_t i = 0; i < text.blocks.size(); ++i) {
        const Block& block = text.blocks[i];
        // An empty line between blocks, but a heading leads straight into its text and list items
        // follow one another.
        const bool joined =
            previous == BlockKind::Heading || (block.kind == BlockKind::Item && previous == BlockKind::Item);
        if (i > 0 && !joined) document.paragraphs.push_back(paragraphOf(BlockKind::Text));
        previous = block.kind;
        rtf::Paragraph paragraph = paragraphOf(block.kind);
        if (block.kind == BlockKind::Item)
            paragraph.runs.push_back({"\xE2\x80\xA2 ", formatOf({}, block.kind)});
        if (block.kind == BlockKind::Answer) {
            // Room for the pupil's answer, typed into the statement.
            Span prompt;
            prompt.italic = true;
            prompt.hue = Hue::Green;
            paragraph.runs.push_back({"Réponse :", formatOf(prompt, block.kind)});
            document.paragraphs.push_back(paragraph);
            paragraph = paragraphOf(BlockKind::Text);
            document.paragraphs.push_back(paragraph);
        }
        for (const Span& span : block.spans)
            paragraph.runs.push_back({span.text, formatOf(span, block.kind)});
        document.paragraphs.push_back(std::move(paragraph));
    }
    document.normalise();
    return document;
}

}  // namespace tools
