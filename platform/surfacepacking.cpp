#include <QPainter>
#include <utility>

#include "platform/surfacepicture.h"

// Pictures drawn once and then only shown are kept as their runs of one colour.
namespace platform {

const QImage& SurfacePicture::backgroundLayer() const {
    if (m_background.isNull() && !m_packedBackground.isNull()) {
        m_background = m_packedBackground.toImage();
        m_packedBackground = RunLengthPicture();
    }
    return m_background;
}

void SurfacePicture::compact() {
    if (!m_background.isNull()) {
        RunLengthPicture packed(m_background);
        if (packed.bytes() * 2 <= static_cast<std::size_t>(m_background.sizeInBytes())) {
            m_packedBackground = std::move(packed);
            m_background = QImage();
        }
    }
    if (isCompact()) return;
    RunLengthPicture packed(m_image);
    if (packed.bytes() * 2 > static_cast<std::size_t>(m_image.sizeInBytes())) return;
    m_packed = std::move(packed);
    m_image = QImage();
}

QImage& SurfacePicture::picture() const {
    if (m_image.isNull()) {
        m_image = m_packed.toImage();
        m_packed = RunLengthPicture();
    }
    return m_image;
}

void SurfacePicture::drawOn(QPainter& painter, const QRect& area) const {
    if (isCompact()) {
        m_packed.draw(painter, area);
    } else {
        painter.drawImage(0, 0, m_image);
    }
}

}  // namespace platform
