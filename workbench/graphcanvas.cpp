#include "workbench/graphcanvas.h"

#include "workbench/graphpainter.h"

namespace workbench {

GraphCanvas::GraphCanvas(const state::GraphContent& content, QObject* parent)
    : QObject(parent), m_content(content), m_surface(kWidth, kHeight) {}

void GraphCanvas::update() {
    if (m_content.generation() != m_drawnGeneration) {
        redraw();
        return;
    }
    const auto& items = m_content.items();
    if (m_drawnItems >= items.size()) return;
    GraphPainter painter(m_surface);
    for (std::size_t i = m_drawnItems; i < items.size(); ++i) painter.drawItem(items[i]);
    m_drawnItems = items.size();
}

void GraphCanvas::redraw() {
    GraphPainter(m_surface).draw(m_content);
    m_drawnGeneration = m_content.generation();
    m_drawnItems = m_content.items().size();
}

}  // namespace workbench
