#include "workbench/graphpainter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <type_traits>

#include "numbers/picture.h"

namespace workbench {

using state::PlotFrame;

namespace {

// The right of the grid and the end points of the axes, px.
constexpr double kGridRight = 390;
constexpr double kPhAxisEnd = 2;
constexpr double kVolumeAxisEnd = 415;
constexpr double kLabelRight = 36;       // right edge of the pH and percentage labels
constexpr double kVolumeLabelTop = 252;  // top of the volume labels and of the V axis title
constexpr double kSubscriptDrop = 5;     // the "1" of V1 sits this much lower

// The read-out area, exclusive bounds.
constexpr int kReadoutLeft = 39;
constexpr int kReadoutRight = 391;
constexpr int kReadoutTop = 25;
constexpr int kReadoutBottom = 251;
// Above this height the distribution diagram passes 100 %.
constexpr int kHundredPercentY = 30;
// The legend of the corrected σ, right of the axis's title.
constexpr double kCorrectedLegendX = 130;
// The forms of a polyacid, and in high contrast the two forms of a monoacid, are dashed so that
// they are not taken for the situations' pH curves: dashes of 7 px, gaps of 4 px.
constexpr double kFormDash = 7;
constexpr double kFormPeriod = 11;
constexpr double kLegendSample = 16;  // px of dashes before a form's name

QString picture(double value, const char* pattern) {
    return QString::fromStdString(numbers::formatPicture(value, pattern));
}

void drawSegment(platform::Painter& s, const state::PlotSegment& segment, platform::Colour colour) {
    s.line(segment.from.x, segment.from.y, segment.to.x, segment.to.y, colour);
}

void printCentred(platform::Painter& s, const state::PlotPoint& centre, const QString& text) {
    s.moveTo(centre.x - s.textWidth(text) / 2, centre.y - s.textHeight(text) / 2);
    s.print(text);
}

}  // namespace

void GraphPainter::printAt(double x, double y, const QString& text) {
    m_surface.moveTo(x, y);
    m_surface.print(text);
}

// White, Arial 8 regular, a thin black pen in copy mode.
void GraphPainter::startFrame() {
    platform::Painter& s = m_surface;
    s.setDrawMode(platform::DrawMode::Copy);
    s.setStrokeWidth(1);
    s.setBackColour(platform::kWhite);  // clears the picture as well
    s.setFontName(QStringLiteral("Arial"));
    s.setFontSize(8);
    s.setFontBold(false);
    s.setFontItalic(false);
    s.setFontUnderline(false);
    s.setForeColour(platform::kBlack);
}

// A horizontal grid line with its value right-aligned at x = 36, centred on the line.
void GraphPainter::drawLevel(double y, platform::Colour colour, int value) {
    platform::Painter& s = m_surface;
    s.line(PlotFrame::kOriginX, y, kGridRight, y, colour);
    const QString label = QString::number(value);
    printAt(kLabelRight - s.textWidth(label), y - s.textHeight(label) / 2, label);
}

// A vertical line per millilitre from `top` down to the V axis, every fifth with its volume
// centred below the axis.
void GraphPainter::drawVolumeGrid(double top, platform::Colour colour) {
    platform::Painter& s = m_surface;
    for (int i = 0; i <= PlotFrame::kLastVolume; ++i) {
        const double x = PlotFrame::x(i);
        s.line(x, top, x, PlotFrame::kOriginY, colour);
        if (i % 5 == 0) {
            const QString label = QString::number(i);
            printAt(x - s.textWidth(label) / 2, kVolumeLabelTop, label);
        }
    }
}

// Both axes in black with their arrowheads.
void GraphPainter::drawAxes() {
    platform::Painter& s = m_surface;
    const double ox = PlotFrame::kOriginX;
    const double oy = PlotFrame::kOriginY;
    s.line(ox, kPhAxisEnd, ox, oy, platform::kBlack);
    s.line(ox, kPhAxisEnd, ox - 3, kPhAxisEnd + 5, platform::kBlack);
    s.line(ox, kPhAxisEnd, ox + 3, kPhAxisEnd + 5, platform::kBlack);
    s.line(ox, oy, kVolumeAxisEnd, oy, platform::kBlack);
    s.line(kVolumeAxisEnd - 5, oy - 2, kVolumeAxisEnd, oy, platform::kBlack);
    s.line(kVolumeAxisEnd - 5, oy + 2, kVolumeAxisEnd, oy, platform::kBlack);
}

// "V₁ (mL)" at the end of the volume axis.
void GraphPainter::printVolumeTitle() {
    platform::Painter& s = m_surface;
    s.moveTo(kVolumeAxisEnd, kVolumeLabelTop);
    s.setFontItalic(true);
    s.print(QStringLiteral("V"));
    s.setFontItalic(false);
    s.moveTo(s.currentX(), s.currentY() + kSubscriptDrop);
    s.print(QStringLiteral("1"));
    s.moveTo(s.currentX(), s.currentY() - kSubscriptDrop);
    s.print(QStringLiteral(" (mL)"));
}

void GraphPainter::drawFrame() {
    setMeter(state::phMeter(), state::phMeter().axisFor(0));
    drawMeterFrame();
}

void GraphPainter::setMeter(const state::Meter& meter, const state::MeterAxis& axis) {
    m_meter = &meter;
    m_axis = axis;
}

void GraphPainter::drawDistributionFrame() {
    platform::Painter& s = m_surface;
    startFrame();
    for (int i = 0; i <= 10; ++i)
        drawLevel(PlotFrame::yOfPercent(10 * i), m_palette.distributionGrid, 10 * i);
    drawVolumeGrid(PlotFrame::yOfPercent(100), m_palette.distributionGrid);
    drawAxes();

    printAt(20, 2, QStringLiteral("%"));
    s.moveTo(kVolumeAxisEnd, kVolumeLabelTop);
    s.setFontItalic(true);
    s.print(QStringLiteral("V  "));
    s.setFontItalic(false);
    s.print(QStringLiteral("(mL)"));
}

void GraphPainter::drawMeterFrame() {
    platform::Painter& s = m_surface;
    startFrame();
    const state::MeterAxis& axis = m_axis;
    const std::string pattern = axis.labelPicture();
    for (int i = 0; i <= axis.lines(); ++i) {
        const double value = axis.bottom + i * axis.step;
        const double y = axis.y(value);
        s.line(PlotFrame::kOriginX, y, kGridRight, y, m_palette.phGrid);
        const QString label = QString::fromStdString(numbers::formatPicture(value, pattern));
        printAt(kLabelRight - s.textWidth(label), y - s.textHeight(label) / 2, label);
    }
    drawVolumeGrid(state::MeterAxis::kGridTop, m_palette.volumeGrid);
    drawAxes();

    // Left of the axis's arrow when the title fits in the labels' margin, else right of it.
    QString title = QString::fromUtf8(m_meter->symbol.data(), static_cast<qsizetype>(m_meter->symbol.size()));
    if (!m_meter->unit.empty())
        title += QStringLiteral(" (") +
                 QString::fromUtf8(m_meter->unit.data(), static_cast<qsizetype>(m_meter->unit.size())) +
                 QStringLiteral(")");
    constexpr double kTitleLeft = 20;
    const double titleX =
        kTitleLeft + s.textWidth(title) <= kLabelRight ? kTitleLeft : PlotFrame::kOriginX + 6;
    printAt(titleX, 2, title);
    printVolumeTitle();
}

void GraphPainter::drawSeries(const state::GraphCurve& curve) {
    switch (curve.style) {
        case state::SeriesStyle::MeasuredCrosses:
            for (const state::SeriesPoint& p : curve.points)
                drawCross(p.volume, p.value, curve.colour, curve.width);
            return;
        case state::SeriesStyle::FittedDashes:
            drawDashed(curve.points, curve.colour, curve.width);
            return;
        case state::SeriesStyle::Line:
            break;
    }
    drawCurve(curve.points, curve.colour, curve.width);
}

// Each line drawn over the points it was fitted on and as far beyond E as its nearest point lies
// before it; E circled, with its name, and dotted down to the volume axis.
void GraphPainter::drawStraightLines(const state::StraightLinesOverlay& overlay) {
    platform::Painter& s = m_surface;
    const chemistry::StraightLines& lines = overlay.lines;
    if (!lines.found) return;
    const double e = lines.volume;
    const auto segment = [&](const chemistry::FittedLine& line, double from, double to) {
        from = std::clamp(from, 0.0, static_cast<double>(PlotFrame::kLastVolume));
        to = std::clamp(to, 0.0, static_cast<double>(PlotFrame::kLastVolume));
        s.line(PlotFrame::x(from), m_axis.y(line.at(from)), PlotFrame::x(to), m_axis.y(line.at(to)),
               platform::kBlack);
    };
    constexpr double kLeastBeyond = 0.3;  // mL
    s.setDrawMode(platform::DrawMode::Copy);
    s.setStrokeWidth(overlay.width);
    segment(lines.before, lines.firstBefore, e + std::max(kLeastBeyond, e - lines.lastBefore));
    segment(lines.after, e - std::max(kLeastBeyond, lines.firstAfter - e), lines.lastAfter);
    const double x = PlotFrame::x(e);
    const double y = m_axis.y(lines.conductivity);
    s.circle(x, y, 3, platform::kBlack);
    s.setStrokeWidth(1);
    const int dots = static_cast<int>(std::clamp((PlotFrame::kOriginY - y - 6) / 4, 0.0, 100.0));
    for (int i = 0; i < dots; ++i) s.line(x, y + 6 + 4 * i, x, y + 8 + 4 * i, platform::kBlack);
    s.setForeColour(platform::kBlack);
    s.moveTo(x + 5, y + 2);
    s.print(QString::fromStdString(overlay.label));
}

// A ring of 2 px radius per point, through which the fitted lines show, and the legend
// "σ corrigée de la dilution" after a ring.
void GraphPainter::drawCorrectedConductivity(const state::CorrectedConductivity& corrected) {
    platform::Painter& s = m_surface;
    const platform::Colour colour = m_palette.onGraph(corrected.colour);
    constexpr double kRadius = 2;
    s.setStrokeWidth(corrected.width);
    for (const chemistry::ConductivityPoint& p : corrected.points) {
        const double x = PlotFrame::x(p.volume);
        const double y = m_axis.y(p.conductivity);
        if (std::isfinite(x) && std::isfinite(y)) s.circle(x, y, kRadius, colour);
    }
    const QString legend = QString::fromUtf8("σ corrigée de la dilution");
    s.circle(kCorrectedLegendX, std::round(2 + s.textHeight(legend) / 2), kRadius, colour);
    s.setStrokeWidth(1);
    s.setForeColour(colour);
    printAt(kCorrectedLegendX + 6, 2, legend);
    s.setForeColour(platform::kBlack);
}

void GraphPainter::drawMark(double volume, double value, platform::Colour c, int strokeWidth) {
    markAt(PlotFrame::x(volume), m_axis.y(value), c, strokeWidth);
}

void GraphPainter::markAt(double x, double y, platform::Colour c, int strokeWidth) {
    c = m_palette.onGraph(c);
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    m_surface.setStrokeWidth(strokeWidth);
    // At 1 px the surface leaves out the last point, so x + 4 gives an arm of 3 px.
    m_surface.line(x - 3, y, x + 4, y, c);
    m_surface.line(x, y - 3, x, y + 4, c);
}

void GraphPainter::drawCross(double volume, double value, platform::Colour c, int strokeWidth) {
    crossAt(PlotFrame::x(volume), m_axis.y(value), c, strokeWidth);
}

void GraphPainter::crossAt(double x, double y, platform::Colour c, int strokeWidth) {
    c = m_palette.onGraph(c);
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    m_surface.setStrokeWidth(strokeWidth);
    // Oblique, so that a lab point stands apart from the simulation's upright marks.
    m_surface.line(x - 3, y - 3, x + 4, y + 4, c);
    m_surface.line(x - 3, y + 3, x + 4, y - 4, c);
}

void GraphPainter::drawDashed(const std::vector<state::SeriesPoint>& curve, platform::Colour c,
                              int strokeWidth) {
    c = m_palette.onGraph(c);
    m_surface.setStrokeWidth(strokeWidth);
    // Dashes and gaps follow the length of the curve, across its vertices.
    constexpr double kDash = 6;
    constexpr double kPeriod = 10;
    double along = 0;
    bool started = false;
    state::PlotPoint last;
    for (const state::SeriesPoint& vertex : curve) {
        const state::PlotPoint p{PlotFrame::x(vertex.volume), m_axis.y(vertex.value)};
        if (!std::isfinite(p.x) || !std::isfinite(p.y)) continue;
        if (started) dashedSegment(last, p, c, kDash, kPeriod, along);
        started = true;
        last = p;
    }
}

void GraphPainter::dashedSegment(const state::PlotPoint& from, const state::PlotPoint& to, platform::Colour c,
                                 double dash, double period, double& along) {
    const double length = std::hypot(to.x - from.x, to.y - from.y);
    if (!std::isfinite(length)) return;
    double done = 0;
    // Bounded: each pass ends a dash or a gap, at most the segment's length in periods.
    while (done < length) {
        const double phase = std::fmod(along + done, period);
        const bool inDash = phase < dash;
        const double next = std::min(length, done + std::max(0.01, inDash ? dash - phase : period - phase));
        if (inDash) {
            const double t0 = done / length;
            const double t1 = next / length;
            m_surface.line(from.x + (to.x - from.x) * t0, from.y + (to.y - from.y) * t0,
                           from.x + (to.x - from.x) * t1, from.y + (to.y - from.y) * t1, c);
        }
        done = next;
    }
    along += length;
}

// A form's line from the previous vertex: dashed, or whole in the described look of a monoacid.
void GraphPainter::formSegment(const state::PlotPoint& from, const state::PlotPoint& to, platform::Colour c,
                               bool dashed, double& along) {
    if (dashed) {
        dashedSegment(from, to, c, kFormDash, kFormPeriod, along);
    } else {
        drawSegment(m_surface, {from, to}, c);
    }
}

// A short dashed stroke left of a legend's text whose top-left corner is (x, y).
void GraphPainter::legendSample(double x, double y, const QString& text, platform::Colour c) {
    const double middle = std::round(y + m_surface.textHeight(text) / 2);
    double along = 0;
    dashedSegment({x - kLegendSample - 3, middle}, {x - 3, middle}, c, kFormDash, kFormPeriod, along);
}

void GraphPainter::drawCurve(const std::vector<state::SeriesPoint>& curve, platform::Colour c,
                             int strokeWidth) {
    std::vector<state::PlotPoint> points;
    points.reserve(curve.size());
    for (const state::SeriesPoint& vertex : curve)
        points.push_back({PlotFrame::x(vertex.volume), m_axis.y(vertex.value)});
    drawPolyline(points, c, strokeWidth);
}

void GraphPainter::drawPolyline(const std::vector<state::PlotPoint>& points, platform::Colour c,
                                int strokeWidth) {
    c = m_palette.onGraph(c);
    m_surface.setStrokeWidth(strokeWidth);
    std::vector<QPointF> kept;
    kept.reserve(points.size());
    for (const state::PlotPoint& p : points) {
        // A vertex the engine could not compute is left out; the line joins the next one.
        if (std::isfinite(p.x) && std::isfinite(p.y)) kept.emplace_back(p.x, p.y);
    }
    m_surface.polyline(kept, c);
}

void GraphPainter::draw(const state::GraphContent& content) {
    if (content.generation() == 0) return;
    setMeter(content.meter(), content.axis());
    m_palette = state::drawingPalette(content.highContrast());
    drawFrame(content.mode());
    for (const state::GraphItem& item : content.items()) drawItem(item);
}

void GraphPainter::drawFrame(GraphMode mode) {
    if (mode == GraphMode::Distribution) {
        drawDistributionFrame();
    } else {
        drawMeterFrame();
    }
}

void GraphPainter::drawItem(const state::GraphItem& item) {
    std::visit(
        [this](const auto& it) {
            using Item = std::decay_t<decltype(it)>;
            if constexpr (std::is_same_v<Item, state::GraphMark>) {
                drawMark(it.volume, it.value, it.colour, it.width);
            } else if constexpr (std::is_same_v<Item, state::GraphCurve>) {
                drawSeries(it);
            } else if constexpr (std::is_same_v<Item, state::DerivativeOverlay>) {
                drawPolyline(it.polyline, m_palette.derivative, it.width);
            } else if constexpr (std::is_same_v<Item, state::TangentOverlay>) {
                drawTangents(it);
            } else if constexpr (std::is_same_v<Item, state::FadeOverlay>) {
                drawFade(it);
            } else if constexpr (std::is_same_v<Item, state::FormsOverlay>) {
                drawForms(it);
            } else if constexpr (std::is_same_v<Item, state::StraightLinesOverlay>) {
                drawStraightLines(it);
            } else if constexpr (std::is_same_v<Item, state::CorrectedConductivity>) {
                drawCorrectedConductivity(it);
            } else if constexpr (std::is_same_v<Item, state::SeriesLegend>) {
                drawSeriesLegend(it);
            } else {
                drawDistribution(it);
            }
        },
        item);
}

void GraphPainter::drawTangents(const state::TangentOverlay& overlay) {
    platform::Painter& s = m_surface;
    const state::TangentConstruction& t = overlay.construction;
    s.setDrawMode(platform::DrawMode::Copy);
    s.setStrokeWidth(overlay.width);
    drawSegment(s, t.firstTangent, platform::kBlack);
    drawSegment(s, t.secondTangent, platform::kBlack);
    if (t.outcome == state::TangentConstruction::Outcome::Refused) return;

    drawSegment(s, t.middleParallel, platform::kBlack);
    s.setForeColour(platform::kBlack);
    const state::PlotPoint label = overlay.label.value_or(t.labelE);
    s.moveTo(label.x, label.y);
    s.print(QStringLiteral("E"));
    if (overlay.number > 0) {
        // Its number lowered as the 1 of V₁ is.
        s.moveTo(s.currentX(), s.currentY() + kSubscriptDrop);
        s.print(QString::number(overlay.number));
        s.moveTo(s.currentX(), s.currentY() - kSubscriptDrop);
    }

    const state::CommonPerpendicular& c = t.perpendicular;
    s.line(c.h, c.g, c.d, c.f, platform::kBlack);
    if (t.equalityMarks) {
        for (const state::PlotPoint& centre : t.equalityCentres) printCentred(s, centre, QStringLiteral("="));
    }
    for (const state::PlotSegment& side : t.rightAngle) drawSegment(s, side, platform::kBlack);
}

void GraphPainter::drawFade(const state::FadeOverlay& overlay) {
    if (!m_palette.fadeUnderDistribution) return;
    platform::Painter& s = m_surface;
    s.setDrawMode(platform::DrawMode::Merge);
    s.filledRectangle(0, 0, s.width() - 1, s.height() - 1, overlay.colour);
    s.setDrawMode(platform::DrawMode::Copy);
}

void GraphPainter::drawDistribution(const state::DistributionOverlay& overlay) {
    platform::Painter& s = m_surface;
    const std::vector<chemistry::DistributionVertex>& vertices = overlay.vertices;
    s.setStrokeWidth(overlay.width);
    const platform::Colour acidColour = m_palette.onGraph(m_palette.acidForm);
    const platform::Colour basicColour = m_palette.onGraph(m_palette.basicForm);
    // Without the fading the pH curves are as bright as the forms: the forms are dashed then.
    const bool dashed = m_palette.highContrast;
    double acidAlong = 0;
    double basicAlong = 0;
    // Both curves advance together, a segment of each per vertex, from a pair of dots at 0 mL.
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        const state::PlotPoint acid = state::acidPointOf(vertices[i]);
        const state::PlotPoint basic = state::basicPointOf(vertices[i]);
        if (i == 0) {
            s.pset(acid.x, acid.y, acidColour);
            s.pset(basic.x, basic.y, basicColour);
        } else {
            formSegment(state::acidPointOf(vertices[i - 1]), acid, acidColour, dashed, acidAlong);
            formSegment(state::basicPointOf(vertices[i - 1]), basic, basicColour, dashed, basicAlong);
        }
    }

    const QString acidName = QStringLiteral("forme acide");
    const QString basicName = QStringLiteral("forme basique");
    if (dashed) {
        legendSample(100, 5, acidName, acidColour);
        legendSample(200, 5, basicName, basicColour);
    }
    s.setForeColour(acidColour);
    s.moveTo(100, 5);
    s.print(acidName);
    s.setForeColour(basicColour);
    s.moveTo(200, 5);
    s.print(basicName);
    s.setForeColour(platform::kBlack);
}

void GraphPainter::drawForms(const state::FormsOverlay& overlay) {
    // The most protonated form in the acid form's blue, the least in the basic form's red.
    const state::DrawingPalette& p = m_palette;
    const std::array<numbers::Rgb, chemistry::kMaxForms> kThree{
        p.onGraph(p.acidForm), p.onGraph(p.secondForm), p.onGraph(p.basicForm), numbers::Rgb{}};
    const std::array<numbers::Rgb, chemistry::kMaxForms> kFour{
        p.onGraph(p.acidForm), p.onGraph(p.secondForm), p.onGraph(p.thirdForm), p.onGraph(p.basicForm)};
    platform::Painter& s = m_surface;
    s.setStrokeWidth(overlay.width);
    const std::vector<chemistry::FormShares>& vertices = overlay.vertices;
    const int forms = vertices.empty() ? 0 : std::min(vertices.front().formCount, chemistry::kMaxForms);
    const auto& colours = forms == 4 ? kFour : kThree;
    const auto colourOf = [&](int f) {
        return forms == 2 && f == 1 ? p.onGraph(p.basicForm) : colours[static_cast<std::size_t>(f)];
    };
    const auto point = [](const chemistry::FormShares& v, int form) {
        return PlotFrame::percentPoint(v.volume, v.percent[static_cast<std::size_t>(form)]);
    };
    std::array<double, chemistry::kMaxForms> along{};
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        for (int f = 0; f < forms; ++f) {
            if (i == 0) {
                const state::PlotPoint first = point(vertices[i], f);
                s.pset(first.x, first.y, colourOf(f));
            } else {
                formSegment(point(vertices[i - 1], f), point(vertices[i], f), colourOf(f), true,
                            along[static_cast<std::size_t>(f)]);
            }
        }
    }
    // Each name after a sample of its dashes, the next one after a gap.
    constexpr double kLegendTop = 5;
    constexpr double kLegendGap = 12;
    double x = PlotFrame::kOriginX + kLegendSample + 10;
    for (int f = 0; f < forms && f < static_cast<int>(overlay.names.size()); ++f) {
        const QString name = QString::fromStdString(overlay.names[static_cast<std::size_t>(f)]);
        legendSample(x, kLegendTop, name, colourOf(f));
        s.setForeColour(colourOf(f));
        printAt(x, kLegendTop, name);
        x += s.textWidth(name) + kLegendGap + kLegendSample + 3;
    }
    s.setForeColour(platform::kBlack);
}

// Each name after a short stroke of its colour, from the right of the axis's title, on as many
// lines as the names need.
void GraphPainter::drawSeriesLegend(const state::SeriesLegend& legend) {
    constexpr double kLeft = PlotFrame::kOriginX + 60;  // clear of "n (mmol)"
    constexpr double kLineHeight = 11;
    constexpr double kGap = 10;
    platform::Painter& s = m_surface;
    s.setStrokeWidth(1);
    double x = kLeft;
    double y = 2;
    for (std::size_t i = 0; i < legend.names.size() && i < legend.colours.size(); ++i) {
        const QString name = QString::fromStdString(legend.names[i]);
        const double width = kLegendSample + 3 + s.textWidth(name);
        if (x > kLeft && x + width > kGridRight) {
            x = kLeft;
            y += kLineHeight;
        }
        const platform::Colour colour = m_palette.onGraph(legend.colours[i]);
        const double middle = std::round(y + s.textHeight(name) / 2);
        s.line(x, middle, x + kLegendSample, middle, colour);
        s.setForeColour(colour);
        printAt(x + kLegendSample + 3, y, name);
        x += width + kGap;
    }
    s.setForeColour(platform::kBlack);
}

bool GraphPainter::isInsideReadout(int x, int y) {
    return x > kReadoutLeft && x < kReadoutRight && y > kReadoutTop && y < kReadoutBottom;
}

QString GraphPainter::readoutText(int x, int y, GraphMode mode, const state::Meter& meter,
                                  const state::MeterAxis& axis) {
    if (!isInsideReadout(x, y)) return {};
    const QString volume =
        QStringLiteral("V = ") + picture(PlotFrame::volumeAt(x), "#0.0") + QStringLiteral(" mL");
    if (mode != GraphMode::Distribution) {
        return volume + QStringLiteral(" ; ") +
               QString::fromStdString(meter.readout(std::max(meter.least, axis.valueAt(y))));
    }
    if (y < kHundredPercentY) return {};
    return volume + QStringLiteral(" ; p = ") + picture(10 * PlotFrame::tensOfPercentAt(y), "##0.0") +
           QStringLiteral(" %");
}

QString GraphPainter::readoutText(int x, int y, const state::GraphContent& content) {
    if (content.mode() == GraphMode::Distribution && isInsideReadout(x, y)) {
        // The forms of a polyacid or a mixture: their shares at the pointed volume, whatever the
        // pointer's height.
        const state::FormsOverlay* forms = nullptr;
        for (const state::GraphItem& item : content.items()) {
            if (const auto* found = std::get_if<state::FormsOverlay>(&item)) forms = found;
        }
        const double volume = std::max(0.0, PlotFrame::volumeAt(x));
        const std::string shares = forms ? state::formSharesText(*forms, volume) : std::string();
        if (!shares.empty()) {
            return QStringLiteral("V = ") + picture(volume, "#0.0") + QStringLiteral(" mL ; ") +
                   QString::fromStdString(shares);
        }
    }
    return readoutText(x, y, content.mode(), content.meter(), content.axis());
}

}  // namespace workbench
