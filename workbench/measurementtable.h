#pragma once
// The table page: the container `Picture5` holding the grid `MSFlexGrid1`, a view of the
// measurement rows. Row 0 is the header row, whose cells carry painted pictures and no text.
// After a change of the rows the grid starts again, or drops its rows, or only adds the new ones.
#include <QImage>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <vector>

#include "platform/clipboard.h"
#include "platform/surface.h"
#include "state/measurementrows.h"

class QTableWidget;

namespace workbench {

class MeasurementTable : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kHeaderHeight = 42;  // px
    static constexpr int kRowHeight = 18;     // px, the data rows
    // Room left in the grid's width for its vertical scroll bar, px.
    static constexpr int kScrollBarRoom = 20;
    // The item data under which a header cell keeps its picture (a QImage).
    static constexpr int kPictureRole = Qt::UserRole + 1;
    // The size of the page the table was laid out for, px.
    static constexpr int kPageWidth = 473;
    static constexpr int kPageHeight = 270;

    explicit MeasurementTable(const state::MeasurementRows& rows, QWidget* parent = nullptr);

    // Takes the rows as they are now.
    void showRows();

    QTableWidget& grid();
    const QTableWidget& grid() const;
    QSize sizeHint() const override;

    // The width of each of `columns` equal columns in a grid `gridWidth` px wide: the room left by
    // the scroll bar shared out in whole twips (15 a pixel), shown in whole pixels, and never
    // less than `narrowest`, past which the grid scrolls sideways.
    static int columnWidth(int gridWidth, int columns, int narrowest = 0);
    // The narrowest column that shows every heading and every cell of the table whole, px.
    int narrowestColumn() const { return m_narrowest; }

    // The picture of header cell (0, column); a null image when the column has none.
    QImage headerPicture(int column) const;
    // "Copier le contenu du tableau": selects the whole grid and puts its text on the clipboard.
    void copyContents(platform::Clipboard& clipboard);
    // "Copier une image du tableau".
    void copyPicture(platform::Clipboard& clipboard);
    // The picture of the grid: header pictures and every data row.
    QImage gridImage() const;
    // The header pictures over `rowCount` data rows from `firstRow` (0 is the first
    // measurement): a printed page of a table too long for one.
    QImage gridImage(int firstRow, int rowCount) const;
    // The same with only `columns`, in that order: a printed page of a table too wide for one.
    QImage gridImage(int firstRow, int rowCount, const std::vector<int>& columns) const;
    std::vector<int> columnWidths() const;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void reset();
    void clearRows();
    void appendRow(int index);
    void layoutColumns();
    // A header cell's picture, painted once for each column, width and screen ratio.
    QImage headerPicture(int column, int width);
    // The width the heading of `column` takes, px.
    double headingWidth(int column);
    // Widens the columns when a cell's text would not show whole in them.
    void makeRoomFor(const QString& text);

    const state::MeasurementRows& m_rows;
    // The rows shown: the restarts and clears they followed, and how many.
    std::uint64_t m_shownResets = 0;
    std::uint64_t m_shownClears = 0;
    int m_shownCount = 0;
    QTableWidget* m_grid;
    platform::Surface* m_headerCanvas;  // the canvas the header cells are painted on
    QWidget* m_headerStrip;             // keeps the header row in view while the rows scroll
    std::vector<QImage> m_headerPictures;
    int m_headerWidth = -1;
    int m_narrowest = 0;
    double m_headerRatio = 0.0;
};

}  // namespace workbench
