#pragma once
// Fonts asked for by their Windows names. On Linux, fontconfig answers "Arial" with
// Liberation Sans and "Symbol" with the URW Standard Symbols, which have the same metrics;
// the substitutes below cover a system whose fontconfig lacks those aliases.
#include <QFont>
#include <QString>
#include <QStringList>

namespace platform {

// Point sizes are converted at 96 dots per inch whatever the screen, so pictures drawn
// with these fonts are the same everywhere.
constexpr double kPixelsPerPoint = 96.0 / 72.0;

// Pixel size of a font of the given point size, as Windows rounds it (8 pt -> 11 px).
int pixelsFromPoints(double points);

void installFontSubstitutes();

// A font for pixel-exact pictures: pixel size from the point size, no subpixel rendering.
QFont pixelFont(const QString& family, double points, bool bold = false, bool italic = false,
                bool underline = false);

}  // namespace platform
