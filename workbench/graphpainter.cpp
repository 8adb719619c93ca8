#include "workbench/graphpainter.h"

#include <cmath>

#include "numbers/picture.h"

namespace workbench {

namespace {

constexpr platform::Colour kPhGrid{192, 192, 192};
constexpr platform::Colour kVolumeGrid{220, 220, 220};

// The top of the pH grid (pH 14) and the end points of the axes, px.
constexpr double kGridTop = 26;
constexpr double kGridRight = 390;
constexpr double kPhAxisEnd = 2;
constexpr double kVolumeAxisEnd = 415;
constexpr double kLabelRight = 36;       // right edge of the pH labels
constexpr double kVolumeLabelTop = 252;  // top of the volume labels and of the V axis title
constexpr double kSubscriptDrop = 5;     // the "1" of V1 sits this much lower

// The read-out area, exclusive bounds.
constexpr int kReadoutLeft = 39;
constexpr int kReadoutRight = 391;
constexpr int kReadoutTop = 25;
constexpr int kReadoutBottom = 251;
// Above this height the distribution diagram passes 100 %.
constexpr int kHundredPercentY = 30;

QString picture(double value, const char* pattern) {
    return QString::fromStdString(numbers::formatPicture(value, pattern));
}

}  // namespace

void GraphPainter::printAt(double x, double y, const QString& text) {
    m_surface.moveTo(x, y);
    m_surface.print(text);
}

void GraphPainter::drawFrame() {
    platform::Surface& s = m_surface;
    s.setDrawMode(platform::DrawMode::Copy);
    s.setStrokeWidth(1);
    s.setBackColour(platform::kWhite);  // clears the picture as well
    s.setFontName(QStringLiteral("Arial"));
    s.setFontSize(8);
    s.setFontBold(false);
    s.setFontItalic(false);
    s.setFontUnderline(false);
    s.setForeColour(platform::kBlack);

    for (int i = 0; i <= GraphScale::kLastPh; ++i) {
        const double y = GraphScale::y(i);
        s.line(GraphScale::kOriginX, y, kGridRight, y, kPhGrid);
        const QString label = QString::number(i);
        printAt(kLabelRight - s.textWidth(label), y - s.textHeight(label) / 2, label);
    }
    for (int i = 0; i <= GraphScale::kLastVolume; ++i) {
        const double x = GraphScale::x(i);
        s.line(x, kGridTop, x, GraphScale::kOriginY, kVolumeGrid);
        if (i % 5 == 0) {
            const QString label = QString::number(i);
            printAt(x - s.textWidth(label) / 2, kVolumeLabelTop, label);
        }
    }

    const double ox = GraphScale::kOriginX;
    const double oy = GraphScale::kOriginY;
    s.line(ox, kPhAxisEnd, ox, oy);
    s.line(ox, kPhAxisEnd, ox - 3, kPhAxisEnd + 5);
    s.line(ox, kPhAxisEnd, ox + 3, kPhAxisEnd + 5);
    s.line(ox, oy, kVolumeAxisEnd, oy);
    s.line(kVolumeAxisEnd - 5, oy - 2, kVolumeAxisEnd, oy);
    s.line(kVolumeAxisEnd - 5, oy + 2, kVolumeAxisEnd, oy);

    printAt(20, 2, QStringLiteral("pH"));
    s.moveTo(kVolumeAxisEnd, kVolumeLabelTop);
    s.setFontItalic(true);
    s.print(QStringLiteral("V"));
    s.setFontItalic(false);
    s.setCurrentY(s.currentY() + kSubscriptDrop);
    s.print(QStringLiteral("1"));
    s.setCurrentY(s.currentY() - kSubscriptDrop);
    s.print(QStringLiteral(" (mL)"));
}

void GraphPainter::drawMark(double volume, double pH, platform::Colour c, int strokeWidth) {
    const double x = GraphScale::x(volume);
    const double y = GraphScale::y(pH);
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    m_surface.setStrokeWidth(strokeWidth);
    // At 1 px the surface leaves out the last point, so x + 4 gives an arm of 3 px.
    m_surface.line(x - 3, y, x + 4, y, c);
    m_surface.line(x, y - 3, x, y + 4, c);
}

void GraphPainter::drawCurve(const std::vector<chemistry::CurveVertex>& curve, platform::Colour c,
                             int strokeWidth) {
    m_surface.setStrokeWidth(strokeWidth);
    bool started = false;
    double lastX = 0;
    double lastY = 0;
    for (const chemistry::CurveVertex& vertex : curve) {
        const double x = GraphScale::x(vertex.volume);
        const double y = GraphScale::y(vertex.pH);
        // A vertex the engine could not compute is left out; the curve joins the next one.
        if (!std::isfinite(x) || !std::isfinite(y)) continue;
        if (started) {
            m_surface.line(lastX, lastY, x, y, c);
        } else {
            m_surface.pset(x, y, c);
            started = true;
        }
        lastX = x;
        lastY = y;
    }
}

bool GraphPainter::isInsideReadout(int x, int y) {
    return x > kReadoutLeft && x < kReadoutRight && y > kReadoutTop && y < kReadoutBottom;
}

QString GraphPainter::readoutText(int x, int y, GraphMode mode) {
    if (!isInsideReadout(x, y)) return {};
    const QString volume =
        QStringLiteral("V = ") + picture(GraphScale::volumeAt(x), "#0.0") + QStringLiteral(" mL");
    if (mode == GraphMode::PhCurve) {
        return volume + QStringLiteral(" ; pH = ") + picture(GraphScale::phAt(y), "0.0#");
    }
    if (y < kHundredPercentY) return {};
    return volume + QStringLiteral(" ; p = ") + picture(10 * GraphScale::tensOfPercentAt(y), "##0.0") +
           QStringLiteral(" %");
}

}  // namespace workbench
