// Drawing at a pixel ratio above one: every shape covers what it covers at ratio 1, finer.
#include <gtest/gtest.h>

#include <QPainter>
#include <QSignalSpy>
#include <cmath>
#include <numbers>

#include "platform/runlengthpicture.h"
#include "platform/surface.h"

using platform::Colour;
using platform::kWhite;
using platform::Surface;

namespace {

constexpr Colour kRed{255, 0, 0};
constexpr Colour kBlue{0, 0, 200};
constexpr double kPi = std::numbers::pi;

// Whether a device pixel of logical pixel (x, y) has the colour: at a fractional ratio a thin
// device line may miss the pixel's centre.
bool inked(const Surface& s, int x, int y, Colour colour) {
    const QRect device = s.devicePixels(x, y);
    for (int dy = device.top(); dy <= device.bottom(); ++dy) {
        for (int dx = device.left(); dx <= device.right(); ++dx)
            if (platform::colourOf(s.image().pixel(dx, dy)) == colour) return true;
    }
    return false;
}

// 2 x 2 blocks of device pixels that are not of one colour: none in a picture enlarged from 1.
int unevenBlocks(const QImage& image) {
    int n = 0;
    for (int y = 0; y + 1 < image.height(); y += 2) {
        for (int x = 0; x + 1 < image.width(); x += 2) {
            const QRgb p = image.pixel(x, y);
            n += image.pixel(x + 1, y) != p || image.pixel(x, y + 1) != p || image.pixel(x + 1, y + 1) != p;
        }
    }
    return n;
}

struct ShapeCase {
    const char* name;
    void (*draw)(Surface&);
    std::vector<QPoint> inked;  // red in some device pixel
    std::vector<QPoint> clear;  // not red at the centre: at 1.5 a line two device pixels wide
                                // may touch a neighbour's edge
};

void PrintTo(const ShapeCase& c, std::ostream* out) {
    *out << c.name;
}

const ShapeCase kShapes[] = {
    {"LineLeavesItsLastPointOut",
     [](Surface& s) { s.line(3, 7, 20, 7, kRed); },
     {{3, 7}, {12, 7}, {19, 7}},
     {{2, 7}, {20, 7}, {12, 6}, {12, 8}}},
    {"DiagonalStepsThroughItsPixels",
     [](Surface& s) { s.line(2, 3, 22, 23, kRed); },
     {{2, 3}, {12, 13}, {21, 22}},
     {{12, 15}, {14, 13}, {22, 23}}},
    {"WideStrokeCoversTwoRows",
     [](Surface& s) { s.setStrokeWidth(2), s.line(5, 10, 30, 10, kRed); },
     {{6, 9}, {6, 10}, {29, 9}, {29, 10}},
     {{15, 8}, {15, 11}}},
    {"RectangleRunsThroughBothCorners",
     [](Surface& s) { s.rectangle(20, 20, 30, 28, kRed); },
     {{20, 20}, {30, 28}, {30, 20}, {25, 28}},
     {{25, 24}, {21, 21}, {19, 24}, {31, 24}}},
    {"FilledRectangleCoversItsEnds",
     [](Surface& s) { s.filledRectangle(5, 30, 12, 34, kRed); },
     {{5, 30}, {12, 34}},
     {{4, 32}, {13, 32}, {8, 29}, {8, 35}}},
    {"CircleSpansCentrePlusAndMinusRadius",
     [](Surface& s) { s.circle(30, 30, 10, kRed); },
     {{30, 20}, {30, 40}, {20, 30}, {40, 30}},
     {{30, 19}, {41, 30}, {30, 22}, {30, 30}}},
    {"ArcKeepsToItsAngles",
     [](Surface& s) { s.arc(30, 30, 10, 0.0, kPi / 2, kRed); },
     {{40, 29}, {37, 23}, {31, 20}},
     {{20, 30}, {30, 40}, {23, 23}}},
    {"DotCoversItsPixelOnly",
     [](Surface& s) { s.pset(7, 9, kRed); },
     {{7, 9}},
     {{6, 9}, {8, 9}, {7, 8}, {7, 10}}},
};

}  // namespace

class SurfaceRatio : public testing::TestWithParam<std::tuple<double, ShapeCase>> {};

TEST_P(SurfaceRatio, ShapesLandOnTheirLogicalPixels) {
    const auto& [ratio, shape] = GetParam();
    Surface s(60, 60);
    s.setDevicePixelRatio(ratio);
    shape.draw(s);
    for (const QPoint& p : shape.inked) EXPECT_TRUE(inked(s, p.x(), p.y(), kRed)) << p.x() << "," << p.y();
    for (const QPoint& p : shape.clear) EXPECT_NE(s.pixel(p.x(), p.y()), kRed) << p.x() << "," << p.y();
}

INSTANTIATE_TEST_SUITE_P(Ratios, SurfaceRatio,
                         testing::Combine(testing::Values(2.0, 1.5, 1.25), testing::ValuesIn(kShapes)),
                         [](const auto& info) {
                             return std::get<1>(info.param).name + std::string("At") +
                                    std::to_string(static_cast<int>(std::get<0>(info.param) * 100));
                         });

TEST(SurfaceRatioTwo, LogicalPixelsTileTheDevicePixelsOfA96DpiPictureTimesTheRatio) {
    Surface s(41, 30);
    s.setDevicePixelRatio(1.5);
    EXPECT_EQ(s.logicalSize(), QSize(41, 30));
    EXPECT_EQ(s.image().size(), QSize(62, 45));
    EXPECT_NEAR(s.image().dotsPerMeterX() * 0.0254, 144.0, 0.1);
    for (int x = 0; x < 40; ++x) EXPECT_EQ(s.devicePixels(x, 0).right() + 1, s.devicePixels(x + 1, 0).left());
    EXPECT_EQ(s.devicePixels(40, 29).bottomRight(), QPoint(61, 44));
}

TEST(SurfaceRatioTwo, DiagonalsAndTextAreDrawnAtDeviceResolution) {
    Surface s(60, 30);
    s.setDevicePixelRatio(2.0);
    s.line(0, 0, 20, 20, kRed);
    // The band |x - y| <= 1 of a two-pixel device pen, not 2 x 2 blocks.
    for (int d = 0; d < 39; ++d) EXPECT_EQ(platform::colourOf(s.image().pixel(d + 1, d)), kRed) << d;
    EXPECT_EQ(platform::colourOf(s.image().pixel(0, 2)), kWhite);
    const int afterLine = unevenBlocks(s.image());
    s.moveTo(30, 5);
    s.print("Wg");
    EXPECT_GT(unevenBlocks(s.image()), afterLine + 5);
    EXPECT_EQ(s.currentX(), 30 + s.textWidth("Wg"));
}

TEST(SurfaceRatioTwo, ANewRatioKeepsThePictureAndItsBackgroundInPlaceWithinOneToEight) {
    Surface s(30, 30);
    s.filledRectangle(5, 5, 14, 14, kRed);
    s.keepAsBackground();
    QSignalSpy spy(&s, &Surface::changed);
    EXPECT_TRUE(s.setDevicePixelRatio(20.0));
    EXPECT_DOUBLE_EQ(s.devicePixelRatio(), 8.0);
    EXPECT_FALSE(s.setDevicePixelRatio(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_TRUE(s.setDevicePixelRatio(2.0));
    EXPECT_EQ(spy.count(), 2);
    EXPECT_EQ(s.pixel(14, 14), kRed);
    EXPECT_EQ(s.pixel(15, 15), kWhite);
    s.filledRectangle(0, 0, 29, 29, kBlue);
    s.clear();
    EXPECT_EQ(s.pixel(10, 10), kRed) << "the background layer followed";
    s.resize(40, 35);
    EXPECT_EQ(s.image().size(), QSize(80, 70));
}

TEST(SurfaceRatioTwo, PicturesArePaintedAtTheirLogicalSize) {
    Surface s(40, 40);
    s.setDevicePixelRatio(2.0);
    QImage picture(8, 6, QImage::Format_RGB32);
    picture.fill(QColor(255, 0, 0));
    s.paintPicture(picture, 10, 12);
    QImage sharp(16, 12, QImage::Format_RGB32);  // an icon with its own ratio keeps its size
    sharp.fill(QColor(0, 0, 200));
    sharp.setDevicePixelRatio(2.0);
    s.paintPicture(sharp, 20, 20);
    EXPECT_EQ(s.pixel(17, 17), kRed);
    EXPECT_EQ(s.pixel(18, 17), kWhite);
    EXPECT_EQ(s.pixel(27, 25), kBlue);
    EXPECT_EQ(s.pixel(28, 25), kWhite);
}

TEST(RunLengthPicture, DrawsBackEveryPixelAtAnyRatioFromAFewKilobytes) {
    struct Case {
        const char* what;
        double ratio;
        QRect area;  // logical pixels drawn
    };
    const Case cases[] = {
        {"whole, ratio 1", 1.0, QRect(0, 0, 200, 150)},
        {"rows 37 to 91, ratio 2", 2.0, QRect(50, 37, 10, 55)},
        {"a quarter ratio, bands by fours", 1.25, QRect(0, 3, 200, 141)},
        {"a ratio without whole bands", 1.3, QRect(0, 70, 200, 1)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const int w = static_cast<int>(std::lround(200 * c.ratio));
        const int h = static_cast<int>(std::lround(150 * c.ratio));
        // A gradient, a shadow and a noisy strip: rows of one, three and many runs.
        QImage picture(w, h, QImage::Format_RGB32);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                QRgb colour = qRgb(255 - y % 256, 255 - y % 256, 200);
                if (x > w / 2 && y > h / 2) colour = qRgb(128, 128, 128);
                if (x < 8) colour = qRgb((x * 37 + y * 11) % 256, x, y % 256);
                picture.setPixel(x, y, colour);
            }
        }
        picture.setDevicePixelRatio(c.ratio);
        const platform::RunLengthPicture kept(picture);
        EXPECT_EQ(kept.toImage(), picture);
        EXPECT_LT(kept.bytes(), picture.sizeInBytes() / 4);

        QImage screen(w, h, QImage::Format_RGB32);
        screen.fill(Qt::black);
        screen.setDevicePixelRatio(c.ratio);
        {
            QPainter painter(&screen);
            kept.draw(painter, c.area);
        }
        const int firstRow = static_cast<int>(std::floor(c.area.top() * c.ratio));
        const int endRow = static_cast<int>(std::ceil((c.area.bottom() + 1) * c.ratio));
        for (int y = firstRow; y < endRow; ++y) {
            for (int x = 0; x < w; ++x) {
                ASSERT_EQ(screen.pixel(x, y), picture.pixel(x, y)) << x << ", " << y;
            }
        }
    }
}

// A packed picture and its packed background layer show and read as they were, and are unpacked
// when drawn on or cleared to; a picture that would not shrink by half is not packed.
TEST(SurfacePacking, APackedPictureShowsAsItWasAndUnpacksWhenDrawnOn) {
    for (const double ratio : {1.0, 2.0}) {
        SCOPED_TRACE(ratio);
        platform::Surface s(80, 50);
        s.setDevicePixelRatio(ratio);
        s.setBackColour(kWhite);
        s.filledRectangle(10, 10, 40, 30, kBlue);
        s.print(QStringLiteral("pH 7"));
        const QImage drawn = s.image().copy();
        s.keepAsBackground();
        s.compact();
        ASSERT_TRUE(s.isCompact());
        QImage screen(drawn.size(), QImage::Format_RGB32);
        screen.setDevicePixelRatio(ratio);
        {
            QPainter painter(&screen);
            s.drawOn(painter, QRect(0, 0, 80, 50));
        }
        EXPECT_EQ(screen, drawn);
        EXPECT_TRUE(s.isCompact());  // shown without being unpacked

        s.line(0, 45, 80, 45, kRed);
        EXPECT_FALSE(s.isCompact());
        EXPECT_EQ(s.pixel(20, 20), kBlue);
        EXPECT_EQ(s.pixel(5, 45), kRed);
        EXPECT_EQ(s.pixel(5, 5), kWhite);
        s.compact();
        s.clear();  // back to the packed background layer
        EXPECT_EQ(s.image(), drawn);
    }
    platform::Surface noisy(64, 64);
    QImage noise(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            noise.setPixel(x, y, qRgb((x * 97 + y * 31) % 256, (x * y) % 256, y * 4));
    noisy.paintPicture(noise, 0, 0);
    noisy.compact();
    EXPECT_FALSE(noisy.isCompact());
    EXPECT_EQ(noisy.image(), noise);
}
