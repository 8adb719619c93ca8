// The tab strip `Onglets`: title geometry, tab choice by mouse releases, the page shown and its
// place, and the outline's pixels.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <array>
#include <memory>

#include "testsupport.h"
#include "workbench/tabstrip.h"

using platform::Colour;
using platform::kWhite;
using workbench::kTabCount;
using workbench::kTabPages;
using workbench::TabGeometry;
using workbench::TabStrip;

namespace {

constexpr Colour kGrey{128, 128, 128};
constexpr Colour kFrame{210, 205, 200};
constexpr Colour kBack{240, 235, 230};

class TabStripTest : public ::testing::Test {
  protected:
    TabStripTest() : app(testsupport::application()) {
        for (int i = 1; i <= kTabCount; ++i) {
            auto page = std::make_unique<QWidget>();
            page->setObjectName(QStringLiteral("page%1").arg(i));
            strip.setPage(kTabPages[static_cast<std::size_t>(i - 1)], page.get());
            pages[static_cast<std::size_t>(i - 1)] = page.release();  // the strip owns it now
        }
    }

    int h() const { return strip.titleGeometry().titleHeight; }
    int edge(int i) const { return strip.tabEdges()[static_cast<std::size_t>(i)]; }
    // The middle of title cell i.
    int middleOf(int i) const { return (edge(i - 1) + edge(i)) / 2; }
    Colour pixel(int x, int y) const { return strip.surface().pixel(x, y); }

    void release(int x, int y) { QTest::mouseRelease(&strip, Qt::LeftButton, Qt::NoModifier, QPoint(x, y)); }

    QApplication& app;
    TabStrip strip;
    std::array<QWidget*, kTabCount> pages{};
};

}  // namespace

// --- Geometry ------------------------------------------------------------------------------------

TEST(TabGeometry, EdgesSpreadTheBlankEquallyAroundEachTitle) {
    // 481 - 300 = 181 px of blank, 18,1 px on each side of a title.
    const TabGeometry g = workbench::layOutTabTitles({70, 35, 90, 55, 50}, 481, 13);
    EXPECT_DOUBLE_EQ(g.spacing, 18.1);
    EXPECT_EQ(g.edges, (std::array<int, 6>{-1, 105, 176, 302, 393, 481}));
    EXPECT_EQ(g.titleHeight, 13);
}

TEST(TabGeometry, TitlesWiderThanTheStripGiveANegativeSpacingWithoutFailing) {
    const TabGeometry g = workbench::layOutTabTitles({100, 100, 100, 100, 100}, 400, 13);
    EXPECT_DOUBLE_EQ(g.spacing, -10.0);
    EXPECT_EQ(g.edges[0], -1);
    EXPECT_EQ(g.edges[1], 79);
    EXPECT_EQ(g.edges[5], 400);
}

struct ReleaseCase {
    const char* name;
    int x;
    int y;
    int tab;
};

class TabAtTest : public ::testing::TestWithParam<ReleaseCase> {};

TEST_P(TabAtTest, ChoosesTheCellHoldingXWithinTheTitleRow) {
    const TabGeometry g = workbench::layOutTabTitles({70, 35, 90, 55, 50}, 481, 13);
    EXPECT_EQ(workbench::tabAt(g, GetParam().x, GetParam().y), GetParam().tab);
}

INSTANTIATE_TEST_SUITE_P(Releases, TabAtTest,
                         ::testing::Values(ReleaseCase{"LeftmostPixelIsTabOne", 0, 5, 1},
                                           ReleaseCase{"RightEdgeBelongsToItsTab", 105, 5, 1},
                                           ReleaseCase{"PixelAfterAnEdgeIsTheNextTab", 106, 5, 2},
                                           ReleaseCase{"LastPixelIsTabFive", 480, 5, 5},
                                           ReleaseCase{"TopRowCounts", 200, 0, 3},
                                           ReleaseCase{"Row15StillCounts", 200, 15, 3},
                                           ReleaseCase{"Row16IsBelowTheTitles", 200, 16, 0},
                                           ReleaseCase{"AboveTheStripCountsForNothing", 200, -1, 0},
                                           ReleaseCase{"LeftOfTheStripCountsForNothing", -1, 5, 0},
                                           ReleaseCase{"RightOfTheStripCountsForNothing", 482, 5, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TabStripTest, EdgesFollowTheMeasuredTitleWidths) {
    platform::Surface measure;
    measure.setFontName(QStringLiteral("Arial"));
    measure.setFontSize(8);
    std::array<double, kTabCount> widths{};
    double total = 0;
    for (int i = 0; i < kTabCount; ++i) {
        measure.setFontBold(i == 0);  // tab 1 is current, its title bold
        widths[static_cast<std::size_t>(i)] =
            measure.textWidth(TabStrip::tabTitles()[static_cast<std::size_t>(i)]);
        total += widths[static_cast<std::size_t>(i)];
    }
    const double spacing = (481 - total) / 10;
    EXPECT_EQ(edge(0), -1);
    EXPECT_EQ(edge(5), 481);
    double exact = -1;
    for (int i = 1; i < kTabCount; ++i) {
        exact += widths[static_cast<std::size_t>(i - 1)] + 2 * spacing;
        EXPECT_NEAR(edge(i), exact, 2.0) << "edge " << i;
        EXPECT_GT(edge(i), edge(i - 1));
    }
    measure.setFontBold(false);
    EXPECT_EQ(h(), static_cast<int>(measure.textHeight(QStringLiteral("W"))));
    EXPECT_GT(h(), 8);
    EXPECT_LT(h(), 16);
}

TEST_F(TabStripTest, TheBoldCurrentTitleWidensItsCell) {
    const int regularWidth = edge(3) - edge(2);
    strip.selectTab(3);
    EXPECT_GT(edge(3) - edge(2), regularWidth);
}

// --- Choosing a tab ------------------------------------------------------------------------------

TEST_F(TabStripTest, StartsOnTabOneWithOnlyItsPageShown) {
    EXPECT_EQ(strip.currentTab(), 1);
    for (int i = 1; i <= kTabCount; ++i)
        EXPECT_EQ(pages[static_cast<std::size_t>(i - 1)]->isVisibleTo(&strip), i == 1);
}

TEST_F(TabStripTest, AReleaseInsideATitleChoosesItsTab) {
    QSignalSpy changed(&strip, &TabStrip::currentTabChanged);
    for (const int tab : {3, 5, 2, 4, 1}) {
        release(middleOf(tab), 5);
        EXPECT_EQ(strip.currentTab(), tab);
        for (int i = 1; i <= kTabCount; ++i) {
            EXPECT_EQ(pages[static_cast<std::size_t>(i - 1)]->isVisibleTo(&strip), i == tab) << "tab " << tab;
        }
    }
    EXPECT_EQ(changed.count(), 5);
}

TEST_F(TabStripTest, AReleaseBelowTheTitleRowChangesNothing) {
    release(middleOf(4), 16);
    release(middleOf(4), 100);
    EXPECT_EQ(strip.currentTab(), 1);
    EXPECT_TRUE(pages[0]->isVisibleTo(&strip));
    EXPECT_FALSE(pages[3]->isVisibleTo(&strip));
}

TEST_F(TabStripTest, AReleaseOnTheCurrentTabDoesNotRepaint) {
    strip.selectTab(2);
    QSignalSpy repainted(&strip.surface(), &platform::Surface::changed);
    release(middleOf(2), 5);
    EXPECT_EQ(repainted.count(), 0);
    release(middleOf(3), 5);
    EXPECT_GT(repainted.count(), 0);
}

TEST_F(TabStripTest, TabZeroIsReadAsOneAndOutOfRangeTabsAreRefused) {
    strip.selectTab(4);
    strip.selectTab(0);
    EXPECT_EQ(strip.currentTab(), 1);
    EXPECT_TRUE(pages[0]->isVisibleTo(&strip));
    strip.selectTab(6);
    strip.selectTab(-1);
    EXPECT_EQ(strip.currentTab(), 1);
}

TEST_F(TabStripTest, ThePageFillsTheFrameBelowTheTitles) {
    for (int tab = 1; tab <= kTabCount; ++tab) {
        strip.selectTab(tab);
        const QRect expected(4, h() + 5, 481 - 4 - 4, 297 - 4 - (h() + 5));
        EXPECT_EQ(pages[static_cast<std::size_t>(tab - 1)]->geometry(), expected) << "tab " << tab;
    }
}

TEST_F(TabStripTest, ResizingTheStripMovesTheLastEdgeAndThePage) {
    strip.resize(401, 250);
    QResizeEvent event(QSize(401, 250), QSize(481, 297));
    QApplication::sendEvent(&strip, &event);
    EXPECT_EQ(edge(5), 401);
    EXPECT_EQ(pages[0]->geometry(), QRect(4, h() + 5, 401 - 8, 250 - 4 - (h() + 5)));
}

TEST_F(TabStripTest, MovingOverTheStripGivesItsHint) {
    QSignalSpy hints(&strip, &TabStrip::hint);
    QMouseEvent move(QEvent::MouseMove, QPointF(100, 100), QPointF(100, 100), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&strip, &move);
    ASSERT_EQ(hints.count(), 1);
    EXPECT_EQ(hints.at(0).at(0).toString(), QStringLiteral("Cliquer sur un onglet pour l'afficher"));
}

// --- Pixels --------------------------------------------------------------------------------------

TEST_F(TabStripTest, TheStripIsFramedGreyWithAWhiteLeftEdge) {
    EXPECT_EQ(pixel(0, 150), kWhite);
    EXPECT_EQ(pixel(480, 150), kGrey);
    EXPECT_EQ(pixel(240, 296), kGrey);
}

TEST_F(TabStripTest, ThePageAreaHasTwoFrameBandsThenASunkenEdge) {
    EXPECT_EQ(pixel(1, 150), kFrame);
    EXPECT_EQ(pixel(2, 150), kFrame);
    EXPECT_EQ(pixel(3, 150), kGrey);     // left of the page: shadow
    EXPECT_EQ(pixel(477, 150), kWhite);  // right of the page: light
    EXPECT_EQ(pixel(478, 150), kFrame);
    EXPECT_EQ(pixel(479, 150), kFrame);
    EXPECT_EQ(pixel(240, h() + 4), kGrey);   // above the page
    EXPECT_EQ(pixel(240, 297 - 4), kWhite);  // below the page
    EXPECT_EQ(pixel(240, h() + 2), kFrame);
    EXPECT_EQ(pixel(240, 295), kFrame);
}

TEST_F(TabStripTest, EachEdgeIsAGreyLineThenTwoWhiteLines) {
    for (int i = 1; i < kTabCount; ++i) {
        const int e = edge(i);
        EXPECT_EQ(pixel(e - 1, h() / 2), kGrey) << "edge " << i;
        EXPECT_EQ(pixel(e, h() / 2), kWhite) << "edge " << i;
        EXPECT_EQ(pixel(e + 1, h() / 2), kWhite) << "edge " << i;
        // Along the top, the white line of the cell stops short of its grey line, where the grey
        // of the strip's outline shows through; the next cell's line starts after the white lines.
        EXPECT_EQ(pixel(e - 2, 0), kWhite) << "edge " << i;
        EXPECT_EQ(pixel(e - 1, 0), kGrey) << "edge " << i;
        EXPECT_EQ(pixel(e + 2, 0), kWhite) << "edge " << i;
    }
}

TEST_F(TabStripTest, TheTitleRowStaysOpenUnderTheCurrentTabOnly) {
    const int row = h() + 1;
    // Inside the blank before the right edge of a cell, clear of its title.
    const auto blankOf = [&](int tab) { return edge(tab) - 4; };
    EXPECT_EQ(pixel(blankOf(1), row), kBack);
    EXPECT_EQ(pixel(blankOf(2), row), kWhite);
    strip.selectTab(2);
    EXPECT_EQ(pixel(blankOf(1), row), kWhite);
    EXPECT_EQ(pixel(blankOf(2), row), kBack);
    EXPECT_EQ(pixel(blankOf(3), row), kWhite);
}

TEST_F(TabStripTest, TheCurrentTitleIsPrintedOnePixelLower) {
    // The lowest inked row of a title: one pixel lower for the current tab.
    const auto lowestInk = [&](int tab) {
        int lowest = -1;
        for (int y = 0; y <= h() + 1; ++y) {
            for (int x = edge(tab - 1) + 3; x < edge(tab) - 2; ++x) {
                const Colour c = pixel(x, y);
                if (c.red < 100 && c.green < 100 && c.blue < 100) lowest = y;
            }
        }
        return lowest;
    };
    // "Paramètres" has no descender that the row could cut.
    const int asOther = lowestInk(4);
    strip.selectTab(4);
    const int asCurrent = lowestInk(4);
    ASSERT_GT(asOther, 0);
    EXPECT_EQ(asCurrent, asOther + 1);
}
