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

    // The formats that setRichText puts on the clipboard.
    static std::unique_ptr<QMimeData> richTextData(const QByteArray& rtf, const QString& html,
                                                   const QString& plain);
};

}  // namespace platform
