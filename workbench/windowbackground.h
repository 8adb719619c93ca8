#pragma once
// The background of the main window, drawn on a surface of the window's size.
#include <QRect>
#include <vector>

#include "platform/colour.h"

namespace platform {
class Surface;
}

namespace workbench {

struct WindowBackground {
    QRect textArea;     // `supertext`
    QRect fileNameBox;  // `fich`
    // Left edge and top of each situation button, and its colour.
    struct Disc {
        int buttonLeft;
        int buttonTop;
        platform::Colour colour;
    };
    std::vector<Disc> discs;
};

// The gradient from white to (200, 200, 180) over 600 rows, the shadow behind the text area and
// one disc of radius 4 in each situation's colour beside its button.
void paintWindowBackground(platform::Surface& surface, const WindowBackground& layout);

}  // namespace workbench
