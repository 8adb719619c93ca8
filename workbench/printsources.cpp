#include "workbench/printsources.h"

#include "workbench/measurementtable.h"
#include "workbench/workbench.h"

namespace workbench {

WindowPrintSources::WindowPrintSources(Workbench& workbench, const MeasurementTable& table)
    : m_workbench(workbench), m_table(table) {}

QImage WindowPrintSources::illustration() {
    // Composed for the print and already drawn again for the screen.
    return m_workbench.composedIllustration();
}

QImage WindowPrintSources::graph() const {
    return m_workbench.graph().image();
}

int WindowPrintSources::tableRowCount() const {
    return m_workbench.rows().count();
}

QImage WindowPrintSources::table(int firstRow, int rowCount) const {
    return m_table.gridImage(firstRow, rowCount);
}

std::vector<chemistry::SituationReport> WindowPrintSources::completedSituations() const {
    return chemistry::completedSituationReports(m_workbench.situations(), m_workbench.catalogue());
}

platform::Colour WindowPrintSources::situationColour(int slot) const {
    return m_workbench.situationColour(slot);
}

}  // namespace workbench
