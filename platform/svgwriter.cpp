#include "platform/svgwriter.h"

#include <cmath>
#include <type_traits>

#include "platform/fonts.h"

namespace platform {

namespace {

// Three decimals are a thousandth of a pixel: more than any reader shows.
QString number(double value) {
    if (!std::isfinite(value)) return QStringLiteral("0");
    QString text = QString::number(value, 'f', 3);
    while (text.endsWith(QLatin1Char('0'))) text.chop(1);
    if (text.endsWith(QLatin1Char('.'))) text.chop(1);
    return text == QStringLiteral("-0") ? QStringLiteral("0") : text;
}

QString colour(Colour c) {
    return toQColor(c).name(QColor::HexRgb);
}

// Text and attribute values; characters XML 1.0 refuses are left out.
QString escaped(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u == u'&') {
            out += QStringLiteral("&amp;");
        } else if (u == u'<') {
            out += QStringLiteral("&lt;");
        } else if (u == u'>') {
            out += QStringLiteral("&gt;");
        } else if (u == u'"') {
            out += QStringLiteral("&quot;");
        } else if (u >= 0x20 || u == u'\t') {
            out += ch;
        }
    }
    return out;
}

QString stroke(Colour c, int width) {
    return QStringLiteral(" stroke=\"%1\" stroke-width=\"%2\"").arg(colour(c), number(width));
}

QString element(const drawn::Item& item) {
    return std::visit(
        [](const auto& it) -> QString {
            using Kind = std::decay_t<decltype(it)>;
            if constexpr (std::is_same_v<Kind, drawn::Line>) {
                return QStringLiteral("<line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%4\"%5/>")
                    .arg(number(it.from.x()), number(it.from.y()), number(it.to.x()), number(it.to.y()),
                         stroke(it.colour, it.width));
            } else if constexpr (std::is_same_v<Kind, drawn::Polyline>) {
                QString points;
                for (const QPointF& p : it.points) {
                    if (!points.isEmpty()) points += QLatin1Char(' ');
                    points += number(p.x()) + QLatin1Char(',') + number(p.y());
                }
                return QStringLiteral("<polyline points=\"%1\"%2/>").arg(points, stroke(it.colour, it.width));
            } else if constexpr (std::is_same_v<Kind, drawn::Dot>) {
                return QStringLiteral("<circle cx=\"%1\" cy=\"%2\" r=\"%3\" fill=\"%4\"/>")
                    .arg(number(it.at.x()), number(it.at.y()), number(it.width / 2.0), colour(it.colour));
            } else if constexpr (std::is_same_v<Kind, drawn::Circle>) {
                return QStringLiteral("<circle cx=\"%1\" cy=\"%2\" r=\"%3\"%4/>")
                    .arg(number(it.centre.x()), number(it.centre.y()), number(it.radius),
                         stroke(it.colour, it.width));
            } else if constexpr (std::is_same_v<Kind, drawn::Rectangle>) {
                return QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" fill=\"%5\"/>")
                    .arg(number(it.topLeft.x()), number(it.topLeft.y()),
                         number(it.bottomRight.x() - it.topLeft.x() + 1),
                         number(it.bottomRight.y() - it.topLeft.y() + 1), colour(it.fill));
            } else {
                const FontSettings& f = it.font;
                return QStringLiteral(
                           "<text x=\"%1\" y=\"%2\" font-family=\"%3\" font-size=\"%4\" font-weight=\"%5\" "
                           "font-style=\"%6\"%7 fill=\"%8\">%9</text>")
                    .arg(number(it.topLeft.x()), number(it.baseline), escaped(f.name),
                         number(pixelsFromPoints(f.points)),
                         f.bold ? QStringLiteral("bold") : QStringLiteral("normal"),
                         f.italic ? QStringLiteral("italic") : QStringLiteral("normal"),
                         f.underline ? QStringLiteral(" text-decoration=\"underline\"") : QString(),
                         colour(it.colour), escaped(it.text));
            }
        },
        item);
}

}  // namespace

QByteArray svgDocument(const Drawing& drawing, QSize size, const QString& title) {
    const Placement place = fitInside(drawing.size, QSizeF(size));
    const QString w = number(size.width());
    const QString h = number(size.height());
    QString out;
    out += QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
    out += QStringLiteral(
               "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"%1\" height=\"%2\" "
               "viewBox=\"0 0 %1 %2\">\n")
               .arg(w, h);
    out += QStringLiteral("<title>%1</title>\n").arg(escaped(title));
    out += QStringLiteral("<rect width=\"%1\" height=\"%2\" fill=\"#ffffff\"/>\n").arg(w, h);
    out += QStringLiteral(
               "<g transform=\"translate(%1 %2) scale(%3)\" fill=\"none\" stroke-linecap=\"round\" "
               "stroke-linejoin=\"round\">\n")
               .arg(number(place.left), number(place.top), QString::number(place.scale, 'g', 9));
    out += QStringLiteral("<rect width=\"%1\" height=\"%2\" fill=\"%3\"/>\n")
               .arg(number(drawing.size.width()), number(drawing.size.height()), colour(drawing.background));
    for (const drawn::Item& item : drawing.items) out += element(item) + QLatin1Char('\n');
    out += QStringLiteral("</g>\n</svg>\n");
    return out.toUtf8();
}

}  // namespace platform
