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

ConductivityAxis conductivityAxisFor(double largest) {
    if (!std::isfinite(largest) || !(largest > 0) || largest > 1e6) return {};
    constexpr int kMostLines = 10;
    const double power = std::pow(10.0, std::floor(std::log10(largest / kMostLines)));
    double step = 10 * power;
    for (const double multiple : {1.0, 2.0, 5.0}) {
        if (multiple * power * kMostLines >= largest) {
            step = multiple * power;
            break;
        }
    }
    // A hair below a whole number of steps stays on it rather than adding an empty line.
    const double lines = std::max(1.0, std::ceil(largest / step - 1e-9));
    return {lines * step, step};
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
    const auto fitted = [](const GraphItem& item) { return std::holds_alternative<FittedCurve>(item); };
    if (std::erase_if(m_items, fitted) == 0) return false;
    ++m_generation;
    return true;
}

void GraphContent::restart() {
    m_strokeWidth = 1;
    startOver(GraphMode::PhCurve);
}

void GraphContent::clearToDistributionFrame() {
    startOver(GraphMode::Distribution);
}

void GraphContent::restartConductivity(const ConductivityAxis& axis) {
    m_strokeWidth = 1;
    m_axis = axis;
    startOver(GraphMode::Conductivity);
}

void GraphContent::widenConductivityAxis(const ConductivityAxis& axis) {
    if (m_mode != GraphMode::Conductivity) return;
    m_axis = axis;
    // The items are in mL and mS/cm: drawn again, they follow the new axis.
    ++m_generation;
}

void GraphContent::add(GraphItem item) {
    m_items.push_back(std::move(item));
}

void GraphContent::placeMark(double volume, double pH, Colour colour) {
    add(GraphMark{volume, pH, colour, m_strokeWidth});
}

void GraphContent::placeConductivityMark(double volume, double conductivity, Colour colour) {
    add(ConductivityMark{volume, conductivity, colour, m_strokeWidth});
}

void GraphContent::addCurve(std::vector<chemistry::CurveVertex> vertices, Colour colour) {
    add(GraphCurve{std::move(vertices), colour, m_strokeWidth});
}

std::vector<GraphMark> GraphContent::marks() const {
    return itemsOf<GraphMark>(m_items);
}

std::vector<GraphCurve> GraphContent::curves() const {
    return itemsOf<GraphCurve>(m_items);
}

}  // namespace state
