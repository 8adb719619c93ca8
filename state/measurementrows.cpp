#include "state/measurementrows.h"

#include <algorithm>
#include <array>

#include "numbers/picture.h"

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
    if (!m_meters.empty()) cells.resize(static_cast<std::size_t>(m_columns));
    for (const Meter* meter : m_meters) {
        const std::optional<double> value = reading(index, *meter);
        cells.push_back(value ? meter->number(*value) : std::string());
    }
    return cells;
}

bool MeasurementRows::hasColumn(const Meter& meter) const {
    return std::find(m_meters.begin(), m_meters.end(), &meter) != m_meters.end();
}

const Meter* MeasurementRows::meterAt(int column) const {
    const int k = column - m_columns;
    if (k < 0 || k >= static_cast<int>(m_meters.size())) return nullptr;
    return m_meters[static_cast<std::size_t>(k)];
}

std::optional<double> MeasurementRows::reading(int index, const Meter& meter) const {
    if (index < 0 || index >= static_cast<int>(m_readings.size())) return std::nullopt;
    const auto k =
        static_cast<std::size_t>(std::find(m_meters.begin(), m_meters.end(), &meter) - m_meters.begin());
    const std::vector<std::optional<double>>& row = m_readings[static_cast<std::size_t>(index)];
    return k < row.size() ? row[k] : std::nullopt;
}

std::string MeasurementRows::heading(int column) const {
    static constexpr std::array<const char*, kNarrowColumns> kFirst{"V₁ (mL)", "pH", "[H₃O⁺]", "[HO⁻]"};
    if (column < 0 || column >= cellCount()) return {};
    if (const Meter* meter = meterAt(column)) return meter->heading();
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
    m_readings.clear();
    m_meters.clear();
    ++m_resets;
    ++m_clears;
}

void MeasurementRows::reset(std::vector<std::string> formNames) {
    m_columns = kNarrowColumns + static_cast<int>(formNames.size());
    m_formNames = std::move(formNames);
    m_points.clear();
    m_readings.clear();
    m_meters.clear();
    ++m_resets;
    ++m_clears;
}

void MeasurementRows::clear() {
    m_points.clear();
    m_readings.clear();
    ++m_clears;
}

void MeasurementRows::append(const chemistry::TitrationPoint& point,
                             std::vector<std::optional<double>> readings) {
    m_points.push_back(point);
    readings.resize(m_meters.size());
    m_readings.push_back(std::move(readings));
}

}  // namespace state
