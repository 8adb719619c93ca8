#include "workbench/graphanalyses.h"

#include "platform/messageboxes.h"
#include "workbench/graphpanel.h"
#include "workbench/workbench.h"

namespace workbench {

namespace {

// OR-ed over the pH graph under the distribution diagram: black becomes this grey and every
// colour lightens, so the two curves stand out.
constexpr platform::Colour kFade{100, 100, 100};

constexpr const char* kTangentsRefused =
    "Cette courbe ne permet pas de déterminer les coordonnées du point d'équivalence.";
constexpr const char* kEquivalenceOutOfReach =
    "L'équivalence doit se situer entre 2 et 23 mL pour cette méthode.";

}  // namespace

GraphAnalyses::GraphAnalyses(Workbench& workbench, platform::MessageBoxes& messageBoxes, QObject* parent)
    : QObject(parent), m_workbench(workbench), m_messageBoxes(messageBoxes) {}

void GraphAnalyses::attachTo(GraphPanel& panel) {
    panel.setToolCommand(GraphPanel::Tool::Derivative, [this] { Image5_Click(); });
    panel.setToolCommand(GraphPanel::Tool::Tangents, [this] { Image4_Click(); });
    panel.setToolCommand(GraphPanel::Tool::Distribution, [this] { Command3_Click(); });
}

chemistry::EngineState GraphAnalyses::panelState() const {
    // The workbench's state only supplies the values of texts that are not numbers, as for the
    // panel's own computation.
    return chemistry::deriveEngineState(m_workbench.solution(), m_workbench.catalogue(),
                                        m_workbench.engine());
}

// --- Derivative curve ---------------------------------------------------------------------------

void GraphAnalyses::Image5_Click() {
    btderive();
}

void GraphAnalyses::btderive() {
    chemistry::EngineState engine = panelState();
    GraphCanvas& graph = m_workbench.graph();
    graph.add(state::DerivativeOverlay{chemistry::derivativeCurve(engine).polyline, graph.strokeWidth()});
}

// --- Tangent method -----------------------------------------------------------------------------

void GraphAnalyses::Image4_Click() {
    tangente();
}

void GraphAnalyses::tangente() {
    chemistry::EngineState engine = panelState();
    // The equivalence volume of this set-up, as the computation of its first point stores it.
    chemistry::solveBeakerAlone(engine);
    const bool acid = m_workbench.beakerIsAcid();
    const chemistry::TangentConstruction t = chemistry::tangentConstruction(engine, acid);
    if (t.outcome == chemistry::TangentConstruction::Outcome::Nothing) {
        // Too near either end of the burette the construction has no room: nothing is drawn, and
        // the pupil learns why the click did nothing.
        emit hint(QString::fromUtf8(kEquivalenceOutOfReach));
        return;
    }

    GraphCanvas& graph = m_workbench.graph();
    graph.add(state::TangentOverlay{t, graph.strokeWidth()});
    if (t.outcome == chemistry::TangentConstruction::Outcome::Refused) {
        m_messageBoxes.show(platform::MessageIcon::Stop, QString::fromUtf8(kTangentsRefused),
                            QStringLiteral("Erreur"), platform::MessageButtons::Ok);
    }
}

// --- Distribution diagram -----------------------------------------------------------------------

void GraphAnalyses::Command3_Click() {
    // Stores the panel into the situation and shows it again: the state and the table follow.
    m_workbench.Option2_Click(m_workbench.currentSituation());
    GraphCanvas& graph = m_workbench.graph();
    graph.clearToDistributionFrame();
    // The history and the table were rebuilt by the showing just above and would come out the
    // same: only the curves go on the new frame.
    m_workbench.drawFinishedCurves();

    graph.add(state::FadeOverlay{kFade});
    drawDistributionDiagram();
}

void GraphAnalyses::drawDistributionDiagram() {
    chemistry::EngineState engine = panelState();
    const std::vector<chemistry::DistributionVertex> vertices =
        chemistry::distributionDiagram(engine, m_workbench.beakerIsAcid());
    GraphCanvas& graph = m_workbench.graph();
    graph.add(state::DistributionOverlay{vertices, graph.strokeWidth()});
}

}  // namespace workbench
