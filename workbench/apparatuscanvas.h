#pragma once
// `picburette`'s picture: the surface the apparatus is drawn on, with its background layer and its
// drawing layer (the liquid levels, the falling drop). The bench controller takes on it the
// drawing steps its actions ask for; the illustration page shows it and lays its controls over it.
#include <QObject>

#include "platform/surface.h"
#include "workbench/apparatuspainter.h"

namespace workbench {

class ApparatusCanvas : public QObject {
    Q_OBJECT

  public:
    static constexpr int kWidth = ApparatusPainter::kWidth;
    static constexpr int kHeight = ApparatusPainter::kHeight;

    explicit ApparatusCanvas(QObject* parent = nullptr);

    platform::Surface& surface() { return m_surface; }
    const platform::Surface& surface() const { return m_surface; }
    // Both layers as shown, at the device pixel ratio: printing prints them at their logical size
    // and copies take them reduced to that size.
    const QImage& image() const { return m_surface.image(); }
    // Where the last `drawBackground` put the controls laid over the legend, and where the last
    // `drawLiquidLevels` ended the beaker's label.
    const ApparatusLayout& layout() const { return m_layout; }
    // The logical size of the surface when the background was last drawn.
    QSize drawnSize() const { return m_drawnSize; }
    // The sizes of those controls, which the legend's text flows around.
    static const LegendControls& legendControls();

    // Draws the background layer for the apparatus shown and keeps it.
    void drawBackground(const ApparatusScene& scene);
    // Draws the drawing layer again over the background layer.
    void drawLiquidLevels(const ApparatusScene& scene);
    // Writes the overlaid controls' texts into the drawing layer, where the background put them.
    void writeReadingsIntoPicture(const ApparatusReadings& readings);
    // One drawing step an action asked for.
    void paint(const state::ApparatusPaint& step);
    // One frame of the falling drop, the picture's top at y.
    void paintDrop(double y);
    // The short lines at the burette tip, which a passing drop covers.
    void redrawBuretteTip();

  signals:
    // The background placed the legend's controls again, or the beaker's label ends elsewhere.
    void layoutChanged();

  private:
    platform::Surface m_surface;
    ApparatusPainter m_painter;
    ApparatusLayout m_layout;
    QSize m_drawnSize;
};

}  // namespace workbench
