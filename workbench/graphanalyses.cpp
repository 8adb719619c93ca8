#include "workbench/graphanalyses.h"

#include "platform/messageboxes.h"
#include "platform/surface.h"
#include "workbench/graphpainter.h"
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

namespace {

void drawSegment(platform::Surface& s, const chemistry::PlotSegment& segment, platform::Colour colour) {
    s.line(segment.from.x, segment.from.y, segment.to.x, segment.to.y, colour);
}

void printCentred(platform::Surface& s, const chemistry::PlotPoint& centre, const QString& text) {
    s.moveTo(centre.x - s.textWidth(text) / 2, centre.y - s.textHeight(text) / 2);
    s.print(text);
}

}  // namespace

// --- Derivative curve ---------------------------------------------------------------------------

void GraphAnalyses::Image5_Click() {
    btderive();
}

void GraphAnalyses::btderive() {
    chemistry::EngineState state = panelState();
    const int width = m_workbench.graph().strokeWidth();
    m_workbench.graph().draw([curve = chemistry::derivativeCurve(state), width](platform::Surface& s) {
        GraphPainter(s).drawPolyline(curve.polyline, chemistry::kDerivativeColour, width);
    });
}

// --- Tangent method -----------------------------------------------------------------------------

void GraphAnalyses::Image4_Click() {
    tangente();
}

void GraphAnalyses::tangente() {
    chemistry::EngineState state = panelState();
    // The equivalence volume of this set-up, as the computation of its first point stores it.
    chemistry::solveBeakerAlone(state);
    const bool acid = m_workbench.beakerIsAcid();
    const chemistry::TangentConstruction t = chemistry::tangentConstruction(state, acid);
    if (t.outcome == chemistry::TangentConstruction::Outcome::Nothing) {
        // Too near either end of the burette the construction has no room: nothing is drawn, and
        // the pupil learns why the click did nothing.
        emit hint(QString::fromUtf8(kEquivalenceOutOfReach));
        return;
    }

    const int width = m_workbench.graph().strokeWidth();
    m_workbench.graph().draw([t, width](platform::Surface& s) {
        s.setDrawMode(platform::DrawMode::Copy);
        s.setStrokeWidth(width);
        drawSegment(s, t.firstTangent, platform::kBlack);
        drawSegment(s, t.secondTangent, platform::kBlack);
        if (t.outcome == chemistry::TangentConstruction::Outcome::Refused) return;

        drawSegment(s, t.middleParallel, platform::kBlack);
        s.setForeColour(platform::kBlack);
        s.moveTo(t.labelE.x, t.labelE.y);
        s.print(QStringLiteral("E"));

        const chemistry::CommonPerpendicular& c = t.perpendicular;
        s.line(c.h, c.g, c.d, c.f, platform::kBlack);
        if (t.equalityMarks) {
            for (const chemistry::PlotPoint& centre : t.equalityCentres)
                printCentred(s, centre, QStringLiteral("="));
        }
        for (const chemistry::PlotSegment& side : t.rightAngle) drawSegment(s, side, platform::kBlack);
    });
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

    graph.draw([](platform::Surface& s) {
        s.setDrawMode(platform::DrawMode::Merge);
        s.filledRectangle(0, 0, s.width() - 1, s.height() - 1, kFade);
        s.setDrawMode(platform::DrawMode::Copy);
    });

    drawDistributionDiagram();
    graph.setMode(GraphMode::Distribution);
}

void GraphAnalyses::drawDistributionDiagram() {
    chemistry::EngineState state = panelState();
    const std::vector<chemistry::DistributionVertex> vertices =
        chemistry::distributionDiagram(state, m_workbench.beakerIsAcid());
    const int width = m_workbench.graph().strokeWidth();
    m_workbench.graph().draw([vertices, width](platform::Surface& s) {
        s.setStrokeWidth(width);
        // Both curves advance together, a segment of each per vertex, from a pair of dots at 0 mL.
        for (std::size_t i = 0; i < vertices.size(); ++i) {
            const chemistry::PlotPoint acid = vertices[i].acidPoint();
            const chemistry::PlotPoint basic = vertices[i].basicPoint();
            if (i == 0) {
                s.pset(acid.x, acid.y, chemistry::kAcidFormColour);
                s.pset(basic.x, basic.y, chemistry::kBasicFormColour);
            } else {
                drawSegment(s, {vertices[i - 1].acidPoint(), acid}, chemistry::kAcidFormColour);
                drawSegment(s, {vertices[i - 1].basicPoint(), basic}, chemistry::kBasicFormColour);
            }
        }

        s.setForeColour(chemistry::kAcidFormColour);
        s.moveTo(100, 5);
        s.print(QStringLiteral("forme acide"));
        s.setForeColour(chemistry::kBasicFormColour);
        s.moveTo(200, 5);
        s.print(QStringLiteral("forme basique"));
        s.setForeColour(platform::kBlack);
    });
}

}  // namespace workbench
