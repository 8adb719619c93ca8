#include "platform/drawingpainting.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <type_traits>

#include "platform/fonts.h"

namespace platform {

namespace {

QPen penOf(Colour colour, int width) {
    return QPen(QBrush(toQColor(colour)), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void paintItem(QPainter& painter, const drawn::Item& item) {
    std::visit(
        [&painter](const auto& it) {
            using Kind = std::decay_t<decltype(it)>;
            if constexpr (std::is_same_v<Kind, drawn::Line>) {
                painter.setPen(penOf(it.colour, it.width));
                painter.setBrush(Qt::NoBrush);
                painter.drawLine(it.from, it.to);
            } else if constexpr (std::is_same_v<Kind, drawn::Polyline>) {
                painter.setPen(penOf(it.colour, it.width));
                painter.setBrush(Qt::NoBrush);
                painter.drawPolyline(QPolygonF(QList<QPointF>(it.points.begin(), it.points.end())));
            } else if constexpr (std::is_same_v<Kind, drawn::Dot>) {
                painter.setPen(Qt::NoPen);
                painter.setBrush(toQColor(it.colour));
                painter.drawEllipse(it.at, it.width / 2.0, it.width / 2.0);
            } else if constexpr (std::is_same_v<Kind, drawn::Circle>) {
                painter.setPen(penOf(it.colour, it.width));
                painter.setBrush(Qt::NoBrush);
                painter.drawEllipse(it.centre, it.radius, it.radius);
            } else if constexpr (std::is_same_v<Kind, drawn::Rectangle>) {
                painter.fillRect(QRectF(it.topLeft, it.bottomRight + QPointF(1, 1)), toQColor(it.fill));
            } else {
                const FontSettings& f = it.font;
                painter.setFont(pixelFont(f.name, f.points, f.bold, f.italic, f.underline));
                painter.setPen(toQColor(it.colour));
                painter.drawText(QPointF(it.topLeft.x(), it.baseline), it.text);
            }
        },
        item);
}

}  // namespace

void paintDrawing(QPainter& painter, const Drawing& drawing, const QRectF& target) {
    const Placement place = fitInside(drawing.size, target.size());
    if (!(place.scale > 0)) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.translate(target.left() + place.left, target.top() + place.top);
    painter.scale(place.scale, place.scale);
    painter.setClipRect(QRectF(QPointF(0, 0), QSizeF(drawing.size)));
    painter.fillRect(QRectF(QPointF(0, 0), QSizeF(drawing.size)), toQColor(drawing.background));
    for (const drawn::Item& item : drawing.items) paintItem(painter, item);
    painter.restore();
}

}  // namespace platform
