#pragma once
// A painter that keeps what is drawn as a Drawing: the vector target of the drawing code. The
// pen and the text measures are the surface's, so a picture comes out laid out as on screen.
//
// The merge mode's only use is the fade, a grey ORed over the whole picture: a rectangle that
// covers the whole drawing in merge mode ORs its colour into every colour drawn before it, which
// is what it does to the pixels. Anything else drawn in merge mode is kept in its own colour.
#include <QFont>

#include "platform/drawing.h"
#include "platform/fontsettings.h"
#include "platform/painter.h"

namespace platform {

class VectorRecorder final : public Painter {
  public:
    // Sizes are brought into 1..16384.
    VectorRecorder(int width, int height);

    const Drawing& drawing() const { return m_drawing; }

    int width() const override { return m_drawing.size.width(); }
    int height() const override { return m_drawing.size.height(); }
    void setBackColour(Colour colour) override;
    void setForeColour(Colour colour) override { m_foreColour = colour; }
    void setStrokeWidth(int width) override;
    void setDrawMode(DrawMode mode) override { m_drawMode = mode; }

    void line(double x1, double y1, double x2, double y2, Colour colour) override;
    void polyline(const std::vector<QPointF>& points, Colour colour) override;
    void pset(double x, double y, Colour colour) override;
    void circle(double cx, double cy, double r, Colour colour) override;
    void filledRectangle(double x1, double y1, double x2, double y2, Colour fill) override;

    double currentX() const override { return m_penX; }
    double currentY() const override { return m_penY; }
    void moveTo(double x, double y) override;

    void setFontName(const QString& name) override;
    void setFontSize(double points) override;
    void setFontBold(bool bold) override;
    void setFontItalic(bool italic) override;
    void setFontUnderline(bool underline) override;
    double textWidth(const QString& text) const override;
    double textHeight(const QString& text = QStringLiteral("W")) const override;
    void print(const QString& text) override;

  private:
    void updateFont();
    void mergeIntoAll(Colour colour);

    Drawing m_drawing;
    Colour m_foreColour = kBlack;
    int m_strokeWidth = 1;
    DrawMode m_drawMode = DrawMode::Copy;
    double m_penX = 0.0;
    double m_penY = 0.0;
    FontSettings m_fontSettings;
    QFont m_font;
};

}  // namespace platform
