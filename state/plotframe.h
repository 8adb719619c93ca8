#pragma once
// The graph surface's pixels: where the graph puts a volume, a pH and a percentage, and back.

namespace state {

// A point of the graph surface, in pixels from its top-left corner.
struct PlotPoint {
    double x = 0;
    double y = 0;
    bool operator==(const PlotPoint&) const = default;
};

// A straight stroke between two points of the graph surface.
struct PlotSegment {
    PlotPoint from;
    PlotPoint to;
    bool operator==(const PlotSegment&) const = default;
};

// The plot frame of the graph surface, the same for every drawing on it and for the read-out under
// the mouse: volumes from 0 to 25 mL across, pH from 0 to 14 upwards, and for the distribution
// diagram per cent from 0 to 100 upwards.
struct PlotFrame {
    static constexpr double kOriginX = 40;              // x of V = 0 mL, px
    static constexpr double kPixelsPerMl = 14;          // px per mL
    static constexpr double kOriginY = 250;             // y of pH 0 and of 0 %, px
    static constexpr double kPixelsPerPh = 16;          // px per pH unit
    static constexpr double kPixelsPerTenPercent = 22;  // distribution diagram: px per 10 %
    static constexpr int kLastVolume = 25;              // mL, the burette's capacity
    static constexpr int kLastPh = 14;

    static constexpr double x(double volume) { return kOriginX + kPixelsPerMl * volume; }
    static constexpr double y(double pH) { return kOriginY - kPixelsPerPh * pH; }
    // Distribution diagram: the height of a percentage (100 % at y = 30).
    static constexpr double yOfPercent(double percent) {
        return kOriginY - kPixelsPerTenPercent * percent / 10;
    }

    static constexpr PlotPoint point(double volume, double pH) { return {x(volume), y(pH)}; }
    static constexpr PlotPoint percentPoint(double volume, double percent) {
        return {x(volume), yOfPercent(percent)};
    }

    static constexpr double volumeAt(double x) { return (x - kOriginX) / kPixelsPerMl; }
    static constexpr double phAt(double y) { return (kOriginY - y) / kPixelsPerPh; }
    // Distribution diagram: tens of per cent at that height (10 at y = 30).
    static constexpr double tensOfPercentAt(double y) { return (kOriginY - y) / kPixelsPerTenPercent; }
};

}  // namespace state
