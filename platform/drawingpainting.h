#pragma once
// A drawing painted with a QPainter, as vectors and real text: a PDF page, a printer's page.
#include <QRectF>

#include "platform/drawing.h"

class QPainter;

namespace platform {

// Placed in `target` (the painter's units) as large as fits, proportions kept, centred.
void paintDrawing(QPainter& painter, const Drawing& drawing, const QRectF& target);

}  // namespace platform
