#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "platform/surfaceview.h"

using platform::Colour;
using platform::SurfaceView;

TEST(SurfaceView, ShowsTheSurfaceAtOneToOne) {
    SurfaceView view(50, 40);
    view.surface().filledRectangle(10, 10, 12, 12, Colour{255, 0, 0});
    const QImage shown = view.grab().toImage();
    ASSERT_EQ(shown.size(), QSize(50, 40));
    EXPECT_EQ(shown.pixelColor(11, 11), QColor(255, 0, 0));
    EXPECT_EQ(shown.pixelColor(13, 11), QColor(255, 255, 255));
}

TEST(SurfaceView, ResizingTheViewResizesThePicture) {
    SurfaceView view(50, 40);
    view.resize(80, 60);
    EXPECT_EQ(view.surface().width(), 80);
    EXPECT_EQ(view.surface().height(), 60);
    EXPECT_EQ(view.sizeHint(), QSize(80, 60));
}

TEST(SurfaceView, ReportsPressReleaseAndClickInPixels) {
    SurfaceView view(100, 100);
    QSignalSpy pressed(&view, &SurfaceView::mousePressed);
    QSignalSpy released(&view, &SurfaceView::mouseReleased);
    QSignalSpy clicked(&view, &SurfaceView::clicked);
    QTest::mousePress(&view, Qt::LeftButton, Qt::ShiftModifier, QPoint(12, 34));
    QTest::mouseRelease(&view, Qt::LeftButton, Qt::NoModifier, QPoint(13, 35));
    ASSERT_EQ(pressed.count(), 1);
    EXPECT_EQ(pressed.at(0).at(0).toInt(), 12);
    EXPECT_EQ(pressed.at(0).at(1).toInt(), 34);
    EXPECT_EQ(pressed.at(0).at(2).value<Qt::MouseButton>(), Qt::LeftButton);
    EXPECT_EQ(pressed.at(0).at(3).value<Qt::KeyboardModifiers>(), Qt::ShiftModifier);
    ASSERT_EQ(released.count(), 1);
    EXPECT_EQ(released.at(0).at(0).toInt(), 13);
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked.at(0).at(1).toInt(), 35);
}

TEST(SurfaceView, ReleaseOutsideTheViewIsNoClick) {
    SurfaceView view(100, 100);
    QSignalSpy clicked(&view, &SurfaceView::clicked);
    QSignalSpy released(&view, &SurfaceView::mouseReleased);
    QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
    QTest::mouseRelease(&view, Qt::LeftButton, Qt::NoModifier, QPoint(150, 50));
    EXPECT_EQ(released.count(), 1);
    EXPECT_EQ(clicked.count(), 0);
}

TEST(SurfaceView, MovesAreReportedAndTheHoverTextFollowsThePointer) {
    SurfaceView view(200, 200);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    QString text;
    QObject::connect(&view, &SurfaceView::mouseMoved, &view, [&](int x, int y) {
        view.setHoverText(x < 100 ? QStringLiteral("V = %1 ; %2").arg(x).arg(y) : QString());
    });
    QSignalSpy moved(&view, &SurfaceView::mouseMoved);
    QTest::mouseMove(&view, QPoint(40, 60));
    ASSERT_GE(moved.count(), 1);
    EXPECT_EQ(moved.last().at(0).toInt(), 40);
    EXPECT_EQ(moved.last().at(1).toInt(), 60);
    EXPECT_TRUE(view.isHoverTextShown());
    EXPECT_EQ(view.hoverText(), QStringLiteral("V = 40 ; 60"));
    const auto* label = view.findChild<QLabel*>(QStringLiteral("hoverText"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("V = 40 ; 60"));
    EXPECT_GT(label->x(), 40);
    QTest::mouseMove(&view, QPoint(150, 60));
    EXPECT_FALSE(view.isHoverTextShown());
    EXPECT_TRUE(view.hoverText().isEmpty());
}

TEST(SurfaceView, HoverTextStaysHiddenWhileThePointerIsElsewhere) {
    SurfaceView view(100, 100);
    view.setHoverText(QStringLiteral("x"));
    EXPECT_FALSE(view.isHoverTextShown());
    EXPECT_EQ(view.hoverText(), QStringLiteral("x"));
}

TEST(SurfaceView, CursorShapeIsSettable) {
    SurfaceView view(10, 10);
    view.setCursorShape(Qt::CrossCursor);
    EXPECT_EQ(view.cursorShape(), Qt::CrossCursor);
    view.setCursorShape(Qt::ArrowCursor);
    EXPECT_EQ(view.cursorShape(), Qt::ArrowCursor);
}
