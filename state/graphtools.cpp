#include "state/graphtools.h"

#include <algorithm>
#include <optional>
#include <string>

#include "chemistry/beakermixture.h"
#include "chemistry/distribution.h"
#include "chemistry/mixturecurves.h"
#include "chemistry/phsolver.h"
#include "chemistry/titrationmodel.h"
#include "numbers/picture.h"
#include "state/change.h"
#include "state/conductimetry.h"
#include "state/equivalenceplot.h"
#include "state/labelplacement.h"
#include "state/potentialanalyses.h"
#include "state/potentiometry.h"

namespace state {

namespace {

// OR-ed over the pH graph under the distribution diagram: black becomes this grey and every
// colour lightens, so the two curves stand out.
constexpr Colour kFade{100, 100, 100};

constexpr const char* kOutOfReachOfOne = "l'équivalence doit se situer entre 2 et 23 mL pour cette méthode.";

// A fresh engine state for the panel's set-up, as its own computation derives it: nothing an
// earlier analysis did to a state (K = 1e35, a poured volume) carries over. The bench's state is
// left as it is, so the pH-meter and the beaker keep showing the current point; it only supplies
// the values of texts that are not numbers.
chemistry::EngineState panelEngine(const BenchState& b) {
    return chemistry::deriveEngineState(b.solution, catalogue(), b.engine);
}

// The panel's set-up as the general charge balance walks it, when its model solves that balance.
std::optional<chemistry::Mixture> panelMixture(const BenchState& b) {
    const auto model = chemistry::makeTitrationModel(b.solution, catalogue());
    if (const chemistry::Mixture* mixture = model->chargeBalance()) return *mixture;
    return std::nullopt;
}

// A numbered label's size: "E" and its number lowered by 5 px, in Arial 8.
constexpr LabelBox kNumberedLabel{14, 19};

// "E₁", "E₁ ni E₂", "E₁, E₂ ni E₃".
std::string namesOf(const std::vector<int>& numbers, bool numbered) {
    std::string names;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (i > 0) names += i + 1 == numbers.size() ? " ni " : ", ";
        names += pointName(numbered ? numbers[i] : 0);
    }
    return names;
}

// The construction's black lines, which its label should not sit on either.
std::vector<state::PlotSegment> constructionLines(const state::TangentConstruction& t) {
    const state::CommonPerpendicular& p = t.perpendicular;
    return {t.firstTangent,
            t.secondTangent,
            t.middleParallel,
            state::PlotSegment{{static_cast<double>(p.h), static_cast<double>(p.g)},
                               {static_cast<double>(p.d), static_cast<double>(p.f)}},
            t.rightAngle[0],
            t.rightAngle[1]};
}

// The tangent method at every jump of a mixture. Each equivalence keeps its number, counted as
// the titrant reaches them, whether or not its construction can be made: those that can are drawn
// with their numbered point set clear of the curve; the hint line says why the others are not.
// Like a single solute's, the hint gives no volume: reading it is the pupil's work.
void drawMixtureTangents(Change& c, const chemistry::Mixture& mixture) {
    using Outcome = state::TangentConstruction::Outcome;
    GraphContent& graph = c.bench.graph;
    const std::vector<chemistry::EquivalenceCandidate> candidates =
        chemistry::MixtureModel(mixture).equivalenceCandidates();
    const std::vector<state::TangentConstruction> constructions = state::mixtureTangents(mixture);
    const auto inBurette = std::count_if(candidates.begin(), candidates.end(), [](const auto& e) {
        return e.volume > 0 && e.volume < chemistry::kBuretteCapacity;
    });
    const bool numbered = inBurette > 1;

    std::vector<state::PlotPoint> curve;
    for (const chemistry::CurveVertex& v : chemistry::mixtureCurve(mixture))
        curve.push_back(state::PlotFrame::point(v.volume, v.pH));

    std::vector<int> refused;
    std::vector<int> outOfReach;
    bool drawn = false;
    for (std::size_t k = 0; k < constructions.size(); ++k) {
        const state::TangentConstruction& t = constructions[k];
        const int number = static_cast<int>(k) + 1;
        if (t.outcome == Outcome::Refused) {
            refused.push_back(number);
            continue;
        }
        if (t.outcome == Outcome::Nothing) {
            const bool shown = k < candidates.size() && candidates[k].visible && t.equivalenceVolume > 0 &&
                               t.equivalenceVolume <= chemistry::kBuretteCapacity;
            if (shown) outOfReach.push_back(number);
            continue;
        }
        const state::PlotPoint e = state::PlotFrame::point(t.equivalenceVolume, t.pHE);
        const std::vector<state::PlotSegment> lines = constructionLines(t);
        graph.add(TangentOverlay{t, graph.strokeWidth(), numbered ? number : 0,
                                 placeLabel(e, kNumberedLabel, curve, lines)});
        c.result.add(Changed::Graph);
        drawn = true;
    }

    std::string hint;
    if (!refused.empty()) {
        hint = "Pas de point " + namesOf(refused, numbered) + " : " +
               (refused.size() > 1 ? "les sauts de pH sont trop faibles" : "le saut de pH est trop faible") +
               " pour que les tangentes se distinguent.";
    }
    if (!outOfReach.empty()) {
        if (!hint.empty()) hint += " ";
        hint += "Pas de point " + namesOf(outOfReach, numbered) + " : " + kOutOfReachOfOne;
    }
    if (!drawn && refused.empty() && outOfReach.empty()) hint = kEquivalenceOutOfReach;
    if (!hint.empty()) c.result.hint = hint;
    if (!drawn && !refused.empty()) c.result.inform(MessageIcon::Stop, kTangentsRefused, "Erreur");
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
        if (potentialGraphShown(c.bench)) {
            drawPotentialDerivative(c);
            return;
        }
        // The pH analyses belong on the pH graph, and an oxidation-reduction titration's are on E.
        if (!phGraphShown(c.bench) || !acidBaseTitration(c.bench)) return;
        GraphContent& graph = c.bench.graph;
        if (const auto mixture = panelMixture(c.bench)) {
            graph.add(DerivativeOverlay{state::mixtureDerivative(*mixture).polyline, graph.strokeWidth()});
            c.result.add(Changed::Graph);
            return;
        }
        chemistry::EngineState engine = panelEngine(c.bench);
        graph.add(DerivativeOverlay{state::derivativeCurve(engine).polyline, graph.strokeWidth()});
        c.result.add(Changed::Graph);
    });
}

ActionResult drawTangents(BenchState& bench) {
    return act(bench, [](Change& c) {
        if (potentialGraphShown(c.bench)) {
            drawPotentialTangents(c);
            return;
        }
        if (!phGraphShown(c.bench) || !acidBaseTitration(c.bench)) return;
        if (const auto mixture = panelMixture(c.bench)) {
            drawMixtureTangents(c, *mixture);
            return;
        }
        chemistry::EngineState engine = panelEngine(c.bench);
        // The equivalence volume of this set-up, as the computation of its first point stores it.
        chemistry::solveBeakerAlone(engine);
        const state::TangentConstruction t =
            state::tangentConstruction(engine, c.bench.solution.beakerIsAcid);
        if (t.outcome == state::TangentConstruction::Outcome::Nothing) {
            // Too near either end of the burette the construction has no room: nothing is drawn,
            // and the pupil learns why the click did nothing.
            c.result.hint = kEquivalenceOutOfReach;
            return;
        }
        GraphContent& graph = c.bench.graph;
        graph.add(TangentOverlay{t, graph.strokeWidth(), 0, std::nullopt});
        c.result.add(Changed::Graph);
        if (t.outcome == state::TangentConstruction::Outcome::Refused)
            c.result.inform(MessageIcon::Stop, kTangentsRefused, "Erreur");
    });
}

ActionResult showDistribution(BenchState& bench) {
    return act(bench, [](Change& c) {
        BenchState& b = c.bench;
        if (!phGraphShown(b) || !acidBaseTitration(b)) return;
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
                                     b.graph.strokeWidth(), *mixture});
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
