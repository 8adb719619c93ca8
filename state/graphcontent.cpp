#include "state/graphcontent.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "numbers/picture.h"

namespace state {

namespace {

template <typename Item>
std::vector<Item> itemsOf(const std::vector<GraphItem>& items) {
    std::vector<Item> out;
    for (const GraphItem& item : items) {
        if (const auto* wanted = std::get_if<Item>(&item)) out.push_back(*wanted);
    }
    return out;
}

}  // namespace

std::vector<SeriesPoint> seriesOf(const std::vector<chemistry::CurveVertex>& vertices) {
    return seriesOf(vertices, [](const chemistry::CurveVertex& v) { return v.pH; });
}

std::vector<SeriesPoint> seriesOf(const std::vector<chemistry::ConductivityPoint>& points) {
    return seriesOf(points, [](const chemistry::ConductivityPoint& p) { return p.conductivity; });
}

std::string pointName(int number) {
    static const char* const kSubscripts[] = {"₁", "₂", "₃", "₄", "₅", "₆"};
    if (number < 1) return "E";
    return std::string("E") + kSubscripts[std::min(number, 6) - 1];
}

std::string formSharesText(const FormsOverlay& forms, double volume) {
    const auto shares = chemistry::mixtureFormShares(forms.mixture, volume);
    if (!shares) return {};
    std::string text;
    const int count = std::min(shares->formCount, static_cast<int>(forms.names.size()));
    for (int f = 0; f < count; ++f) {
        if (!text.empty()) text += " ; ";
        text += forms.names[static_cast<std::size_t>(f)] + " : " +
                numbers::formatPicture(shares->percent[static_cast<std::size_t>(f)], "##0.0") + " %";
    }
    return text;
}

void GraphContent::setStrokeWidth(int width) {
    if (width >= 1 && width <= 2) m_strokeWidth = width;
}

void GraphContent::startOver(GraphMode mode) {
    m_mode = mode;
    m_items.clear();
    ++m_generation;
}

bool GraphContent::removeFittedCurves() {
    const auto fitted = [](const GraphItem& item) {
        const auto* curve = std::get_if<GraphCurve>(&item);
        return curve && curve->style == SeriesStyle::FittedDashes;
    };
    if (std::erase_if(m_items, fitted) == 0) return false;
    ++m_generation;
    return true;
}

void GraphContent::restart() {
    restart(phMeter(), phMeter().axisFor(0));
}

void GraphContent::clearToDistributionFrame() {
    m_meter = &phMeter();
    m_axis = phMeter().axisFor(0);
    startOver(GraphMode::Distribution);
}

void GraphContent::restart(const Meter& meter, const MeterAxis& axis) {
    m_strokeWidth = 1;
    m_meter = &meter;
    m_axis = axis;
    startOver(GraphMode::MeterCurve);
}

void GraphContent::widenAxis(const MeterAxis& axis) {
    if (m_mode != GraphMode::MeterCurve) return;
    m_axis = axis;
    // The items are in mL and in the meter's unit: drawn again, they follow the new axis.
    ++m_generation;
}

void GraphContent::add(GraphItem item) {
    m_items.push_back(std::move(item));
}

void GraphContent::placeMark(const Meter& meter, double volume, double value, Colour colour, int series) {
    add(GraphMark{&meter, volume, value, colour, m_strokeWidth, series});
}

void GraphContent::addCurve(const Meter& meter, std::vector<SeriesPoint> points, Colour colour,
                            SeriesStyle style) {
    add(GraphCurve{&meter, std::move(points), colour, m_strokeWidth, style});
}

std::vector<GraphMark> GraphContent::marks() const {
    return itemsOf<GraphMark>(m_items);
}

std::vector<GraphCurve> GraphContent::curves() const {
    std::vector<GraphCurve> out = itemsOf<GraphCurve>(m_items);
    std::erase_if(out, [](const GraphCurve& curve) { return curve.style != SeriesStyle::Line; });
    return out;
}

}  // namespace state
