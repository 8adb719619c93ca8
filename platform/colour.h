#pragma once
// A colour as red, green and blue components of 0 to 255, convertible to Qt's colours.
#include <QColor>
#include <ostream>

namespace platform {

struct Colour {
    int red = 0;
    int green = 0;
    int blue = 0;

    bool operator==(const Colour&) const = default;

    // Components outside 0..255 are clamped.
    QRgb rgb() const;
    QColor toQColor() const { return QColor::fromRgb(rgb()); }
    static Colour fromRgb(QRgb rgb) { return Colour{qRed(rgb), qGreen(rgb), qBlue(rgb)}; }
    static Colour fromQColor(const QColor& colour) { return fromRgb(colour.rgb()); }
};

inline constexpr Colour kBlack{0, 0, 0};
inline constexpr Colour kWhite{255, 255, 255};

std::ostream& operator<<(std::ostream& out, const Colour& colour);

}  // namespace platform
