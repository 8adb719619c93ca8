#include "workbench/measurementtable.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTableWidget>
#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

#include "numbers/picture.h"
#include "platform/fonts.h"
#include "platform/pixelratio.h"
#include "state/spokentexts.h"
#include "workbench/tablepainter.h"

namespace workbench {

namespace {

constexpr int kTwipsPerPixel = 15;
// Room around a text in its cell: the view's text margins and the grid line, px.
constexpr int kCellRoom = 9;
constexpr Qt::Alignment kCellAlignment = Qt::AlignHCenter | Qt::AlignTop;

// The grid scrolls by pixels under its header row, which stays in view; a cell brought into view
// must not end up hidden under it.
class FlexGrid : public QTableWidget {
  public:
    using QTableWidget::QTableWidget;

    void scrollTo(const QModelIndex& index, ScrollHint hint) override {
        QTableWidget::scrollTo(index, hint);
        if (!index.isValid() || index.row() == 0 || rowCount() == 0) return;
        const int covered = rowHeight(0) - visualRect(index).top();
        if (covered > 0) verticalScrollBar()->setValue(verticalScrollBar()->value() - covered);
    }
};

// The header row drawn again over the top of the grid's viewport, so that the column titles stay
// visible whatever the scrolling. A click on it makes the header cell current, as on the grid.
class HeaderStrip : public QWidget {
  public:
    explicit HeaderStrip(QTableWidget* grid) : QWidget(grid), m_grid(grid), m_viewport(grid->viewport()) {
        setObjectName(QStringLiteral("fixedRow"));
        // The viewport narrows when the vertical scroll bar appears.
        m_viewport->installEventFilter(this);
    }

    void place() {
        const QRect viewport = m_grid->viewport()->geometry();
        const int height = m_grid->rowCount() > 0 ? m_grid->rowHeight(0) : 0;
        setGeometry(viewport.x(), viewport.y(), viewport.width(), std::min(viewport.height(), height));
        setVisible(height > 0);
        raise();
        update();
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // The viewport is known from the start: while the grid is destroyed it is no longer one.
        if ((event->type() == QEvent::Resize || event->type() == QEvent::Move) && watched == m_viewport) {
            place();
        }
        return QWidget::eventFilter(watched, event);
    }

    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), m_grid->palette().color(QPalette::Base));
        if (m_grid->rowCount() == 0) return;
        const int height = m_grid->rowHeight(0);
        const QColor line = platform::toQColor(TablePainter::kGridLine);
        for (int c = 0; c < m_grid->columnCount(); ++c) {
            const int x = m_grid->columnViewportPosition(c);
            const int w = m_grid->columnWidth(c);
            if (const QTableWidgetItem* item = m_grid->item(0, c)) {
                const QImage picture = item->data(MeasurementTable::kPictureRole).value<QImage>();
                // The source rectangle is in the picture's device pixels.
                const double ratio = picture.devicePixelRatio();
                if (!picture.isNull())
                    painter.drawImage(QPointF(x, 0), picture,
                                      QRectF(0, 0, (w - 1) * ratio, (height - 1) * ratio));
            }
            // Filled rather than stroked: one logical pixel whatever the screen's ratio.
            painter.fillRect(x + w - 1, 0, 1, height, line);
        }
        painter.fillRect(0, height - 1, width() + 1, 1, line);
    }

    void mousePressEvent(QMouseEvent* event) override {
        const int column = m_grid->columnAt(static_cast<int>(event->position().x()));
        if (column < 0) return;
        m_grid->setFocus(Qt::MouseFocusReason);
        m_grid->setCurrentCell(0, column);
    }

  private:
    QTableWidget* m_grid;
    QWidget* m_viewport;
};

}  // namespace

MeasurementTable::MeasurementTable(const state::MeasurementRows& rows, QWidget* parent)
    : QWidget(parent),
      m_rows(rows),
      m_grid(new FlexGrid(this)),
      m_headerCanvas(new platform::Surface(1, kHeaderHeight, this)) {
    setObjectName(QStringLiteral("Picture5"));
    m_headerCanvas->setObjectName(QStringLiteral("Picture6"));
    m_grid->setObjectName(QStringLiteral("MSFlexGrid1"));
    m_grid->horizontalHeader()->hide();
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setMinimumSectionSize(1);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setMinimumSectionSize(1);
    m_grid->verticalHeader()->setDefaultSectionSize(kRowHeight);
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_grid->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_grid->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_grid->setWordWrap(false);
    m_grid->setCornerButtonEnabled(false);
    m_grid->setFont(platform::pixelFont(QStringLiteral("Arial"), 8));
    m_grid->setStyleSheet(QStringLiteral("QTableWidget { gridline-color: rgb(192, 192, 192); }"));

    auto* strip = new HeaderStrip(m_grid);
    m_headerStrip = strip;
    connect(m_grid->horizontalScrollBar(), &QScrollBar::valueChanged, strip, [strip] { strip->update(); });
    connect(m_grid->horizontalHeader(), &QHeaderView::sectionResized, strip, [strip] { strip->place(); });

    // The header pictures are painted at the screen's resolution, and again at another.
    m_headerCanvas->setDevicePixelRatio(devicePixelRatioF());
    platform::followDevicePixelRatio(*this, [this](double ratio) {
        if (m_headerCanvas->setDevicePixelRatio(ratio)) layoutColumns();
    });

    resize(kPageWidth, kPageHeight);
    m_grid->setGeometry(rect());
    reset();
    m_shownResets = m_rows.resets();
    m_shownClears = m_rows.clears();
    showRows();
}

void MeasurementTable::showRows() {
    if (m_rows.resets() != m_shownResets) {
        reset();
        m_shownCount = 0;
    } else if (m_rows.clears() != m_shownClears || m_rows.count() < m_shownCount) {
        // Fewer rows than shown: the rows were given back as they were before (undone).
        clearRows();
        m_shownCount = 0;
    }
    m_shownResets = m_rows.resets();
    m_shownClears = m_rows.clears();
    for (; m_shownCount < m_rows.count(); ++m_shownCount) appendRow(m_shownCount);
}

QSize MeasurementTable::sizeHint() const {
    return {kPageWidth, kPageHeight};
}

QTableWidget& MeasurementTable::grid() {
    return *m_grid;
}

const QTableWidget& MeasurementTable::grid() const {
    return *m_grid;
}

int MeasurementTable::columnWidth(int gridWidth, int columns, int narrowest) {
    if (columns <= 0) return 0;
    const double room = std::max(0, gridWidth - kScrollBarRoom);
    const long twips = std::lround(room * kTwipsPerPixel / columns);
    return std::max({1, narrowest, static_cast<int>(twips / kTwipsPerPixel)});
}

QImage MeasurementTable::headerPicture(int column) const {
    const QTableWidgetItem* item = column >= 0 && m_grid->rowCount() > 0 ? m_grid->item(0, column) : nullptr;
    return item ? item->data(kPictureRole).value<QImage>() : QImage();
}

void MeasurementTable::reset() {
    m_grid->clearContents();
    m_grid->setGeometry(rect());
    const int columns = m_rows.cellCount();
    m_grid->setRowCount(1);
    m_grid->setColumnCount(columns);
    m_grid->setRowHeight(0, kHeaderHeight);
    // The header cells are pictures: a screen reader reads their headings as words, and the
    // hidden header gives them to the table as its column headings.
    QStringList headings;
    for (int c = 0; c < columns; ++c) headings << QString::fromStdString(state::columnHeading(m_rows, c));
    m_narrowest = 0;
    for (int c = 0; c < columns; ++c)
        m_narrowest = std::max(m_narrowest, static_cast<int>(std::ceil(headingWidth(c))) + kCellRoom);
    m_grid->setHorizontalHeaderLabels(headings);
    for (int c = 0; c < columns; ++c) {
        auto* item = new QTableWidgetItem();
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        item->setData(Qt::AccessibleTextRole, headings[c]);
        m_grid->setItem(0, c, item);
    }
    layoutColumns();
    m_grid->clearSelection();
    // A wide table starts at its volume: the current cell must not bring the last column into
    // view, now or when the page is first shown.
    m_grid->setAutoScroll(false);
    m_grid->setCurrentCell(0, columns - 1);
    m_grid->setAutoScroll(true);
    m_grid->scrollToTop();
    m_grid->horizontalScrollBar()->setValue(0);
}

// Column widths follow the grid's width; the header pictures are painted again at the new size.
void MeasurementTable::layoutColumns() {
    const int columns = m_grid->columnCount();
    if (columns == 0 || m_grid->rowCount() == 0) return;
    const int width = columnWidth(m_grid->width(), columns, m_narrowest);
    for (int c = 0; c < columns; ++c) {
        m_grid->setColumnWidth(c, width);
        QTableWidgetItem* item = m_grid->item(0, c);
        if (!item) continue;
        item->setData(kPictureRole, headerPicture(c, width));
    }
    static_cast<HeaderStrip*>(m_headerStrip)->place();
}

double MeasurementTable::headingWidth(int column) {
    if (m_rows.meterAt(column) == &state::conductivityMeter())
        return TablePainter::conductivityHeaderTextWidth(*m_headerCanvas);
    const std::vector<std::string>& forms = m_rows.formNames();
    const int form = column - state::MeasurementRows::kNarrowColumns;
    if (form >= 0 && form < static_cast<int>(forms.size()))
        return TablePainter::formHeaderTextWidth(
            *m_headerCanvas, QString::fromStdString(forms[static_cast<std::size_t>(form)]));
    return TablePainter::headerTextWidth(*m_headerCanvas, column);
}

void MeasurementTable::makeRoomFor(const QString& text) {
    const int needed =
        static_cast<int>(std::ceil(QFontMetricsF(m_grid->font()).horizontalAdvance(text))) + kCellRoom;
    if (needed <= m_narrowest) return;
    m_narrowest = needed;
    if (m_grid->columnCount() > 0 && m_grid->columnWidth(0) < needed) layoutColumns();
}

QImage MeasurementTable::headerPicture(int column, int width) {
    // Every rebuild of the table comes here; the pictures only change with the width or the ratio.
    const double ratio = m_headerCanvas->devicePixelRatio();
    if (width != m_headerWidth || ratio != m_headerRatio) {
        m_headerPictures.clear();
        m_headerWidth = width;
        m_headerRatio = ratio;
    }
    if (m_rows.meterAt(column) == &state::conductivityMeter()) {
        TablePainter::paintConductivityHeader(*m_headerCanvas, width);
        return m_headerCanvas->image().copy();
    }
    // The columns of the forms are named after the set-up's forms: painted each time, not kept.
    const std::vector<std::string>& forms = m_rows.formNames();
    const int form = column - state::MeasurementRows::kNarrowColumns;
    if (form >= 0 && form < static_cast<int>(forms.size())) {
        TablePainter::paintFormHeader(*m_headerCanvas,
                                      QString::fromStdString(forms[static_cast<std::size_t>(form)]), width);
        return m_headerCanvas->image().copy();
    }
    const auto index = static_cast<std::size_t>(column);
    if (index >= m_headerPictures.size()) m_headerPictures.resize(index + 1);
    if (m_headerPictures[index].isNull()) {
        TablePainter::paintHeader(*m_headerCanvas, column, width);
        m_headerPictures[index] = m_headerCanvas->image().copy();
    }
    return m_headerPictures[index];
}

void MeasurementTable::clearRows() {
    if (m_grid->rowCount() > 1) m_grid->setRowCount(1);
}

void MeasurementTable::appendRow(int index) {
    const int columns = m_grid->columnCount();
    if (columns == 0) return;
    const std::vector<std::string> cells = m_rows.texts(index);
    const int row = m_grid->rowCount();
    m_grid->setRowCount(row + 1);
    for (int c = 0; c < columns && c < static_cast<int>(cells.size()); ++c) {
        const QString text = QString::fromStdString(cells[static_cast<std::size_t>(c)]);
        makeRoomFor(text);
        auto* item = new QTableWidgetItem(text);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        item->setTextAlignment(kCellAlignment);
        m_grid->setItem(row, c, item);
    }
}

void MeasurementTable::copyContents(platform::Clipboard& clipboard) {
    clipboard.clear();
    if (m_grid->rowCount() > 0 && m_grid->columnCount() > 0) {
        m_grid->setCurrentCell(0, 0);
        m_grid->setRangeSelected(
            QTableWidgetSelectionRange(0, 0, m_grid->rowCount() - 1, m_grid->columnCount() - 1), true);
    }
    clipboard.setText(QString::fromStdString(m_rows.contentsText()));
}

QImage MeasurementTable::gridImage() const {
    return gridImage(0, m_rows.count());
}

QImage MeasurementTable::gridImage(int firstRow, int rowCount) const {
    std::vector<int> columns(static_cast<std::size_t>(m_grid->columnCount()));
    std::iota(columns.begin(), columns.end(), 0);
    return gridImage(firstRow, rowCount, columns);
}

QImage MeasurementTable::gridImage(int firstRow, int rowCount, const std::vector<int>& columns) const {
    std::vector<QImage> headers;
    std::vector<int> widths;
    headers.reserve(columns.size());
    widths.reserve(columns.size());
    for (const int c : columns) {
        headers.push_back(headerPicture(c));
        widths.push_back(c >= 0 && c < m_grid->columnCount() ? m_grid->columnWidth(c) : 0);
    }
    const int first = std::clamp(firstRow, 0, m_rows.count());
    const int end = first + std::clamp(rowCount, 0, m_rows.count() - first);
    std::vector<QStringList> rows;
    for (int i = first; i < end; ++i) {
        const std::vector<std::string> texts = m_rows.texts(i);
        QStringList cells;
        for (const int c : columns)
            cells << (c >= 0 && c < static_cast<int>(texts.size())
                          ? QString::fromStdString(texts[static_cast<std::size_t>(c)])
                          : QString());
        rows.push_back(cells);
    }
    platform::Surface surface;
    TablePainter::paintGrid(surface, headers, widths, rows, kRowHeight);
    return surface.image().copy();
}

std::vector<int> MeasurementTable::columnWidths() const {
    std::vector<int> widths(static_cast<std::size_t>(m_grid->columnCount()));
    for (std::size_t c = 0; c < widths.size(); ++c) widths[c] = m_grid->columnWidth(static_cast<int>(c));
    return widths;
}

void MeasurementTable::copyPicture(platform::Clipboard& clipboard) {
    clipboard.clear();
    clipboard.setImage(gridImage());
}

void MeasurementTable::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_grid->setGeometry(rect());
    layoutColumns();
}

}  // namespace workbench
