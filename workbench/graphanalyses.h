#pragma once
// The analysis tools of the graph's tool bar: the derivative curve, the tangent method and the
// distribution diagram. Each computes from the panel's set-up (not from the recorded
// measurements) and draws on the graph canvas, where its drawing stays until the graph is cleared.
#include <QObject>
#include <vector>

#include "chemistry/chemistry.h"
#include "platform/colour.h"

namespace platform {
class MessageBoxes;
class Surface;
}  // namespace platform

namespace workbench {

class GraphPanel;
class Workbench;

class GraphAnalyses : public QObject {
    Q_OBJECT

  public:
    GraphAnalyses(Workbench& workbench, platform::MessageBoxes& messageBoxes, QObject* parent = nullptr);

    // Gives the three tool buttons of the graph page their commands.
    void attachTo(GraphPanel& panel);

    void Image5_Click();    // "Courbe dérivée"
    void Image4_Click();    // "Méthode des tangentes"
    void Command3_Click();  // "Diagramme de distribution"

    // The derivative curve over the graph.
    void btderive();
    // The construction of the tangent method over the graph, or the reason it cannot be made: a
    // message when the jump is too small, the hint line when the equivalence lies too near an end.
    void tangente();
    // The two distribution curves and their legend; Command3_Click draws their frame first.
    void drawDistributionDiagram();

  signals:
    // Why a tool drew nothing, for the hint line.
    void hint(const QString& text);

  private:
    // A fresh engine state for the panel's set-up, as its own computation derives it: nothing an
    // earlier analysis did to a state (K = 1e35, a poured volume) carries over. The workbench's
    // state is left as it is, so the pH-meter and the beaker keep showing the current point.
    chemistry::EngineState panelState() const;

    Workbench& m_workbench;
    platform::MessageBoxes& m_messageBoxes;
};

}  // namespace workbench
