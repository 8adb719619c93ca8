#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

#include "platform/qtclipboard.h"
#include "platform/recordingclipboard.h"

using platform::QtClipboard;
using platform::RecordingClipboard;

namespace {

const QByteArray kRtf = QByteArrayLiteral("{\\rtf1\\ansi {\\b Courbe n\\'b0 1}}");
const QString kHtml = QStringLiteral("<p><b>Courbe n° 1</b></p>");
const QString kPlain = QStringLiteral("Courbe n° 1");

}  // namespace

TEST(QtClipboard, RichTextGoesOnOneItemInRtfHtmlAndPlainText) {
    const auto data = QtClipboard::richTextData(kRtf, kHtml, kPlain);
    EXPECT_EQ(data->data(QStringLiteral("text/rtf")), kRtf);
    EXPECT_EQ(data->data(QStringLiteral("application/rtf")), kRtf);
    EXPECT_TRUE(data->hasHtml());
    EXPECT_EQ(data->html(), kHtml);
    EXPECT_EQ(data->text(), kPlain);
}

TEST(QtClipboard, AnImageGoesOnAlsoAsPngForOfficeSuitesAndImageEditors) {
    QImage image(5, 3, QImage::Format_RGB32);
    image.fill(qRgb(0, 0, 200));
    image.setPixel(4, 2, qRgb(0, 255, 0));
    const auto data = QtClipboard::imageData(image);
    EXPECT_TRUE(data->hasImage());
    const QImage png = QImage::fromData(data->data(QStringLiteral("image/png")), "PNG");
    EXPECT_EQ(png.convertToFormat(QImage::Format_RGB32), image);
}

TEST(QtClipboard, TextAndImageGoOnOneItemSoThatEachPasteTakesItsOwn) {
    QImage image(4, 2, QImage::Format_RGB32);
    image.fill(qRgb(200, 0, 0));
    const auto data = QtClipboard::textAndImageData(QStringLiteral("a\tb\n"), image);
    EXPECT_EQ(data->text(), QStringLiteral("a\tb\n"));
    ASSERT_TRUE(data->hasImage());
    const QImage png = QImage::fromData(data->data(QStringLiteral("image/png")), "PNG");
    EXPECT_EQ(png.convertToFormat(QImage::Format_RGB32), image);
}

TEST(QtClipboard, PutsOnTheSystemClipboardAndEachPutReplacesTheLast) {
    QtClipboard clipboard;
    clipboard.setRichText(kRtf, kHtml, kPlain);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->data(QStringLiteral("text/rtf")), kRtf);
    EXPECT_EQ(data->text(), kPlain);
    clipboard.setText(QStringLiteral("0,0\t2,00\n"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("0,0\t2,00\n"));
    EXPECT_FALSE(QGuiApplication::clipboard()->mimeData()->hasFormat(QStringLiteral("text/rtf")));
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(qRgb(1, 2, 3));
    clipboard.setImage(image);
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(3, 2));
    clipboard.clear();
    EXPECT_TRUE(QGuiApplication::clipboard()->text().isEmpty());
}

TEST(RecordingClipboard, KeepsTheThreeFormatsOfRichText) {
    RecordingClipboard clipboard;
    clipboard.clear();
    clipboard.setRichText(kRtf, kHtml, kPlain);
    EXPECT_EQ(clipboard.rtf(), kRtf);
    EXPECT_EQ(clipboard.html(), kHtml);
    EXPECT_EQ(clipboard.text(), kPlain);
    EXPECT_EQ(clipboard.operations(), (QStringList{"clear", "richText"}));
}

TEST(RecordingClipboard, EachPutReplacesEverythingAndClearEmpties) {
    RecordingClipboard clipboard;
    clipboard.setRichText(kRtf, kHtml, kPlain);
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(qRgb(9, 9, 9));
    clipboard.setImage(image);
    EXPECT_TRUE(clipboard.rtf().isEmpty());
    EXPECT_TRUE(clipboard.text().isEmpty());
    EXPECT_EQ(clipboard.image().pixel(0, 0), qRgb(9, 9, 9));
    image.fill(qRgb(1, 1, 1));
    EXPECT_EQ(clipboard.image().pixel(0, 0), qRgb(9, 9, 9));  // a copy, not the caller's image
    clipboard.setText(QStringLiteral("a"));
    EXPECT_TRUE(clipboard.image().isNull());
    EXPECT_FALSE(clipboard.isEmpty());
    clipboard.clear();
    EXPECT_TRUE(clipboard.isEmpty());
    EXPECT_EQ(clipboard.operations(), (QStringList{"richText", "image", "text", "clear"}));
}
