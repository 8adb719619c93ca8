#pragma once
// The welcome text of the text area `supertext`.
#include <QString>
#include <vector>

namespace platform {
class RichTextBox;
}

namespace workbench {

// The formats a piece of text in `supertext` can take.
enum class TextStyle {
    Plain = 0,
    Blue = 1,
    Centred = 2,
    Subscript = 3,
    Superscript = 4,
    Symbol = 5,
    Blue2 = 6,
    Italic = 7,
    Underlined = 8,
    Title = 9,
    BlueBold = 10,
};

struct TextPiece {
    QString text;
    TextStyle style;
};

// The 24 pieces of the welcome text, in order.
const std::vector<TextPiece>& welcomePieces();

// Formats the selected characters of the box with a style (every style but the title also gets
// a left indent of 20 px).
void applyTextStyle(platform::RichTextBox& box, TextStyle style);

// `writeWelcomeText`: hides the box, clears it, appends the pieces, formats each, puts the caret
// at the start and shows the box again.
void writeWelcomeText(platform::RichTextBox& box);

}  // namespace workbench
