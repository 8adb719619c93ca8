#pragma once
// A picture kept as what was drawn rather than as pixels: lines, polylines, dots, circles,
// filled rectangles and texts in pixel coordinates, each with its colour and width. A file
// or a page draws it at any scale, sharp, and its texts stay texts.
#include <QPointF>
#include <QSize>
#include <QString>
#include <variant>
#include <vector>

#include "platform/colour.h"
#include "platform/fontsettings.h"

namespace platform::drawn {

struct Line {
    QPointF from;
    QPointF to;
    Colour colour;
    int width = 1;
};

struct Polyline {
    std::vector<QPointF> points;
    Colour colour;
    int width = 1;
};

// A pixel, or a disc of the width when wider.
struct Dot {
    QPointF at;
    Colour colour;
    int width = 1;
};

struct Circle {
    QPointF centre;
    double radius = 0.0;
    Colour colour;
    int width = 1;
};

// Both corners included, as on the surface.
struct Rectangle {
    QPointF topLeft;
    QPointF bottomRight;
    Colour fill;
};

// One line of text; `baseline` is the top of its line box plus the font's ascent.
struct Text {
    QPointF topLeft;
    double baseline = 0.0;
    QString text;
    FontSettings font;
    Colour colour;
};

using Item = std::variant<Line, Polyline, Dot, Circle, Rectangle, Text>;

}  // namespace platform::drawn

namespace platform {

struct Drawing {
    QSize size{1, 1};  // pixels
    Colour background = kWhite;
    std::vector<drawn::Item> items;
};

// Where a drawing of `drawing` pixels sits in a target of `target`: as large as fits, its
// proportions kept, centred.
struct Placement {
    double scale = 1.0;
    double left = 0.0;
    double top = 0.0;
};
Placement fitInside(QSize drawing, QSizeF target);

}  // namespace platform
