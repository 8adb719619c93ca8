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
    // Right and bottom are the edges past the last pixel (left + width), not QRect's last pixel.
    const QRect& text = layout.textArea;
    surface.filledRectangle(text.left() + 3, layout.fileNameBox.top() + 3, text.x() + text.width() + 3,
                            text.y() + text.height() + 3, shadow);
    for (const auto& disc : layout.discs) {
        surface.filledCircle(disc.buttonLeft - 13, disc.buttonTop + 9, 4, disc.colour);
    }
}

}  // namespace workbench
