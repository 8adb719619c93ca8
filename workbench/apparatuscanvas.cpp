#include "workbench/apparatuscanvas.h"

namespace workbench {

ApparatusCanvas::ApparatusCanvas(QObject* parent)
    : QObject(parent), m_surface(kWidth, kHeight), m_painter(m_surface) {}

const LegendControls& ApparatusCanvas::legendControls() {
    static const LegendControls controls{};
    return controls;
}

void ApparatusCanvas::imafond(const ApparatusScene& scene) {
    m_layout = m_painter.imafond(scene, legendControls());
    emit layoutChanged();
}

void ApparatusCanvas::niveaubecher(const ApparatusScene& scene) {
    m_painter.niveaubecher(scene);
}

void ApparatusCanvas::prepaima(const ApparatusReadings& readings) {
    m_painter.prepaima(readings, m_layout);
}

void ApparatusCanvas::paintDrop(double y) {
    m_painter.paintDrop(y);
}

void ApparatusCanvas::redrawBuretteTip() {
    m_painter.redrawBuretteTip();
}

}  // namespace workbench
