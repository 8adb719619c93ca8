// The drawing kept as vectors: what the recorder keeps of each call, the fade's colours against
// the surface's pixels, the text laid out as on the surface, and the SVG written from it.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <functional>
#include <limits>

#include "platform/surface.h"
#include "platform/svgwriter.h"
#include "platform/vectorrecorder.h"

using platform::Colour;
using platform::Painter;
using platform::VectorRecorder;

namespace {

constexpr Colour kRed{255, 0, 0};
constexpr Colour kGrey{192, 192, 192};
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct SvgCase {
    const char* name;
    std::function<void(Painter&)> draw;
    const char* expected;  // a piece of the document; empty: nothing drawn
};

QString svgBody(const VectorRecorder& recorder) {
    const QString svg = QString::fromUtf8(platform::svgDocument(recorder.drawing(), {100, 50}, "t"));
    // The items follow the drawing's background, inside the placed group.
    const QString background = QStringLiteral("\"#ffffff\"/>\n");
    const qsizetype start = svg.indexOf(background, svg.indexOf(QStringLiteral("<g "))) + background.size();
    return svg.mid(start, svg.indexOf(QStringLiteral("</g>")) - start);
}

}  // namespace

TEST(SvgWriter, WritesEachCallAsItsElement) {
    const SvgCase cases[] = {
        {"LineWithItsColourAndWidth",
         [](Painter& p) {
             p.setStrokeWidth(2);
             p.line(10, 20, 30.25, 40, kRed);
         },
         "<line x1=\"10\" y1=\"20\" x2=\"30.25\" y2=\"40\" stroke=\"#ff0000\" stroke-width=\"2\"/>\n"},
        {"PolylineKeepsItsFinitePoints",
         [](Painter& p) {
             p.polyline({{1, 2}, {kNaN, 3}, {3, 4}, {5, 6}}, platform::kBlack);
         },
         "<polyline points=\"1,2 3,4 5,6\" stroke=\"#000000\" stroke-width=\"1\"/>\n"},
        {"SinglePointPolylineIsADot",
         [](Painter& p) {
             p.polyline({{7, 8}}, kRed);
         },
         "<circle cx=\"7\" cy=\"8\" r=\"0.5\" fill=\"#ff0000\"/>\n"},
        {"FilledRectangleIncludesBothCorners", [](Painter& p) { p.filledRectangle(30, 20, 10, 15, kGrey); },
         "<rect x=\"10\" y=\"15\" width=\"21\" height=\"6\" fill=\"#c0c0c0\"/>\n"},
        {"CircleIsAnOutline", [](Painter& p) { p.circle(5, 6, 3, kRed); },
         "<circle cx=\"5\" cy=\"6\" r=\"3\" stroke=\"#ff0000\" stroke-width=\"1\"/>\n"},
        {"TextIsEscapedAndItalic",
         [](Painter& p) {
             p.setFontItalic(true);
             p.moveTo(4, 5);
             p.print(QStringLiteral("a<b & \"c\""));
         },
         "font-family=\"Arial\" font-size=\"11\" font-weight=\"normal\" font-style=\"italic\" "
         "fill=\"#000000\">a&lt;b &amp; &quot;c&quot;</text>\n"},
        {"LineThroughANaNIsLeftOut", [](Painter& p) { p.line(0, kNaN, 3, 4, kRed); }, ""},
        {"FarOffCoordinateIsLeftOut", [](Painter& p) { p.pset(1e6, 4, kRed); }, ""},
        {"ClearingForgetsWhatWasDrawn",
         [](Painter& p) {
             p.line(1, 2, 3, 4, kRed);
             p.setBackColour(platform::kWhite);
         },
         ""},
    };
    for (const SvgCase& c : cases) {
        SCOPED_TRACE(c.name);
        VectorRecorder recorder(100, 50);
        c.draw(recorder);
        const QString body = svgBody(recorder);
        if (*c.expected == 0) {
            EXPECT_TRUE(body.isEmpty()) << body.toStdString();
        } else {
            EXPECT_TRUE(body.endsWith(QString::fromUtf8(c.expected))) << body.toStdString();
        }
    }
}

TEST(SvgWriter, PlacesTheDrawingWholeAndCentredKeepingItsProportions) {
    struct Case {
        const char* name;
        QSize page;
        double scale, left, top;
    };
    const Case cases[] = {
        {"SameSize", {200, 100}, 1, 0, 0},
        {"TwiceAsLarge", {400, 200}, 2, 0, 0},
        {"WiderPageCentresAcross", {600, 200}, 2, 100, 0},
        {"TallerPageCentresDown", {200, 300}, 1, 0, 100},
        {"SmallerPage", {100, 100}, 0.5, 0, 25},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        VectorRecorder recorder(200, 100);
        const QString svg = QString::fromUtf8(platform::svgDocument(recorder.drawing(), c.page, "t"));
        const auto size =
            QRegularExpression(QStringLiteral("<svg [^>]*width=\"(\\d+)\" height=\"(\\d+)\"")).match(svg);
        ASSERT_TRUE(size.hasMatch());
        EXPECT_EQ(QSize(size.captured(1).toInt(), size.captured(2).toInt()), c.page);
        const auto place =
            QRegularExpression(QStringLiteral("translate\\(([-0-9.]+) ([-0-9.]+)\\) scale\\(([-0-9.e]+)\\)"))
                .match(svg);
        ASSERT_TRUE(place.hasMatch()) << svg.toStdString();
        EXPECT_DOUBLE_EQ(place.captured(3).toDouble(), c.scale);
        EXPECT_DOUBLE_EQ(place.captured(1).toDouble(), c.left);
        EXPECT_DOUBLE_EQ(place.captured(2).toDouble(), c.top);
        EXPECT_FALSE(svg.contains(QStringLiteral("<image")));
    }
}

// The fade ORs a grey over the whole picture: each colour kept takes the colour its pixels take.
TEST(VectorRecorder, FadeGivesEachItemTheColourOfItsPixels) {
    const Colour colours[] = {platform::kBlack, kRed, {0, 0, 200}, {10, 100, 60}};
    for (const Colour colour : colours) {
        SCOPED_TRACE(::testing::PrintToString(colour));
        platform::Surface surface(60, 40);
        VectorRecorder recorder(60, 40);
        for (Painter* p : {static_cast<Painter*>(&surface), static_cast<Painter*>(&recorder)}) {
            p->setBackColour(platform::kWhite);
            p->line(5, 10, 50, 10, colour);
            p->setDrawMode(platform::DrawMode::Merge);
            p->filledRectangle(0, 0, p->width() - 1, p->height() - 1, kGrey);
            p->setDrawMode(platform::DrawMode::Copy);
        }
        const auto& items = recorder.drawing().items;
        ASSERT_EQ(items.size(), 1u);
        EXPECT_EQ(std::get<platform::drawn::Line>(items[0]).colour, surface.pixel(20, 10));
        EXPECT_EQ(recorder.drawing().background, surface.pixel(20, 30));
    }
}

TEST(VectorRecorder, LaysTextOutAsTheSurfaceDoes) {
    const QString texts[] = {QStringLiteral("pH"), QStringLiteral("V = 12,5 mL"),
                             QStringLiteral("deux\nlignes")};
    for (const QString& text : texts) {
        SCOPED_TRACE(text.toStdString());
        platform::Surface surface(200, 100);
        VectorRecorder recorder(200, 100);
        for (Painter* p : {static_cast<Painter*>(&surface), static_cast<Painter*>(&recorder)}) {
            p->setFontSize(9.75);
            p->setFontBold(true);
            p->moveTo(12, 7);
            p->print(text);
        }
        EXPECT_EQ(recorder.textWidth(text), surface.textWidth(text));
        EXPECT_EQ(recorder.textHeight(text), surface.textHeight(text));
        EXPECT_EQ(QPointF(recorder.currentX(), recorder.currentY()),
                  QPointF(surface.currentX(), surface.currentY()));
        const auto& last = std::get<platform::drawn::Text>(recorder.drawing().items.back());
        EXPECT_TRUE(last.font.bold);
        // The last line's box starts where the pen was left.
        EXPECT_EQ(last.topLeft.y(), surface.currentY());
    }
}
