#pragma once
// The recorded measurements of the current titration, one row each: what the table shows, what
// its copies take and what printing prints. The table widget is a view of it: it follows the
// counts of restarts and clears to know whether to start again or only to add rows.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "chemistry/titration.h"

namespace state {

class MeasurementRows {
  public:
    bool operator==(const MeasurementRows&) const = default;
    // A strong acid or base has no conjugate pair to show: 4 columns instead of 6.
    static constexpr int kNarrowColumns = 4;
    static constexpr int kWideColumns = 6;

    // 4 or 6, or 4 and one per form.
    int columns() const { return m_columns; }
    // The conductimeter's column "σ (mS/cm)" after the others, while the conductimeter is shown.
    bool hasConductivity() const { return m_withConductivity; }
    // The cells of a row: the columns, and the σ column when there is one.
    int cellCount() const { return m_columns + (m_withConductivity ? 1 : 0); }
    // σ of row `index`, mS/cm; nothing where the row has none.
    std::optional<double> conductivity(int index) const;
    // The forms the columns after the fourth show, when they show every form of the solutes.
    const std::vector<std::string>& formNames() const { return m_formNames; }
    int count() const { return static_cast<int>(m_points.size()); }
    const std::vector<chemistry::TitrationPoint>& points() const { return m_points; }
    // The texts of row `index` (0 is the first measurement).
    std::vector<std::string> texts(int index) const;
    // The heading of a column as text, with its unit: "V₁ (mL)", "[H₂PO₄⁻] (mol · L⁻¹)".
    std::string heading(int column) const;
    // The whole table as text: the headings, then one line per row, cells separated by tabs and
    // rows by line feeds.
    std::string contentsText() const;

    // The texts of one row: V, pH, [H3O+], [HO-], then the forms: every form of the point's
    // solutes when it has them, else with more than 4 columns the acid and basic forms of the
    // beaker's pair.
    static std::vector<std::string> rowTexts(const chemistry::TitrationPoint& point, int columns);

    // The table restarts with its header only, with 4 or 6 columns.
    void reset(int columns);
    // The table restarts with a column for each of these forms after the first four.
    void reset(std::vector<std::string> formNames);
    // Set right after a restart: whether the σ column follows the others.
    void setConductivityColumn(bool shown) { m_withConductivity = shown; }
    // A row at 0 mL starts the rows again: the header alone is kept.
    void clear();
    // A row, with σ (mS/cm) when the conductimeter measured it.
    void append(const chemistry::TitrationPoint& point, std::optional<double> conductivity = std::nullopt);

    // How many times the table was restarted, and cleared (a restart counts as both).
    std::uint64_t resets() const { return m_resets; }
    std::uint64_t clears() const { return m_clears; }

  private:
    int m_columns = kWideColumns;
    std::vector<std::string> m_formNames;
    std::vector<chemistry::TitrationPoint> m_points;
    std::vector<std::optional<double>> m_conductivities;  // one per point
    bool m_withConductivity = false;
    std::uint64_t m_resets = 0;
    std::uint64_t m_clears = 0;
};

}  // namespace state
