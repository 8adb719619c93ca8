#include "workbench/graphcanvas.h"

#include "workbench/graphpainter.h"

namespace workbench {

// White until the first restart draws the frame.
GraphCanvas::GraphCanvas(QObject* parent) : QObject(parent), m_surface(kWidth, kHeight) {}

void GraphCanvas::setStrokeWidth(int width) {
    if (width >= 1 && width <= 2) m_strokeWidth = width;
}

void GraphCanvas::restart() {
    m_mode = GraphMode::PhCurve;
    m_strokeWidth = 1;
    m_marks.clear();
    m_curves.clear();
    GraphPainter(m_surface).drawFrame();
}

void GraphCanvas::clearToDistributionFrame() {
    m_marks.clear();
    m_curves.clear();
    GraphPainter(m_surface).drawDistributionFrame();
}

void GraphCanvas::placeMark(double volume, double pH, platform::Colour colour) {
    GraphPainter(m_surface).drawMark(volume, pH, colour, m_strokeWidth);
    m_marks.push_back({volume, pH, colour, m_strokeWidth});
}

void GraphCanvas::drawCurve(const std::vector<chemistry::CurveVertex>& curve, platform::Colour colour) {
    GraphPainter(m_surface).drawCurve(curve, colour, m_strokeWidth);
    m_curves.push_back({curve, colour, m_strokeWidth});
}

}  // namespace workbench
