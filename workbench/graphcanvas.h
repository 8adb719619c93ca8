#pragma once
// `Picture1`'s picture: the surface the titration graph is drawn on, a view of the graph's
// content. After each change it draws only the items added since it last drew, and the whole
// content after a restart of the graph or at another device pixel ratio. The graph page only
// shows the surface.
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

    // White until the content is first started.
    explicit GraphCanvas(const state::GraphContent& content, QObject* parent = nullptr);

    platform::Surface& surface() { return m_surface; }
    const platform::Surface& surface() const { return m_surface; }
    // The picture as shown, at the device pixel ratio: printing prints it at its logical size and
    // copies take it reduced to that size.
    const QImage& image() const { return m_surface.image(); }
    const state::GraphContent& content() const { return m_content; }

    // Draws what the content holds that is not drawn yet.
    void update();
    // Draws the whole content again, at the surface's present device pixel ratio.
    void redraw();

  private:
    const state::GraphContent& m_content;
    platform::Surface m_surface;
    std::uint64_t m_drawnGeneration = 0;
    std::size_t m_drawnItems = 0;
};

}  // namespace workbench
