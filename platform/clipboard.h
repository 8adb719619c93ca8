#pragma once
// The clipboard behind an interface. Each put replaces what the clipboard held.
#include <QByteArray>
#include <QImage>
#include <QString>

namespace platform {

class Clipboard {
  public:
    virtual ~Clipboard() = default;
    virtual void clear() = 0;
    virtual void setImage(const QImage& image) = 0;
    virtual void setText(const QString& plain) = 0;
    // One item in three formats (RTF, HTML, plain text), so that a word processor pastes it
    // with its colours and a text editor as plain text.
    virtual void setRichText(const QByteArray& rtf, const QString& html, const QString& plain) = 0;
    // One item in two formats: a text editor or a spreadsheet pastes the text, a picture editor
    // the image.
    virtual void setTextAndImage(const QString& plain, const QImage& image) = 0;
    // What a paste as plain text gives (a spreadsheet's cells as tab-separated lines); empty when
    // the clipboard holds no text.
    virtual QString plainText() const = 0;
};

}  // namespace platform
