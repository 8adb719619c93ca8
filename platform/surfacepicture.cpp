#include "platform/surfacepicture.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/surfacecoordinates.h"

namespace platform {
namespace {

using surfacecoordinates::whole;

constexpr int kMaxSide = 16384;
constexpr double kMinRatio = 1.0;
constexpr double kMaxRatio = 8.0;
constexpr double kDotsPerMeter96 = 96.0 / 0.0254;

// 96 dots per inch for each logical pixel.
void setResolution(QImage& image, double ratio) {
    const int dotsPerMeter = static_cast<int>(std::lround(kDotsPerMeter96 * ratio));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.setDevicePixelRatio(ratio);
}

}  // namespace

SurfacePicture::SurfacePicture(int width, int height, QObject* parent)
    : QObject(parent), m_width(std::clamp(width, 1, kMaxSide)), m_height(std::clamp(height, 1, kMaxSide)) {
    m_image = blank();
}

// Logical pixel p covers device pixels edge(p) .. edge(p + 1) - 1, so filled areas tile.
int SurfacePicture::edge(int logical) const {
    return static_cast<int>(std::floor(logical * m_ratio + 0.5));
}

QImage SurfacePicture::blank() const {
    QImage image(edge(m_width), edge(m_height), QImage::Format_RGB32);
    setResolution(image, m_ratio);
    image.fill(opaqueRgb(m_backColour));
    return image;
}

void SurfacePicture::resize(int width, int height) {
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) return;
    if (width == m_width && height == m_height) return;
    m_width = width;
    m_height = height;
    QImage resized = blank();
    {
        QPainter painter(&resized);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, picture());
    }
    m_image = resized;
    emit changed();
}

bool SurfacePicture::setDevicePixelRatio(double ratio) {
    if (!std::isfinite(ratio)) return false;
    ratio = std::clamp(ratio, kMinRatio, kMaxRatio);
    if (ratio == m_ratio) return false;
    const double previous = m_ratio;
    m_ratio = ratio;
    // What was drawn stays in view, enlarged or reduced, until it is drawn again.
    const auto rescale = [&](const QImage& old, QSize size) {
        QImage scaled = old.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        setResolution(scaled, m_ratio);
        return scaled;
    };
    m_image = rescale(picture(), QSize(edge(m_width), edge(m_height)));
    if (const QImage& layer = backgroundLayer(); !layer.isNull()) {
        const QSize logical(static_cast<int>(std::lround(layer.width() / previous)),
                            static_cast<int>(std::lround(layer.height() / previous)));
        m_background = rescale(layer, QSize(edge(logical.width()), edge(logical.height())));
    }
    ratioChanged();
    emit changed();
    return true;
}

void SurfacePicture::setBackColour(Colour colour) {
    m_backColour = colour;
    clear();
}

void SurfacePicture::clear() {
    m_packed = RunLengthPicture();
    if (m_image.isNull()) m_image = blank();
    const QImage& layer = backgroundLayer();
    if (!layer.isNull() && layer.size() == m_image.size() && layer.format() == m_image.format() &&
        layer.bytesPerLine() == m_image.bytesPerLine()) {
        // The usual case, several times a second while pouring: the kept picture covers it all.
        std::memcpy(m_image.bits(), layer.constBits(), static_cast<std::size_t>(m_image.sizeInBytes()));
    } else {
        m_image.fill(opaqueRgb(m_backColour));
        if (!layer.isNull()) {
            QPainter painter(&m_image);
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.drawImage(0, 0, layer);
        }
    }
    penCleared();
    emit changed();
}

void SurfacePicture::keepAsBackground() {
    m_packedBackground = RunLengthPicture();
    m_background = picture().copy();
}

void SurfacePicture::removeBackground() {
    m_packedBackground = RunLengthPicture();
    m_background = QImage();
}

// The picture keeps its own ratio: it is drawn at its logical size, averaged when it has more
// device pixels than the surface gives it.
void SurfacePicture::paintPicture(const QImage& picture, double x, double y) {
    const auto px = whole(x), py = whole(y);
    if (!px || !py || picture.isNull()) return;
    {
        QPainter painter(&this->picture());
        if (picture.devicePixelRatio() > m_ratio) painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(*px, *py, picture);
    }
    emit changed();
}

QImage atLogicalSize(const QImage& picture) {
    const double ratio = picture.devicePixelRatio();
    if (picture.isNull() || ratio == 1.0) return picture;
    const QSize logical = picture.deviceIndependentSize().toSize().expandedTo(QSize(1, 1));
    QImage reduced = picture.scaled(logical, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    setResolution(reduced, 1.0);
    return reduced;
}

QImage SurfacePicture::logicalImage() const {
    return atLogicalSize(picture());
}

QRect SurfacePicture::devicePixels(int x, int y) const {
    return QRect(QPoint(edge(x), edge(y)), QPoint(edge(x + 1) - 1, edge(y + 1) - 1));
}

// The device pixel under the centre of the logical pixel: always one of devicePixels(x, y).
Colour SurfacePicture::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return Colour{-1, -1, -1};
    const int dx = std::min(picture().width() - 1, static_cast<int>(std::floor((x + 0.5) * m_ratio)));
    const int dy = std::min(picture().height() - 1, static_cast<int>(std::floor((y + 0.5) * m_ratio)));
    return colourOf(picture().pixel(dx, dy));
}

}  // namespace platform
