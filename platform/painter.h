#pragma once
// What a picture drawn in pixel coordinates (origin top left, y down) is drawn through: the
// screen's pixels (Surface) or a drawing of lines and text kept for a file or the paper
// (VectorRecorder). The pen, the font and the text measures follow the surface's rules, so a
// drawing lays out the same on every target.
#include <QPointF>
#include <QString>
#include <vector>

#include "platform/colour.h"

namespace platform {

enum class DrawMode {
    Copy,   // each pixel takes the pen colour
    Merge,  // each pixel <- pixel OR pen colour (fades a picture filled with a grey)
};

class Painter {
  public:
    virtual ~Painter() = default;

    // Logical size, in pixels.
    virtual int width() const = 0;
    virtual int height() const = 0;

    // Clears the picture to the colour and puts the pen at (0, 0).
    virtual void setBackColour(Colour colour) = 0;
    virtual void setForeColour(Colour colour) = 0;
    // 1 to 100 pixels; other values keep the previous width.
    virtual void setStrokeWidth(int width) = 0;
    virtual void setDrawMode(DrawMode mode) = 0;

    // At width 1 a line leaves out its last pixel; the pen moves to the last point.
    virtual void line(double x1, double y1, double x2, double y2, Colour colour) = 0;
    // A dot at the first point, then a segment to each following point.
    virtual void polyline(const std::vector<QPointF>& points, Colour colour) = 0;
    // One pixel, or a disc of the stroke width when wider.
    virtual void pset(double x, double y, Colour colour) = 0;
    virtual void circle(double cx, double cy, double r, Colour colour) = 0;
    // Both corners included.
    virtual void filledRectangle(double x1, double y1, double x2, double y2, Colour fill) = 0;

    virtual double currentX() const = 0;
    virtual double currentY() const = 0;
    // Positions that are not finite keep the previous one.
    virtual void moveTo(double x, double y) = 0;

    virtual void setFontName(const QString& name) = 0;
    // Points; values outside (0, 1638] keep the previous size.
    virtual void setFontSize(double points) = 0;
    virtual void setFontBold(bool bold) = 0;
    virtual void setFontItalic(bool italic) = 0;
    virtual void setFontUnderline(bool underline) = 0;
    // Width of the widest line of the text, and the line height times its lines, in pixels.
    virtual double textWidth(const QString& text) const = 0;
    virtual double textHeight(const QString& text = QStringLiteral("W")) const = 0;
    // The text in the fore colour, the top left of its line box at the pen; the pen moves right
    // by its width, and a line break inside it goes to a new line.
    virtual void print(const QString& text) = 0;
};

}  // namespace platform
