#include "workbench/graphcanvas.h"

#include <QGuiApplication>
#include <QScreen>

#include "workbench/graphpainter.h"

namespace workbench {

GraphCanvas::GraphCanvas(const state::GraphContent& content, QObject* parent)
    : QObject(parent), m_content(content) {}

platform::Surface& GraphCanvas::drawnSurface() const {
    if (!m_surface) {
        m_surface = std::make_unique<platform::Surface>(kWidth, kHeight);
        // At the screen's resolution, as the graph page would show it.
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            m_surface->setDevicePixelRatio(screen->devicePixelRatio());
        drawNewItems();
    }
    return *m_surface;
}

void GraphCanvas::update() {
    if (m_surface) drawNewItems();
}

void GraphCanvas::redraw() {
    if (!m_surface) {
        drawnSurface();
        return;
    }
    drawAll();
}

void GraphCanvas::drawNewItems() const {
    if (m_content.generation() != m_drawnGeneration) {
        drawAll();
        return;
    }
    const auto& items = m_content.items();
    if (m_drawnItems >= items.size()) return;
    GraphPainter painter(*m_surface, state::drawingPalette(m_content.highContrast()));
    painter.setMeter(m_content.meter(), m_content.axis());
    for (std::size_t i = m_drawnItems; i < items.size(); ++i) painter.drawItem(items[i]);
    m_drawnItems = items.size();
}

void GraphCanvas::drawAll() const {
    GraphPainter(*m_surface).draw(m_content);
    m_drawnGeneration = m_content.generation();
    m_drawnItems = m_content.items().size();
}

}  // namespace workbench
