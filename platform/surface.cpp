#include "platform/surface.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/surfacecoordinates.h"

namespace platform {
namespace {

using surfacecoordinates::kMaxCoordinate;
using surfacecoordinates::whole;

constexpr int kMaxStroke = 100;

std::optional<double> radius(double value) {
    if (!std::isfinite(value) || value < 0.0 || value > kMaxCoordinate) return std::nullopt;
    return value;
}

// The device pixels whose centres lie inside an ellipse of centre (cx, cy) and radii a, b, all
// in device pixels from the top left corner of the picture: row `top + i` covers
// spans[i].first .. spans[i].second, none when first > second. With the centre in the middle of
// a pixel and a = rx + 0.5, a circle of radius r spans exactly cx - r .. cx + r.
struct EllipseRows {
    int top = 0;
    std::vector<std::pair<int, int>> spans;

    std::pair<int, int> at(int y) const {
        if (y < top || y - top >= static_cast<int>(spans.size())) return {1, 0};
        return spans[static_cast<std::size_t>(y - top)];
    }
};

bool isEmpty(std::pair<int, int> span) {
    return span.first > span.second;
}

EllipseRows ellipseRows(double cx, double cy, double a, double b) {
    EllipseRows rows;
    if (!(a > 0.0) || !(b > 0.0)) return rows;
    // Offsets are taken from a whole pixel, so that a centre in the middle of a pixel gives rows
    // that are symmetric to the last bit.
    const double ox = cx - 0.5;
    const double oy = cy - 0.5;
    const int baseX = static_cast<int>(std::floor(ox));
    const int baseY = static_cast<int>(std::floor(oy));
    const double fx = ox - baseX;
    const double fy = oy - baseY;
    const int first = static_cast<int>(std::ceil(fy - b));
    const int last = static_cast<int>(std::floor(fy + b));
    rows.top = baseY + first;
    rows.spans.reserve(static_cast<std::size_t>(std::max(0, last - first + 1)));
    for (int k = first; k <= last; ++k) {
        const double t = (k - fy) / b;
        const double half = a * std::sqrt(std::max(0.0, 1.0 - t * t));
        const int right = static_cast<int>(std::floor(fx + half + 1e-9));
        const int left = static_cast<int>(std::ceil(fx - half - 1e-9));
        rows.spans.emplace_back(baseX + left, baseX + right);
    }
    return rows;
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
    Raster(QImage& image, DrawMode mode, const std::vector<Span>& pen, int penWidth)
        : m_bits(reinterpret_cast<QRgb*>(image.bits())),
          m_stride(static_cast<int>(image.bytesPerLine() / sizeof(QRgb))),
          m_width(image.width()),
          m_height(image.height()),
          m_merge(mode == DrawMode::Merge),
          m_pen(pen),
          m_wide(penWidth > 1) {}

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

Surface::Surface(int width, int height, QObject* parent) : SurfaceText(width, height, parent) {
    updatePen();
}

int Surface::devicePenWidth() const {
    return std::max(1, static_cast<int>(std::floor(m_strokeWidth * devicePixelRatio() + 0.5)));
}

// Where the device pen goes for a stroke point on logical pixel p: the device pen covers the
// stretch of the logical pen, centred on it (at ratio 1, p itself).
int Surface::anchor(int p) const {
    const int device = devicePenWidth();
    const int start = p - m_strokeWidth / 2;
    const double centre = (start + m_strokeWidth / 2.0) * devicePixelRatio();
    const int first = static_cast<int>(std::floor(centre - device / 2.0 + 0.5));
    return first + device / 2;
}

void Surface::setStrokeWidth(int width) {
    if (width < 1 || width > kMaxStroke) return;
    m_strokeWidth = width;
    updatePen();
}

// The disc of a round pen of the stroke width in device pixels, as rows of offsets around the
// point.
void Surface::updatePen() {
    m_pen.clear();
    const int w = devicePenWidth();
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

void Surface::line(double x1, double y1, double x2, double y2) {
    drawLine(x1, y1, x2, y2, foreColour());
}

void Surface::line(double x1, double y1, double x2, double y2, Colour colour) {
    drawLine(x1, y1, x2, y2, colour);
}

void Surface::polyline(const std::vector<QPointF>& points, Colour colour) {
    if (points.empty()) return;
    pset(points.front().x(), points.front().y(), colour);
    for (std::size_t i = 1; i < points.size(); ++i)
        drawLine(points[i - 1].x(), points[i - 1].y(), points[i].x(), points[i].y(), colour);
}

void Surface::drawLine(double x1, double y1, double x2, double y2, Colour colour) {
    const auto ax = whole(x1), ay = whole(y1), bx = whole(x2), by = whole(y2);
    if (!ax || !ay || !bx || !by) return;
    // Bresenham between the device positions of the ends.
    const int fromX = anchor(*ax), fromY = anchor(*ay), toX = anchor(*bx), toY = anchor(*by);
    const int dx = std::abs(toX - fromX);
    const int dy = -std::abs(toY - fromY);
    const int sx = fromX < toX ? 1 : -1;
    const int sy = fromY < toY ? 1 : -1;
    // At width 1 the last logical pixel is left out, as a Windows pen does: along the main
    // direction the pen stops before it reaches the device pixels of that pixel.
    const bool open = m_strokeWidth == 1;
    const bool alongX = dx >= -dy;
    const int direction = alongX ? sx : sy;
    const int last = alongX ? *bx : *by;
    const int penWidth = devicePenWidth();
    const int low = -(penWidth / 2);
    const int stop = direction > 0 ? edge(last) - penWidth - low : edge(last + 1) - low;
    Raster raster(picture(), m_drawMode, m_pen, penWidth);
    const QRgb c = opaqueRgb(colour);
    const bool empty = open && dx == 0 && dy == 0;
    if (dy == 0 && !raster.wide()) {
        // A level line is one span: the same pixels as the steps below, without the stepping
        // (backgrounds and grids are made of them).
        const int end = open ? (direction > 0 ? std::min(toX, stop) : std::max(toX, stop)) : toX;
        if (!empty && (end - fromX) * direction >= 0) raster.span(fromX, end, fromY, c);
        finish(x2, y2);
        return;
    }
    int err = dx + dy;
    int x = fromX;
    int y = fromY;
    for (int step = 0; !empty && step <= dx - dy; ++step) {
        if (open && ((alongX ? x : y) - stop) * direction > 0) break;
        raster.stamp(x, y, c);
        if (x == toX && y == toY) break;
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
    drawRectangle(x1, y1, x2, y2, foreColour());
}

void Surface::rectangle(double x1, double y1, double x2, double y2, Colour colour) {
    drawRectangle(x1, y1, x2, y2, colour);
}

void Surface::drawRectangle(double x1, double y1, double x2, double y2, Colour colour) {
    const auto ax = whole(x1), ay = whole(y1), bx = whole(x2), by = whole(y2);
    if (!ax || !ay || !bx || !by) return;
    const int left = anchor(std::min(*ax, *bx)), right = anchor(std::max(*ax, *bx));
    const int top = anchor(std::min(*ay, *by)), bottom = anchor(std::max(*ay, *by));
    Raster raster(picture(), m_drawMode, m_pen, devicePenWidth());
    const QRgb c = opaqueRgb(colour);
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
    const auto ax = whole(x1), ay = whole(y1), bx = whole(x2), by = whole(y2);
    if (!ax || !ay || !bx || !by) return;
    {
        Raster raster(picture(), m_drawMode, m_pen, devicePenWidth());
        const QRgb c = opaqueRgb(fill);
        const int left = edge(std::min(*ax, *bx));
        const int right = edge(std::max(*ax, *bx) + 1) - 1;
        const int top = std::max(0, edge(std::min(*ay, *by)));
        const int bottom = std::min(picture().height() - 1, edge(std::max(*ay, *by) + 1) - 1);
        for (int y = top; y <= bottom; ++y) raster.span(left, right, y, c);
    }
    if (outline) {
        drawRectangle(x1, y1, x2, y2, *outline);
    } else {
        finish(x2, y2);
    }
}

void Surface::pset(double x, double y) {
    pset(x, y, foreColour());
}

void Surface::pset(double x, double y, Colour colour) {
    const auto px = whole(x), py = whole(y);
    if (!px || !py) return;
    Raster raster(picture(), m_drawMode, m_pen, devicePenWidth());
    raster.stamp(anchor(*px), anchor(*py), opaqueRgb(colour));
    finish(x, y);
}

void Surface::circle(double cx, double cy, double r) {
    circle(cx, cy, r, foreColour());
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
    arc(cx, cy, r, startRadians, endRadians, foreColour());
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
    const auto px = whole(cx), py = whole(cy);
    if (!px || !py) return;
    // The centre of the centre pixel and the radii, in device pixels.
    const double centreX = (*px + 0.5) * devicePixelRatio();
    const double centreY = (*py + 0.5) * devicePixelRatio();
    const double a = (rx + 0.5) * devicePixelRatio();
    const double b = (ry + 0.5) * devicePixelRatio();
    const EllipseRows shape = ellipseRows(centreX, centreY, a, b);
    const int penWidth = devicePenWidth();
    Raster raster(picture(), m_drawMode, m_pen, penWidth);
    if (fill) {
        const QRgb c = opaqueRgb(*fill);
        for (std::size_t i = 0; i < shape.spans.size(); ++i) {
            const auto [left, right] = shape.spans[i];
            if (left <= right) raster.span(left, right, shape.top + static_cast<int>(i), c);
        }
    }
    if (!outline) {
        finish(cx, cy);
        return;
    }
    const QRgb c = opaqueRgb(*outline);
    double start = 0.0;
    double end = 0.0;
    bool fullTurn = true;
    if (angles) {
        const double sweep = std::abs(angles->second - angles->first);
        fullTurn = sweep >= 2.0 * std::numbers::pi - 1e-9;
        start = normaliseAngle(angles->first);
        end = normaliseAngle(angles->second);
    }
    auto onArc = [&](int x, int y) {
        if (fullTurn) return true;
        const double dx = (x + 0.5) - centreX;
        const double dy = (y + 0.5) - centreY;
        if (dx == 0.0 && dy == 0.0) return true;
        const double angle = normaliseAngle(std::atan2(-dy, dx));
        constexpr double eps = 1e-9;
        if (start <= end) return angle >= start - eps && angle <= end + eps;
        return angle >= start - eps || angle <= end + eps;
    };
    if (devicePixelRatio() == 1.0 || penWidth == 1) {
        // The outline is the set of pixels of the filled shape that touch a pixel outside it,
        // with the pen stamped on each.
        auto run = [&](int from, int to, int y) {
            for (int x = from; x <= to; ++x)
                if (onArc(x, y)) raster.stamp(x, y, c);
        };
        for (std::size_t i = 0; i < shape.spans.size(); ++i) {
            const int y = shape.top + static_cast<int>(i);
            const auto [left, right] = shape.spans[i];
            if (left > right) continue;
            const auto above = shape.at(y - 1);
            const auto below = shape.at(y + 1);
            const int innerLeft = std::max(above.first, below.first);
            const int innerRight = std::min(above.second, below.second);
            if (isEmpty(above) || isEmpty(below) || innerLeft > innerRight || innerRight < left ||
                innerLeft > right) {
                run(left, right, y);
            } else {
                run(left, std::max(left, innerLeft - 1), y);
                run(std::min(right, innerRight + 1), right, y);
            }
        }
    } else {
        // A wide device pen: the ring between the ellipse grown by the part of the logical pen
        // outside the outline and the same ellipse shrunk by the device pen's width.
        const double grow = (m_strokeWidth - 1) / 2.0 * devicePixelRatio();
        const EllipseRows outer = ellipseRows(centreX, centreY, a + grow, b + grow);
        const EllipseRows inner = ellipseRows(centreX, centreY, a + grow - penWidth, b + grow - penWidth);
        auto run = [&](int from, int to, int y) {
            for (int x = from; x <= to; ++x)
                if (onArc(x, y)) raster.plot(x, y, c);
        };
        for (std::size_t i = 0; i < outer.spans.size(); ++i) {
            const int y = outer.top + static_cast<int>(i);
            const auto [left, right] = outer.spans[i];
            const auto hole = inner.at(y);
            if (isEmpty(hole)) {
                run(left, right, y);
            } else {
                run(left, std::min(right, hole.first - 1), y);
                run(std::max(left, hole.second + 1), right, y);
            }
        }
    }
    finish(cx, cy);
}

}  // namespace platform
