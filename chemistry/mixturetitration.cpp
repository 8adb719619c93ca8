#include "chemistry/mixturetitration.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

#include "chemistry/beakermixture.h"
#include "chemistry/catalogue.h"
#include "chemistry/conductivity.h"
#include "chemistry/mixturecurves.h"
#include "chemistry/phsolver.h"
#include "numbers/single.h"

namespace chemistry {

namespace {

double finiteOrZero(double c) {
    return std::isfinite(c) ? c : 0.0;
}

class MixtureTitration final : public TitrationModel {
  public:
    MixtureTitration(const std::optional<Mixture>& mixture, FitStart start)
        : m_mixture(mixture), m_start(start) {
        if (m_mixture) m_model.emplace(*m_mixture);
    }

    std::vector<std::string_view> meters() const override { return {kPhMeter, kConductivityMeter}; }
    bool computable() const override { return m_mixture.has_value(); }
    bool listsForms() const override { return true; }

    // The pH from the charge balance, and the solved concentration ([H3O+] for acids, [HO-] for
    // bases) as the single-pair solver leaves it.
    float solve(EngineState& state) const override {
        if (!m_model) return state.pH;
        const auto point = m_model->solve(state.pouredVolume);
        if (!point) return state.pH;
        numbers::storeSingle(state.solvedConcentration,
                             m_mixture->beakerIsAcid ? point->hydronium : point->hydroxide);
        numbers::storeSingle(state.pH, point->pH);
        return state.pH;
    }
    void solveBeforePouring(EngineState& state) const override { solve(state); }

    TitrationPoint point(const EngineState& state) const override {
        TitrationPoint point;
        point.volume = state.pouredVolume;
        point.pH = state.pH;
        point.hydronium = std::pow(10.0, -point.pH);
        point.hydroxide = kKe / point.hydronium;
        if (!m_model) return point;
        const auto composition = m_model->compositionAt(point.volume, point.hydronium);
        if (!composition) return point;
        for (int i = 0; i < m_mixture->soluteCount; ++i) {
            const auto& forms = composition->forms[static_cast<std::size_t>(i)];
            const Solute& solute = m_mixture->solutes[static_cast<std::size_t>(i)];
            for (int j = 0; j <= solute.pairCount; ++j) {
                // A strong species' undissociated form has no column: it is not found in water.
                if (!formInWater(solute, m_mixture->beakerIsAcid, j)) continue;
                point.forms[static_cast<std::size_t>(point.formCount++)] =
                    finiteOrZero(forms[static_cast<std::size_t>(j)]);
            }
        }
        point.sodium = finiteOrZero(composition->sodium);
        point.chloride = finiteOrZero(composition->chloride);
        return point;
    }

    std::optional<double> reading(std::string_view meter, double volume) const override {
        if (!m_model || (meter != kPhMeter && meter != kConductivityMeter)) return std::nullopt;
        const auto point = m_model->solve(volume);
        if (!point) return std::nullopt;
        const double value = meter == kPhMeter ? point->pH : conductivityOf(*m_mixture, *point);
        return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
    }

    std::vector<CurveVertex> curve(EngineState&) const override {
        return m_mixture ? mixtureCurve(*m_mixture) : std::vector<CurveVertex>{};
    }

    std::vector<double> equivalenceVolumes() const override {
        std::vector<double> volumes;
        if (!m_model) return volumes;
        for (const EquivalenceCandidate& e : m_model->equivalenceCandidates(false))
            volumes.push_back(e.volume);
        return volumes;
    }

    FitStart fitStart() const override { return m_start; }

    std::unique_ptr<TitrationModel> withSolute(const SoluteChange& change) const override {
        std::optional<Mixture> mixture = m_mixture;
        if (mixture) *mixture = withSoluteChanged(*mixture, 0, change);
        return std::make_unique<MixtureTitration>(mixture, m_start);
    }

    const Mixture* chargeBalance() const override { return m_mixture ? &*m_mixture : nullptr; }

  private:
    std::optional<Mixture> m_mixture;
    FitStart m_start;
    std::optional<MixtureModel> m_model;  // prepared once for every point asked
};

}  // namespace

std::unique_ptr<TitrationModel> makeMixtureTitrationModel(const SolutionSpec& solution,
                                                          const SpeciesCatalogue& catalogue) {
    // A free first solute has its pKa fitted with its concentration.
    FitStart start;
    const SpeciesData* first = catalogue.speciesData(solution.beakerIsAcid, solution.speciesIndex);
    if (first && first->freePKa) start.fittedPKaCount = std::min(first->pairCount, 2);
    return std::make_unique<MixtureTitration>(beakerMixture(solution, catalogue), start);
}

}  // namespace chemistry
