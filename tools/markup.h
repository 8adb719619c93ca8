#pragma once
// The light markup of the exercise sources, which teachers write and extend by hand: paragraphs,
// titles, list items and answer spaces; bold, italic, coloured words, subscripts and superscripts;
// and the numbers a text states, each tagged with the quantity it states so that a test can
// compute it again with the engine.
//
//   # Title            ## Heading            - list item            ...  (room for an answer)
//   **bold**  *italic*  {rouge|coloured words}  H_3O^+  mol·L^{-1}  [[8,23 | pH S1 V=Ve]]
//   A backslash makes the next character plain (\* \_ \^ \{ \} \[ and a doubled backslash).
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tools {

struct SourceLine {
    int number = 0;  // from 1, in the source file
    std::string text;
};

struct SourceError {
    int line = 0;
    std::string message;
};

enum class Script { Base, Sub, Super };
enum class Hue { Black, Red, Blue, Green, Purple, Orange, Grey };

// A piece of text in one look.
struct Span {
    std::string text;
    bool bold = false;
    bool italic = false;
    Script script = Script::Base;
    Hue hue = Hue::Black;
    bool operator==(const Span&) const = default;
};

enum class BlockKind { Title, Heading, Text, Item, Answer };

struct Block {
    BlockKind kind = BlockKind::Text;
    std::vector<Span> spans;
    int line = 0;  // first source line
};

// A number a text states ("8,23") and the quantity it states ("pH S1 V=Ve").
struct Tag {
    std::string shown;
    std::string quantity;
    std::string picture;  // the picture the number is shown with; empty for the quantity's own
    int line = 0;
};

struct MarkedText {
    std::vector<Block> blocks;
    std::vector<Tag> tags;  // in the order of the text
};

// Without the spaces and tabs around it.
std::string_view trimBlanks(std::string_view text);

// The pieces between the separators, each trimmed; one piece when there is no separator.
std::vector<std::string_view> splitTrimmed(std::string_view text, char separator);

// The colour words that {name|...} accepts, and their colours.
std::optional<Hue> hueNamed(std::string_view name);

// Lines of one text: a blank line ends a paragraph, the lines of a paragraph (or of a list item)
// are joined with a space. Nothing, and the error, when the markup is malformed.
std::optional<MarkedText> parseMarkup(std::span<const SourceLine> lines, SourceError& error);

}  // namespace tools
