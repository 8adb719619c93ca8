#include "windows/progress/progresspicture.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/fonts.h"
#include "platform/page.h"

namespace progresswindow {

namespace {

std::vector<QString> headerOf(const state::ProgressStep& step) {
    std::vector<QString> header{QString::fromUtf8(state::kStateHeader),
                                QString::fromUtf8(state::kAdvancementHeader)};
    for (const std::string& s : step.species) header.push_back(shownText(s));
    return header;
}

std::vector<QString> rowOf(const state::ProgressRow& row) {
    std::vector<QString> cells{shownText(row.caption), shownText(row.advancement)};
    for (const std::string& c : row.cells) cells.push_back(shownText(c));
    return cells;
}

double stepHeight(const TableCanvas& canvas, const state::ProgressStep& step, double padding) {
    const double line = canvas.lineHeight();
    const double grid = 4 * (line + 2 * padding);
    return line * 1.5 + grid + padding + static_cast<double>(state::detailLines(step).size()) * line + line;
}

double composeStep(TableCanvas& canvas, const state::ProgressStep& step, double x, double y, double padding) {
    const double line = canvas.lineHeight();
    canvas.drawText(x, y, shownText(step.equation), true);
    y += line * 1.5;

    std::vector<std::vector<QString>> grid{headerOf(step)};
    for (const state::ProgressRow& row : step.rows) grid.push_back(rowOf(row));
    std::vector<double> widths(grid.front().size(), 0.0);
    for (std::size_t r = 0; r < grid.size(); ++r) {
        for (std::size_t c = 0; c < grid[r].size() && c < widths.size(); ++c)
            widths[c] = std::max(widths[c], canvas.textWidth(grid[r][c], r == 0 || c == 0) + 2 * padding);
    }
    double right = x;
    for (double w : widths) right += w;
    const double rowHeight = line + 2 * padding;
    for (std::size_t r = 0; r < grid.size(); ++r) {
        const double top = y + static_cast<double>(r) * rowHeight;
        canvas.drawLine(x, top, right, top);
        double left = x;
        for (std::size_t c = 0; c < grid[r].size() && c < widths.size(); ++c) {
            canvas.drawText(left + padding, top + padding, grid[r][c], r == 0 || c == 0);
            left += widths[c];
        }
    }
    const double bottom = y + static_cast<double>(grid.size()) * rowHeight;
    canvas.drawLine(x, bottom, right, bottom);
    double left = x;
    for (std::size_t c = 0; c <= widths.size(); ++c) {
        canvas.drawLine(left, y, left, bottom);
        if (c < widths.size()) left += widths[c];
    }
    y = bottom + padding;
    for (const std::string& text : state::detailLines(step)) {
        canvas.drawText(x, y, shownText(text), false);
        y += line;
    }
    return y + line;
}

// Measures what a composition covers without drawing.
class MeasuringCanvas : public TableCanvas {
  public:
    explicit MeasuringCanvas(const QFont& font) : m_font(font), m_bold(font) { m_bold.setBold(true); }
    double textWidth(const QString& text, bool bold) const override {
        return QFontMetricsF(bold ? m_bold : m_font).horizontalAdvance(text);
    }
    double lineHeight() const override { return QFontMetricsF(m_font).lineSpacing(); }
    void drawText(double x, double y, const QString& text, bool bold) override {
        m_right = std::max(m_right, x + textWidth(text, bold));
        m_bottom = std::max(m_bottom, y + lineHeight());
    }
    void drawLine(double x1, double y1, double x2, double y2) override {
        m_right = std::max({m_right, x1, x2});
        m_bottom = std::max({m_bottom, y1, y2});
    }
    double right() const { return m_right; }
    double bottom() const { return m_bottom; }

  protected:
    QFont m_font;
    QFont m_bold;

  private:
    double m_right = 0;
    double m_bottom = 0;
};

class PainterCanvas final : public MeasuringCanvas {
  public:
    PainterCanvas(QPainter& painter, const QFont& font) : MeasuringCanvas(font), m_painter(painter) {}
    void drawText(double x, double y, const QString& text, bool bold) override {
        const QFont& font = bold ? m_bold : m_font;
        m_painter.setFont(font);
        m_painter.drawText(QPointF(x, y + QFontMetricsF(font).ascent()), text);
    }
    void drawLine(double x1, double y1, double x2, double y2) override {
        m_painter.drawLine(QPointF(x1, y1), QPointF(x2, y2));
    }

  private:
    QPainter& m_painter;
};

class PageCanvas final : public TableCanvas {
  public:
    explicit PageCanvas(platform::Page& page) : m_page(page) {}
    double textWidth(const QString& text, bool bold) const override {
        const bool was = m_page.fontBold();
        m_page.setFontBold(bold);
        const double width = m_page.textWidth(text);
        m_page.setFontBold(was);
        return width;
    }
    double lineHeight() const override { return m_page.textHeight(); }
    void drawText(double x, double y, const QString& text, bool bold) override {
        m_page.setFontBold(bold);
        m_page.moveTo(x, y);
        m_page.print(text);
        m_page.setFontBold(false);
    }
    void drawLine(double x1, double y1, double x2, double y2) override { m_page.line(x1, y1, x2, y2); }
    double placeBlock(double y, double height) override {
        if (y <= 0 || y + height <= m_page.height()) return y;
        m_page.newPage();
        return 0;
    }

  private:
    platform::Page& m_page;
};

constexpr int kMargin = 8;           // px around the picture
constexpr double kPadding = 3;       // px around a cell's text
constexpr double kPagePadding = 45;  // twips: three screen pixels

}  // namespace

QString shownText(const std::string& text) {
    return QString::fromStdString(text);
}

double composeProgressTable(TableCanvas& canvas, const state::ProgressTable& table, double x, double y,
                            double padding) {
    const double line = canvas.lineHeight();
    canvas.drawText(x, y, shownText(table.title), true);
    y += line;
    if (!table.situation.empty()) {
        canvas.drawText(x, y, shownText(table.situation), false);
        y += line;
    }
    if (!table.message.empty()) {
        canvas.drawText(x, y, shownText(table.message), false);
        y += line;
    }
    y += line / 2;
    for (const state::ProgressStep& step : table.steps) {
        y = canvas.placeBlock(y, stepHeight(canvas, step, padding));
        y = composeStep(canvas, step, x, y, padding);
    }
    return y;
}

QImage progressTablePicture(const state::ProgressTable& table) {
    const QFont font = platform::pixelFont(QStringLiteral("Arial"), 10);
    MeasuringCanvas measure(font);
    composeProgressTable(measure, table, kMargin, kMargin, kPadding);
    const int width = static_cast<int>(std::ceil(measure.right())) + kMargin + 1;
    const int height = static_cast<int>(std::ceil(measure.bottom())) + kMargin + 1;
    QImage image(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::black);
    PainterCanvas canvas(painter, font);
    composeProgressTable(canvas, table, kMargin, kMargin, kPadding);
    return image;
}

void printProgressTable(platform::Page& page, const state::ProgressTable& table) {
    page.setFontName(QStringLiteral("Arial"));
    page.setFontSize(10);
    PageCanvas canvas(page);
    const double bottom = composeProgressTable(canvas, table, 0, page.currentY(), kPagePadding);
    page.moveTo(0, bottom);
}

}  // namespace progresswindow
