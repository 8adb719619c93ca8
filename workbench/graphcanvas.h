#pragma once
// `Picture1`'s picture: the surface the titration graph is drawn on, a view of the graph's
// content. After each change it draws only the items added since it last drew, and the whole
// content after a restart of the graph or at another device pixel ratio. The graph page only
// shows the surface. The surface is made and drawn when first asked for, by the graph page, a
// copy or a printout: until then nothing is drawn.
#include <QObject>
#include <cstddef>
#include <cstdint>
#include <memory>

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

    // White until the content is first started.
    explicit GraphCanvas(const state::GraphContent& content, QObject* parent = nullptr);

    platform::Surface& surface() { return drawnSurface(); }
    const platform::Surface& surface() const { return drawnSurface(); }
    // The picture as shown, at the device pixel ratio: printing prints it at its logical size and
    // copies take it reduced to that size.
    const QImage& image() const { return drawnSurface().image(); }
    const state::GraphContent& content() const { return m_content; }

    // Draws what the content holds that is not drawn yet.
    void update();
    // Draws the whole content again, at the surface's present device pixel ratio.
    void redraw();

  private:
    platform::Surface& drawnSurface() const;
    void drawNewItems() const;
    void drawAll() const;

    const state::GraphContent& m_content;
    mutable std::unique_ptr<platform::Surface> m_surface;
    mutable std::uint64_t m_drawnGeneration = 0;
    mutable std::size_t m_drawnItems = 0;
};

}  // namespace workbench
