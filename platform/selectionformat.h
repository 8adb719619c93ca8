#pragma once
// The format of a rich-text box's selection: character formats apply to the selection, or with
// nothing selected to the text appended next; paragraph formats apply to every paragraph the
// selection touches. The getters give the format of the first selected character (of the text
// appended next when nothing is selected) and of the paragraph of the selection's start; the font
// is fontName's: a format alone has no font table to refer to.
#include <QString>

#include "platform/colour.h"
#include "rtf/document.h"

namespace platform {

class RichTextBox;

class SelectionFormat {
  public:
    explicit SelectionFormat(RichTextBox& box) : m_box(box) {}

    void setFontName(const QString& name);
    void setFontSize(double points);
    void setColour(Colour colour);
    void setBold(bool bold);
    void setItalic(bool italic);
    void setUnderline(bool underline);
    // Twips; positive raises. A raise of 50 with size 8 is the superscript look.
    void setCharOffset(int twips);
    void setAlignment(rtf::Alignment alignment);
    void setIndent(int pixels);
    void setRightIndent(int pixels);

    rtf::CharFormat format() const;
    QString fontName() const;
    double fontSize() const;
    Colour colour() const;
    bool bold() const;
    bool italic() const;
    bool underline() const;
    int charOffset() const;
    rtf::Alignment alignment() const;
    int indent() const;
    int rightIndent() const;

  private:
    RichTextBox& m_box;
};

}  // namespace platform
