// The pictures of the main window at the screen's resolution. The painters are checked on
// surfaces given a ratio directly; the window runs on a screen scaled twice (QT_SCALE_FACTOR=2,
// offscreen), as on a 4K screen.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <cmath>
#include <QTableWidget>
#include <QTemporaryDir>
#include <memory>

#include "platform/recordingclipboard.h"
#include "platform/recordingprinter.h"
#include "platform/scriptedfiledialogs.h"
#include "platform/scriptedmessageboxes.h"
#include "platform/surfaceview.h"
#include "testsupport.h"
#include "workbench/apparatuspainter.h"
#include "workbench/graphpainter.h"
#include "workbench/mainwindow.h"
#include "workbench/measurementtable.h"

using namespace workbench;
using platform::Colour;
using platform::kBlack;
using platform::kWhite;

namespace {

// Before the application is made, on the first call of testsupport::application().
[[maybe_unused]] const bool scaledScreen = [] {
    qputenv("QT_SCALE_FACTOR", "2");
    return true;
}();

constexpr Colour kPhGrid{192, 192, 192};
constexpr Colour kVolumeGrid{220, 220, 220};
constexpr Colour kRed{255, 0, 0};

struct RatioCase {
    const char* name;
    double ratio;
};

void PrintTo(const RatioCase& c, std::ostream* out) {
    *out << c.name;
}

// Any 2 x 2 block of device pixels that is not of one colour: drawn at the device resolution,
// not enlarged.
bool hasDeviceDetail(const QImage& image, const QRect& logical) {
    for (int y = 2 * logical.top(); y < 2 * (logical.bottom() + 1); y += 2) {
        for (int x = 2 * logical.left(); x < 2 * (logical.right() + 1); x += 2) {
            const QRgb p = image.pixel(x, y);
            if (image.pixel(x + 1, y) != p || image.pixel(x, y + 1) != p || image.pixel(x + 1, y + 1) != p)
                return true;
        }
    }
    return false;
}

// --- The painters at a ratio ---------------------------------------------------------------------

class PaintersAtRatio : public testing::TestWithParam<RatioCase> {
  protected:
    void SetUp() override {
        testsupport::application();
        surface.setDevicePixelRatio(GetParam().ratio);
    }
    platform::Surface surface{473, 270};
};

TEST_P(PaintersAtRatio, GraphFrameLinesAndAMarkLandOnTheirLogicalPixels) {
    GraphPainter painter(surface);
    painter.drawFrame();
    painter.drawMark(25, 7, kRed, 1);
    EXPECT_EQ(surface.pixel(200, 138), kPhGrid) << "pH 7 line";
    EXPECT_EQ(surface.pixel(200, 137), kWhite);
    EXPECT_EQ(surface.pixel(200, 139), kWhite);
    EXPECT_EQ(surface.pixel(82, 100), kVolumeGrid) << "3 mL line";
    EXPECT_EQ(surface.pixel(40, 100), kBlack) << "pH axis";
    EXPECT_EQ(surface.pixel(41, 100), kWhite) << "a single line";
    EXPECT_EQ(surface.pixel(414, 250), kBlack) << "V axis last pixel";
    EXPECT_EQ(surface.pixel(415, 250), kWhite) << "V axis end point left out";
    for (int d = -3; d <= 3; ++d) {
        EXPECT_EQ(surface.pixel(390 + d, 138), kRed) << "mark " << d;
        EXPECT_EQ(surface.pixel(390, 138 + d), kRed) << "mark " << d;
    }
    EXPECT_NE(surface.pixel(394, 138), kRed);
    EXPECT_NE(surface.pixel(390, 142), kRed);
}

TEST_P(PaintersAtRatio, LiquidFillsTheBeakerFromItsSurfaceLine) {
    surface.resize(ApparatusPainter::kWidth, ApparatusPainter::kHeight);
    ApparatusPainter painter(surface);
    ApparatusScene scene;  // 20 mL: the surface line at y = 449
    painter.imafond(scene);
    painter.niveaubecher(scene);
    EXPECT_EQ(surface.pixel(60, 449), kBlack) << "surface line";
    const Colour liquid = surface.pixel(60, 450);
    EXPECT_NE(liquid, kBlack);
    EXPECT_NE(liquid, surface.pixel(60, 440)) << "not the background";
    EXPECT_EQ(surface.pixel(60, 454), liquid) << "last row of liquid";
    EXPECT_EQ(surface.pixel(60, 455), kBlack) << "bottom of the beaker";
}

INSTANTIATE_TEST_SUITE_P(Ratios, PaintersAtRatio,
                         testing::Values(RatioCase{"Double", 2.0}, RatioCase{"OneAndAHalf", 1.5}),
                         [](const auto& info) { return std::string(info.param.name); });

// --- The window on a screen scaled twice ---------------------------------------------------------

class ScaledWindow : public testing::Test {
  protected:
    ScaledWindow() : app(testsupport::application()) {
        window =
            std::make_unique<MainWindow>(Services{boxes, clipboard, fileDialogs, printer, folder.path(), {}});
    }
    ~ScaledWindow() override {
        EXPECT_FALSE(boxes.hasFailures()) << boxes.failures().join("\n").toStdString();
    }

    platform::SurfaceView& view(const char* name) {
        auto* found = window->findChild<platform::SurfaceView*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return *found;
    }
    void screenChange(QWidget& widget) {
        QEvent event(QEvent::ScreenChangeInternal);
        QApplication::sendEvent(&widget, &event);
    }

    QApplication& app;
    QTemporaryDir folder;
    platform::ScriptedMessageBoxes boxes;
    platform::RecordingClipboard clipboard;
    platform::ScriptedFileDialogs fileDialogs;
    platform::RecordingPrinter printer;
    std::unique_ptr<MainWindow> window;
};

TEST_F(ScaledWindow, KeepsItsLayoutAndDrawsEveryPictureAtTheScreensRatio) {
    ASSERT_DOUBLE_EQ(window->devicePixelRatioF(), 2.0);
    EXPECT_EQ(window->size(), QSize(MainWindow::kWidth, MainWindow::kHeight));
    EXPECT_DOUBLE_EQ(window->background().devicePixelRatio(), 2.0);
    EXPECT_EQ(window->background().image().size(), QSize(1600, 1200));
    EXPECT_DOUBLE_EQ(window->workbench().graph().surface().devicePixelRatio(), 2.0);
    EXPECT_DOUBLE_EQ(window->workbench().apparatus().surface().devicePixelRatio(), 2.0);
    for (const char* name : {"Frame2", "Picture3", "Onglets"}) {
        EXPECT_DOUBLE_EQ(view(name).surface().devicePixelRatio(), 2.0) << name;
    }
    EXPECT_EQ(window->grab().size(), QSize(1600, 1200));
    EXPECT_TRUE(hasDeviceDetail(view("Onglets").surface().image(), QRect(10, 5, 80, 15))) << "tab titles";
}

TEST_F(ScaledWindow, TableHeadersArePaintedAtTheRatioAndShownWhole) {
    auto* table = window->findChild<MeasurementTable*>(QStringLiteral("Picture5"));
    ASSERT_NE(table, nullptr);
    const QImage header = table->headerPicture(0);
    const int width = table->grid().columnWidth(0);
    ASSERT_DOUBLE_EQ(header.devicePixelRatio(), 2.0);
    EXPECT_EQ(header.size(), QSize(2 * width, 2 * MeasurementTable::kHeaderHeight));
    EXPECT_TRUE(hasDeviceDetail(header, QRect(0, 0, width, MeasurementTable::kHeaderHeight)));
    auto* strip = table->findChild<QWidget*>(QStringLiteral("fixedRow"));
    ASSERT_NE(strip, nullptr);
    const QImage shown = strip->grab().toImage().convertToFormat(QImage::Format_RGB32);
    // The strip draws the picture from its left edge, the last column and row left to the grid line.
    const int x0 = 2 * table->grid().columnViewportPosition(0);
    int differing = 0;
    for (int y = 0; y < 2 * (MeasurementTable::kHeaderHeight - 1); ++y) {
        for (int x = 0; x < 2 * (width - 1); ++x)
            differing += (shown.pixel(x0 + x, y) | 0xFF000000u) != (header.pixel(x, y) | 0xFF000000u) ? 1 : 0;
    }
    EXPECT_EQ(differing, 0);
}

TEST_F(ScaledWindow, MarksAndLiquidSitAtTheirLogicalPlaces) {
    Workbench& bench = window->workbench();
    bench.graph().placeMark(25, 7, kRed);
    const platform::Surface& graph = bench.graph().surface();
    EXPECT_EQ(graph.pixel(390, 138), kRed);
    EXPECT_EQ(graph.pixel(387, 138), kRed);
    EXPECT_EQ(graph.pixel(390, 141), kRed);
    EXPECT_EQ(graph.pixel(200, 138), kPhGrid);
    const platform::Surface& apparatus = bench.apparatus().surface();
    const int level = bench.liquidSurface();
    EXPECT_EQ(apparatus.pixel(60, level), kBlack) << "surface line";
    EXPECT_EQ(apparatus.pixel(60, level + 2), apparatus.pixel(60, 454)) << "one liquid colour";
    EXPECT_NE(apparatus.pixel(60, level + 2), apparatus.pixel(60, level - 3)) << "not the background";
}

TEST_F(ScaledWindow, ARatioChangeDrawsTheGraphAgainAndKeepsTheMeasurements) {
    Workbench& bench = window->workbench();
    bench.burette().Image3_MouseDown();
    for (int tick = 0; tick < 30 && bench.burette().pouring(); ++tick) bench.burette().Timer1_Timer();
    bench.burette().Image3_MouseUp();
    const int rows = bench.rows().count();
    const auto marks = bench.graph().marks();
    const double poured = bench.pouredVolume();
    ASSERT_GT(rows, 1);

    bench.graph().surface().setDevicePixelRatio(1.0);  // as drawn on the previous screen
    screenChange(view("Picture1"));
    const platform::Surface& graph = bench.graph().surface();
    EXPECT_DOUBLE_EQ(graph.devicePixelRatio(), 2.0);
    EXPECT_EQ(bench.rows().count(), rows);
    EXPECT_EQ(bench.graph().marks().size(), marks.size());
    EXPECT_DOUBLE_EQ(bench.pouredVolume(), poured);
    for (const GraphCanvas::Mark& m : marks) {
        const int x = static_cast<int>(std::floor(40 + 14 * m.volume + 0.5));
        const int y = static_cast<int>(std::floor(250 - 16 * m.pH + 0.5));
        EXPECT_EQ(graph.pixel(x + 2, y), m.colour) << m.volume << " mL";
    }
    EXPECT_TRUE(hasDeviceDetail(graph.image(), QRect(0, 0, 40, 270))) << "pH labels drawn again";
}

TEST(GraphCanvasRedraw, DrawsTheSamePictureAgainAtANewRatio) {
    testsupport::application();
    GraphCanvas canvas;
    canvas.redraw();
    EXPECT_EQ(canvas.surface().pixel(40, 100), kWhite) << "white before the first restart";
    canvas.restart();
    canvas.placeMark(10, 7, kRed);
    canvas.setStrokeWidth(2);
    canvas.drawCurve({{0.0f, 2.0f}, {10.0f, 7.0f}, {20.0f, 12.0f}}, Colour{0, 0, 255});
    canvas.placeMark(20, 3, Colour{0, 128, 0});
    const QImage before = canvas.surface().image();
    canvas.surface().setDevicePixelRatio(2.0);
    canvas.surface().setDevicePixelRatio(1.0);
    canvas.surface().filledRectangle(0, 0, 100, 100, kRed);
    canvas.redraw();
    EXPECT_EQ(canvas.surface().image(), before);
}

TEST_F(ScaledWindow, ARatioChangeDrawsTheIllustrationAgain) {
    platform::Surface& apparatus = window->workbench().apparatus().surface();
    apparatus.setDevicePixelRatio(1.0);  // as drawn on the previous screen
    screenChange(view("picburette"));
    EXPECT_DOUBLE_EQ(apparatus.devicePixelRatio(), 2.0);
    EXPECT_TRUE(hasDeviceDetail(apparatus.image(), QRect(0, 0, 289, 497)));
}

}  // namespace
