#include "workbench/tabstrip.h"

#include <QKeyEvent>
#include <QPainter>
#include <QResizeEvent>
#include <algorithm>
#include <cmath>
#include <utility>

#include "workbench/keyboardaccess.h"

namespace workbench {

namespace {

constexpr platform::Colour kStripBack{240, 235, 230};
constexpr platform::Colour kGrey{128, 128, 128};
constexpr platform::Colour kFrame{210, 205, 200};
using platform::kWhite;
// A release counts only within the title row.
constexpr int kTitleRowBottom = 15;

// Integer assignment rounds half to even (the default rounding mode).
int roundToInt(double value) {
    if (!std::isfinite(value)) return 0;
    return static_cast<int>(std::nearbyint(std::clamp(value, -32768.0, 32767.0)));
}

}  // namespace

TabGeometry layOutTabTitles(const std::array<double, kTabCount>& titleWidths, int stripWidth,
                            int titleHeight) {
    TabGeometry geometry;
    geometry.titleHeight = titleHeight;
    double total = 0;
    for (const double w : titleWidths) total += w;
    geometry.spacing = (stripWidth - total) / 10.0;
    geometry.edges[0] = -1;
    for (int i = 1; i < kTabCount; ++i) {
        const auto k = static_cast<std::size_t>(i);
        geometry.edges[k] = roundToInt(geometry.edges[k - 1] + titleWidths[k - 1] + 2 * geometry.spacing);
    }
    geometry.edges[kTabCount] = stripWidth;
    return geometry;
}

int tabAt(const TabGeometry& geometry, int x, int y) {
    if (y < 0 || y > kTitleRowBottom) return 0;
    for (int i = 1; i <= kTabCount; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (geometry.edges[k - 1] < x && x <= geometry.edges[k]) return i;
    }
    return 0;
}

QRect pageArea(const TabGeometry& geometry, int stripWidth, int stripHeight) {
    const int left = 4;
    const int top = geometry.titleHeight + 5;
    return QRect(left, top, std::max(0, stripWidth - 4 - left), std::max(0, stripHeight - 4 - top));
}

TabGeometry paintTabStrip(platform::Surface& surface, const std::array<QString, kTabCount>& titles,
                          int currentTab) {
    const int c = currentTab >= 1 && currentTab <= kTabCount ? currentTab : 1;
    const int width = surface.width();
    const int height = surface.height();
    surface.setBackColour(kStripBack);
    surface.setDrawMode(platform::DrawMode::Copy);
    surface.setStrokeWidth(1);
    surface.setFontName(QStringLiteral("Arial"));
    surface.setFontSize(8);
    surface.setFontItalic(false);
    surface.setFontUnderline(false);
    surface.setFontBold(false);
    surface.setForeColour(platform::kBlack);

    const int h = roundToInt(surface.textHeight(QStringLiteral("W")));
    std::array<double, kTabCount> widths{};
    for (int i = 1; i <= kTabCount; ++i) {
        surface.setFontBold(i == c);
        widths[static_cast<std::size_t>(i - 1)] = surface.textWidth(titles[static_cast<std::size_t>(i - 1)]);
    }
    const TabGeometry geometry = layOutTabTitles(widths, width, h);
    const auto& e = geometry.edges;

    surface.rectangle(0, 0, width - 1, height - 1, kGrey);
    surface.line(0, 0, 0, height - 1, kWhite);

    for (const int edge : e) {
        surface.line(edge - 1, 1, edge - 1, h + 1, kGrey);
        surface.line(edge, 0, edge, h, kWhite);
        surface.line(edge + 1, 0, edge + 1, h + 1, kWhite);
    }
    for (std::size_t i = 1; i <= kTabCount; ++i) surface.line(e[i - 1] + 1, 0, e[i] - 1, 0, kWhite);
    // The bottom of the row is left open under the current tab, towards its page.
    surface.line(0, h + 1, e[static_cast<std::size_t>(c - 1)] + 2, h + 1, kWhite);
    surface.line(e[static_cast<std::size_t>(c)], h + 1, width, h + 1, kWhite);

    for (int i = 1; i <= kTabCount; ++i) {
        surface.setFontBold(i == c);
        surface.moveTo(e[static_cast<std::size_t>(i - 1)] + geometry.spacing, i == c ? 2 : 1);
        surface.print(titles[static_cast<std::size_t>(i - 1)]);
    }
    surface.setFontBold(false);

    surface.rectangle(1, h + 2, width - 2, height - 2, kFrame);
    surface.rectangle(2, h + 3, width - 3, height - 3, kFrame);
    surface.rectangle(3, h + 4, width - 4, height - 4, kGrey);
    surface.rectangle(4, h + 5, width - 4, height - 4, kWhite);
    return geometry;
}

TabStrip::TabStrip(QWidget* parent) : platform::SurfaceView(481, 297, parent) {
    setObjectName(QStringLiteral("Onglets"));
    setMouseTracking(true);
    // A click on a title chooses its tab without taking the focus from a field being typed in.
    setFocusPolicy(Qt::TabFocus);
    connect(this, &platform::SurfaceView::mouseReleased, this,
            [this](int x, int y, Qt::MouseButton, Qt::KeyboardModifiers) { releaseMouseAt(x, y); });
    connect(this, &platform::SurfaceView::mouseMoved, this,
            [this] { emit hint(QStringLiteral("Cliquer sur un onglet pour l'afficher")); });
    connect(this, &platform::SurfaceView::devicePixelRatioChanged, this, &TabStrip::paintStrip);
    paintStrip();
}

const std::array<QString, kTabCount>& TabStrip::tabTitles() {
    static const std::array<QString, kTabCount> titles = {
        QStringLiteral("Dans le bécher"), QStringLiteral("Graphe"), QStringLiteral("Tableau de valeurs"),
        QStringLiteral("Paramètres"), QStringLiteral("Historique")};
    return titles;
}

void TabStrip::setPage(TabPage tab, QWidget* page) {
    const int number = static_cast<int>(tab);
    if (number < 1 || number > kTabCount) return;
    auto& slot = m_pages[static_cast<std::size_t>(number - 1)];
    if (slot && slot != page) slot->hide();
    slot = page;
    if (page) page->setParent(this);
    placePages();
}

void TabStrip::setPageBuilder(TabPage tab, std::function<QWidget*()> build) {
    const int number = static_cast<int>(tab);
    if (number < 1 || number > kTabCount) return;
    m_builders[static_cast<std::size_t>(number - 1)] = std::move(build);
    if (number == m_currentTab) placePages();
}

QWidget* TabStrip::page(TabPage tab) {
    const int number = static_cast<int>(tab);
    if (number < 1 || number > kTabCount) return nullptr;
    const auto k = static_cast<std::size_t>(number - 1);
    if (!m_pages[k] && m_builders[k]) {
        // Taken out first: a builder that asks for its own page does not build it twice.
        const auto build = std::exchange(m_builders[k], nullptr);
        setPage(tab, build());
    }
    return m_pages[k];
}

bool TabStrip::hasPage(TabPage tab) const {
    const int number = static_cast<int>(tab);
    return number >= 1 && number <= kTabCount && m_pages[static_cast<std::size_t>(number - 1)];
}

void TabStrip::selectTab(int tab) {
    if (tab < 0 || tab > kTabCount) return;
    m_currentTab = tab;
    paintStrip();
    emit currentTabChanged(m_currentTab);
}

void TabStrip::paintStrip() {
    if (m_currentTab == 0) m_currentTab = 1;
    m_geometry = paintTabStrip(surface(), tabTitles(), m_currentTab);
    // Only the titles and the frame show round the page: a few runs of one colour.
    surface().compact();
    placePages();
    update();
}

void TabStrip::placePages() {
    const QRect area = pageArea(m_geometry, surface().width(), surface().height());
    for (int i = 1; i <= kTabCount; ++i) {
        QWidget* page = i == m_currentTab ? this->page(kTabPages[static_cast<std::size_t>(i - 1)])
                                          : m_pages[static_cast<std::size_t>(i - 1)].data();
        if (!page) continue;
        // A hidden page keeps the page's size too: its pictures are copied and printed unseen.
        page->setGeometry(area);
        page->setVisible(i == m_currentTab);
    }
}

void TabStrip::releaseMouseAt(int x, int y) {
    const int tab = tabAt(m_geometry, x, y);
    if (tab == 0 || tab == m_currentTab) return;
    selectTab(tab);
}

void TabStrip::resizeEvent(QResizeEvent* event) {
    platform::SurfaceView::resizeEvent(event);
    paintStrip();
}

QRect TabStrip::currentTitleArea() const {
    const auto& e = m_geometry.edges;
    const auto c = static_cast<std::size_t>(std::clamp(m_currentTab, 1, kTabCount));
    return QRect(QPoint(e[c - 1] + 2, 1), QPoint(e[c] - 2, m_geometry.titleHeight + 2));
}

void TabStrip::keyPressEvent(QKeyEvent* event) {
    if ((event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        platform::SurfaceView::keyPressEvent(event);
        return;
    }
    int tab = 0;
    switch (event->key()) {
        case Qt::Key_Left:
            tab = std::max(1, m_currentTab - 1);
            break;
        case Qt::Key_Right:
            tab = std::min(kTabCount, m_currentTab + 1);
            break;
        case Qt::Key_Home:
            tab = 1;
            break;
        case Qt::Key_End:
            tab = kTabCount;
            break;
        default:
            platform::SurfaceView::keyPressEvent(event);
            return;
    }
    if (tab != m_currentTab) selectTab(tab);
    event->accept();
}

void TabStrip::focusInEvent(QFocusEvent* event) {
    platform::SurfaceView::focusInEvent(event);
    update();
}

void TabStrip::focusOutEvent(QFocusEvent* event) {
    platform::SurfaceView::focusOutEvent(event);
    update();
}

void TabStrip::paintEvent(QPaintEvent* event) {
    platform::SurfaceView::paintEvent(event);
    if (!showsFocus(*this)) return;
    QPainter painter(this);
    drawFocusFrame(painter, currentTitleArea(), palette());
}

}  // namespace workbench
