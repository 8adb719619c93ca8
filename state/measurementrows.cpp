#include "state/measurementrows.h"

#include <array>

#include "numbers/picture.h"
#include "state/conductimetry.h"

namespace state {

std::vector<std::string> MeasurementRows::rowTexts(const chemistry::TitrationPoint& point, int columns) {
    // Volume and pH are single-precision quantities; the concentrations are computed from them.
    std::vector<std::string> cells{numbers::formatSingle(static_cast<float>(point.volume), "#0.0#"),
                                   numbers::formatSingle(static_cast<float>(point.pH), "#0.00"),
                                   numbers::formatPicture(point.hydronium, "0.00E+00"),
                                   numbers::formatPicture(point.hydroxide, "0.00E+00")};
    if (point.formCount > 0) {
        for (int j = 0; j < point.formCount && static_cast<int>(cells.size()) < columns; ++j)
            cells.push_back(numbers::formatPicture(point.forms[static_cast<std::size_t>(j)], "0.00E+00"));
    } else if (columns > kNarrowColumns) {
        cells.push_back(numbers::formatPicture(point.acidForm, "0.00E+00"));
        cells.push_back(numbers::formatPicture(point.basicForm, "0.00E+00"));
    }
    return cells;
}

std::vector<std::string> MeasurementRows::texts(int index) const {
    if (index < 0 || index >= count()) return {};
    std::vector<std::string> cells = rowTexts(m_points[static_cast<std::size_t>(index)], m_columns);
    if (m_withConductivity) {
        cells.resize(static_cast<std::size_t>(m_columns));
        const std::optional<double> sigma = conductivity(index);
        cells.push_back(sigma ? conductivityNumber(*sigma) : std::string());
    }
    return cells;
}

std::optional<double> MeasurementRows::conductivity(int index) const {
    if (index < 0 || index >= static_cast<int>(m_conductivities.size())) return std::nullopt;
    return m_conductivities[static_cast<std::size_t>(index)];
}

std::string MeasurementRows::heading(int column) const {
    static constexpr std::array<const char*, kNarrowColumns> kFirst{"V₁ (mL)", "pH", "[H₃O⁺]", "[HO⁻]"};
    if (column < 0 || column >= cellCount()) return {};
    if (column == m_columns) return "σ (mS/cm)";
    if (column < 2) return kFirst[static_cast<std::size_t>(column)];
    std::string name;
    const auto form = static_cast<std::size_t>(column - kNarrowColumns);
    if (column < kNarrowColumns) {
        name = kFirst[static_cast<std::size_t>(column)];
    } else if (form < m_formNames.size()) {
        name = "[" + m_formNames[form] + "]";
    } else {
        name = column == kNarrowColumns ? "[acide]" : "[base]";
    }
    return name + " (mol · L⁻¹)";
}

std::string MeasurementRows::contentsText() const {
    std::string text;
    for (int c = 0; c < cellCount(); ++c) {
        if (c > 0) text += '\t';
        text += heading(c);
    }
    for (int i = 0; i < count(); ++i) {
        text += '\n';
        const std::vector<std::string> cells = texts(i);
        for (std::size_t c = 0; c < cells.size(); ++c) {
            if (c > 0) text += '\t';
            text += cells[c];
        }
    }
    return text;
}

void MeasurementRows::reset(int columns) {
    m_columns = columns == kNarrowColumns ? kNarrowColumns : kWideColumns;
    m_formNames.clear();
    m_points.clear();
    m_conductivities.clear();
    m_withConductivity = false;
    ++m_resets;
    ++m_clears;
}

void MeasurementRows::reset(std::vector<std::string> formNames) {
    m_columns = kNarrowColumns + static_cast<int>(formNames.size());
    m_formNames = std::move(formNames);
    m_points.clear();
    m_conductivities.clear();
    m_withConductivity = false;
    ++m_resets;
    ++m_clears;
}

void MeasurementRows::clear() {
    m_points.clear();
    m_conductivities.clear();
    ++m_clears;
}

void MeasurementRows::append(const chemistry::TitrationPoint& point, std::optional<double> conductivity) {
    m_points.push_back(point);
    m_conductivities.push_back(conductivity);
}

}  // namespace state
