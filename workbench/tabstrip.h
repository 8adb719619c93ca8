#pragma once
// The hand-drawn tab strip `Onglets`: five titles along its top, the page of the current tab
// inside a sunken frame below them. The strip is drawn on a Surface so its pixels can be read.
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>

#include "platform/surfaceview.h"

namespace workbench {

inline constexpr int kTabCount = 5;

// The pages, named after what they hold, numbered as their titles from the left.
enum class TabPage { Beaker = 1, Graph, Table, Options, History };
inline constexpr std::array<TabPage, kTabCount> kTabPages{TabPage::Beaker, TabPage::Graph, TabPage::Table,
                                                          TabPage::Options, TabPage::History};

// Where the titles go. `edges` is `tabEdges`: the right edge of each title cell, -1 first and
// the strip's width last.
struct TabGeometry {
    int titleHeight = 0;  // h, the height of "W" in the strip's font
    double spacing = 0;   // blank on each side of a title
    std::array<int, kTabCount + 1> edges{};
};

// Spreads the titles, of the given widths in pixels, over the strip's width.
TabGeometry layOutTabTitles(const std::array<double, kTabCount>& titleWidths, int stripWidth,
                            int titleHeight);

// The tab (1..5) a release at (x, y) chooses; 0 when the release is outside the title row or no
// title cell holds x.
int tabAt(const TabGeometry& geometry, int x, int y);

// The area of the page of the current tab, inside the frame.
QRect pageArea(const TabGeometry& geometry, int stripWidth, int stripHeight);

// Paints the whole strip for `currentTab` (1..5) and returns the geometry it used.
TabGeometry paintTabStrip(platform::Surface& surface, const std::array<QString, kTabCount>& titles,
                          int currentTab);

class TabStrip : public platform::SurfaceView {
    Q_OBJECT

  public:
    explicit TabStrip(QWidget* parent = nullptr);

    // `tabTitles`, tab 1 first.
    static const std::array<QString, kTabCount>& tabTitles();

    // The strip takes the page as its child; the page shows only while its tab is current.
    void setPage(TabPage tab, QWidget* page);
    // A page built when first shown or asked for, so that the start builds only the first one.
    void setPageBuilder(TabPage tab, std::function<QWidget*()> build);
    // The page of a tab, built now if it was not yet.
    QWidget* page(TabPage tab);
    // Whether the page of a tab exists, without building it.
    bool hasPage(TabPage tab) const;

    int currentTab() const { return m_currentTab; }
    // Selecting a tab (0 is read as 1): the strip is repainted, which shows and places the page.
    void selectTab(int tab);

    const std::array<int, kTabCount + 1>& tabEdges() const { return m_geometry.edges; }
    const TabGeometry& titleGeometry() const { return m_geometry; }

    void paintStrip();
    void releaseMouseAt(int x, int y);
    // The title cell of the current tab, where the focus frame goes.
    QRect currentTitleArea() const;

  signals:
    void hint(const QString& text);
    void currentTabChanged(int tab);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    // Reached with Tab, the strip changes tabs with the arrow keys, Home and End.
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    // The focus frame goes over the picture, not into it: copies of the strip never show it.
    void paintEvent(QPaintEvent* event) override;

  private:
    void placePages();

    int m_currentTab = 1;
    TabGeometry m_geometry;
    std::array<QPointer<QWidget>, kTabCount> m_pages;
    std::array<std::function<QWidget*()>, kTabCount> m_builders;
};

}  // namespace workbench
