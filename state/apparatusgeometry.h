#pragma once
// Geometry of the apparatus illustration that the pouring logic shares with the drawing.
#include <cmath>

namespace state::ApparatusGeometry {

// Size of the illustration of the apparatus, px.
inline constexpr int kWidth = 289;
inline constexpr int kHeight = 497;

// The beaker stands 30 px lower when the burette and its stirrer are not shown.
inline int beakerOffset(bool showBurette) {
    return showBurette ? 0 : 30;
}

// Ordinate of the liquid surface: 0.3 px per mL above the bottom at 455, rounded to the nearest
// integer, halves to even (200 mL with 25 mL poured gives 387.5, drawn at 388).
inline int liquidSurface(double beakerVolume, double pouredVolume, double waterVolume) {
    const double s = 455 - 0.3 * (beakerVolume + pouredVolume + waterVolume);
    if (!std::isfinite(s) || s < -32767 || s > 32767) return 455;
    return static_cast<int>(std::nearbyint(s));
}

// Where a falling drop lands: the surface of the liquid, beaker offset included.
inline double dropSurface(int liquidSurfaceY, bool showBurette) {
    return liquidSurfaceY + beakerOffset(showBurette);
}

// The drop picture is painted at this abscissa.
inline constexpr int kDropX = 55;

// The top of the drop picture in frame 1 to 4 of its fall onto the liquid surface at `landing`:
// just below the burette tip, a fifth of the way, half way, on the surface.
inline double dropTop(int frame, double landing) {
    switch (frame) {
        case 1:
            return 348;
        case 2:
            return (landing - 364) / 5 + 348;
        case 3:
            return (landing + 332) / 2;
        default:
            return landing - 16;
    }
}

}  // namespace state::ApparatusGeometry
