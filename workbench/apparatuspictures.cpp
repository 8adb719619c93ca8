#include "workbench/apparatuspictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <map>

namespace workbench {
namespace {

// The key is moulded blue plastic; the plug end that carries it is ground glass.
const QColor kKeyLight(110, 165, 240);
const QColor kKeyMid(40, 95, 200);
const QColor kKeyDark(18, 50, 130);
const QColor kKeyOutline(10, 30, 85);
const QColor kGlassLight(235, 238, 242);
const QColor kGlassDark(150, 155, 165);
const QColor kGlassOutline(70, 70, 80);

QImage transparentImage(QSize size, double ratio) {
    QImage image(static_cast<int>(std::lround(size.width() * ratio)),
                 static_cast<int>(std::lround(size.height() * ratio)), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    return image;
}

// A flat wing with two grip ridges at each end, lit from the top left.
void paintWing(QPainter& painter, const QRectF& wing, bool upright) {
    QLinearGradient shade = upright ? QLinearGradient(wing.topLeft(), wing.topRight())
                                    : QLinearGradient(wing.topLeft(), wing.bottomLeft());
    shade.setColorAt(0.0, kKeyLight);
    shade.setColorAt(0.45, kKeyMid);
    shade.setColorAt(1.0, kKeyDark);
    painter.setPen(QPen(kKeyOutline, 1.0));
    painter.setBrush(shade);
    painter.drawRoundedRect(wing, 3.0, 3.0);

    painter.setPen(QPen(QColor(150, 195, 250, 200), 1.0));
    const double ridges[] = {3.0, 6.0};
    for (const double d : ridges) {
        if (upright) {
            painter.drawLine(QPointF(wing.left() + 2.0, wing.top() + d),
                             QPointF(wing.right() - 2.0, wing.top() + d));
            painter.drawLine(QPointF(wing.left() + 2.0, wing.bottom() - d),
                             QPointF(wing.right() - 2.0, wing.bottom() - d));
        } else {
            painter.drawLine(QPointF(wing.right() - d, wing.top() + 2.0),
                             QPointF(wing.right() - d, wing.bottom() - 2.0));
        }
    }
}

QImage paintTap(bool open, double ratio) {
    QImage image = transparentImage(ApparatusPictures::kTapSize, ratio);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const double axis = ApparatusPictures::kTapAxisY + 0.5;

    // The end of the glass plug, coming out of the stopcock body.
    QLinearGradient glass(QPointF(0, axis - 3.5), QPointF(0, axis + 3.5));
    glass.setColorAt(0.0, kGlassLight);
    glass.setColorAt(1.0, kGlassDark);
    painter.setPen(QPen(kGlassOutline, 1.0));
    painter.setBrush(glass);
    painter.drawRect(QRectF(-1.0, axis - 3.5, 6.0, 7.0));

    // Closed: the key lies across the flow; open: it is turned along the tube.
    if (open) {
        paintWing(painter, QRectF(5.5, 1.0, 8.0, 28.0), true);
    } else {
        paintWing(painter, QRectF(6.0, axis - 4.0, 23.0, 8.0), false);
    }

    // The hub that turns the plug.
    QRadialGradient hub(QPointF(8.0, axis - 1.5), 6.0);
    hub.setColorAt(0.0, kKeyLight);
    hub.setColorAt(1.0, kKeyDark);
    painter.setPen(QPen(kKeyOutline, 1.0));
    painter.setBrush(hub);
    painter.drawEllipse(QPointF(9.5, axis), 4.5, 4.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 170));
    painter.drawEllipse(QPointF(8.3, axis - 1.6), 1.4, 1.1);
    return image;
}

QImage paintDrop(double ratio) {
    QImage image = transparentImage(ApparatusPictures::kDropSize, ratio);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    QPainterPath drop;
    drop.moveTo(8.0, 0.6);
    drop.cubicTo(8.0, 0.6, 2.6, 6.6, 2.6, 10.2);
    drop.arcTo(QRectF(2.6, 4.8, 10.8, 10.8), 180.0, 180.0);
    drop.cubicTo(13.4, 6.6, 8.0, 0.6, 8.0, 0.6);
    drop.closeSubpath();

    QRadialGradient water(QPointF(6.2, 8.5), 8.0);
    water.setColorAt(0.0, QColor(170, 215, 255));
    water.setColorAt(0.55, QColor(45, 125, 230));
    water.setColorAt(1.0, QColor(15, 70, 175));
    painter.setPen(QPen(QColor(10, 55, 150), 0.9));
    painter.setBrush(water);
    painter.drawPath(drop);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 210));
    painter.drawEllipse(QPointF(5.9, 10.0), 1.1, 2.0);
    return image;
}

}  // namespace

namespace {

struct Pictures {
    QImage closedTap;
    QImage openTap;
    QImage drop;
};

// Drawn once for each ratio met (a map keeps the references it hands out); a ratio outside
// 1 to 8 is drawn at 1.
const Pictures& picturesAt(double ratio) {
    if (!std::isfinite(ratio) || ratio < 1.0 || ratio > 8.0) ratio = 1.0;
    static std::map<double, Pictures> drawn;
    auto found = drawn.find(ratio);
    if (found == drawn.end())
        found =
            drawn.emplace(ratio, Pictures{paintTap(false, ratio), paintTap(true, ratio), paintDrop(ratio)})
                .first;
    return found->second;
}

}  // namespace

const QImage& ApparatusPictures::tap(bool open, double ratio) {
    const Pictures& pictures = picturesAt(ratio);
    return open ? pictures.openTap : pictures.closedTap;
}

const QImage& ApparatusPictures::drop(double ratio) {
    return picturesAt(ratio).drop;
}

}  // namespace workbench
