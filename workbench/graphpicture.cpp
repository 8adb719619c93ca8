#include "workbench/graphpicture.h"

#include <QPainter>
#include <algorithm>

#include "platform/surface.h"
#include "platform/vectorrecorder.h"
#include "workbench/graphcanvas.h"
#include "workbench/graphpainter.h"

namespace workbench {

namespace {

// Smaller by `ratio` (below 1), smoothly, each side at least one pixel.
QImage downscaled(const QImage& picture, double ratio) {
    const QSize size(std::max(1, static_cast<int>(picture.width() * ratio)),
                     std::max(1, static_cast<int>(picture.height() * ratio)));
    return picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

}  // namespace

void paintGraph(const state::GraphContent& content, QPainter& painter, QSize size) {
    const double ratio = std::min(static_cast<double>(size.width()) / GraphCanvas::kWidth,
                                  static_cast<double>(size.height()) / GraphCanvas::kHeight);
    if (!(ratio > 0)) return;
    // A surface draws at one device pixel per pixel or more: a smaller picture is the frame's own
    // pixels scaled down, not the frame's top left corner.
    platform::Surface surface(GraphCanvas::kWidth, GraphCanvas::kHeight);
    surface.setDevicePixelRatio(std::max(ratio, 1.0));
    GraphPainter(surface).draw(content);
    QImage picture = surface.image();
    picture.setDevicePixelRatio(1);
    if (ratio < 1) picture = downscaled(picture, ratio);
    painter.drawImage(QPoint(0, 0), picture);
}

platform::Drawing graphDrawing(const state::GraphContent& content) {
    platform::VectorRecorder recorder(GraphCanvas::kWidth, GraphCanvas::kHeight);
    GraphPainter(recorder).draw(content);
    return recorder.drawing();
}

}  // namespace workbench
