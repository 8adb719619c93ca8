#pragma once
// An icon drawn by code at whatever size and device pixel ratio it is shown, so that it stays
// sharp at any zoom: `draw` paints it on a square of `side` logical pixels.
#include <QIcon>
#include <functional>

class QPainter;

namespace platform {

QIcon drawnIcon(int side, std::function<void(QPainter&)> draw);

}  // namespace platform
