#include "platform/recordingclipboard.h"

namespace platform {

void RecordingClipboard::forget() {
    m_image = QImage();
    m_text.clear();
    m_rtf.clear();
    m_html.clear();
}

void RecordingClipboard::clear() {
    forget();
    m_operations << QStringLiteral("clear");
}

void RecordingClipboard::setImage(const QImage& image) {
    forget();
    m_image = image.copy();
    m_operations << QStringLiteral("image");
}

void RecordingClipboard::setText(const QString& plain) {
    forget();
    m_text = plain;
    m_operations << QStringLiteral("text");
}

void RecordingClipboard::setRichText(const QByteArray& rtf, const QString& html, const QString& plain) {
    forget();
    m_rtf = rtf;
    m_html = html;
    m_text = plain;
    m_operations << QStringLiteral("richText");
}

void RecordingClipboard::setTextAndImage(const QString& plain, const QImage& image) {
    forget();
    m_text = plain;
    m_image = image.copy();
    m_operations << QStringLiteral("textAndImage");
}

bool RecordingClipboard::isEmpty() const {
    return m_image.isNull() && m_text.isEmpty() && m_rtf.isEmpty() && m_html.isEmpty();
}

}  // namespace platform
