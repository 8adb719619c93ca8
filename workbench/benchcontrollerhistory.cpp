// The controller's undo and redo: the history is plain state; here the views are drawn again
// and the hint line says what changed.
#include "state/benchhistory.h"
#include "workbench/benchcontroller.h"

namespace workbench {

using state::Changed;

void BenchController::undo() {
    if (state::isPouring(m_state)) {
        emit hint(QStringLiteral("Impossible d'annuler pendant que la burette coule"));
        return;
    }
    const auto said = m_history.undo(m_state);
    if (!said) emit hint(QStringLiteral("Rien à annuler"));
    showStep(said, QStringLiteral("Annulé : "));
}

void BenchController::redo() {
    if (state::isPouring(m_state)) {
        emit hint(QStringLiteral("Impossible de rétablir pendant que la burette coule"));
        return;
    }
    const auto said = m_history.redo(m_state);
    if (!said) emit hint(QStringLiteral("Rien à rétablir"));
    showStep(said, QStringLiteral("Rétabli : "));
}

void BenchController::showStep(const std::optional<std::string>& said, const QString& done) {
    if (!said) return;
    followTimers({});
    redrawApparatus();
    m_graph.redraw();
    state::Changes all;
    for (const Changed part : {Changed::Readings, Changed::Controls, Changed::History, Changed::Graph,
                               Changed::Rows, Changed::Step, Changed::Tap})
        all.add(part);
    emit changed(all);
    emit hint(done + QString::fromStdString(*said));
}

}  // namespace workbench
