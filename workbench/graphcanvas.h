#pragma once
// `Picture1`'s picture: the surface the titration graph is drawn on, and what it shows as data.
// What is added is drawn at once, item by item; the whole content is drawn again after a restart
// or at another device pixel ratio. The graph page only shows the surface.
#include <QObject>
#include <cstddef>
#include <cstdint>

#include "platform/surface.h"
#include "state/graphcontent.h"

namespace workbench {

using state::GraphMode;

class GraphCanvas : public QObject {
    Q_OBJECT

  public:
    // The size the graph page was laid out for: the frame and the axis titles fit in it, with the
    // tool bar to the right of the V axis.
    static constexpr int kWidth = 473;
    static constexpr int kHeight = 270;

    explicit GraphCanvas(QObject* parent = nullptr);

    platform::Surface& surface() { return m_surface; }
    const platform::Surface& surface() const { return m_surface; }
    // The picture as shown, at the device pixel ratio: printing prints it at its logical size and
    // copies take it reduced to that size.
    const QImage& image() const { return m_surface.image(); }

    const state::GraphContent& content() const { return m_content; }
    GraphMode mode() const { return m_content.mode(); }
    int strokeWidth() const { return m_content.strokeWidth(); }
    void setStrokeWidth(int width) { m_content.setStrokeWidth(width); }

    // Back to the pH curve at 1 px: the picture cleared to white with its frame drawn.
    void restart();
    // The picture cleared to the distribution diagram's frame, the marks and curves forgotten.
    void clearToDistributionFrame();
    // A measurement's cross at (V mL, pH), unless the same cross already stands there.
    void placeMark(double volume, double pH, platform::Colour colour);
    // A theoretical curve at the present stroke width.
    void drawCurve(const std::vector<chemistry::CurveVertex>& curve, platform::Colour colour);
    // An item of any kind, as it is.
    void add(state::GraphItem item);

    // Draws what the content holds that is not drawn yet.
    void update();
    // Draws the whole content again, at the surface's present device pixel ratio.
    void redraw();

  private:
    platform::Surface m_surface;
    state::GraphContent m_content;
    std::uint64_t m_drawnGeneration = 0;
    std::size_t m_drawnItems = 0;
};

}  // namespace workbench
