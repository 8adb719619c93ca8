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
    QString plainText() const override;

    // The formats that setImage puts on the clipboard: the platform's own image formats, and
    // PNG explicitly, which office suites and image editors paste everywhere.
    static std::unique_ptr<QMimeData> imageData(const QImage& image);
    // The formats that setRichText puts on the clipboard.
    static std::unique_ptr<QMimeData> richTextData(const QByteArray& rtf, const QString& html,
                                                   const QString& plain);
};

}  // namespace platform
