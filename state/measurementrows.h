#pragma once
// The recorded measurements of the current titration, one row each: what the table shows, what
// its copies take and what printing prints. The table widget is a view of it: it follows the
// counts of restarts and clears to know whether to start again or only to add rows.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "chemistry/titration.h"
#include "state/meters.h"

namespace state {

class MeasurementRows {
  public:
    bool operator==(const MeasurementRows&) const = default;
    // A strong acid or base has no conjugate pair to show: 4 columns instead of 6.
    static constexpr int kNarrowColumns = 4;
    static constexpr int kWideColumns = 6;

    // 4 or 6, or 4 and one per form.
    int columns() const { return m_columns; }
    // The meters with a column of their own after the others ("σ (mS/cm)" while the
    // conductimeter is shown), in order.
    const std::vector<const Meter*>& meterColumns() const { return m_meters; }
    bool hasColumn(const Meter& meter) const;
    // The meter of a cell's column; nothing for the titration's own columns.
    const Meter* meterAt(int column) const;
    // The cells of a row: the columns, then one per meter column.
    int cellCount() const { return m_columns + static_cast<int>(m_meters.size()); }
    // What `meter` read at row `index`, in its unit; nothing where the row has none.
    std::optional<double> reading(int index, const Meter& meter) const;
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
    // Set right after a restart: the meter columns that follow the others.
    void setMeterColumns(std::vector<const Meter*> meters) { m_meters = std::move(meters); }
    // A row at 0 mL starts the rows again: the header alone is kept.
    void clear();
    // A row, with a reading per meter column (nothing where that meter measured none).
    void append(const chemistry::TitrationPoint& point, std::vector<std::optional<double>> readings = {});

    // How many times the table was restarted, and cleared (a restart counts as both).
    std::uint64_t resets() const { return m_resets; }
    std::uint64_t clears() const { return m_clears; }

  private:
    int m_columns = kWideColumns;
    std::vector<std::string> m_formNames;
    std::vector<chemistry::TitrationPoint> m_points;
    std::vector<const Meter*> m_meters;
    std::vector<std::vector<std::optional<double>>> m_readings;  // one per point, one per meter column
    std::uint64_t m_resets = 0;
    std::uint64_t m_clears = 0;
};

}  // namespace state
