#include "workbench/tablepainter.h"

#include <algorithm>
#include <array>

namespace workbench {

namespace {

// One piece of a header line: its text, how far it is moved down (negative: up), in italics.
struct Piece {
    const char* text;
    int drop;
    bool italic;
};

struct HeaderLine {
    int top;              // px from the top of the cell
    const char* measure;  // the run the line is centred on
    std::vector<Piece> pieces;
};

const HeaderLine kConcentrationUnit{
    22, "(mol \u00b7 L-1)", {{"(mol \u00b7 L", 0, false}, {"-1", -3, false}, {")", 0, false}}};

const std::vector<HeaderLine>& headerLines(int column) {
    static const std::array<std::vector<HeaderLine>, TablePainter::kMaxColumns> lines = {{
        {{4, "V1", {{"V", 0, true}, {"1", 4, false}}}, {22, "(mL)", {{"(mL)", 0, false}}}},
        {{13, "pH", {{"pH", 0, false}}}},
        {{4,
          "[H3O+]",
          {{"[H", 0, false}, {"3", 3, false}, {"O", 0, false}, {"+", -3, false}, {"]", 0, false}}},
         kConcentrationUnit},
        {{4, "[HO-]", {{"[H", 0, false}, {"O", 0, false}, {"-", -3, false}, {"]", 0, false}}},
         kConcentrationUnit},
        {{4, "[acide]", {{"[acide]", 0, false}}}, kConcentrationUnit},
        {{4, "[base]", {{"[base]", 0, false}}}, kConcentrationUnit},
    }};
    static const std::vector<HeaderLine> none;
    if (column < 0 || column >= TablePainter::kMaxColumns) return none;
    return lines[static_cast<std::size_t>(column)];
}

void useGridFont(platform::Surface& s) {
    s.setFontName(QStringLiteral("Arial"));
    s.setFontSize(8);
    s.setFontBold(false);
    s.setFontItalic(false);
    s.setFontUnderline(false);
}

}  // namespace

void TablePainter::paintHeader(platform::Surface& canvas, int column, int width) {
    canvas.resize(std::max(1, width), kHeaderHeight);
    canvas.setDrawMode(platform::DrawMode::Copy);
    canvas.setBackColour(kHeaderBack);  // clears the canvas as well
    useGridFont(canvas);
    canvas.setForeColour(platform::kWhite);
    for (const HeaderLine& line : headerLines(column)) {
        canvas.setFontItalic(false);
        const double left = (canvas.width() - canvas.textWidth(QString::fromUtf8(line.measure))) / 2;
        canvas.moveTo(left, line.top);
        for (const Piece& piece : line.pieces) {
            canvas.setFontItalic(piece.italic);
            canvas.setCurrentY(line.top + piece.drop);
            canvas.print(QString::fromUtf8(piece.text));
            canvas.setCurrentY(line.top);
        }
    }
    canvas.setFontItalic(false);
}

void TablePainter::paintFormHeader(platform::Surface& canvas, const QString& form, int width) {
    paintHeader(canvas, -1, width);
    // The form's name as written, subscripts and charges included, then the unit below.
    const QString name = QStringLiteral("[") + form + QStringLiteral("]");
    canvas.moveTo((canvas.width() - canvas.textWidth(name)) / 2, 4);
    canvas.print(name);
    const HeaderLine& unit = kConcentrationUnit;
    canvas.moveTo((canvas.width() - canvas.textWidth(QString::fromUtf8(unit.measure))) / 2, unit.top);
    for (const Piece& piece : unit.pieces) {
        canvas.setCurrentY(unit.top + piece.drop);
        canvas.print(QString::fromUtf8(piece.text));
        canvas.setCurrentY(unit.top);
    }
}

void TablePainter::paintConductivityHeader(platform::Surface& canvas, int width) {
    paintHeader(canvas, -1, width);
    const QString sigma = QStringLiteral("\u03C3");
    canvas.moveTo((canvas.width() - canvas.textWidth(sigma)) / 2, 4);
    canvas.print(sigma);
    const QString unit = QStringLiteral("(mS/cm)");
    canvas.moveTo((canvas.width() - canvas.textWidth(unit)) / 2, 22);
    canvas.print(unit);
}

double TablePainter::headerTextWidth(platform::Surface& canvas, int column) {
    useGridFont(canvas);
    double widest = 0;
    for (const HeaderLine& line : headerLines(column))
        widest = std::max(widest, canvas.textWidth(QString::fromUtf8(line.measure)));
    return widest;
}

double TablePainter::formHeaderTextWidth(platform::Surface& canvas, const QString& form) {
    useGridFont(canvas);
    return std::max(canvas.textWidth(QStringLiteral("[") + form + QStringLiteral("]")),
                    canvas.textWidth(QString::fromUtf8(kConcentrationUnit.measure)));
}

double TablePainter::conductivityHeaderTextWidth(platform::Surface& canvas) {
    useGridFont(canvas);
    return canvas.textWidth(QStringLiteral("(mS/cm)"));
}

void TablePainter::paintGrid(platform::Surface& surface, const std::vector<QImage>& headers,
                             const std::vector<int>& widths, const std::vector<QStringList>& rows,
                             int rowHeight) {
    constexpr int kMaxSide = 16384;
    rowHeight = std::clamp(rowHeight, 1, kMaxSide);
    int total = 0;
    for (const int w : widths) total += std::max(0, w);
    const std::size_t fitting = static_cast<std::size_t>((kMaxSide - kHeaderHeight) / rowHeight);
    const std::size_t shown = std::min(rows.size(), fitting);
    const int height = kHeaderHeight + static_cast<int>(shown) * rowHeight;
    surface.resize(std::clamp(total, 1, kMaxSide), std::clamp(height, 1, kMaxSide));
    surface.setDrawMode(platform::DrawMode::Copy);
    surface.setStrokeWidth(1);
    surface.setBackColour(platform::kWhite);
    useGridFont(surface);
    surface.setForeColour(platform::kBlack);

    int x = 0;
    for (std::size_t c = 0; c < widths.size(); ++c) {
        const int w = std::max(0, widths[c]);
        if (c < headers.size() && !headers[c].isNull()) {
            surface.paintPicture(headers[c], x, 0);
        }
        for (std::size_t r = 0; r < shown; ++r) {
            if (c >= static_cast<std::size_t>(rows[r].size())) continue;
            const QString& text = rows[r][static_cast<qsizetype>(c)];
            const int top = kHeaderHeight + static_cast<int>(r) * rowHeight;
            surface.moveTo(x + (w - surface.textWidth(text)) / 2, top + 1);
            surface.print(text);
        }
        x += w;
    }

    // Grid lines on the last pixel of every cell, as the view draws them.
    x = 0;
    for (const int w : widths) {
        x += std::max(0, w);
        if (w > 0) surface.line(x - 1, 0, x - 1, height, kGridLine);
    }
    surface.line(0, kHeaderHeight - 1, total, kHeaderHeight - 1, kGridLine);
    for (std::size_t r = 1; r <= shown; ++r) {
        const int bottom = kHeaderHeight + static_cast<int>(r) * rowHeight - 1;
        surface.line(0, bottom, total, bottom, kGridLine);
    }
}

}  // namespace workbench
