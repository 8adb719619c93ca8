// The meters on the illustration: the pH-meter with its probe and support, the conductimeter and
// the millivoltmeter with their cables, cases and what they dip into the beaker.
#include <numbers>

#include "workbench/apparatuscolours.h"
#include "workbench/apparatuspainter.h"

namespace workbench {

using namespace apparatus;
using platform::Colour;
using platform::kBlack;
using platform::kWhite;
using platform::Surface;

void ApparatusPainter::drawPhMeter(int o) {
    // Cable from the probe to the meter: a grey sheath under a black core.
    const auto cable = [&](Colour colour) {
        m_surface.arc(104, 349 + o, 15, 0.0, std::numbers::pi, colour);
        m_surface.line(119, 349 + o, 119, 440, colour);
        m_surface.arc(149, 440, 30, std::numbers::pi, 4.57, colour);
        m_surface.line(149, 470, 200, 470, colour);
    };
    drawCable(cable);

    // Probe holder.
    m_surface.filledRectangle(85, 348 + o, 93, 360 + o, kBlack, kBlack);
    m_surface.line(86, 349 + o, 86, 360 + o, kWhite);

    // Electrode support: arm, block, inclined rod, foot.
    for (int i = 0; i <= 7; ++i) {
        const int grey = 255 - 30 * i;
        const Colour c = (i == 0 || i == 7) ? kBlack : Colour{grey, grey, grey};
        m_surface.line(94, 350 + o + i, 174, 390 + o + i, c);
    }
    m_surface.filledRectangle(94, 350 + o, 100, 358 + o, kBlack, kBlack);
    m_surface.filledRectangle(96, 353 + o, 98, 355 + o, kLightGrey);
    for (int half = 0; half <= 12; ++half) {
        const double k = half / 2.0;
        const Colour c = half == 0 ? kDarkGrey : Colour{0, 0, component(200 - 20 * k)};
        m_surface.line(138 + k, 482 + k / 2, 170 + k, 387 + o + k / 2, c);
    }
    m_surface.filledRectangle(137, 475, 147, 486, kFootBlue);
    m_surface.filledRectangle(125, 484, 159, 486, kFootBlue);
    m_surface.pset(142, 479, kWhite);

    const QRect d = kPhDisplay;
    drawMeterCase(d, d.left() - 37, d.left() + d.width() + 17, QStringLiteral("pH"),
                  QPoint(d.left() - 30, 455));
}

void ApparatusPainter::drawMeterCase(const QRect& display, int left, int right, const QString& symbol,
                                     QPoint symbolAt) {
    // The case, shaded from cream at the top to a darker beige, with the display's bezel.
    const QRect& d = display;
    const int top = d.top() - 10;
    const int bottom = d.top() + d.height() + 10;
    for (int y = top, j = 0; y <= bottom; ++y, j += 2) {
        m_surface.line(left, y, right + 1, y, Colour{240, 240, component(230 - j)});
    }
    m_surface.rectangle(left, top, right, bottom, kBlack);
    m_surface.filledRectangle(d.left() - 4, d.top() - 4, d.left() + d.width() + 3, d.top() + d.height() + 3,
                              kWhite, kDarkGrey);
    m_surface.filledRectangle(d.left() - 2, d.top() - 2, d.left() + d.width() + 1, d.top() + d.height() + 1,
                              kBlack);

    // The meter's symbol, embossed: a light copy, and the symbol itself a pixel up and left.
    setFont(QStringLiteral("Arial"), 12, true);
    m_surface.setForeColour(Colour{255, 255, 215});
    m_surface.moveTo(symbolAt.x(), symbolAt.y());
    m_surface.print(symbol);
    m_surface.setForeColour(Colour{180, 180, 0});
    m_surface.moveTo(symbolAt.x() - 1, symbolAt.y() - 1);
    m_surface.print(symbol);
    setFont(QStringLiteral("Arial"), 8);
}

// A cable: a grey sheath 3 px wide with its black core along the same path.
void ApparatusPainter::drawCable(const std::function<void(platform::Colour)>& path) {
    m_surface.setStrokeWidth(3);
    path(kJawGrey);
    m_surface.setStrokeWidth(1);
    path(kBlack);
}

// The cell hangs left of the pH probe, its cable runs over the electrode support to a meter above
// the pH-meter.
void ApparatusPainter::drawConductimeter(int o, const QString& symbol) {
    const auto cable = [&](Colour colour) {
        m_surface.line(75, 340 + o, 75, 328 + o, colour);
        m_surface.line(75, 328 + o, 182, 328 + o, colour);
        m_surface.line(182, 328 + o, 182, 417, colour);
        m_surface.line(182, 417, 187, 417, colour);
    };
    drawCable(cable);

    // Cell holder.
    m_surface.filledRectangle(69, 340 + o, 81, 350 + o, kBlack, kBlack);
    m_surface.line(70, 341 + o, 70, 350 + o, kWhite);

    // The meter's case as the pH-meter's.
    const QRect d = kConductivityDisplay;
    constexpr int kLeft = 186;
    drawMeterCase(d, kLeft, d.left() + d.width() + 6, symbol, QPoint(kLeft + 7, d.top() - 1));
}

// The cell's stem down to the liquid, then under the surface in the liquid's tint with its two
// dark platinum plates at the bottom.
void ApparatusPainter::drawConductivityCell(int o, int liquidTop, Colour liquid) {
    Surface& s = m_surface;
    constexpr Colour kStem{225, 225, 225};
    constexpr int kBottom = 452;
    s.filledRectangle(72, 350 + o, 78, liquidTop + o, kStem, kBlack);
    s.rectangle(72, liquidTop + o + 1, 78, kBottom + o, kDarkGrey);
    s.filledRectangle(73, liquidTop + o + 1, 77, kBottom - 1 + o, scaled(liquid, 0.85, 0.85, 0.85));
    const int platesTop = std::max(liquidTop + 1, kBottom - 8) + o;
    s.filledRectangle(73, platesTop, 73, kBottom - 1 + o, kBlack);
    s.filledRectangle(77, platesTop, 77, kBottom - 1 + o, kBlack);
}

// The platinum electrode (a glass stem and its wire) and the reference electrode beside it (a
// wider body of saturated KCl with its porous tip), held where the conductimetry cell would be.
void ApparatusPainter::drawElectrodes(int o, int liquidTop, Colour liquid) {
    Surface& s = m_surface;
    constexpr Colour kStem{225, 225, 225};
    constexpr Colour kPlatinum{90, 90, 90};
    constexpr Colour kChloride{235, 235, 210};
    constexpr int kBottom = 452;
    const Colour under = scaled(liquid, 0.85, 0.85, 0.85);
    // The platinum electrode.
    s.filledRectangle(72, 350 + o, 75, liquidTop + o, kStem, kBlack);
    s.rectangle(72, liquidTop + o + 1, 75, kBottom - 6 + o, kDarkGrey);
    s.filledRectangle(73, liquidTop + o + 1, 74, kBottom - 7 + o, under);
    s.line(73, kBottom - 6 + o, 73, kBottom + o, kPlatinum);
    s.line(74, kBottom - 6 + o, 74, kBottom + o, kPlatinum);
    // The reference electrode.
    s.filledRectangle(77, 350 + o, 82, liquidTop + o, kChloride, kBlack);
    s.rectangle(77, liquidTop + o + 1, 82, kBottom + o, kDarkGrey);
    s.filledRectangle(78, liquidTop + o + 1, 81, kBottom - 1 + o, scaled(kChloride, 0.95, 0.95, 0.9));
    s.filledRectangle(79, kBottom - 2 + o, 80, kBottom - 1 + o, kDarkGrey);
}

}  // namespace workbench
