#pragma once
// The graph drawn again for a file or the paper: the frame's pixels scaled by one ratio, so that
// lines stay sharp and the proportions stay those of the window, or the frame's lines and texts
// kept as a drawing.
#include <QSize>

#include "platform/drawing.h"
#include "state/graphcontent.h"

class QPainter;

namespace workbench {

// Draws `content` at the top left of `painter`, whose device is `size` pixels, as large as fits.
void paintGraph(const state::GraphContent& content, QPainter& painter, QSize size);
// What the painter draws of `content`, as vectors, in the frame's pixels.
platform::Drawing graphDrawing(const state::GraphContent& content);

}  // namespace workbench
