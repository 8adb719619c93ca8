#pragma once
// A rich-text box with the operations of the program's text areas: append at the end with
// the current format, select a range and format it (font, size, colour, style, raised or
// lowered characters in twips, alignment, indents in pixels), RTF in and out.
//
// Positions count a paragraph break as two characters, as in text() where paragraphs are
// joined by CRLF: a caller that appends pieces holding CRLF can select a piece by the total
// length of the pieces before it. Appending "\r\n", "\n" or "\r" makes one paragraph break.
#include <QByteArray>
#include <QTextCharFormat>
#include <QTextEdit>

#include "platform/colour.h"
#include "platform/selectionformat.h"
#include "rtf/document.h"

namespace platform {

class RichTextBox : public QTextEdit {
    Q_OBJECT

  public:
    explicit RichTextBox(QWidget* parent = nullptr);

    // Removes the text; the box keeps the format at the caret.
    void clearText();
    // Inserts at the end with the current format and leaves the caret after it.
    void appendText(const QString& text);

    // Start and length are clamped to the text.
    void select(int start, int length);
    int selStart() const;
    int selLength() const;
    QString selText() const;

    // The selection's format, to read and to change; a const box's, to read.
    SelectionFormat selection();
    const SelectionFormat selection() const;

    // Paragraphs joined by CRLF, line breaks inside a paragraph as "\v": the text positions count.
    QString text() const;
    // Paragraphs and line breaks joined by "\n".
    QString plainText() const;

    rtf::Document richDocument() const;
    // False, with the content unchanged, for a document that the box would lay out taller than Qt
    // can (millions of pixels: hundreds of thousands of lines).
    bool setRichDocument(const rtf::Document& document);
    QByteArray textRtf() const;
    QString html() const;
    // A statement with its pictures stays well within this; larger files are refused rather
    // than keep the pupil waiting.
    static constexpr qint64 kMaxRtfFileBytes = 4 * 1024 * 1024;
    // A document holding a stretch of text longer than this without a break opportunity has all
    // its lines broken anywhere: Qt lays such a stretch out in time growing as its square.
    static constexpr qsizetype kLongestStretchWrappedAtWords = 1000;

    // False, with the content unchanged, when the bytes are not RTF or make a document too tall.
    bool setRtf(const QByteArray& rtf);
    // False, with the content unchanged, for a file that cannot be read, is not RTF, makes a
    // document too tall or is larger than kMaxRtfFileBytes.
    bool loadRtfFile(const QString& path);
    // Writes the whole file or leaves the previous one untouched.
    bool saveRtfFile(const QString& path) const;

  private:
    friend class SelectionFormat;

    int documentPosition(int textPosition) const;
    int textPosition(int documentPosition) const;
    QTextCharFormat formatAt(int documentPosition) const;
    QTextCharFormat selectedFormat() const;
    void mergeSelection(const QTextCharFormat& change);
    void mergeParagraphs(const QTextBlockFormat& change);

    QTextCharFormat m_currentFormat;
};

}  // namespace platform
