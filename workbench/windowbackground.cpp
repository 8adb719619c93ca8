#include "workbench/windowbackground.h"

#include <cmath>

#include "platform/surface.h"

namespace workbench {

void paintWindowBackground(platform::Surface& surface, const WindowBackground& layout) {
    for (int y = 0; y <= 600; ++y) {
        const double t = y / 600.0;
        const int grey = static_cast<int>(std::nearbyint(255 - t * 55));
        const int blue = static_cast<int>(std::nearbyint(255 - t * 75));
        surface.line(0, y, 800, y, platform::Colour{grey, grey, blue});
    }
    const platform::Colour shadow{128, 128, 128};
    surface.filledRectangle(layout.textArea.left() + 3, layout.fileNameBox.top() + 3, layout.textArea.right() + 3,
                            layout.textArea.bottom() + 3, shadow);
    for (const auto& disc : layout.discs) {
        surface.filledCircle(disc.buttonLeft - 13, disc.buttonTop + 9, 4, disc.colour);
    }
}

}  // namespace workbench
