// The main window on a screen scaled twice (QT_SCALE_FACTOR=2, offscreen), as on a 4K screen:
// the same layout at twice the size, every picture drawn at the screen's resolution, the
// pictures drawn again when the ratio changes, and copies at the logical size.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QTableWidget>
#include <QToolButton>
#include <string>

#include "platform/colour.h"
#include "platform/surfaceview.h"
#include "state/actions.h"
#include "testsupport.h"
#include "workbench/graphpainter.h"
#include "workbench/measurementtable.h"

using namespace workbench;
using platform::kBlack;

namespace {

// Before the application is made, on the first call of testsupport::application().
[[maybe_unused]] const bool scaledScreen = [] {
    qputenv("QT_SCALE_FACTOR", "2");
    return true;
}();

constexpr platform::Colour kRed{255, 0, 0};
constexpr platform::Colour kPhGrid{192, 192, 192};

// Any 2 x 2 block of device pixels of the logical area that is not of one colour: drawn at the
// device resolution, not enlarged.
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

class ScaledWindow : public testing::Test, protected testsupport::ScriptedWindow {
  protected:
    ~ScaledWindow() override { EXPECT_FALSE(boxes.hasFailures()); }

    platform::SurfaceView& view(const char* name) {
        auto* found = window->findChild<platform::SurfaceView*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return *found;
    }
    // What a widget is told when its window moves to another screen, after the surface was left
    // at ratio 1 as drawn on the previous one.
    QImage redrawnAfterAScreenChange(const char* name) {
        platform::SurfaceView& v = view(name);
        v.surface().setDevicePixelRatio(1.0);
        QEvent event(QEvent::ScreenChangeInternal);
        QApplication::sendEvent(&v, &event);
        return v.surface().image();
    }
    BenchController& bench() { return window->workbench(); }
};

}  // namespace

TEST_F(ScaledWindow, KeepsItsLayoutAtTwiceTheSizeAndDrawsEveryPictureAtTheScreensRatio) {
    ASSERT_DOUBLE_EQ(window->devicePixelRatioF(), 2.0);
    EXPECT_EQ(window->size(), QSize(MainWindow::kWidth, MainWindow::kHeight));
    EXPECT_EQ(window->grab().size(), QSize(1600, 1200));
    EXPECT_EQ(window->background().size(), QSize(1600, 1200));
    for (const char* name : {"picburette", "Picture1", "Frame2", "Picture3", "Onglets"}) {
        const platform::Surface& s = view(name).surface();
        EXPECT_DOUBLE_EQ(s.devicePixelRatio(), 2.0) << name;
        EXPECT_TRUE(hasDeviceDetail(s.image(), QRect(0, 0, s.width(), s.height()))) << name;
    }
    // A view shows its surface device pixel for device pixel.
    platform::SurfaceView& graph = view("Picture1");
    EXPECT_EQ(graph.grab().toImage().convertToFormat(QImage::Format_RGB32),
              graph.surface().image().convertToFormat(QImage::Format_RGB32));
}

TEST_F(ScaledWindow, TableHeadersArePaintedAtTheRatioAndShownWhole) {
    auto* table = window->findChild<MeasurementTable*>(QStringLiteral("Picture5"));
    ASSERT_NE(table, nullptr);
    const QImage header = table->headerPicture(0);
    const int width = table->grid().columnWidth(0);
    ASSERT_EQ(header.size(), QSize(2 * width, 2 * MeasurementTable::kHeaderHeight));
    EXPECT_TRUE(hasDeviceDetail(header, QRect(0, 0, width, MeasurementTable::kHeaderHeight)));
    // The strip shows the picture device pixel for device pixel, up to its grid lines.
    auto* strip = table->findChild<QWidget*>(QStringLiteral("fixedRow"));
    ASSERT_NE(strip, nullptr);
    const QImage shown = strip->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const int left = 2 * table->grid().columnViewportPosition(0);
    const QRect inside(0, 0, 2 * (width - 1), 2 * (MeasurementTable::kHeaderHeight - 1));
    EXPECT_EQ(shown.copy(inside.translated(left, 0)),
              header.copy(inside).convertToFormat(QImage::Format_RGB32));
}

TEST_F(ScaledWindow, MarksAndLiquidSitAtTheirLogicalPlaces) {
    GraphPainter(bench().graph().surface()).drawMark(25, 7, kRed, 1);
    const platform::Surface& graph = bench().graph().surface();
    EXPECT_EQ(graph.pixel(390, 138), kRed);
    EXPECT_EQ(graph.pixel(387, 138), kRed);
    EXPECT_EQ(graph.pixel(390, 141), kRed);
    EXPECT_EQ(graph.pixel(200, 138), kPhGrid);
    const platform::Surface& apparatus = bench().apparatus().surface();
    const int level = state::liquidSurface(bench().state());
    EXPECT_EQ(apparatus.pixel(60, level), kBlack) << "surface line";
    EXPECT_EQ(apparatus.pixel(60, level + 2), apparatus.pixel(60, 454)) << "one liquid colour";
    EXPECT_NE(apparatus.pixel(60, level + 2), apparatus.pixel(60, level - 3)) << "not the background";
}

TEST_F(ScaledWindow, ARatioChangeDrawsTheSamePicturesAgainMeasurementsAndAnalysesIncluded) {
    bench().perform(state::quickTrace);  // "Trace rapide": marks and the theoretical curve
    auto* derivative = window->findChild<QToolButton*>(QStringLiteral("Image5"));
    ASSERT_NE(derivative, nullptr);
    derivative->click();
    const int rows = bench().state().rows.count();
    const QImage graph = bench().graph().surface().image();
    const QImage illustration = bench().apparatus().surface().image();
    EXPECT_EQ(redrawnAfterAScreenChange("Picture1"), graph);
    EXPECT_EQ(redrawnAfterAScreenChange("picburette"), illustration);
    EXPECT_EQ(bench().state().rows.count(), rows);
}

TEST_F(ScaledWindow, CopiesKeepTheLogicalSizeOfThePictures) {
    for (const char* entry : {"coptop", "copisemidev"}) {
        auto* action = window->findChild<QAction*>(QString::fromLatin1(entry));
        ASSERT_NE(action, nullptr) << entry;
        action->trigger();
        const QSize expected = entry == std::string("coptop") ? bench().apparatus().surface().logicalSize()
                                                              : bench().graph().surface().logicalSize();
        EXPECT_EQ(clipboard.image().size(), expected) << entry;
        EXPECT_DOUBLE_EQ(clipboard.image().devicePixelRatio(), 1.0) << entry;
        EXPECT_NEAR(clipboard.image().dotsPerMeterX() * 0.0254, 96.0, 0.1) << entry;
    }
}

TEST_F(ScaledWindow, TheSolutesNamedBesideTheBeakerEndInsideThePictureAndAboveItsButtons) {
    bench().perform(state::chooseSolute, 18);  // citric acid: four forms
    bench().perform(state::chooseSecondSolute, 18);
    const QImage picture = bench().apparatus().surface().image();
    const auto darkIn = [&picture](const QRect& device) {
        int dark = 0;
        for (int y = device.top(); y <= device.bottom(); ++y) {
            for (int x = device.left(); x <= device.right(); ++x)
                dark += testsupport::isDark(platform::colourOf(picture.pixelColor(x, y))) ? 1 : 0;
        }
        return dark;
    };
    EXPECT_EQ(darkIn(QRect(QPoint(2 * 286, 2 * 180), QPoint(2 * 289 - 1, 2 * 330))), 0);
    for (const char* name : {"Command13", "Command6"}) {
        const QRect button = window->findChild<QWidget*>(QString::fromLatin1(name))->geometry();
        EXPECT_EQ(darkIn(QRect(2 * button.topLeft(), 2 * button.bottomRight())), 0) << name;
    }
}
