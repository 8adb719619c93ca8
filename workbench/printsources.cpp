#include "workbench/printsources.h"

#include <utility>

#include "state/benchstate.h"
#include "workbench/benchcontroller.h"
#include "workbench/graphpicture.h"
#include "workbench/measurementtable.h"

namespace workbench {

WindowPrintSources::WindowPrintSources(BenchController& bench, std::function<const MeasurementTable&()> table)
    : m_bench(bench), m_table(std::move(table)) {}

QImage WindowPrintSources::illustration() {
    // Composed for the print and already drawn again for the screen.
    return m_bench.composedIllustration();
}

QImage WindowPrintSources::graph() const {
    return m_bench.graph().image();
}

platform::Drawing WindowPrintSources::graphDrawing() const {
    return workbench::graphDrawing(m_bench.state().graph);
}

int WindowPrintSources::tableRowCount() const {
    return m_bench.state().rows.count();
}

QImage WindowPrintSources::table(int firstRow, int rowCount) const {
    return m_table().gridImage(firstRow, rowCount);
}

QImage WindowPrintSources::table(int firstRow, int rowCount, const std::vector<int>& columns) const {
    return m_table().gridImage(firstRow, rowCount, columns);
}

std::vector<int> WindowPrintSources::tableColumnWidths() const {
    return m_table().columnWidths();
}

std::vector<chemistry::SituationReport> WindowPrintSources::completedSituations() const {
    return chemistry::completedSituationReports(m_bench.state().situations.records, state::catalogue());
}

platform::Colour WindowPrintSources::situationColour(int slot) const {
    return state::situationColour(m_bench.state(), slot);
}

}  // namespace workbench
