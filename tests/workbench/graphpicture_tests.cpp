// "Enregistrer le graphe…": the PNG written at the graph's own size is GraphPainter's drawing of
// the bench's graph as the screen shows it; at another size, as the SVG and the PDF, it is the
// graph's lines and texts, the whole graph scaled as large as fits and centred on white.
#include <gtest/gtest.h>

#include <cmath>

#include <QImage>
#include <QPainter>
#include <QRegularExpression>

#include "state/actions.h"
#include "state/benchstate.h"
#include "state/labmeasurements.h"
#include "tests/labpoints.h"
#include "tests/platform/pdfreader.h"
#include "tests/platform/pdftext.h"
#include "testsupport.h"
#include "windows/measurements/graphexport.h"
#include "workbench/graphcanvas.h"
#include "workbench/graphpainter.h"
#include "workbench/graphpicture.h"

using namespace workbench;

namespace {

struct PictureCase {
    const char* name;
    QSize size;
    double ratio;  // of the frame's pixels in the picture
};

class SavedGraph : public ::testing::TestWithParam<PictureCase> {};

// The curve traced, measured points as crosses and the fitted curve dashed.
state::BenchState benchWithEverything() {
    state::BenchState bench;
    state::setDefaults(bench);
    state::chooseSolute(bench, 4);
    state::start(bench);
    state::quickTrace(bench);
    state::MeasuredPoints points;
    for (int i = 0; i < 20; ++i) points.push_back(testing_points::labPoint(i * 1.2, 3.0 + i * 0.2, 0));
    state::setMeasurements(bench, points);
    state::fitMeasurements(bench);
    return bench;
}

measurementwindows::GraphSource sourceOf(const state::BenchState& bench) {
    return {[&bench](QPainter& painter, QSize size) { paintGraph(bench.graph, painter, size); },
            [&bench] { return graphDrawing(bench.graph); }};
}

// The screen's picture of the graph.
QImage screenPicture(const state::GraphContent& content) {
    platform::Surface surface(GraphCanvas::kWidth, GraphCanvas::kHeight);
    GraphPainter(surface).draw(content);
    QImage drawing = surface.image();
    drawing.setDevicePixelRatio(1);
    return drawing.convertToFormat(QImage::Format_RGB32);
}

// How dark a pixel is: 0 on white, 255 on black.
int darkness(QRgb pixel) {
    return 255 - qGray(pixel);
}

// The row, or the column, darkest over its whole length: the V axis, the pH axis.
int darkestLine(const QImage& picture, bool rows) {
    const int lines = rows ? picture.height() : picture.width();
    const int along = rows ? picture.width() : picture.height();
    int best = -1;
    long bestSum = -1;
    for (int i = 0; i < lines; ++i) {
        long sum = 0;
        for (int j = 0; j < along; ++j) sum += darkness(rows ? picture.pixel(j, i) : picture.pixel(i, j));
        if (sum > bestSum) {
            bestSum = sum;
            best = i;
        }
    }
    return best;
}

}  // namespace

TEST_P(SavedGraph, IsTheScreensPixelsAtItsOwnSizeAndTheWholeGraphScaledAndCentredAtAnother) {
    testsupport::application();
    const state::BenchState bench = benchWithEverything();
    ASSERT_TRUE(bench.lab.fit.has_value()) << bench.lab.fitText;
    const std::optional<QByteArray> file =
        measurementwindows::graphFile(measurementwindows::GraphFormat::Png, GetParam().size, sourceOf(bench));
    ASSERT_TRUE(file.has_value());
    const QImage picture = QImage::fromData(*file, "PNG").convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(picture.size(), GetParam().size);

    const double scale = GetParam().ratio;
    const double left = (picture.width() - scale * GraphCanvas::kWidth) / 2;
    const double top = (picture.height() - scale * GraphCanvas::kHeight) / 2;
    if (GetParam().size == QSize(GraphCanvas::kWidth, GraphCanvas::kHeight)) {
        EXPECT_EQ(picture, screenPicture(bench.graph)) << "the screen's own pixels";
    }
    // The axes where the frame puts them (V axis at y = 250 px from x = 40 to 415 px, pH axis at
    // x = 40 px), scaled and moved by the centring.
    const double tolerance = scale + 1;
    const int vAxis = darkestLine(picture, true);
    EXPECT_NEAR(vAxis, top + scale * 250, tolerance);
    const int phAxis = darkestLine(picture, false);
    EXPECT_NEAR(phAxis, left + scale * 40, tolerance);
    // The V axis runs unbroken from the pH axis to its arrowhead.
    int last = phAxis;
    while (last + 1 < picture.width() && darkness(picture.pixel(last + 1, vAxis)) >= 40) ++last;
    EXPECT_NEAR(last, left + scale * 415, tolerance + 1) << "the axis reaches its arrowhead";
    // White around the scaled graph.
    int stray = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const bool inside = x >= std::floor(left) && x < std::ceil(left + scale * GraphCanvas::kWidth) &&
                                y >= std::floor(top) && y < std::ceil(top + scale * GraphCanvas::kHeight);
            if (!inside) stray += picture.pixel(x, y) != qRgb(255, 255, 255);
        }
    }
    EXPECT_EQ(stray, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, SavedGraph,
    ::testing::Values(PictureCase{"frameSize", {GraphCanvas::kWidth, GraphCanvas::kHeight}, 1.0},
                      PictureCase{"twiceAsLarge", {2 * GraphCanvas::kWidth, 2 * GraphCanvas::kHeight}, 2.0},
                      PictureCase{"widerThanTheFrame", {2 * GraphCanvas::kWidth, GraphCanvas::kHeight}, 1.0},
                      PictureCase{"halfTheHeight", {GraphCanvas::kWidth, GraphCanvas::kHeight / 2}, 0.5}),
    [](const auto& info) { return std::string(info.param.name); });

namespace {

class VectorGraph : public ::testing::TestWithParam<PictureCase> {};

}  // namespace

TEST_P(VectorGraph, SvgHoldsLinesAndTextsScaledWholeAndCentred) {
    testsupport::application();
    const state::BenchState bench = benchWithEverything();
    const QSize size = GetParam().size;
    const auto file =
        measurementwindows::graphFile(measurementwindows::GraphFormat::Svg, size, sourceOf(bench));
    ASSERT_TRUE(file.has_value());
    const QString svg = QString::fromUtf8(*file);
    EXPECT_FALSE(svg.contains(QStringLiteral("<image")));
    EXPECT_TRUE(svg.contains(QStringLiteral("<polyline "))) << "the traced curve";
    EXPECT_TRUE(svg.contains(QStringLiteral("<line "))) << "the grid";
    for (const char* label :
         {">pH</text>", ">14</text>", ">7</text>", ">0</text>", ">25</text>", "> (mL)</text>"})
        EXPECT_TRUE(svg.contains(QString::fromUtf8(label))) << label;

    const auto place =
        QRegularExpression(QStringLiteral("translate\\(([-0-9.]+) ([-0-9.]+)\\) scale\\(([-0-9.e]+)\\)"))
            .match(svg);
    ASSERT_TRUE(place.hasMatch());
    const double scale = place.captured(3).toDouble();
    EXPECT_NEAR(scale, GetParam().ratio, 1e-6);
    EXPECT_NEAR(place.captured(1).toDouble(), (size.width() - scale * GraphCanvas::kWidth) / 2, 1e-3);
    EXPECT_NEAR(place.captured(2).toDouble(), (size.height() - scale * GraphCanvas::kHeight) / 2, 1e-3);
}

TEST_P(VectorGraph, PdfTextIsSelectable) {
    testsupport::application();
    const state::BenchState bench = benchWithEverything();
    const auto file =
        measurementwindows::graphFile(measurementwindows::GraphFormat::Pdf, GetParam().size, sourceOf(bench));
    ASSERT_TRUE(file.has_value());
    const QStringList pages = PdfReader(*file).pageTexts();
    ASSERT_EQ(pages.size(), 1);
    const QStringList texts = pages[0].split(QLatin1Char('\n'));
    for (const char* label : {"pH", "14", "7", "0", "25"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(label))) << label;
    const std::optional<QString> read = pdfToText(*file);
    if (read) {
        EXPECT_TRUE(read->contains(QRegularExpression(QStringLiteral("\\bpH\\b")))) << read->toStdString();
        // The volume labels along one row.
        EXPECT_TRUE(read->contains(QRegularExpression(QStringLiteral("0 +5 +10 +15 +20 +25"))))
            << read->toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, VectorGraph,
    ::testing::Values(
        PictureCase{"frameSize", {GraphCanvas::kWidth, GraphCanvas::kHeight}, 1.0},
        PictureCase{"threeTimesAsLarge", {3 * GraphCanvas::kWidth, 3 * GraphCanvas::kHeight}, 3.0},
        PictureCase{"widerThanTheFrame", {4 * GraphCanvas::kWidth, 2 * GraphCanvas::kHeight}, 2.0},
        PictureCase{"tallerThanTheFrame", {GraphCanvas::kWidth, 3 * GraphCanvas::kHeight}, 1.0},
        PictureCase{"halfTheHeight", {GraphCanvas::kWidth, GraphCanvas::kHeight / 2}, 0.5}),
    [](const auto& info) { return std::string(info.param.name); });
