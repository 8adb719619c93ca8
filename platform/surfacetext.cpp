// The surface's pen position and its text: the font, its measures and printing at the pen.
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "platform/fonts.h"
#include "platform/surface.h"
#include "platform/surfacecoordinates.h"
#include "platform/textlines.h"
#include "platform/textmeasures.h"

namespace platform {

using surfacecoordinates::whole;

void Surface::moveTo(double x, double y) {
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    m_penX = x;
    m_penY = y;
}

void Surface::setFontName(const QString& name) {
    if (m_fontSettings.setName(name)) updateFont();
}

void Surface::setFontSize(double points) {
    if (m_fontSettings.setPoints(points)) updateFont();
}

void Surface::setFontBold(bool bold) {
    m_fontSettings.bold = bold;
    updateFont();
}

void Surface::setFontItalic(bool italic) {
    m_fontSettings.italic = italic;
    updateFont();
}

void Surface::setFontUnderline(bool underline) {
    m_fontSettings.underline = underline;
    updateFont();
}

void Surface::updateFont() {
    const FontSettings& f = m_fontSettings;
    m_font = pixelFont(f.name, f.points, f.bold, f.italic, f.underline);
}

double Surface::textWidth(const QString& text) const {
    return textWidthIn(m_font, text);
}

double Surface::textHeight(const QString& text) const {
    return textHeightIn(m_font, text);
}

void Surface::print(const QString& text) {
    const QFontMetrics metrics(m_font);
    const QStringList lines = splitTextLines(text);
    {
        QPainter painter(&picture());
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        painter.setFont(m_font);
        painter.setPen(toQColor(m_foreColour));
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0) {
                m_penX = 0.0;
                m_penY += metrics.height();
            }
            const auto x = whole(m_penX), y = whole(m_penY);
            if (x && y && !lines[i].isEmpty()) painter.drawText(QPoint(*x, *y + metrics.ascent()), lines[i]);
            m_penX += metrics.horizontalAdvance(lines[i]);
        }
    }
    emit changed();
}

void Surface::newLine() {
    m_penX = 0.0;
    m_penY += QFontMetrics(m_font).height();
}

}  // namespace platform
