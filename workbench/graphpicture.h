#pragma once
// The graph drawn again at a size the pupil chooses, for a file: the frame's pixels scaled by one
// ratio, so that lines stay sharp and the proportions stay those of the window.
#include <QSize>

#include "state/graphcontent.h"

class QPainter;

namespace workbench {

// Draws `content` at the top left of `painter`, whose device is `size` pixels, as large as fits.
void paintGraph(const state::GraphContent& content, QPainter& painter, QSize size);

}  // namespace workbench
