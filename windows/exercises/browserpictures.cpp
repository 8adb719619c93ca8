#include "windows/exercises/browserpictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "platform/pixelratio.h"

namespace exercisewindow {
namespace {

QPixmap blank(int width, int height) {
    return platform::transparentPixmap(QSize(width, height));
}

// An Erlenmeyer flask in a square of `size` pixels: a neck, then a cone with a flat bottom.
QPainterPath flaskOutline(qreal size) {
    const qreal s = size / 32.0;
    QPainterPath path;
    path.moveTo(12 * s, 3 * s);
    path.lineTo(20 * s, 3 * s);
    path.lineTo(20 * s, 5 * s);
    path.lineTo(19 * s, 5 * s);
    path.lineTo(19 * s, 12 * s);
    path.lineTo(28 * s, 27 * s);
    path.quadTo(29 * s, 30 * s, 26 * s, 30 * s);
    path.lineTo(6 * s, 30 * s);
    path.quadTo(3 * s, 30 * s, 4 * s, 27 * s);
    path.lineTo(13 * s, 12 * s);
    path.lineTo(13 * s, 5 * s);
    path.lineTo(12 * s, 5 * s);
    path.closeSubpath();
    return path;
}

}  // namespace

QPixmap levelPicture(bool lit) {
    const qreal size = kLevelIconSize;
    QPixmap picture = blank(kLevelIconSize, kLevelIconSize);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPainterPath flask = flaskOutline(size);

    // The glass.
    painter.setPen(Qt::NoPen);
    painter.setBrush(lit ? QColor(235, 245, 255) : QColor(120, 120, 128));
    painter.drawPath(flask);

    // The solution fills the cone up to two thirds of the flask.
    QPainterPath liquid;
    liquid.addRect(QRectF(0, size * 0.56, size, size));
    liquid = liquid.intersected(flask);
    if (lit) {
        QLinearGradient gradient(0, size * 0.56, 0, size);
        gradient.setColorAt(0.0, QColor(255, 196, 60));
        gradient.setColorAt(1.0, QColor(232, 96, 24));
        painter.setBrush(gradient);
    } else {
        painter.setBrush(QColor(78, 78, 86));
    }
    painter.drawPath(liquid);

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(lit ? QColor(40, 60, 110) : QColor(60, 60, 66), 1.6));
    painter.drawPath(flask);
    if (lit) {
        // A glint on the glass and two bubbles make the lit flask shine.
        painter.setPen(QPen(QColor(255, 255, 255, 220), 1.6, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(size * 0.30, size * 0.80), QPointF(size * 0.40, size * 0.62));
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 255, 255, 200));
        painter.drawEllipse(QPointF(size * 0.56, size * 0.74), 1.6, 1.6);
        painter.drawEllipse(QPointF(size * 0.64, size * 0.84), 1.1, 1.1);
    }
    return picture;
}

QPixmap hourglassPicture(int height) {
    const int width = std::max(4, height * 2 / 3);
    QPixmap picture = blank(width, height);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal w = width;
    const qreal h = height;
    const qreal frame = std::max(1.5, h / 10.0);
    // Glass: two triangles meeting at the waist.
    QPainterPath glass;
    glass.moveTo(w * 0.16, frame);
    glass.lineTo(w * 0.84, frame);
    glass.lineTo(w * 0.54, h / 2);
    glass.lineTo(w * 0.84, h - frame);
    glass.lineTo(w * 0.16, h - frame);
    glass.lineTo(w * 0.46, h / 2);
    glass.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(230, 240, 250));
    painter.drawPath(glass);
    // Sand: a little left on top, a heap below.
    QPainterPath top;
    top.moveTo(w * 0.34, h * 0.30);
    top.lineTo(w * 0.66, h * 0.30);
    top.lineTo(w * 0.5, h * 0.48);
    top.closeSubpath();
    QPainterPath heap;
    heap.moveTo(w * 0.2, h - frame);
    heap.lineTo(w * 0.8, h - frame);
    heap.lineTo(w * 0.5, h * 0.66);
    heap.closeSubpath();
    painter.setBrush(QColor(222, 170, 60));
    painter.drawPath(top);
    painter.drawPath(heap);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(90, 70, 40), 1.0));
    painter.drawPath(glass);
    // Wooden caps.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(140, 90, 40));
    painter.drawRoundedRect(QRectF(0, 0, w, frame), 1, 1);
    painter.drawRoundedRect(QRectF(0, h - frame, w, frame), 1, 1);
    return picture;
}

QPixmap openPicture() {
    QPixmap picture = blank(32, 32);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    // A sheet with a folded corner and lines of text.
    QPainterPath sheet;
    sheet.moveTo(5, 2);
    sheet.lineTo(19, 2);
    sheet.lineTo(25, 8);
    sheet.lineTo(25, 28);
    sheet.lineTo(5, 28);
    sheet.closeSubpath();
    painter.setPen(QPen(QColor(70, 90, 130), 1.2));
    painter.setBrush(Qt::white);
    painter.drawPath(sheet);
    painter.drawLine(QPointF(19, 2), QPointF(19, 8));
    painter.drawLine(QPointF(19, 8), QPointF(25, 8));
    painter.setPen(QPen(QColor(150, 165, 190), 1.2));
    for (int y = 11; y <= 23; y += 4) painter.drawLine(QPointF(8, y), QPointF(y < 17 ? 22 : 15, y));
    // A green disc with an arrow pointing right: "go".
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 160, 70));
    painter.drawEllipse(QPointF(23, 23), 8, 8);
    painter.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(QPointF(19, 23), QPointF(27, 23));
    painter.drawLine(QPointF(24, 19.5), QPointF(27.5, 23));
    painter.drawLine(QPointF(24, 26.5), QPointF(27.5, 23));
    return picture;
}

QPixmap closePicture() {
    QPixmap picture = blank(32, 32);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient gradient(QPointF(13, 12), 16);
    gradient.setColorAt(0.0, QColor(240, 110, 100));
    gradient.setColorAt(1.0, QColor(190, 40, 40));
    painter.setPen(QPen(QColor(140, 30, 30), 1.0));
    painter.setBrush(gradient);
    painter.drawEllipse(QPointF(16, 16), 13, 13);
    painter.setPen(QPen(Qt::white, 3.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(11, 11), QPointF(21, 21));
    painter.drawLine(QPointF(21, 11), QPointF(11, 21));
    return picture;
}

}  // namespace exercisewindow
