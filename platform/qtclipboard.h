#pragma once
// The system clipboard.
#include <QMimeData>
#include <memory>

#include "platform/clipboard.h"

namespace platform {

class QtClipboard : public Clipboard {
  public:
    void clear() override;
    void setImage(const QImage& image) override;
    void setText(const QString& plain) override;
    void setRichText(const QByteArray& rtf, const QString& html, const QString& plain) override;
    void setTextAndImage(const QString& plain, const QImage& image) override;
    QString plainText() const override;

    // The formats that setImage puts on the clipboard: the platform's own image formats, and
    // PNG explicitly, which office suites and image editors paste everywhere.
    static std::unique_ptr<QMimeData> imageData(const QImage& image);
    // The formats that setRichText puts on the clipboard.
    static std::unique_ptr<QMimeData> richTextData(const QByteArray& rtf, const QString& html,
                                                   const QString& plain);
    // The formats that setTextAndImage puts on the clipboard: the image's and the plain text.
    static std::unique_ptr<QMimeData> textAndImageData(const QString& plain, const QImage& image);
};

}  // namespace platform
