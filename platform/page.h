#pragma once
// A printed page measured in twips (1/1440 inch), origin at the top left of the printable
// area, y down, with the pen, font and text colour of a printer object. The pen state and
// the text measurement live here, so every page (paper, PDF file, test recording) lays text
// out the same way; a subclass only draws.
#include <QFont>
#include <QImage>
#include <QString>

#include "platform/colour.h"
#include "platform/drawing.h"
#include "platform/fontsettings.h"

class QScreen;

namespace platform {

inline constexpr double kTwipsPerInch = 1440.0;
inline constexpr double kTwipsPerPoint = 20.0;

struct TwipsPerPixel {
    double x = 15.0;
    double y = 15.0;
};

// The screen's twips per pixel (15 at 96 dots per inch); 15 when there is no screen or its
// resolution is not plausible.
TwipsPerPixel screenTwipsPerPixel(const QScreen* screen);
// A picture of `pixels` keeps its on-screen size on paper.
inline double pixelsToTwips(double pixels, double twipsPerPixel) {
    return pixels * twipsPerPixel;
}

class Page {
  public:
    Page();
    virtual ~Page() = default;
    Page(const Page&) = delete;
    Page& operator=(const Page&) = delete;

    // The printable area, in twips.
    virtual double width() const = 0;
    virtual double height() const = 0;

    double currentX() const { return m_x; }
    double currentY() const { return m_y; }
    // Positions that are not finite keep the previous one.
    void moveTo(double x, double y);
    void setCurrentX(double x) { moveTo(x, m_y); }
    void setCurrentY(double y) { moveTo(m_x, y); }

    void setFontName(const QString& name);
    QString fontName() const { return m_fontSettings.name; }
    // Points; values outside (0, 1638] keep the previous size.
    void setFontSize(double points);
    double fontSize() const { return m_fontSettings.points; }
    void setFontBold(bool bold);
    bool fontBold() const { return m_fontSettings.bold; }
    void setFontItalic(bool italic);
    bool fontItalic() const { return m_fontSettings.italic; }
    void setTextColour(Colour colour) { m_textColour = colour; }
    Colour textColour() const { return m_textColour; }
    // The font sized in twips: a pixel of this font is a twip of the page.
    const QFont& font() const { return m_font; }

    // Width of the widest line of the text, in twips.
    double textWidth(const QString& text) const;
    // Line height times the number of lines (one for an empty text), in twips.
    double textHeight(const QString& text = QStringLiteral("W")) const;
    // Draws the text with the top left of its line box at the pen, then moves the pen right
    // by its width. A line break inside the text goes to a new line.
    void print(const QString& text);
    // Pen x back to 0, y down by the line height.
    void newLine();

    // The picture stretched over the rectangle (twips). Does not move the pen. With `vectors`,
    // the drawing it shows, a page that draws lines and texts paints that instead, sharp.
    void drawImage(const QImage& image, double x, double y, double width, double height,
                   const Drawing* vectors = nullptr);
    // A line one screen pixel (15 twips) wide; the pen moves to its end.
    void line(double x1, double y1, double x2, double y2, Colour colour = kBlack);

    // The pen goes back to (0, 0); the font and colour are kept.
    void newPage();
    // Finishes the document (the printer starts printing, the file is written). Returns false
    // when it could not be finished; nothing can be drawn afterwards. A page destroyed before
    // its document ended abandons the document.
    bool endDocument();
    bool ended() const { return m_ended; }

    // Line width of line(), in twips.
    static constexpr double kLineWidth = 15.0;

  protected:
    // Called with positions in twips; the font and colour are those of the page.
    virtual void drawText(double x, double y, const QString& line) = 0;
    virtual void drawPicture(const QImage& image, double x, double y, double width, double height,
                             const Drawing* vectors) = 0;
    virtual void drawLine(double x1, double y1, double x2, double y2, Colour colour) = 0;
    virtual void startNewPage() = 0;
    virtual bool finishDocument() = 0;

  private:
    void updateFont();

    double m_x = 0.0;
    double m_y = 0.0;
    FontSettings m_fontSettings{QStringLiteral("Arial"), 10.0};
    Colour m_textColour = kBlack;
    QFont m_font;
    bool m_ended = false;
};

}  // namespace platform
