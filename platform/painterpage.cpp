#include "platform/painterpage.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>

#include "platform/drawingpainting.h"

namespace platform {

PainterPage::PainterPage(std::unique_ptr<PrintTarget> target) : m_target(std::move(target)) {
    QPagedPaintDevice& device = m_target->device();
    // The device's own size is the printable area, in its dots.
    m_width = device.width() * kTwipsPerInch / device.logicalDpiX();
    m_height = device.height() * kTwipsPerInch / device.logicalDpiY();
    if (!m_painter.begin(&device)) {
        m_failed = true;
        return;
    }
    m_painter.setRenderHint(QPainter::Antialiasing, true);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
    // The pictures are drawings (graph, table, apparatus): JPEG would blur their lines.
    m_painter.setRenderHint(QPainter::LosslessImageRendering, true);
    m_painter.scale(device.logicalDpiX() / kTwipsPerInch, device.logicalDpiY() / kTwipsPerInch);
}

PainterPage::~PainterPage() {
    if (ended()) return;
    if (m_painter.isActive()) {
        m_target->abandon();
        m_painter.end();
    }
}

void PainterPage::drawText(double x, double y, const QString& line) {
    if (!m_painter.isActive()) return;
    m_painter.setFont(font());
    m_painter.setPen(toQColor(textColour()));
    m_painter.drawText(QPointF(x, y + QFontMetricsF(font()).ascent()), line);
}

void PainterPage::drawPicture(const QImage& image, double x, double y, double width, double height,
                              const Drawing* vectors) {
    if (!m_painter.isActive()) return;
    if (vectors) {
        paintDrawing(m_painter, *vectors, QRectF(x, y, width, height));
    } else {
        m_painter.drawImage(QRectF(x, y, width, height), image);
    }
}

void PainterPage::drawLine(double x1, double y1, double x2, double y2, Colour colour) {
    if (!m_painter.isActive()) return;
    m_painter.setPen(QPen(toQColor(colour), kLineWidth, Qt::SolidLine, Qt::FlatCap));
    m_painter.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void PainterPage::startNewPage() {
    if (!m_painter.isActive()) return;
    if (!m_target->device().newPage()) m_failed = true;
}

bool PainterPage::finishDocument() {
    if (!m_painter.isActive()) return m_target->finish(false);
    if (m_failed) m_target->abandon();
    const bool painted = m_painter.end();
    return m_target->finish(painted && !m_failed);
}

}  // namespace platform
