#pragma once
// The small pictures laid over the apparatus drawing: the stopcock key of the burette, closed
// and open, and the drop that the drop button shows and that falls into the beaker.
#include <QImage>
#include <QSize>

namespace workbench {

class ApparatusPictures {
  public:
    // The key sits just right of the stopcock body, its axis 15 px below the picture's top.
    static constexpr QSize kTapSize{30, 30};
    static constexpr int kTapAxisY = 15;
    // The drop is centred on x = 8, 8 px right of where it is painted, and touches the bottom
    // row, so that a drop painted 16 px above the liquid surface lands on it.
    static constexpr QSize kDropSize{16, 16};

    // Horizontal key when closed, turned upright (along the tube) when open. Transparent
    // around the drawing. Drawn at a device pixel ratio (the sizes above stay logical) so that
    // they are sharp on a scaled screen.
    static const QImage& tap(bool open, double ratio = 1.0);
    static const QImage& drop(double ratio = 1.0);
};

}  // namespace workbench
