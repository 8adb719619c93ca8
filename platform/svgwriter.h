#pragma once
// A drawing written as an SVG document of our own: lines, polylines, circles, rectangles and
// texts, no picture, placed in a `size` pixel page as large as fits, proportions kept, centred,
// on white. Written by hand because Qt's SVG module is not in every build of the program.
#include <QByteArray>
#include <QSize>
#include <QString>

#include "platform/drawing.h"

namespace platform {

QByteArray svgDocument(const Drawing& drawing, QSize size, const QString& title);

}  // namespace platform
