#pragma once
// A small rich-text document model: paragraphs of formatted runs, the subset that the
// program's rich-text boxes use and that RTF carries.
#include <string>
#include <string_view>
#include <vector>

#include "numbers/rgb.h"

namespace rtf {

constexpr int kTwipsPerPixel = 15;  // at 96 dots per inch
constexpr int kTwipsPerPoint = 20;

int twipsFromPixels(double pixels);
double pixelsFromTwips(int twips);

// The ranges values are kept in, by the reader and the writer alike, so that a document read and
// written again keeps its values. Indents: 22 inches, RTF's page limit. Font sizes, in the half
// points RTF writes them in: 0.5 pt to 1638 pt; raised and lowered characters (\up, \dn) too.
constexpr int kMaxTwips = 31680;
constexpr int kMinHalfPoints = 1;
constexpr int kMaxHalfPoints = 3276;

int clampTwips(long long twips);
// Nearest half point, within the range; 10 pt for a size that is not finite.
int halfPointsFromPoints(double points);
// A vertical offset in twips as half points, rounded half away from zero, within the range.
int offsetHalfPoints(int twips);

constexpr std::string_view kDefaultFont = "Arial";

using Colour = numbers::Rgb;

enum class Alignment { Left, Centre, Right, Justify };

struct CharFormat {
    int font = 0;  // index in the document's font table
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
    // Runs and paragraph marks refer to their font by its index here, so that a name is held once
    // however many runs use it. Entry 0 is the default font.
    std::vector<std::string> fonts{std::string(kDefaultFont)};
    std::vector<Paragraph> paragraphs;

    // The default font's name for an index outside the table.
    const std::string& fontName(int font) const;
    // The index of a font, added to the table when it is not there yet.
    int addFont(std::string_view name);

    // The text with paragraphs joined by the separator.
    std::string plainText(std::string_view separator = "\n") const;
    // Drops empty runs and merges neighbouring runs of the same format.
    void normalise();
    bool operator==(const Document&) const = default;
};

// Case-insensitive test for the Symbol font, whose characters are addressed by byte code.
bool isSymbolFont(std::string_view fontName);

}  // namespace rtf
