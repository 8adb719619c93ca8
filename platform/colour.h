#pragma once
// The program's colour type on the drawing side, with its conversions to Qt's colours.
#include <QColor>

#include "numbers/rgb.h"

namespace platform {

using Colour = numbers::Rgb;

inline constexpr Colour kBlack{0, 0, 0};
inline constexpr Colour kWhite{255, 255, 255};

// Components outside 0..255 are clamped.
QRgb toQRgb(Colour colour);
// The colour fully opaque, as the pictures hold every pixel.
inline QRgb opaqueRgb(Colour colour) {
    return toQRgb(colour) | 0xFF000000u;
}
inline QColor toQColor(Colour colour) {
    return QColor::fromRgb(toQRgb(colour));
}
inline Colour colourOf(QRgb rgb) {
    return Colour{qRed(rgb), qGreen(rgb), qBlue(rgb)};
}
inline Colour colourOf(const QColor& colour) {
    return colourOf(colour.rgb());
}

}  // namespace platform
