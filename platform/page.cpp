#include "platform/page.h"

#include <QFontMetricsF>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "platform/fonts.h"
#include "platform/textlines.h"

namespace platform {
namespace {

// Screens between 24 and 960 dots per inch are believed; anything else is a broken report.
double plausibleTwipsPerPixel(double dotsPerInch) {
    if (!std::isfinite(dotsPerInch) || dotsPerInch < 24.0 || dotsPerInch > 960.0) return 15.0;
    return kTwipsPerInch / dotsPerInch;
}

}  // namespace

TwipsPerPixel screenTwipsPerPixel(const QScreen* screen) {
    if (screen == nullptr) return {};
    return TwipsPerPixel{plausibleTwipsPerPixel(screen->logicalDotsPerInchX()),
                         plausibleTwipsPerPixel(screen->logicalDotsPerInchY())};
}

Page::Page() {
    installFontSubstitutes();
    updateFont();
}

void Page::moveTo(double x, double y) {
    if (std::isfinite(x)) m_x = x;
    if (std::isfinite(y)) m_y = y;
}

void Page::setFontName(const QString& name) {
    if (m_fontSettings.setName(name)) updateFont();
}

void Page::setFontSize(double points) {
    if (m_fontSettings.setPoints(points)) updateFont();
}

void Page::setFontBold(bool bold) {
    m_fontSettings.bold = bold;
    updateFont();
}

void Page::setFontItalic(bool italic) {
    m_fontSettings.italic = italic;
    updateFont();
}

void Page::updateFont() {
    // A pixel size in twips makes the metrics independent of any device's resolution; the
    // device pages scale the drawing instead. A twentieth of a point is fine enough.
    m_font = QFont(m_fontSettings.name);
    m_font.setPixelSize(std::max(1, static_cast<int>(std::lround(m_fontSettings.points * kTwipsPerPoint))));
    m_font.setBold(m_fontSettings.bold);
    m_font.setItalic(m_fontSettings.italic);
    m_font.setHintingPreference(QFont::PreferNoHinting);
}

double Page::textWidth(const QString& text) const {
    const QFontMetricsF metrics(m_font);
    double widest = 0.0;
    for (const QString& line : splitTextLines(text))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest;
}

double Page::textHeight(const QString& text) const {
    return QFontMetricsF(m_font).height() * static_cast<double>(splitTextLines(text).size());
}

void Page::print(const QString& text) {
    if (m_ended) return;
    const QFontMetricsF metrics(m_font);
    const QStringList lines = splitTextLines(text);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0) newLine();
        if (!lines[i].isEmpty()) drawText(m_x, m_y, lines[i]);
        m_x += metrics.horizontalAdvance(lines[i]);
    }
}

void Page::newLine() {
    m_x = 0.0;
    m_y += QFontMetricsF(m_font).height();
}

void Page::drawImage(const QImage& image, double x, double y, double width, double height,
                     const Drawing* vectors) {
    if (m_ended || image.isNull()) return;
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(width) || !std::isfinite(height)) return;
    if (width <= 0.0 || height <= 0.0) return;
    drawPicture(image, x, y, width, height, vectors);
}

void Page::line(double x1, double y1, double x2, double y2, Colour colour) {
    if (m_ended) return;
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) return;
    drawLine(x1, y1, x2, y2, colour);
    m_x = x2;
    m_y = y2;
}

void Page::newPage() {
    if (m_ended) return;
    startNewPage();
    m_x = 0.0;
    m_y = 0.0;
}

bool Page::endDocument() {
    if (m_ended) return false;
    m_ended = true;
    return finishDocument();
}

}  // namespace platform
