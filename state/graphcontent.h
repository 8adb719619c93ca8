#pragma once
// What the titration graph shows, as data: its frame, then the marks, the theoretical curves and
// the analyses' overlays in the order they were added, each with its colour and stroke width. A
// painter draws it; a view that drew it before draws only the items added since, unless the
// graph was started again (a new generation).
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "chemistry/conductivity.h"
#include "chemistry/distribution.h"
#include "chemistry/mixturecurves.h"
#include "chemistry/titration.h"
#include "numbers/rgb.h"
#include "state/equivalenceplot.h"
#include "state/meters.h"

namespace state {

using Colour = numbers::Rgb;

// The frame the graph is drawn in, which the read-out under the mouse follows: a meter's (the
// content's meter()), or the distribution diagram's.
enum class GraphMode { MeterCurve, Distribution };

// A point of a meter's series: its value (in the meter's unit) after `volume` mL.
struct SeriesPoint {
    double volume = 0;
    double value = 0;
    bool operator==(const SeriesPoint&) const = default;
};

// Any points with a volume as a series, `value` reading each one's value.
template <typename Points, typename Value>
std::vector<SeriesPoint> seriesOf(const Points& points, Value value) {
    std::vector<SeriesPoint> series;
    series.reserve(points.size());
    for (const auto& p : points)
        series.push_back({static_cast<double>(p.volume), static_cast<double>(value(p))});
    return series;
}
std::vector<SeriesPoint> seriesOf(const std::vector<chemistry::CurveVertex>& vertices);
std::vector<SeriesPoint> seriesOf(const std::vector<chemistry::ConductivityPoint>& points);

// A measurement's upright cross at (V mL, the meter's value).
struct GraphMark {
    const Meter* meter = &phMeter();
    double volume = 0;
    double value = 0;
    Colour colour;
    int width = 1;
    // Its series, for a meter that reads several at each measurement (n: one per species).
    int series = 0;
    bool operator==(const GraphMark&) const = default;
};

// How a series is drawn: a theoretical curve, its first vertex as a dot, then a segment to each
// following one; the lab's measurements, an oblique cross each; the curve fitted to them, dashed.
enum class SeriesStyle { Line, MeasuredCrosses, FittedDashes };

// A series of a meter's values, in its situation's colour.
struct GraphCurve {
    const Meter* meter = &phMeter();
    std::vector<SeriesPoint> points;
    Colour colour;
    int width = 1;
    SeriesStyle style = SeriesStyle::Line;
    bool operator==(const GraphCurve&) const = default;
};

// The derivative curve, in pixels, in the palette's derivative colour.
struct DerivativeOverlay {
    std::vector<state::PlotPoint> polyline;
    int width = 1;
    bool operator==(const DerivativeOverlay&) const = default;
};

// The name of an equivalence point: "E", or with its number as a subscript, "E₁", "E₂"…
std::string pointName(int number);

// The construction of the tangent method, in black: the two tangents alone when it was refused.
// A single solute's point is "E" at the construction's own place; the equivalences of a polyacid
// or a mixture are numbered ("E₁", "E₂", the number as a subscript) and named where the label
// stays clear of the curve.
struct TangentOverlay {
    state::TangentConstruction construction;
    int width = 1;
    int number = 0;  // 0: "E" alone
    // Top-left corner of the label, px: unset, the single solute's place for "E".
    std::optional<state::PlotPoint> label;
    bool operator==(const TangentOverlay&) const = default;
};

// A colour OR-ed over everything drawn before, which fades it.
struct FadeOverlay {
    Colour colour;
    bool operator==(const FadeOverlay&) const = default;
};

// Where the distribution diagram draws a vertex's share of each form, px.
inline PlotPoint acidPointOf(const chemistry::DistributionVertex& v) {
    return PlotFrame::percentPoint(v.volume, v.acidPercent);
}
inline PlotPoint basicPointOf(const chemistry::DistributionVertex& v) {
    return PlotFrame::percentPoint(v.volume, v.basicPercent);
}

// The distribution diagram's two curves and their legend.
struct DistributionOverlay {
    std::vector<chemistry::DistributionVertex> vertices;
    int width = 1;
    bool operator==(const DistributionOverlay&) const = default;
};

// The distribution of every form of the first solute, each in its colour and in dashes, so that
// it is not taken for a pH curve, with its name after a dashed sample in the legend. The mixture
// gives the read-out under the pointer the shares at the pointed volume.
struct FormsOverlay {
    std::vector<chemistry::FormShares> vertices;
    std::vector<std::string> names;  // fully protonated form first
    int width = 1;
    chemistry::Mixture mixture;
    bool operator==(const FormsOverlay&) const = default;
};

// The read-out over the forms: "H₃PO₄ : 0,6 % ; H₂PO₄⁻ : 98,9 % ; …" after `volume` mL; empty
// when the point cannot be solved.
std::string formSharesText(const FormsOverlay& forms, double volume);

// The "Droites" construction, in black: the line fitted before the equivalence, the one after it,
// and their intersection E.
struct StraightLinesOverlay {
    chemistry::StraightLines lines;
    std::string label;  // "E", or "E₁", "E₂" with several equivalences
    int width = 1;
    bool corrected = false;  // fitted on σ corrected for the dilution
    bool operator==(const StraightLinesOverlay&) const = default;
};

// σ corrected for the dilution at the points "Droites" fits, as rings in the situation's colour,
// named in a legend.
struct CorrectedConductivity {
    std::vector<chemistry::ConductivityPoint> points;
    Colour colour;
    int width = 1;
    bool operator==(const CorrectedConductivity&) const = default;
};

// The names of the series of a meter that reads several (n = f(V): one per species), each after a
// sample of its line in its colour, along the top of the graph.
struct SeriesLegend {
    std::vector<std::string> names;
    std::vector<Colour> colours;
    bool operator==(const SeriesLegend&) const = default;
};

using GraphItem =
    std::variant<GraphMark, GraphCurve, DerivativeOverlay, TangentOverlay, FadeOverlay, DistributionOverlay,
                 FormsOverlay, StraightLinesOverlay, CorrectedConductivity, SeriesLegend>;

class GraphContent {
  public:
    bool operator==(const GraphContent&) const = default;
    // 0 until the graph is first started: nothing to draw, the picture stays white.
    std::uint64_t generation() const { return m_generation; }
    GraphMode mode() const { return m_mode; }
    const std::vector<GraphItem>& items() const { return m_items; }

    // 1 px, or 2 px while "Tracer en gras" is ticked: applies to what is added next.
    int strokeWidth() const { return m_strokeWidth; }
    void setStrokeWidth(int width);

    // Drawn in the colours of high contrast: set before a restart, it holds for the whole
    // generation.
    bool highContrast() const { return m_highContrast; }
    void setHighContrast(bool highContrast) { m_highContrast = highContrast; }

    // Back to the empty pH frame at 1 px.
    void restart();
    // The empty frame of the distribution diagram.
    void clearToDistributionFrame();
    // Back to the empty frame of a meter at 1 px, graduated on this axis.
    void restart(const Meter& meter, const MeterAxis& axis);
    // The meter's frame with another axis and the same items, drawn again from the start.
    void widenAxis(const MeterAxis& axis);
    // The meter whose values the frame's ordinate graduates (pH for the distribution diagram).
    const Meter& meter() const { return *m_meter; }
    // Whether the frame is that meter's.
    bool showsMeter(const Meter& meter) const { return m_mode == GraphMode::MeterCurve && m_meter == &meter; }
    const MeterAxis& axis() const { return m_axis; }

    void add(GraphItem item);
    // The undo history keeps the items apart from the rest, to share those that did not change
    // between its steps: they are taken out and put back as they were, the generation unchanged.
    std::vector<GraphItem> takeItems() { return std::exchange(m_items, {}); }
    void putBackItems(std::vector<GraphItem> items) { m_items = std::move(items); }
    // Takes a fit's dashed curves away; what stays is drawn again from the start.
    bool removeFittedCurves();
    // A mark or a series of a meter at the present stroke width.
    void placeMark(const Meter& meter, double volume, double value, Colour colour, int series = 0);
    void addCurve(const Meter& meter, std::vector<SeriesPoint> points, Colour colour,
                  SeriesStyle style = SeriesStyle::Line);

    // The marks and the theoretical curves (the series drawn as lines) among the items, in order.
    std::vector<GraphMark> marks() const;
    std::vector<GraphCurve> curves() const;

  private:
    void startOver(GraphMode mode);

    std::uint64_t m_generation = 0;
    GraphMode m_mode = GraphMode::MeterCurve;
    int m_strokeWidth = 1;
    const Meter* m_meter = &phMeter();
    MeterAxis m_axis = phMeter().axisFor(0);
    bool m_highContrast = false;
    std::vector<GraphItem> m_items;
};

}  // namespace state
