#include "state/graphtools.h"

#include <optional>
#include <string>

#include "chemistry/beakermixture.h"
#include "chemistry/distribution.h"
#include "chemistry/equivalence.h"
#include "chemistry/mixturecurves.h"
#include "chemistry/phsolver.h"
#include "numbers/picture.h"
#include "state/change.h"
#include "state/conductimetry.h"

namespace state {

namespace {

// OR-ed over the pH graph under the distribution diagram: black becomes this grey and every
// colour lightens, so the two curves stand out.
constexpr Colour kFade{100, 100, 100};

constexpr const char* kTangentsRefused =
    "Cette courbe ne permet pas de déterminer les coordonnées du point d'équivalence.";
constexpr const char* kEquivalenceOutOfReach =
    "L'équivalence doit se situer entre 2 et 23 mL pour cette méthode.";

// A fresh engine state for the panel's set-up, as its own computation derives it: nothing an
// earlier analysis did to a state (K = 1e35, a poured volume) carries over. The bench's state is
// left as it is, so the pH-meter and the beaker keep showing the current point; it only supplies
// the values of texts that are not numbers.
chemistry::EngineState panelEngine(const BenchState& b) {
    return chemistry::deriveEngineState(b.solution, catalogue(), b.engine);
}

// The panel's set-up for the mixture engine, when the single-pair solver does not take it.
std::optional<chemistry::Mixture> panelMixture(const BenchState& b) {
    if (chemistry::isSingleMonoprotic(b.solution)) return std::nullopt;
    return chemistry::beakerMixture(b.solution, catalogue());
}

// The tangent method at every jump of a mixture: each construction that can be made is drawn,
// and the hint line names the equivalences found, "E₁ = 10,0 mL ; E₂ = 20,0 mL".
void drawMixtureTangents(Change& c, const chemistry::Mixture& mixture) {
    using Outcome = chemistry::TangentConstruction::Outcome;
    GraphContent& graph = c.bench.graph;
    std::string found;
    bool refused = false;
    int number = 0;
    for (const chemistry::TangentConstruction& t : chemistry::mixtureTangents(mixture)) {
        if (t.outcome == Outcome::Nothing) continue;
        graph.add(TangentOverlay{t, graph.strokeWidth()});
        c.result.add(Changed::Graph);
        if (t.outcome == Outcome::Refused) {
            refused = true;
            continue;
        }
        static const char* const kSubscripts[] = {"₁", "₂", "₃", "₄", "₅", "₆"};
        if (!found.empty()) found += " ; ";
        found += std::string("E") + kSubscripts[std::min(number++, 5)] + " = " +
                 numbers::formatPicture(t.constructedVolume, "#0.0") + " mL";
    }
    if (!found.empty()) {
        c.result.hint = found;
    } else if (refused) {
        c.result.inform(MessageIcon::Stop, kTangentsRefused, "Erreur");
    } else {
        c.result.hint = kEquivalenceOutOfReach;
    }
}

void restoreGraph(Change& c) {
    if (c.bench.situations.current >= 0) switchSituation(c, c.bench.situations.current);
}

}  // namespace

ActionResult eraseGraph(BenchState& bench) {
    return act(bench, [](Change& c) { resetToZero(c); });
}

ActionResult restoreGraph(BenchState& bench) {
    return act(bench, [](Change& c) { restoreGraph(c); });
}

ActionResult drawDerivative(BenchState& bench) {
    return act(bench, [](Change& c) {
        // The pH analyses belong on the pH graph.
        if (conductivityGraphShown(c.bench)) return;
        GraphContent& graph = c.bench.graph;
        if (const auto mixture = panelMixture(c.bench)) {
            graph.add(
                DerivativeOverlay{chemistry::mixtureDerivative(*mixture).polyline, graph.strokeWidth()});
            c.result.add(Changed::Graph);
            return;
        }
        chemistry::EngineState engine = panelEngine(c.bench);
        graph.add(DerivativeOverlay{chemistry::derivativeCurve(engine).polyline, graph.strokeWidth()});
        c.result.add(Changed::Graph);
    });
}

ActionResult drawTangents(BenchState& bench) {
    return act(bench, [](Change& c) {
        if (conductivityGraphShown(c.bench)) return;
        if (const auto mixture = panelMixture(c.bench)) {
            drawMixtureTangents(c, *mixture);
            return;
        }
        chemistry::EngineState engine = panelEngine(c.bench);
        // The equivalence volume of this set-up, as the computation of its first point stores it.
        chemistry::solveBeakerAlone(engine);
        const chemistry::TangentConstruction t =
            chemistry::tangentConstruction(engine, c.bench.solution.beakerIsAcid);
        if (t.outcome == chemistry::TangentConstruction::Outcome::Nothing) {
            // Too near either end of the burette the construction has no room: nothing is drawn,
            // and the pupil learns why the click did nothing.
            c.result.hint = kEquivalenceOutOfReach;
            return;
        }
        GraphContent& graph = c.bench.graph;
        graph.add(TangentOverlay{t, graph.strokeWidth()});
        c.result.add(Changed::Graph);
        if (t.outcome == chemistry::TangentConstruction::Outcome::Refused)
            c.result.inform(MessageIcon::Stop, kTangentsRefused, "Erreur");
    });
}

ActionResult showDistribution(BenchState& bench) {
    return act(bench, [](Change& c) {
        BenchState& b = c.bench;
        if (conductivityGraphShown(b)) return;
        // Stores the panel into the situation and shows it again: the state and the table follow.
        restoreGraph(c);
        b.graph.clearToDistributionFrame();
        // The history and the table were rebuilt by the showing just above and would come out the
        // same: only the curves go on the new frame.
        drawFinishedCurves(c);
        b.graph.add(FadeOverlay{kFade});
        if (const auto mixture = panelMixture(b)) {
            b.graph.add(FormsOverlay{chemistry::mixtureDistribution(*mixture),
                                     chemistry::firstSoluteFormNames(b.solution, catalogue()),
                                     b.graph.strokeWidth()});
            c.result.add(Changed::Graph);
            return;
        }
        chemistry::EngineState engine = panelEngine(b);
        b.graph.add(DistributionOverlay{chemistry::distributionDiagram(engine, b.solution.beakerIsAcid),
                                        b.graph.strokeWidth()});
        c.result.add(Changed::Graph);
    });
}

}  // namespace state
