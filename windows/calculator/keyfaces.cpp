#include "windows/calculator/keyfaces.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace calculatorwindow {

namespace {

constexpr qreal kScale = 2.0;
constexpr qreal kBasePixels = 17.0;
constexpr qreal kExponentPixels = 12.0;

QFont faceFont(qreal pixels, bool italic) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(static_cast<int>(pixels));
    font.setBold(true);
    font.setItalic(italic);
    return font;
}

bool isVariable(const QString& text) {
    return text.size() == 1 && text.front().isLetter() && text != QStringLiteral("e");
}

// A transparent picture of kFaceSize, painted in logical coordinates.
QPixmap blankFace() {
    QPixmap pixmap(kFaceSize * kScale);
    pixmap.setDevicePixelRatio(kScale);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// The same picture for every state, so the key's own colours decide how it looks when pressed
// or disabled.
QIcon iconOf(const QPixmap& pixmap) {
    QIcon icon;
    icon.addPixmap(pixmap, QIcon::Normal);
    icon.addPixmap(pixmap, QIcon::Active);
    return icon;
}

}  // namespace

QIcon exponentFace(const QString& base, const QString& exponent, const QColor& ink) {
    QPixmap pixmap = blankFace();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(ink);

    const QFont baseFont = faceFont(kBasePixels, isVariable(base));
    const QFont exponentFont = faceFont(kExponentPixels, isVariable(exponent));
    const QFontMetricsF baseMetrics(baseFont);
    const QFontMetricsF exponentMetrics(exponentFont);
    const qreal baseWidth = baseMetrics.horizontalAdvance(base);
    const qreal gap = 1.0;
    const qreal width = baseWidth + gap + exponentMetrics.horizontalAdvance(exponent);
    const qreal left = (kFaceSize.width() - width) / 2.0;
    // The base sits a little low so that base and exponent together are centred.
    const qreal baseline = kFaceSize.height() / 2.0 + baseMetrics.capHeight() / 2.0 + 2.0;
    const qreal raisedBaseline = baseline - baseMetrics.capHeight() * 0.6;

    painter.setFont(baseFont);
    painter.drawText(QPointF(left, baseline), base);
    painter.setFont(exponentFont);
    painter.drawText(QPointF(left + baseWidth + gap, raisedBaseline), exponent);
    painter.end();
    return iconOf(pixmap);
}

QIcon rootFace(const QColor& ink) {
    QPixmap pixmap = blankFace();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    const QFont font = faceFont(kBasePixels, true);
    const QFontMetricsF metrics(font);
    const qreal xWidth = metrics.horizontalAdvance(QStringLiteral("x"));
    const qreal signWidth = 12.0;
    const qreal left = (kFaceSize.width() - signWidth - xWidth - 4.0) / 2.0;
    const qreal baseline = kFaceSize.height() / 2.0 + metrics.xHeight() / 2.0 + 1.0;
    const qreal top = baseline - metrics.xHeight() - 6.0;

    // The tick, the long stroke down to the baseline, up to the bar, and the bar over the x.
    QPainterPath sign;
    sign.moveTo(left, baseline - 6.0);
    sign.lineTo(left + 3.0, baseline - 8.0);
    sign.lineTo(left + 7.0, baseline + 1.0);
    sign.lineTo(left + signWidth, top);
    sign.lineTo(left + signWidth + xWidth + 4.0, top);
    painter.setPen(QPen(ink, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(sign);

    painter.setFont(font);
    painter.drawText(QPointF(left + signWidth + 2.0, baseline), QStringLiteral("x"));
    painter.end();
    return iconOf(pixmap);
}

}  // namespace calculatorwindow
