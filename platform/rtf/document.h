#pragma once
// A small rich-text document model: paragraphs of formatted runs, the subset that the
// program's rich-text boxes use and that RTF carries.
#include <string>
#include <string_view>
#include <vector>

namespace rtf {

constexpr int kTwipsPerPixel = 15;  // at 96 dots per inch
constexpr int kTwipsPerPoint = 20;

int twipsFromPixels(double pixels);
double pixelsFromTwips(int twips);

struct Colour {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const Colour&) const = default;
};

enum class Alignment { Left, Centre, Right, Justify };

struct CharFormat {
    std::string fontName = "Arial";
    double pointSize = 10.0;
    Colour colour{};
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int offsetTwips = 0;  // vertical offset of the characters; positive raises
    bool operator==(const CharFormat&) const = default;
};

// Text is UTF-8. Inside a run, "\n" is a line break within the paragraph and "\t" a tab.
struct Run {
    std::string text;
    CharFormat format;
    bool operator==(const Run&) const = default;
};

struct Paragraph {
    Alignment alignment = Alignment::Left;
    int leftIndentTwips = 0;
    int rightIndentTwips = 0;
    int firstLineIndentTwips = 0;  // relative to the left indent
    std::vector<Run> runs;
    CharFormat markFormat;  // format of the paragraph mark (gives an empty paragraph its height)

    std::string text() const;
    bool operator==(const Paragraph&) const = default;
};

struct Document {
    std::vector<Paragraph> paragraphs;

    // The text with paragraphs joined by the separator.
    std::string plainText(std::string_view separator = "\n") const;
    // Drops empty runs and merges neighbouring runs of the same format.
    void normalise();
    bool operator==(const Document&) const = default;
};

// Case-insensitive test for the Symbol font, whose characters are addressed by byte code.
bool isSymbolFont(std::string_view fontName);

}  // namespace rtf
