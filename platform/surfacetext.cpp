// The surface's pen position and its text: the font, its measures and printing at the pen.
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "platform/fonts.h"
#include "platform/surfacecoordinates.h"
#include "platform/surfacetext.h"
#include "platform/textlines.h"
#include "platform/textmeasures.h"

namespace platform {

using surfacecoordinates::whole;

void SurfaceText::moveTo(double x, double y) {
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    m_penX = x;
    m_penY = y;
}

SurfaceText::SurfaceText(int width, int height, QObject* parent) : SurfacePicture(width, height, parent) {
    updateFont();
}

void SurfaceText::penCleared() {
    m_penX = 0.0;
    m_penY = 0.0;
}

void SurfaceText::finish(double penX, double penY) {
    m_penX = penX;
    m_penY = penY;
    emit changed();
}

void SurfaceText::setFontName(const QString& name) {
    if (m_fontSettings.setName(name)) updateFont();
}

void SurfaceText::setFontSize(double points) {
    if (m_fontSettings.setPoints(points)) updateFont();
}

void SurfaceText::setFontBold(bool bold) {
    m_fontSettings.bold = bold;
    updateFont();
}

void SurfaceText::setFontItalic(bool italic) {
    m_fontSettings.italic = italic;
    updateFont();
}

void SurfaceText::setFontUnderline(bool underline) {
    m_fontSettings.underline = underline;
    updateFont();
}

void SurfaceText::updateFont() {
    const FontSettings& f = m_fontSettings;
    m_font = pixelFont(f.name, f.points, f.bold, f.italic, f.underline);
}

double SurfaceText::textWidth(const QString& text) const {
    return textWidthIn(m_font, text);
}

double SurfaceText::textHeight(const QString& text) const {
    return textHeightIn(m_font, text);
}

void SurfaceText::print(const QString& text) {
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

void SurfaceText::newLine() {
    m_penX = 0.0;
    m_penY += QFontMetrics(m_font).height();
}

}  // namespace platform
