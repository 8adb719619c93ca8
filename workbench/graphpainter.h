#pragma once
// The drawing of the titration graph: its frame, the measurement marks, the theoretical curves,
// and the coordinate read-out under the mouse. Pure drawing on a surface, no widget, so that the
// pixels can be checked without a window.
#include <QString>
#include <vector>

#include "chemistry/titration.h"
#include "platform/surface.h"
#include "workbench/graphcanvas.h"

namespace workbench {

// The plot frame, the same for every drawing on the graph and for the read-out.
struct GraphScale {
    static constexpr double kOriginX = 40;              // x of V = 0 mL, px
    static constexpr double kPixelsPerMl = 14;          // px per mL
    static constexpr double kOriginY = 250;             // y of pH 0, px
    static constexpr double kPixelsPerPh = 16;          // px per pH unit
    static constexpr double kPixelsPerTenPercent = 22;  // distribution diagram: px per 10 %
    static constexpr int kLastVolume = 25;              // mL, the burette's capacity
    static constexpr int kLastPh = 14;

    static constexpr double x(double volume) { return kOriginX + kPixelsPerMl * volume; }
    static constexpr double y(double pH) { return kOriginY - kPixelsPerPh * pH; }
    static constexpr double volumeAt(double x) { return (x - kOriginX) / kPixelsPerMl; }
    static constexpr double phAt(double y) { return (kOriginY - y) / kPixelsPerPh; }
    // Distribution diagram: tens of per cent at that height (10 at y = 30).
    static constexpr double tensOfPercentAt(double y) { return (kOriginY - y) / kPixelsPerTenPercent; }
};

class GraphPainter {
  public:
    explicit GraphPainter(platform::Surface& surface) : m_surface(surface) {}

    // Clears the surface to white, sets Arial 8 regular, a 1 px black pen in copy mode, and draws
    // the grid with its labels, the two axes with their arrowheads and the axis titles.
    void drawFrame();
    // A plus sign centred on the measurement: arms of 3 px at a 1 px stroke.
    void drawMark(double volume, double pH, platform::Colour colour, int strokeWidth);
    // The first vertex as a dot, then a segment to each following vertex.
    void drawCurve(const std::vector<chemistry::CurveVertex>& curve, platform::Colour colour,
                   int strokeWidth);

    // The read-out area: the grid and a one-pixel margin above and to the right of it.
    static bool isInsideReadout(int x, int y);
    // The text shown beside the pointer at (x, y); empty outside the read-out area, and above
    // 100 % in the distribution diagram.
    static QString readoutText(int x, int y, GraphMode mode);

  private:
    void printAt(double x, double y, const QString& text);

    platform::Surface& m_surface;
};

}  // namespace workbench
