#include "platform/fonts.h"

#include <algorithm>
#include <cmath>
#include <mutex>

namespace platform {

int pixelsFromPoints(double points) {
    if (!std::isfinite(points)) return 1;
    return static_cast<int>(std::clamp(std::lround(points * kPixelsPerPoint), 1L, 4096L));
}

void installFontSubstitutes() {
    static std::once_flag once;
    std::call_once(once, [] {
        QFont::insertSubstitutions(QStringLiteral("Arial"),
                                   QStringList{QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                               QStringLiteral("Nimbus Sans"), QStringLiteral("Helvetica")});
        QFont::insertSubstitutions(
            QStringLiteral("Symbol"),
            QStringList{QStringLiteral("Standard Symbols PS"), QStringLiteral("Standard Symbols L")});
    });
}

QFont pixelFont(const QString& family, double points, bool bold, bool italic, bool underline) {
    installFontSubstitutes();
    QFont font(family);
    font.setPixelSize(pixelsFromPoints(points));
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    font.setStyleStrategy(QFont::NoSubpixelAntialias);
    return font;
}

}  // namespace platform
