#pragma once
// The formatting commands of a rich-text box, as a row of buttons over it: bold, italic,
// underlined, lowered and raised characters, the size of titles, headings and text, colours, and
// the alignment of paragraphs. They act on the selection, or on what is typed next; Ctrl+B, Ctrl+I
// and Ctrl+U work in the box as well.
#include <QWidget>

class QToolButton;

namespace platform {
class RichTextBox;
}

namespace exercisewindow {

class TextFormatBar : public QWidget {
    Q_OBJECT

  public:
    TextFormatBar(platform::RichTextBox& box, QWidget* parent = nullptr);

    // Each switches on or off, after the first character of the selection.
    void toggleBold();
    void toggleItalic();
    void toggleUnderline();
    // Lowered (indices) or raised (exponents) by 50 twips in 8 points, as the shipped texts write
    // them; again, back to the text's line in 10 points.
    void toggleLowered();
    void toggleRaised();
    void setSize(double points);
    void setColour(QColor colour);
    void centre(bool centred);

  private:
    QToolButton* addButton(const char* name, const QString& text, const QString& hint);
    void toggleOffset(int twips);

    platform::RichTextBox& m_box;
};

}  // namespace exercisewindow
