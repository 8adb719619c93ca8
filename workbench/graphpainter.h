#pragma once
// The drawing of the titration graph: its frame (for the pH curve or for the distribution
// diagram), the measurement marks, the theoretical curves, the analyses' overlays, and the
// coordinate read-out under the mouse, all through state::PlotFrame, the ordinate graduated
// by the meter the graph shows. It draws what a GraphContent holds, whole or item by item, through
// a painter: the screen's surface at its pixel ratio, or a drawing kept as vectors. No widget, so
// that the pixels can be checked without a window.
#include <QString>
#include <vector>

#include "chemistry/titration.h"
#include "platform/painter.h"
#include "state/drawingpalette.h"
#include "state/graphcontent.h"
#include "state/plotframe.h"

namespace workbench {

using state::GraphMode;

class GraphPainter {
  public:
    // Every colour goes through the palette: high contrast makes each readable on white.
    explicit GraphPainter(platform::Painter& painter, state::DrawingPalette palette = {})
        : m_surface(painter), m_palette(palette) {}

    // The frame of the content's mode, then every item, in the content's palette; nothing before
    // the graph was first started, which leaves the picture as it is.
    void draw(const state::GraphContent& content);
    // The frame of a mode: the meter's (drawMeterFrame) or drawDistributionFrame.
    void drawFrame(GraphMode mode);
    // The meter the frame graduates and the axis its items are drawn against (the content's, set
    // by `draw`); pH until set.
    void setMeter(const state::Meter& meter, const state::MeterAxis& axis);
    // A meter's frame: the volume grid and the axes, a grid line every step of the meter's axis
    // with its value, its symbol and unit at the top ("pH", "σ (mS/cm)").
    void drawMeterFrame();
    // One item, over what is drawn.
    void drawItem(const state::GraphItem& item);

    // The pH frame: clears the surface to white, sets Arial 8 regular, a 1 px black pen in copy
    // mode, and draws the grid with its labels, the two axes with their arrowheads and the axis
    // titles.
    void drawFrame();
    void printVolumeTitle();
    // The distribution diagram's frame: cleared to white, a dark grey grid of 10 % by 1 mL with
    // the percentages and every fifth volume as labels, the axes, "%" and "V (mL)".
    void drawDistributionFrame();
    // A plus sign centred on the measurement (V mL, the meter's value): arms of 3 px at a 1 px
    // stroke.
    void drawMark(double volume, double value, platform::Colour colour, int strokeWidth);
    // A lab measurement (V mL, the meter's value): an oblique cross of 3 px arms.
    void drawCross(double volume, double value, platform::Colour colour, int strokeWidth);
    // A curve on the meter's axis drawn in dashes of 6 px with gaps of 4 px.
    void drawDashed(const std::vector<state::SeriesPoint>& curve, platform::Colour colour, int strokeWidth);
    // The first vertex as a dot, then a segment to each following vertex, on the meter's axis.
    void drawCurve(const std::vector<state::SeriesPoint>& curve, platform::Colour colour, int strokeWidth);
    // The same in pixels: a dot at the first point, then a segment to each following point;
    // a point that is not finite is left out.
    void drawPolyline(const std::vector<state::PlotPoint>& points, platform::Colour colour, int strokeWidth);

    // The read-out area: the grid and a one-pixel margin above and to the right of it.
    static bool isInsideReadout(int x, int y);
    // The text shown beside the pointer at (x, y); empty outside the read-out area, and above
    // 100 % in the distribution diagram.
    // A meter's frame reads that meter on `axis`.
    static QString readoutText(int x, int y, GraphMode mode, const state::Meter& meter = state::phMeter(),
                               const state::MeterAxis& axis = state::phMeter().axisFor(0));
    // The same for what the graph shows: over the forms of a polyacid or a mixture, the share of
    // each form at the pointed volume.
    static QString readoutText(int x, int y, const state::GraphContent& content);

  private:
    void drawTangents(const state::TangentOverlay& overlay);
    void drawSeries(const state::GraphCurve& curve);
    void markAt(double x, double y, platform::Colour colour, int strokeWidth);
    void crossAt(double x, double y, platform::Colour colour, int strokeWidth);
    void drawStraightLines(const state::StraightLinesOverlay& overlay);
    void drawCorrectedConductivity(const state::CorrectedConductivity& corrected);
    // Dashes of `dash` px every `period` px along a segment, `along` px of the line drawn before.
    void dashedSegment(const state::PlotPoint& from, const state::PlotPoint& to, platform::Colour c,
                       double dash, double period, double& along);
    void formSegment(const state::PlotPoint& from, const state::PlotPoint& to, platform::Colour c,
                     bool dashed, double& along);
    void legendSample(double x, double y, const QString& text, platform::Colour c);
    void drawFade(const state::FadeOverlay& overlay);
    void drawDistribution(const state::DistributionOverlay& overlay);
    void drawForms(const state::FormsOverlay& overlay);
    void drawSeriesLegend(const state::SeriesLegend& legend);
    void startFrame();
    void drawLevel(double y, platform::Colour colour, int value);
    void drawVolumeGrid(double top, platform::Colour colour);
    void drawAxes();
    void printAt(double x, double y, const QString& text);

    platform::Painter& m_surface;
    const state::Meter* m_meter = &state::phMeter();
    state::MeterAxis m_axis = state::phMeter().axisFor(0);
    state::DrawingPalette m_palette;
};

}  // namespace workbench
