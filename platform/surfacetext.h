#pragma once
// A surface's pen position, fore colour and font, and its text printed at the pen: the part of
// the painter that shapes and text share. Text is antialiased.
#include <QFont>
#include <QString>

#include "platform/fontsettings.h"
#include "platform/painter.h"
#include "platform/surfacepicture.h"

namespace platform {

class SurfaceText : public SurfacePicture, public Painter {
  public:
    explicit SurfaceText(int width = 1, int height = 1, QObject* parent = nullptr);

    int width() const override { return SurfacePicture::width(); }
    int height() const override { return SurfacePicture::height(); }
    void setBackColour(Colour colour) override { SurfacePicture::setBackColour(colour); }
    void setForeColour(Colour colour) override { m_foreColour = colour; }
    Colour foreColour() const { return m_foreColour; }

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

  protected:
    void penCleared() override;
    // A shape's end: the pen moves there and the picture has changed.
    void finish(double penX, double penY);

  private:
    void updateFont();

    Colour m_foreColour = kBlack;
    double m_penX = 0.0;
    double m_penY = 0.0;
    FontSettings m_fontSettings;
    QFont m_font;
};

}  // namespace platform
