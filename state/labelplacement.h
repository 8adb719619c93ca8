#pragma once
// Where a small label goes beside a point of the graph: near it, clear of the curve it belongs to
// and, where it can, of the construction lines drawn around it. Plain geometry in pixels.
#include <span>

#include "state/plotframe.h"

namespace state {

struct LabelBox {
    double width = 0;   // px
    double height = 0;  // px
};

// The top-left corner of a box of that size near `anchor`, inside the grid, at least 2 px from
// every segment of `curve` (a polyline) and crossing as few of `lines` as it can; the nearest such
// place wins. Beside the anchor when no place keeps off the curve.
state::PlotPoint placeLabel(state::PlotPoint anchor, LabelBox box, std::span<const state::PlotPoint> curve,
                            std::span<const state::PlotSegment> lines);

// Whether a segment passes within `clearance` px of the box whose top-left corner is `corner`.
bool segmentTouchesBox(const state::PlotSegment& segment, state::PlotPoint corner, LabelBox box,
                       double clearance);

}  // namespace state
