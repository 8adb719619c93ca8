#pragma once
// A persistent picture drawn with pixel coordinates (origin top left, y down), with the
// semantics of a Windows picture box: the picture and its background layer (SurfacePicture),
// a pen position, a fore colour and a font with the text printed at the pen (SurfaceText), and
// here the shapes, at a stroke width in a copy or merge draw mode. Shapes are pixel-exact (no
// antialiasing).
//
// Each shape is rasterised in device pixels: a line of width 1 is about `ratio` device pixels
// wide, drawn along the segment between the device positions of its ends, so a diagonal stays a
// thin line rather than a staircase of blocks.
#include <QPointF>
#include <optional>
#include <utility>
#include <vector>

#include "platform/surfacetext.h"

namespace platform {

class Surface : public SurfaceText {
  public:
    explicit Surface(int width = 1, int height = 1, QObject* parent = nullptr);

    // 1 to 100 pixels; other values keep the previous width.
    void setStrokeWidth(int width) override;
    int strokeWidth() const { return m_strokeWidth; }
    void setDrawMode(DrawMode mode) override { m_drawMode = mode; }
    DrawMode drawMode() const { return m_drawMode; }

    // Coordinates are rounded to whole pixels; a shape with a coordinate that is not finite or
    // beyond +-32767 is not drawn. Shapes given no colour use the fore colour.
    //
    // At width 1 a line covers every pixel from the first point up to but not including the
    // last; wider lines are drawn with a round pen and include both ends. The pen moves to the
    // last point.
    void line(double x1, double y1, double x2, double y2);
    void line(double x1, double y1, double x2, double y2, Colour colour) override;
    void polyline(const std::vector<QPointF>& points, Colour colour) override;
    // Outline through both corners.
    void rectangle(double x1, double y1, double x2, double y2);
    void rectangle(double x1, double y1, double x2, double y2, Colour colour);
    // Filled, both corners included; with an outline colour, the outline is drawn over it at
    // the stroke width.
    void filledRectangle(double x1, double y1, double x2, double y2, Colour fill) override;
    void filledRectangle(double x1, double y1, double x2, double y2, Colour fill, Colour outline);
    // A dot: one pixel, or a disc of the stroke width when wider.
    void pset(double x, double y);
    void pset(double x, double y, Colour colour) override;
    // Circles span cx - r .. cx + r. The pen moves to the centre.
    void circle(double cx, double cy, double r);
    void circle(double cx, double cy, double r, Colour colour) override;
    void filledCircle(double cx, double cy, double r, Colour fill);
    void filledCircle(double cx, double cy, double r, Colour fill, Colour outline);
    // Angles in radians, counter-clockwise from the positive x axis with y up on screen (pi/2
    // is straight up); the arc runs counter-clockwise from start to end.
    void arc(double cx, double cy, double r, double startRadians, double endRadians);
    void arc(double cx, double cy, double r, double startRadians, double endRadians, Colour colour);
    // aspect = vertical radius / horizontal radius; r is the larger radius.
    void filledEllipse(double cx, double cy, double r, double aspect, Colour fill);
    void filledEllipse(double cx, double cy, double r, double aspect, Colour fill, Colour outline);

  protected:
    void ratioChanged() override { updatePen(); }

  private:
    struct Span {
        int dy;
        int left;
        int right;
    };

    class Raster;

    void drawLine(double x1, double y1, double x2, double y2, Colour colour);
    void drawRectangle(double x1, double y1, double x2, double y2, Colour colour);
    void drawFilledRectangle(double x1, double y1, double x2, double y2, Colour fill,
                             std::optional<Colour> outline);
    void drawEllipse(double cx, double cy, double rx, double ry, std::optional<Colour> fill,
                     std::optional<Colour> outline, std::optional<std::pair<double, double>> angles);
    void drawEllipseByAspect(double cx, double cy, double r, double aspect, Colour fill,
                             std::optional<Colour> outline);
    void updatePen();
    // Device geometry: the pen's width and where a point of a stroke puts the pen.
    int devicePenWidth() const;
    int anchor(int logical) const;

    int m_strokeWidth = 1;
    std::vector<Span> m_pen;  // the disc a wide stroke stamps at each device pixel
    DrawMode m_drawMode = DrawMode::Copy;
};

}  // namespace platform
