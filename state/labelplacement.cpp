#include "state/labelplacement.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace state {

namespace {

// The grid of the graph, px.
constexpr double kGridLeft = PlotFrame::kOriginX + 1;
constexpr double kGridRight = 389;
constexpr double kGridTop = 27;
constexpr double kGridBottom = PlotFrame::kOriginY - 1;

constexpr double kCurveClearance = 2;
constexpr int kDirections = 16;
constexpr double kFirstDistance = 9;  // px from the anchor to the box's centre
constexpr double kDistanceStep = 3;
constexpr int kDistances = 12;
// A construction line crossed weighs as much as moving this much further away.
constexpr double kLinePenalty = 7;

bool inside(PlotPoint corner, LabelBox box) {
    return corner.x >= kGridLeft && corner.y >= kGridTop && corner.x + box.width <= kGridRight &&
           corner.y + box.height <= kGridBottom;
}

}  // namespace

bool segmentTouchesBox(const PlotSegment& segment, PlotPoint corner, LabelBox box, double clearance) {
    // Liang–Barsky clipping of the segment against the box grown by the clearance.
    const double left = corner.x - clearance;
    const double right = corner.x + box.width + clearance;
    const double top = corner.y - clearance;
    const double bottom = corner.y + box.height + clearance;
    const double dx = segment.to.x - segment.from.x;
    const double dy = segment.to.y - segment.from.y;
    double t0 = 0;
    double t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {segment.from.x - left, right - segment.from.x, segment.from.y - top,
                         bottom - segment.from.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
        if (t0 > t1) return false;
    }
    return true;
}

PlotPoint placeLabel(PlotPoint anchor, LabelBox box, std::span<const PlotPoint> curve,
                     std::span<const PlotSegment> lines) {
    const auto clearOfCurve = [&](PlotPoint corner) {
        for (std::size_t i = 1; i < curve.size(); ++i) {
            const PlotSegment piece{curve[i - 1], curve[i]};
            if (!std::isfinite(piece.from.x + piece.from.y + piece.to.x + piece.to.y)) continue;
            if (segmentTouchesBox(piece, corner, box, kCurveClearance)) return false;
        }
        return true;
    };
    PlotPoint best{anchor.x + kFirstDistance, anchor.y - box.height / 2};
    double bestScore = INFINITY;
    for (int d = 0; d < kDistances; ++d) {
        const double distance = kFirstDistance + kDistanceStep * d;
        // Closer places cannot be beaten by farther ones once one is found with no line crossed.
        if (distance >= bestScore) break;
        for (int k = 0; k < kDirections; ++k) {
            // From the left, turning upwards first.
            const double angle = std::numbers::pi + 2 * std::numbers::pi * k / kDirections;
            const PlotPoint corner{anchor.x + distance * std::cos(angle) - box.width / 2,
                                   anchor.y + distance * std::sin(angle) - box.height / 2};
            if (!inside(corner, box) || !clearOfCurve(corner)) continue;
            int crossed = 0;
            for (const PlotSegment& line : lines) crossed += segmentTouchesBox(line, corner, box, 0) ? 1 : 0;
            const double score = distance + kLinePenalty * crossed;
            if (score < bestScore) {
                bestScore = score;
                best = corner;
            }
        }
    }
    return best;
}

}  // namespace state
