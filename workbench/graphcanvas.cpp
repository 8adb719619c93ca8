#include "workbench/graphcanvas.h"

#include "workbench/graphpainter.h"

namespace workbench {

// White until the first restart draws the frame.
GraphCanvas::GraphCanvas(QObject* parent) : QObject(parent), m_surface(kWidth, kHeight) {}

void GraphCanvas::restart() {
    m_content.restart();
    update();
}

void GraphCanvas::clearToDistributionFrame() {
    m_content.clearToDistributionFrame();
    update();
}

void GraphCanvas::placeMark(double volume, double pH, platform::Colour colour) {
    const int width = m_content.strokeWidth();
    // The display restarts by recording its initial point again: the cross already standing there
    // is that point, not a second one.
    for (const state::GraphMark& m : m_content.marks()) {
        if (m.volume == volume && m.pH == pH && m.colour == colour && m.width == width) return;
    }
    m_content.placeMark(volume, pH, colour);
    update();
}

void GraphCanvas::drawCurve(const std::vector<chemistry::CurveVertex>& curve, platform::Colour colour) {
    m_content.addCurve(curve, colour);
    update();
}

void GraphCanvas::add(state::GraphItem item) {
    m_content.add(std::move(item));
    update();
}

void GraphCanvas::update() {
    if (m_content.generation() != m_drawnGeneration) {
        redraw();
        return;
    }
    GraphPainter painter(m_surface);
    const auto& items = m_content.items();
    for (std::size_t i = m_drawnItems; i < items.size(); ++i) painter.drawItem(items[i]);
    m_drawnItems = items.size();
}

void GraphCanvas::redraw() {
    GraphPainter(m_surface).draw(m_content);
    m_drawnGeneration = m_content.generation();
    m_drawnItems = m_content.items().size();
}

}  // namespace workbench
