#pragma once
// A clipboard for tests: keeps what was put on it and the list of operations; a test puts the
// text to be pasted with setText.
#include <QStringList>

#include "platform/clipboard.h"

namespace platform {

class RecordingClipboard : public Clipboard {
  public:
    void clear() override;
    void setImage(const QImage& image) override;
    void setText(const QString& plain) override;
    void setRichText(const QByteArray& rtf, const QString& html, const QString& plain) override;
    void setTextAndImage(const QString& plain, const QImage& image) override;
    QString plainText() const override { return m_text; }

    bool isEmpty() const;
    const QImage& image() const { return m_image; }
    const QString& text() const { return m_text; }
    const QByteArray& rtf() const { return m_rtf; }
    const QString& html() const { return m_html; }
    // "clear", "image", "text", "richText" and "textAndImage", in the order they were done.
    const QStringList& operations() const { return m_operations; }

  private:
    void forget();

    QImage m_image;
    QString m_text;
    QByteArray m_rtf;
    QString m_html;
    QStringList m_operations;
};

}  // namespace platform
