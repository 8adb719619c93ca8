#include "platform/vectorrecorder.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>

#include "platform/fonts.h"
#include "platform/surfacecoordinates.h"
#include "platform/textlines.h"
#include "platform/textmeasures.h"

namespace platform {

namespace {

constexpr int kMaxSide = 16384;

bool usable(double value) {
    return surfacecoordinates::whole(value).has_value();
}

bool usable(double x, double y) {
    return usable(x) && usable(y);
}

Colour orOf(Colour a, Colour b) {
    const auto component = [](int p, int q) { return std::clamp(p, 0, 255) | std::clamp(q, 0, 255); };
    return {component(a.red, b.red), component(a.green, b.green), component(a.blue, b.blue)};
}

}  // namespace

VectorRecorder::VectorRecorder(int width, int height) {
    m_drawing.size = QSize(std::clamp(width, 1, kMaxSide), std::clamp(height, 1, kMaxSide));
    updateFont();
}

void VectorRecorder::setBackColour(Colour colour) {
    m_drawing.background = colour;
    m_drawing.items.clear();
    m_penX = 0.0;
    m_penY = 0.0;
}

void VectorRecorder::setStrokeWidth(int width) {
    if (width >= 1 && width <= 100) m_strokeWidth = width;
}

void VectorRecorder::line(double x1, double y1, double x2, double y2, Colour colour) {
    if (!usable(x1, y1) || !usable(x2, y2)) return;
    m_drawing.items.emplace_back(drawn::Line{{x1, y1}, {x2, y2}, colour, m_strokeWidth});
    m_penX = x2;
    m_penY = y2;
}

void VectorRecorder::polyline(const std::vector<QPointF>& points, Colour colour) {
    drawn::Polyline kept{{}, colour, m_strokeWidth};
    kept.points.reserve(points.size());
    for (const QPointF& p : points) {
        if (usable(p.x(), p.y())) kept.points.push_back(p);
    }
    if (kept.points.empty()) return;
    m_penX = kept.points.back().x();
    m_penY = kept.points.back().y();
    if (kept.points.size() == 1) {
        m_drawing.items.emplace_back(drawn::Dot{kept.points.front(), colour, m_strokeWidth});
    } else {
        m_drawing.items.emplace_back(std::move(kept));
    }
}

void VectorRecorder::pset(double x, double y, Colour colour) {
    if (!usable(x, y)) return;
    m_drawing.items.emplace_back(drawn::Dot{{x, y}, colour, m_strokeWidth});
    m_penX = x;
    m_penY = y;
}

void VectorRecorder::circle(double cx, double cy, double r, Colour colour) {
    if (!usable(cx, cy) || !usable(r) || r < 0) return;
    m_drawing.items.emplace_back(drawn::Circle{{cx, cy}, r, colour, m_strokeWidth});
    m_penX = cx;
    m_penY = cy;
}

void VectorRecorder::filledRectangle(double x1, double y1, double x2, double y2, Colour fill) {
    if (!usable(x1, y1) || !usable(x2, y2)) return;
    const double left = std::min(x1, x2);
    const double top = std::min(y1, y2);
    const double right = std::max(x1, x2);
    const double bottom = std::max(y1, y2);
    const bool wholePicture = left <= 0 && top <= 0 && right >= width() - 1 && bottom >= height() - 1;
    if (m_drawMode == DrawMode::Merge && wholePicture) {
        mergeIntoAll(fill);
    } else {
        m_drawing.items.emplace_back(drawn::Rectangle{{left, top}, {right, bottom}, fill});
    }
    m_penX = x2;
    m_penY = y2;
}

void VectorRecorder::mergeIntoAll(Colour colour) {
    m_drawing.background = orOf(m_drawing.background, colour);
    for (drawn::Item& item : m_drawing.items) {
        std::visit(
            [&](auto& it) {
                if constexpr (requires { it.fill; }) {
                    it.fill = orOf(it.fill, colour);
                } else {
                    it.colour = orOf(it.colour, colour);
                }
            },
            item);
    }
}

void VectorRecorder::moveTo(double x, double y) {
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    m_penX = x;
    m_penY = y;
}

void VectorRecorder::setFontName(const QString& name) {
    if (m_fontSettings.setName(name)) updateFont();
}

void VectorRecorder::setFontSize(double points) {
    if (m_fontSettings.setPoints(points)) updateFont();
}

void VectorRecorder::setFontBold(bool bold) {
    m_fontSettings.bold = bold;
    updateFont();
}

void VectorRecorder::setFontItalic(bool italic) {
    m_fontSettings.italic = italic;
    updateFont();
}

void VectorRecorder::setFontUnderline(bool underline) {
    m_fontSettings.underline = underline;
    updateFont();
}

void VectorRecorder::updateFont() {
    const FontSettings& f = m_fontSettings;
    m_font = pixelFont(f.name, f.points, f.bold, f.italic, f.underline);
}

double VectorRecorder::textWidth(const QString& text) const {
    return textWidthIn(m_font, text);
}

double VectorRecorder::textHeight(const QString& text) const {
    return textHeightIn(m_font, text);
}

void VectorRecorder::print(const QString& text) {
    const QFontMetrics metrics(m_font);
    const QStringList lines = splitTextLines(text);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            m_penX = 0.0;
            m_penY += metrics.height();
        }
        // Whole pixels, as the surface puts a text.
        const auto x = surfacecoordinates::whole(m_penX), y = surfacecoordinates::whole(m_penY);
        if (x && y && !lines[i].isEmpty()) {
            m_drawing.items.emplace_back(drawn::Text{QPointF(*x, *y),
                                                     static_cast<double>(*y + metrics.ascent()), lines[i],
                                                     m_fontSettings, m_foreColour});
        }
        m_penX += metrics.horizontalAdvance(lines[i]);
    }
}

}  // namespace platform
