#include "platform/runlengthpicture.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace platform {

namespace {

// About this many device rows are decoded at a time: a small buffer, few calls.
constexpr int kBandDeviceRows = 32;

bool isWhole(double value) {
    return std::abs(value - std::round(value)) < 1e-6;
}

}  // namespace

RunLengthPicture::RunLengthPicture(const QImage& picture) {
    if (picture.isNull()) return;
    const QImage source = picture.convertToFormat(QImage::Format_RGB32);
    m_width = source.width();
    m_height = source.height();
    m_ratio = source.devicePixelRatio();
    m_dotsPerMeterX = source.dotsPerMeterX();
    m_dotsPerMeterY = source.dotsPerMeterY();
    m_logicalHeight = static_cast<int>(std::lround(m_height / m_ratio));
    m_rowStarts.reserve(static_cast<std::size_t>(m_height) + 1);
    for (int y = 0; y < m_height; ++y) {
        m_rowStarts.push_back(static_cast<std::uint32_t>(m_runs.size()));
        const auto* row = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        QRgb colour = row[0] | 0xff000000U;
        for (int x = 1; x < m_width; ++x) {
            const QRgb next = row[x] | 0xff000000U;
            if (next == colour) continue;
            m_runs.push_back({static_cast<std::uint32_t>(x), colour});
            colour = next;
        }
        m_runs.push_back({static_cast<std::uint32_t>(m_width), colour});
    }
    m_rowStarts.push_back(static_cast<std::uint32_t>(m_runs.size()));
    m_runs.shrink_to_fit();
}

std::size_t RunLengthPicture::bytes() const {
    return m_runs.capacity() * sizeof(Run) + m_rowStarts.capacity() * sizeof(std::uint32_t);
}

void RunLengthPicture::decodeRows(int firstRow, QImage& into) const {
    for (int y = 0; y < into.height(); ++y) {
        auto* out = reinterpret_cast<QRgb*>(into.scanLine(y));
        const std::size_t row = static_cast<std::size_t>(firstRow) + static_cast<std::size_t>(y);
        std::uint32_t x = 0;
        for (std::uint32_t r = m_rowStarts[row]; r < m_rowStarts[row + 1]; ++r) {
            std::fill(out + x, out + m_runs[r].end, m_runs[r].colour);
            x = m_runs[r].end;
        }
    }
}

QImage RunLengthPicture::toImage() const {
    if (isNull()) return {};
    QImage picture(m_width, m_height, QImage::Format_RGB32);
    decodeRows(0, picture);
    picture.setDevicePixelRatio(m_ratio);
    picture.setDotsPerMeterX(m_dotsPerMeterX);
    picture.setDotsPerMeterY(m_dotsPerMeterY);
    return picture;
}

int RunLengthPicture::bandRows() const {
    // A band drawn at a logical row lands on a whole device row only when that row times the
    // ratio is whole: at a ratio such as 1.25 bands go by fours. Failing that, one band.
    for (int step = 1; step <= 64; step *= 2) {
        if (isWhole(step * m_ratio))
            return step * std::max(1, static_cast<int>(kBandDeviceRows / (step * m_ratio)));
    }
    return m_logicalHeight;
}

void RunLengthPicture::draw(QPainter& painter, const QRect& area) const {
    if (isNull() || area.isEmpty()) return;
    const int band = std::max(1, bandRows());
    const int firstBand = std::max(0, area.top()) / band;
    QImage buffer;
    for (int top = firstBand * band; top < m_logicalHeight && top <= area.bottom(); top += band) {
        const int firstRow = static_cast<int>(std::lround(top * m_ratio));
        const int endRow = std::min(m_height, static_cast<int>(std::lround((top + band) * m_ratio)));
        if (endRow <= firstRow) break;
        if (buffer.height() != endRow - firstRow)
            buffer = QImage(m_width, endRow - firstRow, QImage::Format_RGB32);
        decodeRows(firstRow, buffer);
        buffer.setDevicePixelRatio(m_ratio);
        painter.drawImage(QPointF(0, top), buffer);
    }
}

}  // namespace platform
