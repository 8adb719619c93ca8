// The view on a screen scaled twice (QT_SCALE_FACTOR=2, offscreen): the surface takes the
// screen's ratio, is shown device pixel for device pixel, and follows a change of ratio.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "platform/surfaceview.h"

using platform::Colour;
using platform::SurfaceView;

namespace {

class ScaledScreen : public testing::Environment {
  public:
    void SetUp() override {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qputenv("QT_SCALE_FACTOR", "2");
        m_application = std::make_unique<QApplication>(m_argc, m_argv);
    }
    void TearDown() override { m_application.reset(); }

  private:
    int m_argc = 1;
    char m_name[24] = "surfaceview_hidpi_tests";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_application;
};

[[maybe_unused]] testing::Environment* const environment =
    testing::AddGlobalTestEnvironment(new ScaledScreen);

}  // namespace

TEST(ScaledSurfaceView, TakesTheScreensRatioBeforeAnythingIsDrawn) {
    SurfaceView view(50, 40);
    ASSERT_DOUBLE_EQ(view.devicePixelRatioF(), 2.0);
    EXPECT_DOUBLE_EQ(view.surface().devicePixelRatio(), 2.0);
    EXPECT_EQ(view.surface().image().size(), QSize(100, 80));
    EXPECT_EQ(view.size(), QSize(50, 40));
}

TEST(ScaledSurfaceView, ShowsTheDeviceImageWithoutScaling) {
    SurfaceView view(50, 40);
    platform::Surface& s = view.surface();
    s.line(2, 3, 45, 30, Colour{255, 0, 0});
    s.moveTo(5, 20);
    s.print(QStringLiteral("pH 7,00"));
    const QImage shown = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage& device = s.image();
    ASSERT_EQ(shown.size(), QSize(100, 80));
    int differing = 0;
    for (int y = 0; y < 80; ++y) {
        for (int x = 0; x < 100; ++x)
            differing += (shown.pixel(x, y) | 0xFF000000u) != device.pixel(x, y) ? 1 : 0;
    }
    EXPECT_EQ(differing, 0);
}

TEST(ScaledSurfaceView, ReportsTheMouseInLogicalPixels) {
    SurfaceView view(100, 100);
    QSignalSpy pressed(&view, &SurfaceView::mousePressed);
    QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, QPoint(12, 34));
    ASSERT_EQ(pressed.count(), 1);
    EXPECT_EQ(pressed.at(0).at(0).toInt(), 12);
    EXPECT_EQ(pressed.at(0).at(1).toInt(), 34);
}

TEST(ScaledSurfaceView, FollowsAChangeOfScreenAndAsksForADrawing) {
    SurfaceView view(30, 20);
    view.surface().setDevicePixelRatio(1.0);  // as drawn on the previous screen
    QSignalSpy redraw(&view, &SurfaceView::devicePixelRatioChanged);
    QEvent screenChange(QEvent::ScreenChangeInternal);
    QApplication::sendEvent(&view, &screenChange);
    EXPECT_DOUBLE_EQ(view.surface().devicePixelRatio(), 2.0);
    EXPECT_EQ(redraw.count(), 1);
    QApplication::sendEvent(&view, &screenChange);
    EXPECT_EQ(redraw.count(), 1) << "the same ratio asks for nothing";
}
