#pragma once
// The picture a surface draws on, with the semantics of a Windows picture box: an optional
// background layer that clearing brings back, a background colour, and the packing of a
// picture drawn once and then only shown.
//
// Every coordinate and size of the interface is in logical pixels. The picture itself is kept
// at a device pixel ratio (1 unless set; 2 on a screen scaled twice), as width x ratio by
// height x ratio device pixels.
#include <QImage>
#include <QObject>
#include <QRect>
#include <QSize>

#include "platform/colour.h"
#include "platform/runlengthpicture.h"

class QPainter;

namespace platform {

class SurfacePicture : public QObject {
    Q_OBJECT

  public:
    explicit SurfacePicture(int width = 1, int height = 1, QObject* parent = nullptr);

    // Logical size, in pixels.
    int width() const { return m_width; }
    int height() const { return m_height; }
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
    void setBackColour(Colour colour);
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

  protected:
    // What the pen and the text keep of the picture: the pen goes back to (0, 0) on clearing,
    // and a stroke's disc follows the ratio.
    virtual void penCleared() {}
    virtual void ratioChanged() {}
    // Where logical pixel edges fall in device pixels.
    int edge(int logical) const;
    // The picture and the background layer, unpacked first if they were packed.
    QImage& picture() const;
    const QImage& backgroundLayer() const;

  private:
    QImage blank() const;

    int m_width = 1;
    int m_height = 1;
    double m_ratio = 1.0;
    mutable QImage m_image;             // null while compact
    mutable RunLengthPicture m_packed;  // the picture while compact
    mutable QImage m_background;        // null while packed
    mutable RunLengthPicture m_packedBackground;
    Colour m_backColour = kWhite;
};

// A picture at its logical size (its device pixel ratio undone by a smooth, averaging reduction)
// and 96 dots per inch: what copies put on the clipboard, the same size in pixels whatever the
// screen. A picture at ratio 1 comes back as it is.
QImage atLogicalSize(const QImage& picture);

}  // namespace platform
