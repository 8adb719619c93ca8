#include "platform/drawing.h"

#include <algorithm>

namespace platform {

Placement fitInside(QSize drawing, QSizeF target) {
    if (drawing.width() <= 0 || drawing.height() <= 0 || !(target.width() > 0) || !(target.height() > 0))
        return {};
    const double scale = std::min(target.width() / drawing.width(), target.height() / drawing.height());
    return {scale, (target.width() - scale * drawing.width()) / 2,
            (target.height() - scale * drawing.height()) / 2};
}

}  // namespace platform
