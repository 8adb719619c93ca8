#pragma once
// The pictures of the measurement table: the header cells, and the whole grid for an image copy.
// Pure drawing on surfaces, so that tests read the pixels without a window.
#include <QImage>
#include <QStringList>
#include <vector>

#include "platform/surface.h"

namespace workbench {

class TablePainter {
  public:
    static constexpr int kHeaderHeight = 42;  // px
    static constexpr platform::Colour kHeaderBack{0, 0, 200};
    static constexpr platform::Colour kGridLine{192, 192, 192};
    static constexpr int kMaxColumns = 6;

    // Paints the header of `column` (0 to 5) on `canvas`, first sized `width` x 42 px and cleared
    // to the header blue: white Arial 8, each line centred on the width of its whole text, with
    // the indices and charges moved down or up. A column outside 0 to 5 is left blank.
    static void paintHeader(platform::Surface& canvas, int column, int width);
    // The header of a column that shows one form of a solute: "[H₂PO₄⁻]" over the unit.
    static void paintFormHeader(platform::Surface& canvas, const QString& form, int width);
    // The conductimeter's column: "σ" over "(mS/cm)".
    static void paintConductivityHeader(platform::Surface& canvas, int width);
    // The width each header's widest line takes, px: a column narrower than it cuts its heading.
    static double headerTextWidth(platform::Surface& canvas, int column);
    static double formHeaderTextWidth(platform::Surface& canvas, const QString& form);
    static double conductivityHeaderTextWidth(platform::Surface& canvas);

    // The grid as it is shown: the header pictures, then one row of texts per line of `rows`,
    // each text centred at the top of its cell, with the grid lines at the right and the bottom
    // of every cell. Rows that would make the picture taller than a surface can be are left out.
    static void paintGrid(platform::Surface& surface, const std::vector<QImage>& headers,
                          const std::vector<int>& widths, const std::vector<QStringList>& rows,
                          int rowHeight);
};

}  // namespace workbench
