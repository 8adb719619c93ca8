#pragma once
// A persistent picture drawn with pixel coordinates (origin top left, y down), with the
// semantics of a Windows picture box: an optional background layer that clearing brings
// back, a pen position, a font, a stroke width and a copy or merge draw mode. Shapes are
// pixel-exact (no antialiasing); text is antialiased.
//
// Every coordinate and size of the interface is in logical pixels. The picture itself is kept
// at a device pixel ratio (1 unless set; 2 on a screen scaled twice), as width x ratio by
// height x ratio device pixels, and each shape is rasterised in device pixels: a line of
// width 1 is about `ratio` device pixels wide, drawn along the segment between the device
// positions of its ends, so a diagonal stays a thin line rather than a staircase of blocks.
#include <QFont>
#include <QImage>
#include <QObject>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>
#include <vector>

#include "platform/colour.h"
#include "platform/fontsettings.h"
#include "platform/painter.h"
#include "platform/runlengthpicture.h"

namespace platform {

class Surface : public QObject, public Painter {
    Q_OBJECT

  public:
    explicit Surface(int width = 1, int height = 1, QObject* parent = nullptr);

    // Logical size, in pixels.
    int width() const override { return m_width; }
    int height() const override { return m_height; }
    QSize logicalSize() const { return {m_width, m_height}; }
    // Keeps the picture at the top left; new area in the background colour. Sizes outside
    // 1..16384 are refused.
    void resize(int width, int height);

    // Device pixels per logical pixel, 1 to 8 (values outside are brought into that range; a
    // value that is not finite is ignored). The picture and the background layer are scaled to
    // the new ratio until their owner draws them again. Returns whether the ratio changed.
    bool setDevicePixelRatio(double ratio);
    double devicePixelRatio() const { return m_ratio; }

    // Setting the background colour clears the picture to it, as a picture box does.
    void setBackColour(Colour colour) override;
    Colour backColour() const { return m_backColour; }
    // Fills with the background colour, paints the background layer if one is kept, and
    // puts the pen at (0, 0).
    void clear();
    // The current picture becomes the background layer that clear() brings back.
    void keepAsBackground();
    void removeBackground();
    bool hasBackground() const { return !m_background.isNull() || !m_packedBackground.isNull(); }
    // For a picture drawn once and then only shown: it is kept as its runs of one colour, and so
    // is the background layer, until they are next drawn on, cleared to or read, when they are
    // unpacked again. A picture that would not shrink by half stays as it is.
    void compact();
    bool isCompact() const { return m_image.isNull(); }

    void setForeColour(Colour colour) override { m_foreColour = colour; }
    Colour foreColour() const { return m_foreColour; }
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

    double currentX() const override { return m_penX; }
    double currentY() const override { return m_penY; }
    void moveTo(double x, double y) override;
    void setCurrentX(double x) { moveTo(x, m_penY); }
    void setCurrentY(double y) { moveTo(m_penX, y); }

    void setFontName(const QString& name) override;
    QString fontName() const { return m_fontSettings.name; }
    // Points (9.75 is a usual size); values outside (0, 1638] keep the previous size.
    void setFontSize(double points) override;
    double fontSize() const { return m_fontSettings.points; }
    void setFontBold(bool bold) override;
    bool fontBold() const { return m_fontSettings.bold; }
    void setFontItalic(bool italic) override;
    bool fontItalic() const { return m_fontSettings.italic; }
    void setFontUnderline(bool underline) override;
    bool fontUnderline() const { return m_fontSettings.underline; }
    const QFont& font() const { return m_font; }

    // Width of the widest line of the text, in pixels.
    double textWidth(const QString& text) const override;
    // Line height of the font times the number of lines of the text (one for an empty text).
    double textHeight(const QString& text = QStringLiteral("W")) const override;
    // Draws the text in the fore colour with the top left corner of its line box at the pen,
    // then moves the pen right by its width. A line break inside the text goes to a new line.
    void print(const QString& text) override;
    // Pen x back to 0, y down by the line height.
    void newLine();

    void paintPicture(const QImage& picture, double x, double y);

    // The whole picture in device pixels, with the device pixel ratio set, so that a QPainter
    // draws it at its logical size: what the view shows. Its resolution is 96 dots per inch
    // times the ratio, so a program that honours it shows it at the logical size on paper.
    const QImage& image() const { return picture(); }
    // Draws what image() holds in `area` (logical pixels) at the painter's origin, device pixel
    // for device pixel, without unpacking a compact picture.
    void drawOn(QPainter& painter, const QRect& area) const;
    // The picture at its logical size and 96 dots per inch: atLogicalSize(image()).
    QImage logicalImage() const;
    // The device pixels of image() that logical pixel (x, y) covers: logical pixels tile the
    // picture, each `ratio` device pixels wide give or take one.
    QRect devicePixels(int x, int y) const;
    // The colour of logical pixel (x, y): that of the device pixel under its centre, one of
    // devicePixels(x, y) (at ratio 1 the pixel itself, at ratio 2 the bottom right one of its
    // 2 x 2); (-1, -1, -1) outside the picture.
    Colour pixel(int x, int y) const;

  signals:
    void changed();

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
    void updateFont();
    void updatePen();
    void finish(double penX, double penY);
    // Device geometry: where logical pixel edges fall, the pen's width and where a point of a
    // stroke puts the pen.
    int edge(int logical) const;
    int devicePenWidth() const;
    int anchor(int logical) const;
    QImage blank() const;
    // The picture and the background layer, unpacked first if they were packed.
    QImage& picture() const;
    const QImage& backgroundLayer() const;

    int m_width = 1;
    int m_height = 1;
    double m_ratio = 1.0;
    mutable QImage m_image;             // null while compact
    mutable RunLengthPicture m_packed;  // the picture while compact
    mutable QImage m_background;        // null while packed
    mutable RunLengthPicture m_packedBackground;
    Colour m_backColour = kWhite;
    Colour m_foreColour = kBlack;
    int m_strokeWidth = 1;
    std::vector<Span> m_pen;  // the disc a wide stroke stamps at each device pixel
    DrawMode m_drawMode = DrawMode::Copy;
    double m_penX = 0.0;
    double m_penY = 0.0;
    FontSettings m_fontSettings;
    QFont m_font;
};

// A picture at its logical size (its device pixel ratio undone by a smooth, averaging reduction)
// and 96 dots per inch: what copies put on the clipboard, the same size in pixels whatever the
// screen. A picture at ratio 1 comes back as it is.
QImage atLogicalSize(const QImage& picture);

}  // namespace platform
