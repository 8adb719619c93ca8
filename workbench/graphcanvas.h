#pragma once
// `Picture1`'s picture: the surface the titration graph is drawn on, the mode of what it shows and
// the stroke width of what is drawn next. The bench and the analyses draw on it through draw(),
// which keeps each step so that the picture can be drawn again at another device pixel ratio; the
// graph page only shows it.
#include <QObject>
#include <functional>
#include <vector>

#include "chemistry/titration.h"
#include "platform/surface.h"

namespace workbench {

// What the graph shows, for the read-out under the mouse.
enum class GraphMode { PhCurve, Distribution };

class GraphCanvas : public QObject {
    Q_OBJECT

  public:
    struct Mark {
        double volume;  // mL
        double pH;
        platform::Colour colour;
        int width;
    };
    struct Curve {
        std::vector<chemistry::CurveVertex> vertices;
        platform::Colour colour;
        int width;
    };

    // The size the graph page was laid out for: the frame and the axis titles fit in it, with the
    // tool bar to the right of the V axis.
    static constexpr int kWidth = 473;
    static constexpr int kHeight = 270;

    explicit GraphCanvas(QObject* parent = nullptr);

    platform::Surface& surface() { return m_surface; }
    const platform::Surface& surface() const { return m_surface; }
    // The picture as shown, at the device pixel ratio: printing prints it at its logical size and
    // copies take it reduced to that size.
    const QImage& image() const { return m_surface.image(); }

    GraphMode mode() const { return m_mode; }
    void setMode(GraphMode mode) { m_mode = mode; }
    // 1 px, or 2 px while "Tracer en gras" is ticked: applies to what is drawn next.
    int strokeWidth() const { return m_strokeWidth; }
    void setStrokeWidth(int width);

    // Back to the pH curve at 1 px: the picture cleared to white with its frame drawn.
    void restart();
    // The picture cleared to the distribution diagram's frame, the marks and curves forgotten.
    // The mode stays until the diagram is drawn over it.
    void clearToDistributionFrame();
    // A measurement's cross at (V mL, pH), unless the same cross already stands there.
    void placeMark(double volume, double pH, platform::Colour colour);
    // A theoretical curve: its first vertex as a dot, then a segment to each following one.
    void drawCurve(const std::vector<chemistry::CurveVertex>& curve, platform::Colour colour);

    // The measurements and curves the picture holds, as data, since it was last cleared.
    const std::vector<Mark>& marks() const { return m_marks; }
    const std::vector<Curve>& curves() const { return m_curves; }

    // A drawing step on the picture: done at once and kept, with every step since the picture was
    // last cleared, until the next restart or distribution frame. A step sets what it relies on
    // (pen, mode, font) or relies only on the steps before it, so that doing them all again gives
    // the same picture.
    using Step = std::function<void(platform::Surface&)>;
    void draw(Step step);
    // Does the kept steps again, at the surface's present device pixel ratio. Before the first
    // restart there is none and the picture stays white.
    void redraw();

  private:
    void startOver(Step frame);

    platform::Surface m_surface;
    GraphMode m_mode = GraphMode::PhCurve;
    int m_strokeWidth = 1;
    std::vector<Mark> m_marks;
    std::vector<Curve> m_curves;
    std::vector<Step> m_steps;
};

}  // namespace workbench
