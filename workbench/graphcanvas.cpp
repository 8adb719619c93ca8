#include "workbench/graphcanvas.h"

#include "workbench/graphpainter.h"

namespace workbench {

// White until the first restart draws the frame.
GraphCanvas::GraphCanvas(QObject* parent) : QObject(parent), m_surface(kWidth, kHeight) {}

void GraphCanvas::setStrokeWidth(int width) {
    if (width >= 1 && width <= 2) m_strokeWidth = width;
}

void GraphCanvas::startOver(Step frame) {
    m_marks.clear();
    m_curves.clear();
    m_steps.clear();
    draw(std::move(frame));
}

void GraphCanvas::restart() {
    m_mode = GraphMode::PhCurve;
    m_strokeWidth = 1;
    startOver([](platform::Surface& s) { GraphPainter(s).drawFrame(); });
}

void GraphCanvas::clearToDistributionFrame() {
    startOver([](platform::Surface& s) { GraphPainter(s).drawDistributionFrame(); });
}

void GraphCanvas::draw(Step step) {
    if (!step) return;
    step(m_surface);
    m_steps.push_back(std::move(step));
}

void GraphCanvas::redraw() {
    for (const Step& step : m_steps) step(m_surface);
}

void GraphCanvas::placeMark(double volume, double pH, platform::Colour colour) {
    const int width = m_strokeWidth;
    // The display restarts by recording its initial point again: the cross already standing there
    // is that point, not a second one.
    for (const Mark& m : m_marks) {
        if (m.volume == volume && m.pH == pH && m.colour == colour && m.width == width) return;
    }
    draw([=](platform::Surface& s) { GraphPainter(s).drawMark(volume, pH, colour, width); });
    m_marks.push_back({volume, pH, colour, width});
}

void GraphCanvas::drawCurve(const std::vector<chemistry::CurveVertex>& curve, platform::Colour colour) {
    m_curves.push_back({curve, colour, m_strokeWidth});
    draw([this, index = m_curves.size() - 1](platform::Surface& s) {
        const Curve& c = m_curves[index];
        GraphPainter(s).drawCurve(c.vertices, c.colour, c.width);
    });
}

}  // namespace workbench
