#include "workbench/apparatuscanvas.h"

namespace workbench {

ApparatusCanvas::ApparatusCanvas(QObject* parent)
    : QObject(parent), m_surface(kWidth, kHeight), m_painter(m_surface) {}

const LegendControls& ApparatusCanvas::legendControls() {
    static const LegendControls controls{};
    return controls;
}

void ApparatusCanvas::drawBackground(const ApparatusScene& scene) {
    // The beaker's label is on the drawing layer: it stays where it was until drawn again.
    const int labelBottom = m_layout.beakerLabelBottom;
    m_layout = m_painter.drawBackground(scene, legendControls());
    m_layout.beakerLabelBottom = labelBottom;
    m_drawnSize = m_surface.logicalSize();
    emit layoutChanged();
}

void ApparatusCanvas::drawLiquidLevels(const ApparatusScene& scene) {
    const int labelBottom = m_painter.drawLiquidLevels(scene);
    if (labelBottom == m_layout.beakerLabelBottom) return;
    m_layout.beakerLabelBottom = labelBottom;
    emit layoutChanged();
}

void ApparatusCanvas::writeReadingsIntoPicture(const ApparatusReadings& readings) {
    m_painter.writeReadingsIntoPicture(readings, m_layout);
}

void ApparatusCanvas::paint(const state::ApparatusPaint& step) {
    switch (step.kind) {
        case state::ApparatusPaint::Kind::Background:
            drawBackground(step.scene);
            break;
        case state::ApparatusPaint::Kind::LiquidLevels:
            drawLiquidLevels(step.scene);
            break;
        case state::ApparatusPaint::Kind::Drop:
            paintDrop(step.dropTop);
            break;
        case state::ApparatusPaint::Kind::BuretteTip:
            redrawBuretteTip();
            break;
    }
}

void ApparatusCanvas::paintDrop(double y) {
    m_painter.paintDrop(y);
}

void ApparatusCanvas::redrawBuretteTip() {
    m_painter.redrawBuretteTip();
}

}  // namespace workbench
