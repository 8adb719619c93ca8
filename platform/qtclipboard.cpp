#include "platform/qtclipboard.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>

namespace platform {

void QtClipboard::clear() {
    QGuiApplication::clipboard()->clear();
}

void QtClipboard::setImage(const QImage& image) {
    QGuiApplication::clipboard()->setMimeData(imageData(image).release());
}

void QtClipboard::setText(const QString& plain) {
    QGuiApplication::clipboard()->setText(plain);
}

void QtClipboard::setRichText(const QByteArray& rtf, const QString& html, const QString& plain) {
    QGuiApplication::clipboard()->setMimeData(richTextData(rtf, html, plain).release());
}

void QtClipboard::setTextAndImage(const QString& plain, const QImage& image) {
    QGuiApplication::clipboard()->setMimeData(textAndImageData(plain, image).release());
}

QString QtClipboard::plainText() const {
    return QGuiApplication::clipboard()->text();
}

std::unique_ptr<QMimeData> QtClipboard::imageData(const QImage& image) {
    auto data = std::make_unique<QMimeData>();
    data->setImageData(image);
    QByteArray png;
    QBuffer buffer(&png);
    if (buffer.open(QIODevice::WriteOnly) && image.save(&buffer, "PNG")) {
        data->setData(QStringLiteral("image/png"), png);
    }
    return data;
}

std::unique_ptr<QMimeData> QtClipboard::richTextData(const QByteArray& rtf, const QString& html,
                                                     const QString& plain) {
    auto data = std::make_unique<QMimeData>();
    // Office suites look for RTF under either name.
    data->setData(QStringLiteral("text/rtf"), rtf);
    data->setData(QStringLiteral("application/rtf"), rtf);
    data->setHtml(html);
    data->setText(plain);
    return data;
}

std::unique_ptr<QMimeData> QtClipboard::textAndImageData(const QString& plain, const QImage& image) {
    std::unique_ptr<QMimeData> data = imageData(image);
    data->setText(plain);
    return data;
}

}  // namespace platform
