#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rtf/reader.h"
#include "rtf/writer.h"
#include "tools/markup.h"
#include "tools/richtext.h"

using namespace tools;

namespace {

std::vector<SourceLine> linesOf(const std::vector<std::string>& texts) {
    std::vector<SourceLine> lines;
    for (const auto& text : texts) lines.push_back({static_cast<int>(lines.size()) + 1, text});
    return lines;
}

MarkedText parsed(const std::vector<std::string>& texts) {
    SourceError error;
    const auto lines = linesOf(texts);
    auto marked = parseMarkup(lines, error);
    EXPECT_TRUE(marked.has_value()) << error.message;
    return marked.value_or(MarkedText{});
}

std::vector<Span> spansOf(const std::string& text) {
    const auto marked = parsed({text});
    return marked.blocks.empty() ? std::vector<Span>{} : marked.blocks[0].spans;
}

Span look(std::string text, bool bold, bool italic, Hue hue = Hue::Black) {
    Span span;
    span.text = std::move(text);
    span.bold = bold;
    span.italic = italic;
    span.hue = hue;
    return span;
}
Span plain(std::string text) {
    return look(std::move(text), false, false);
}
Span coloured(std::string text, Hue hue) {
    return look(std::move(text), false, false, hue);
}
Span with(std::string text, Script script) {
    Span span = plain(std::move(text));
    span.script = script;
    return span;
}

struct Inline {
    const char* why;
    const char* text;
    std::vector<Span> spans;
};

class InlineMarkup : public ::testing::TestWithParam<Inline> {};

TEST_P(InlineMarkup, GivesItsSpans) {
    EXPECT_EQ(spansOf(GetParam().text), GetParam().spans) << GetParam().why;
}

INSTANTIATE_TEST_SUITE_P(
    Looks, InlineMarkup,
    ::testing::Values(
        Inline{"formula with one-character scripts",
               "H_3O^+",
               {plain("H"), with("3", Script::Sub), plain("O"), with("+", Script::Super)}},
        Inline{"grouped exponent", "mol·L^{-1} !", {plain("mol·L"), with("-1", Script::Super), plain(" !")}},
        Inline{"accented subscript", "V_é", {plain("V"), with("é", Script::Sub)}},
        Inline{"bold then italic", "**a** *b*", {look("a", true, false), plain(" "), look("b", false, true)}},
        Inline{"colour nests and comes back",
               "{rouge|a {bleu|b} c} d",
               {coloured("a ", Hue::Red), coloured("b", Hue::Blue), coloured(" c", Hue::Red), plain(" d")}},
        Inline{"escapes make signs plain", R"(\*a\_b\^c\{d\}\[\[\\)", {plain("*a_b^c{d}[[\\")}},
        Inline{"single bracket is text", "[a] b", {plain("[a] b")}},
        Inline{"tag shows only its number", "pH = [[8,23 | pH S1 V=Ve]].", {plain("pH = 8,23.")}}));

TEST(Tags, KeepTheirNumberQuantityPictureAndLine) {
    const auto marked =
        parsed({"Début", "", "V = [[ 16,0 |Ve S1 ]] mL et c = [[0,0085 | C S2 | 0.0#######]]"});
    ASSERT_EQ(marked.tags.size(), 2u);
    EXPECT_EQ(marked.tags[0].shown, "16,0");
    EXPECT_EQ(marked.tags[0].quantity, "Ve S1");
    EXPECT_EQ(marked.tags[0].picture, "");
    EXPECT_EQ(marked.tags[0].line, 3);
    EXPECT_EQ(marked.tags[1].quantity, "C S2");
    EXPECT_EQ(marked.tags[1].picture, "0.0#######");
}

TEST(Blocks, FollowTheLineMarkers) {
    const auto marked = parsed({"# Titre", "## Partie", "Une phrase", "qui continue.", "", "- un", "suite",
                                "- deux", "...", "Fin."});
    const std::vector<BlockKind> kinds = {BlockKind::Title, BlockKind::Heading, BlockKind::Text,
                                          BlockKind::Item,  BlockKind::Item,    BlockKind::Answer,
                                          BlockKind::Text};
    ASSERT_EQ(marked.blocks.size(), kinds.size());
    for (std::size_t i = 0; i < kinds.size(); ++i) EXPECT_EQ(marked.blocks[i].kind, kinds[i]) << i;
    EXPECT_EQ(marked.blocks[2].spans, std::vector<Span>{plain("Une phrase qui continue.")});
    EXPECT_EQ(marked.blocks[3].spans, std::vector<Span>{plain("un suite")});
    EXPECT_EQ(marked.blocks[3].line, 6);
    EXPECT_EQ(marked.blocks[6].line, 10);
}

TEST(Blocks, BoldRunsAcrossTheLinesOfAParagraph) {
    const auto marked = parsed({"**début", "fin**"});
    ASSERT_EQ(marked.blocks.size(), 1u);
    EXPECT_EQ(marked.blocks[0].spans, std::vector<Span>{look("début fin", true, false)});
}

struct Fault {
    const char* why;
    std::vector<std::string> lines;
    int line;
};

class MalformedMarkup : public ::testing::TestWithParam<Fault> {};

TEST_P(MalformedMarkup, IsReportedAtItsParagraph) {
    SourceError error;
    const auto lines = linesOf(GetParam().lines);
    EXPECT_FALSE(parseMarkup(lines, error).has_value()) << GetParam().why;
    EXPECT_EQ(error.line, GetParam().line) << GetParam().why;
    EXPECT_FALSE(error.message.empty());
}

INSTANTIATE_TEST_SUITE_P(Faults, MalformedMarkup,
                         ::testing::Values(Fault{"bold not closed", {"ok", "", "**gras"}, 3},
                                           Fault{"unknown colour", {"{jaune|x}"}, 1},
                                           Fault{"brace without a colour", {"{x}"}, 1},
                                           Fault{"stray closing brace", {"x}"}, 1},
                                           Fault{"tag without quantity", {"a", "b [[8,23]]"}, 1},
                                           Fault{"tag not closed", {"[[8 | pH S1 V=0"}, 1},
                                           Fault{"script sign before a blank", {"H_ 2"}, 1},
                                           Fault{"empty script group", {"H_{}"}, 1},
                                           Fault{"backslash at the end", {"a\\"}, 1}));

TEST(RichText, LooksLikeTheProgramsTexts) {
    const auto document =
        toDocument(parsed({"# Titre", "L'ion H_3O^+ est {rouge|**acide**}.", "- item", "..."}));
    const auto& paragraphs = document.paragraphs;
    // title, spacer, text, spacer, item, spacer, answer line and two empty lines
    ASSERT_EQ(paragraphs.size(), 9u);
    EXPECT_EQ(paragraphs[0].alignment, rtf::Alignment::Centre);
    const auto& title = paragraphs[0].runs.at(0).format;
    EXPECT_TRUE(title.bold);
    EXPECT_EQ(title.colour, (rtf::Colour{0, 0, 200}));
    EXPECT_GT(title.pointSize, 10);

    const auto& runs = paragraphs[2].runs;
    ASSERT_EQ(runs.size(), 7u);  // "L'ion H", "3", "O", "+", " est ", "acide", "."
    EXPECT_EQ(runs[1].text, "3");
    EXPECT_LT(runs[1].format.offsetTwips, 0);
    EXPECT_LT(runs[1].format.pointSize, runs[0].format.pointSize);
    EXPECT_GT(runs[3].format.offsetTwips, 0);
    EXPECT_EQ(runs[5].text, "acide");
    EXPECT_TRUE(runs[5].format.bold);
    EXPECT_EQ(runs[5].format.colour, (rtf::Colour{200, 0, 0}));
    EXPECT_EQ(paragraphs[2].leftIndentTwips, 300);

    EXPECT_EQ(paragraphs[4].text(), "\xE2\x80\xA2 item");
    EXPECT_LT(paragraphs[4].firstLineIndentTwips, 0);
    EXPECT_EQ(paragraphs[6].text(), "Réponse :");
    EXPECT_EQ(paragraphs[7].text(), "");
    EXPECT_EQ(paragraphs[8].text(), "");
    // Items follow one another; a heading leads straight into its text.
    EXPECT_EQ(toDocument(parsed({"## H", "a", "- un", "- deux"})).plainText("|"),
              "H|a||\xE2\x80\xA2 un|\xE2\x80\xA2 deux");
}

TEST(RichText, ComesBackFromItsRtf) {
    const auto document =
        toDocument(parsed({"## Questions", "Le pH vaut [[8,23 | pH S1 V=Ve]] à l'équivalence ;",
                           "c_A = c_B × V_E / V_A en mol·L^{-1}."}));
    const auto read = rtf::read(rtf::write(document));
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->plainText(), document.plainText());
    EXPECT_EQ(read->plainText(),
              "Questions\nLe pH vaut 8,23 à l'équivalence ; cA = cB × VE / VA en mol·L-1.");
}

}  // namespace
