// "Enregistrer le graphe…": the PNG written at the size chosen is GraphPainter's drawing of the
// bench's graph, at the largest scale that fits, in the top left corner, on white.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "state/actions.h"
#include "state/benchstate.h"
#include "state/labmeasurements.h"
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
    for (int i = 0; i < 20; ++i) points.push_back({i * 1.2, 3.0 + i * 0.2, 0});
    state::setMeasurements(bench, points);
    state::fitMeasurements(bench);
    return bench;
}

QImage painterDrawing(const state::GraphContent& content, double ratio) {
    platform::Surface surface(GraphCanvas::kWidth, GraphCanvas::kHeight);
    surface.setDevicePixelRatio(std::max(ratio, 1.0));
    GraphPainter(surface).draw(content);
    QImage drawing = surface.image();
    drawing.setDevicePixelRatio(1);
    if (ratio < 1) {
        drawing = drawing.scaled(static_cast<int>(drawing.width() * ratio),
                                 static_cast<int>(drawing.height() * ratio), Qt::IgnoreAspectRatio,
                                 Qt::SmoothTransformation);
    }
    return drawing.convertToFormat(QImage::Format_RGB32);
}

}  // namespace

TEST_P(SavedGraph, IsThePaintersDrawingAtTheLargestScaleThatFits) {
    testsupport::application();
    const state::BenchState bench = benchWithEverything();
    ASSERT_TRUE(bench.lab.fit.has_value()) << bench.lab.fitText;
    const auto draw = [&bench](QPainter& painter, QSize size) { paintGraph(bench.graph, painter, size); };

    const std::optional<QByteArray> file =
        measurementwindows::graphFile(measurementwindows::GraphFormat::Png, GetParam().size, draw);
    ASSERT_TRUE(file.has_value());
    const QImage picture = QImage::fromData(*file, "PNG").convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(picture.size(), GetParam().size);

    const QImage expected = painterDrawing(bench.graph, GetParam().ratio);
    ASSERT_EQ(expected.size(), QSize(static_cast<int>(GraphCanvas::kWidth * GetParam().ratio),
                                     static_cast<int>(GraphCanvas::kHeight * GetParam().ratio)));
    EXPECT_EQ(picture.copy(QRect(QPoint(0, 0), expected.size())), expected);
    int stray = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (x >= expected.width() || y >= expected.height())
                stray += picture.pixel(x, y) != qRgb(255, 255, 255);
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
