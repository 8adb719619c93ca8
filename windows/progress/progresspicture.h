#pragma once
// The progress table drawn: one composition of its lines and grids on a canvas that measures and
// draws text, for the picture the clipboard takes (pixels) and the printed page (twips).
#include <QImage>
#include <QString>

#include "state/progresstable.h"

namespace platform {
class Page;
}

namespace progresswindow {

// A text of the table (UTF-8) as Qt shows it.
QString shownText(const std::string& text);

class TableCanvas {
  public:
    virtual ~TableCanvas() = default;
    virtual double textWidth(const QString& text, bool bold) const = 0;
    virtual double lineHeight() const = 0;
    // The text with the top left of its line box at (x, y).
    virtual void drawText(double x, double y, const QString& text, bool bold) = 0;
    virtual void drawLine(double x1, double y1, double x2, double y2) = 0;
    // Where a block `height` high that would start at y goes: y, or the top of a new page.
    virtual double placeBlock(double y, double /*height*/) { return y; }
};

// Draws the table from y down with its left edge at x; returns the y below it. `padding` is the
// room around a cell's text, in the canvas' unit.
double composeProgressTable(TableCanvas& canvas, const state::ProgressTable& table, double x, double y,
                            double padding);

// Black on white at the screen's size, with a margin; the clipboard's picture.
QImage progressTablePicture(const state::ProgressTable& table);

// The table on a printed page from its pen, going on to a new page before a reaction that would
// not fit.
void printProgressTable(platform::Page& page, const state::ProgressTable& table);

}  // namespace progresswindow
