#pragma once
// What a printout takes from the main window: its pictures as the pupil sees them and the report
// of the completed situations, each in its situation's colour.
#include <QImage>
#include <functional>
#include <vector>

#include "chemistry/situationreport.h"
#include "platform/colour.h"
#include "platform/drawing.h"

namespace workbench {

class MeasurementTable;
class BenchController;

class PrintSources {
  public:
    virtual ~PrintSources() = default;

    // The apparatus with the readings of its displays written into it, as it is copied.
    virtual QImage illustration() = 0;
    virtual QImage graph() const = 0;
    // The graph's lines and texts, in its pixels, so that paper shows it sharp.
    virtual platform::Drawing graphDrawing() const = 0;
    virtual int tableRowCount() const = 0;
    // The table's header over `rowCount` of its rows from `firstRow` (0 is the first
    // measurement): a page of a table too long for one.
    virtual QImage table(int firstRow, int rowCount) const = 0;
    // The same with only `columns`, in that order.
    virtual QImage table(int firstRow, int rowCount, const std::vector<int>& columns) const = 0;
    // The widths of the table's columns, px.
    virtual std::vector<int> tableColumnWidths() const = 0;
    virtual std::vector<chemistry::SituationReport> completedSituations() const = 0;
    virtual platform::Colour situationColour(int slot) const = 0;
};

// The main window's: the bench's pictures and situations, and the table page's grid, which is
// built when first asked for.
class WindowPrintSources final : public PrintSources {
  public:
    WindowPrintSources(BenchController& bench, std::function<const MeasurementTable&()> table);

    QImage illustration() override;
    QImage graph() const override;
    platform::Drawing graphDrawing() const override;
    int tableRowCount() const override;
    QImage table(int firstRow, int rowCount) const override;
    QImage table(int firstRow, int rowCount, const std::vector<int>& columns) const override;
    std::vector<int> tableColumnWidths() const override;
    std::vector<chemistry::SituationReport> completedSituations() const override;
    platform::Colour situationColour(int slot) const override;

  private:
    BenchController& m_bench;
    std::function<const MeasurementTable&()> m_table;
};

}  // namespace workbench
