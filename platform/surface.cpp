#include "platform/surface.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/fonts.h"
#include "platform/textlines.h"

namespace platform {
namespace {

constexpr double kMaxCoordinate = 32767.0;
constexpr int kMaxSide = 16384;
constexpr int kMaxStroke = 100;
constexpr double kDotsPerMeter96 = 96.0 / 0.0254;

std::optional<int> device(double value) {
    if (!std::isfinite(value) || std::abs(value) > kMaxCoordinate) return std::nullopt;
    return static_cast<int>(std::floor(value + 0.5));
}

std::optional<double> radius(double value) {
    if (!std::isfinite(value) || value < 0.0 || value > kMaxCoordinate) return std::nullopt;
    return value;
}

QRgb opaque(Colour colour) {
    return toQRgb(colour) | 0xFF000000u;
}

QImage blankImage(int width, int height, Colour colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.setDotsPerMeterX(static_cast<int>(std::lround(kDotsPerMeter96)));
    image.setDotsPerMeterY(static_cast<int>(std::lround(kDotsPerMeter96)));
    image.fill(opaque(colour));
    return image;
}

// Half-widths of the rows of a filled ellipse of radii rx, ry: row dy (from -R to R) covers
// dx from -h to h. A pixel belongs when (dx / (rx + 0.5))^2 + (dy / (ry + 0.5))^2 <= 1, so a
// circle of radius r spans exactly cx - r .. cx + r.
std::vector<int> ellipseRows(double rx, double ry) {
    const double a = rx + 0.5;
    const double b = ry + 0.5;
    const int rows = static_cast<int>(std::floor(b));
    std::vector<int> half(2 * static_cast<std::size_t>(rows) + 1);
    for (int dy = -rows; dy <= rows; ++dy) {
        const double t = static_cast<double>(dy) / b;
        const double inside = std::max(0.0, 1.0 - t * t);
        half[static_cast<std::size_t>(dy + rows)] =
            static_cast<int>(std::floor(a * std::sqrt(inside) + 1e-9));
    }
    return half;
}

double normaliseAngle(double angle) {
    const double turn = 2.0 * std::numbers::pi;
    double a = std::fmod(angle, turn);
    if (a < 0.0) a += turn;
    return a;
}

}  // namespace

// Direct pixel access for one drawing operation, in the surface's draw mode.
class Surface::Raster {
  public:
    Raster(QImage& image, DrawMode mode, const std::vector<Span>& pen, int strokeWidth)
        : m_bits(reinterpret_cast<QRgb*>(image.bits())),
          m_stride(static_cast<int>(image.bytesPerLine() / sizeof(QRgb))),
          m_width(image.width()),
          m_height(image.height()),
          m_merge(mode == DrawMode::Merge),
          m_pen(pen),
          m_wide(strokeWidth > 1) {}

    void plot(int x, int y, QRgb colour) {
        if (x < 0 || y < 0 || x >= m_width || y >= m_height) return;
        QRgb& pixel = m_bits[static_cast<std::ptrdiff_t>(y) * m_stride + x];
        pixel = m_merge ? (pixel | colour) : colour;
    }

    void span(int x1, int x2, int y, QRgb colour) {
        if (y < 0 || y >= m_height) return;
        const int left = std::max(0, std::min(x1, x2));
        const int right = std::min(m_width - 1, std::max(x1, x2));
        QRgb* row = m_bits + static_cast<std::ptrdiff_t>(y) * m_stride;
        for (int x = left; x <= right; ++x) row[x] = m_merge ? (row[x] | colour) : colour;
    }

    // One point of a stroke: a pixel, or the pen's disc when the stroke is wider.
    void stamp(int x, int y, QRgb colour) {
        if (!m_wide) {
            plot(x, y, colour);
            return;
        }
        for (const Span& s : m_pen) span(x + s.left, x + s.right, y + s.dy, colour);
    }

    bool wide() const { return m_wide; }

  private:
    QRgb* m_bits;
    int m_stride;
    int m_width;
    int m_height;
    bool m_merge;
    const std::vector<Span>& m_pen;
    bool m_wide;
};

Surface::Surface(int width, int height, QObject* parent) : QObject(parent) {
    m_image = blankImage(std::clamp(width, 1, kMaxSide), std::clamp(height, 1, kMaxSide), m_backColour);
    updateFont();
    updatePen();
}

void Surface::resize(int width, int height) {
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) return;
    if (width == m_image.width() && height == m_image.height()) return;
    QImage resized = blankImage(width, height, m_backColour);
    {
        QPainter painter(&resized);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, m_image);
    }
    m_image = resized;
    emit changed();
}

void Surface::setBackColour(Colour colour) {
    m_backColour = colour;
    clear();
}

void Surface::clear() {
    m_image.fill(opaque(m_backColour));
    if (!m_background.isNull()) {
        QPainter painter(&m_image);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, m_background);
    }
    m_penX = 0.0;
    m_penY = 0.0;
    emit changed();
}

void Surface::keepAsBackground() {
    m_background = m_image.copy();
}

void Surface::removeBackground() {
    m_background = QImage();
}

void Surface::setStrokeWidth(int width) {
    if (width < 1 || width > kMaxStroke) return;
    m_strokeWidth = width;
    updatePen();
}

// The disc of a round pen of the stroke width, as rows of offsets around the point.
void Surface::updatePen() {
    m_pen.clear();
    const int w = m_strokeWidth;
    const int low = -(w / 2);
    const double centre = low + (w - 1) / 2.0;
    const double r2 = (w / 2.0) * (w / 2.0) + 1e-9;
    for (int dy = low; dy < low + w; ++dy) {
        int left = 0;
        int right = -1;
        for (int dx = low; dx < low + w; ++dx) {
            const double ddx = dx - centre;
            const double ddy = dy - centre;
            if (ddx * ddx + ddy * ddy <= r2) {
                if (right < left) left = dx;
                right = dx;
            }
        }
        if (right >= left) m_pen.push_back(Span{dy, left, right});
    }
}

void Surface::finish(double penX, double penY) {
    m_penX = penX;
    m_penY = penY;
    emit changed();
}

void Surface::line(double x1, double y1, double x2, double y2) {
    drawLine(x1, y1, x2, y2, m_foreColour);
}

void Surface::line(double x1, double y1, double x2, double y2, Colour colour) {
    drawLine(x1, y1, x2, y2, colour);
}

void Surface::drawLine(double x1, double y1, double x2, double y2, Colour colour) {
    const auto ax = device(x1), ay = device(y1), bx = device(x2), by = device(y2);
    if (!ax || !ay || !bx || !by) return;
    Raster raster(m_image, m_drawMode, m_pen, m_strokeWidth);
    const QRgb c = opaque(colour);
    // Bresenham; at width 1 the last point is left out, as a Windows pen does.
    const int dx = std::abs(*bx - *ax);
    const int dy = -std::abs(*by - *ay);
    const int sx = *ax < *bx ? 1 : -1;
    const int sy = *ay < *by ? 1 : -1;
    int err = dx + dy;
    int x = *ax;
    int y = *ay;
    for (int step = 0; step <= dx - dy; ++step) {
        const bool last = x == *bx && y == *by;
        if (last && !raster.wide()) break;
        raster.stamp(x, y, c);
        if (last) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
    finish(x2, y2);
}

void Surface::rectangle(double x1, double y1, double x2, double y2) {
    drawRectangle(x1, y1, x2, y2, m_foreColour);
}

void Surface::rectangle(double x1, double y1, double x2, double y2, Colour colour) {
    drawRectangle(x1, y1, x2, y2, colour);
}

void Surface::drawRectangle(double x1, double y1, double x2, double y2, Colour colour) {
    const auto ax = device(x1), ay = device(y1), bx = device(x2), by = device(y2);
    if (!ax || !ay || !bx || !by) return;
    const int left = std::min(*ax, *bx), right = std::max(*ax, *bx);
    const int top = std::min(*ay, *by), bottom = std::max(*ay, *by);
    Raster raster(m_image, m_drawMode, m_pen, m_strokeWidth);
    const QRgb c = opaque(colour);
    if (!raster.wide()) {
        raster.span(left, right, top, c);
        if (bottom != top) raster.span(left, right, bottom, c);
        for (int y = top + 1; y < bottom; ++y) {
            raster.plot(left, y, c);
            if (right != left) raster.plot(right, y, c);
        }
    } else {
        for (int x = left; x <= right; ++x) {
            raster.stamp(x, top, c);
            raster.stamp(x, bottom, c);
        }
        for (int y = top; y <= bottom; ++y) {
            raster.stamp(left, y, c);
            raster.stamp(right, y, c);
        }
    }
    finish(x2, y2);
}

void Surface::filledRectangle(double x1, double y1, double x2, double y2, Colour fill) {
    drawFilledRectangle(x1, y1, x2, y2, fill, std::nullopt);
}

void Surface::filledRectangle(double x1, double y1, double x2, double y2, Colour fill, Colour outline) {
    drawFilledRectangle(x1, y1, x2, y2, fill, outline);
}

void Surface::drawFilledRectangle(double x1, double y1, double x2, double y2, Colour fill,
                                  std::optional<Colour> outline) {
    const auto ax = device(x1), ay = device(y1), bx = device(x2), by = device(y2);
    if (!ax || !ay || !bx || !by) return;
    {
        Raster raster(m_image, m_drawMode, m_pen, m_strokeWidth);
        const QRgb c = opaque(fill);
        const int top = std::max(0, std::min(*ay, *by));
        const int bottom = std::min(m_image.height() - 1, std::max(*ay, *by));
        for (int y = top; y <= bottom; ++y) raster.span(*ax, *bx, y, c);
    }
    if (outline) {
        drawRectangle(x1, y1, x2, y2, *outline);
    } else {
        finish(x2, y2);
    }
}

void Surface::pset(double x, double y) {
    pset(x, y, m_foreColour);
}

void Surface::pset(double x, double y, Colour colour) {
    const auto px = device(x), py = device(y);
    if (!px || !py) return;
    Raster raster(m_image, m_drawMode, m_pen, m_strokeWidth);
    raster.stamp(*px, *py, opaque(colour));
    finish(x, y);
}

void Surface::circle(double cx, double cy, double r) {
    circle(cx, cy, r, m_foreColour);
}

void Surface::circle(double cx, double cy, double r, Colour colour) {
    const auto rr = radius(r);
    if (!rr) return;
    drawEllipse(cx, cy, *rr, *rr, std::nullopt, colour, std::nullopt);
}

void Surface::filledCircle(double cx, double cy, double r, Colour fill) {
    const auto rr = radius(r);
    if (!rr) return;
    drawEllipse(cx, cy, *rr, *rr, fill, std::nullopt, std::nullopt);
}

void Surface::filledCircle(double cx, double cy, double r, Colour fill, Colour outline) {
    const auto rr = radius(r);
    if (!rr) return;
    drawEllipse(cx, cy, *rr, *rr, fill, outline, std::nullopt);
}

void Surface::arc(double cx, double cy, double r, double startRadians, double endRadians) {
    arc(cx, cy, r, startRadians, endRadians, m_foreColour);
}

void Surface::arc(double cx, double cy, double r, double startRadians, double endRadians, Colour colour) {
    const auto rr = radius(r);
    if (!rr || !std::isfinite(startRadians) || !std::isfinite(endRadians)) return;
    drawEllipse(cx, cy, *rr, *rr, std::nullopt, colour, std::make_pair(startRadians, endRadians));
}

void Surface::filledEllipse(double cx, double cy, double r, double aspect, Colour fill) {
    drawEllipseByAspect(cx, cy, r, aspect, fill, std::nullopt);
}

void Surface::filledEllipse(double cx, double cy, double r, double aspect, Colour fill, Colour outline) {
    drawEllipseByAspect(cx, cy, r, aspect, fill, outline);
}

void Surface::drawEllipseByAspect(double cx, double cy, double r, double aspect, Colour fill,
                                  std::optional<Colour> outline) {
    const auto rr = radius(r);
    if (!rr || !std::isfinite(aspect) || aspect <= 0.0) return;
    // r is the larger radius: horizontal when the ellipse is flat, vertical when it is tall.
    const double rx = aspect < 1.0 ? *rr : *rr / aspect;
    const double ry = aspect < 1.0 ? *rr * aspect : *rr;
    drawEllipse(cx, cy, rx, ry, fill, outline, std::nullopt);
}

void Surface::drawEllipse(double cx, double cy, double rx, double ry, std::optional<Colour> fill,
                          std::optional<Colour> outline, std::optional<std::pair<double, double>> angles) {
    const auto px = device(cx), py = device(cy);
    if (!px || !py) return;
    const std::vector<int> half = ellipseRows(rx, ry);
    const int rows = static_cast<int>(half.size() / 2);
    auto halfAt = [&](int dy) {
        return std::abs(dy) > rows ? -1 : half[static_cast<std::size_t>(dy + rows)];
    };
    Raster raster(m_image, m_drawMode, m_pen, m_strokeWidth);
    if (fill) {
        const QRgb c = opaque(*fill);
        for (int dy = -rows; dy <= rows; ++dy) {
            const int h = halfAt(dy);
            raster.span(*px - h, *px + h, *py + dy, c);
        }
    }
    if (outline) {
        const QRgb c = opaque(*outline);
        double start = 0.0;
        double end = 0.0;
        bool whole = true;
        if (angles) {
            const double sweep = std::abs(angles->second - angles->first);
            whole = sweep >= 2.0 * std::numbers::pi - 1e-9;
            start = normaliseAngle(angles->first);
            end = normaliseAngle(angles->second);
        }
        auto onArc = [&](int dx, int dy) {
            if (whole) return true;
            if (dx == 0 && dy == 0) return true;
            const double a = normaliseAngle(std::atan2(-static_cast<double>(dy), static_cast<double>(dx)));
            constexpr double eps = 1e-9;
            if (start <= end) return a >= start - eps && a <= end + eps;
            return a >= start - eps || a <= end + eps;
        };
        auto put = [&](int dx, int dy) {
            if (onArc(dx, dy)) raster.stamp(*px + dx, *py + dy, c);
        };
        // The outline is the set of pixels of the filled shape that touch a pixel outside it.
        for (int dy = -rows; dy <= rows; ++dy) {
            const int h = halfAt(dy);
            const int inner = std::min(halfAt(dy - 1), halfAt(dy + 1));
            if (inner >= h) {
                put(-h, dy);
                if (h != 0) put(h, dy);
                continue;
            }
            for (int dx = inner + 1; dx <= h; ++dx) {
                put(dx, dy);
                if (dx != 0) put(-dx, dy);
            }
        }
    }
    finish(cx, cy);
}

void Surface::moveTo(double x, double y) {
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    m_penX = x;
    m_penY = y;
}

void Surface::setFontName(const QString& name) {
    if (name.trimmed().isEmpty()) return;
    m_fontName = name;
    updateFont();
}

void Surface::setFontSize(double points) {
    if (!std::isfinite(points) || points <= 0.0 || points > 1638.0) return;
    m_fontSize = points;
    updateFont();
}

void Surface::setFontBold(bool bold) {
    m_bold = bold;
    updateFont();
}

void Surface::setFontItalic(bool italic) {
    m_italic = italic;
    updateFont();
}

void Surface::setFontUnderline(bool underline) {
    m_underline = underline;
    updateFont();
}

void Surface::updateFont() {
    m_font = pixelFont(m_fontName, m_fontSize, m_bold, m_italic, m_underline);
}

double Surface::textWidth(const QString& text) const {
    const QFontMetrics metrics(m_font);
    int widest = 0;
    for (const QString& line : splitTextLines(text))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest;
}

double Surface::textHeight(const QString& text) const {
    const QFontMetrics metrics(m_font);
    return static_cast<double>(metrics.height()) * static_cast<double>(splitTextLines(text).size());
}

void Surface::print(const QString& text) {
    const QFontMetrics metrics(m_font);
    const QStringList lines = splitTextLines(text);
    {
        QPainter painter(&m_image);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        painter.setFont(m_font);
        painter.setPen(toQColor(m_foreColour));
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0) {
                m_penX = 0.0;
                m_penY += metrics.height();
            }
            const auto x = device(m_penX), y = device(m_penY);
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

void Surface::paintPicture(const QImage& picture, double x, double y) {
    const auto px = device(x), py = device(y);
    if (!px || !py || picture.isNull()) return;
    {
        QPainter painter(&m_image);
        painter.drawImage(*px, *py, picture);
    }
    emit changed();
}

Colour Surface::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_image.width() || y >= m_image.height()) return Colour{-1, -1, -1};
    return colourOf(m_image.pixel(x, y));
}

}  // namespace platform
