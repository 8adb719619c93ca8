// The oxidation-reduction titration behind the TitrationModel interface: the pH-meter and the
// platinum electrode read the same solved point.
#include <cmath>

#include "chemistry/redox.h"
#include "numbers/single.h"

namespace chemistry {

namespace {

constexpr double kWaterProduct = 1e-14;

class RedoxModel final : public TitrationModel {
  public:
    explicit RedoxModel(const std::optional<RedoxSetUp>& setUp)
        : m_setUp(setUp), m_solvable(setUp && redoxProblem(*setUp).empty()) {}

    std::vector<std::string_view> meters() const override { return {kPhMeter, kPotentialMeter}; }
    bool computable() const override { return m_solvable; }
    bool listsForms() const override { return true; }

    float solve(EngineState& state) const override {
        if (!m_solvable) return state.pH;
        const RedoxSetUp& s = *m_setUp;
        const double beakerVolume = s.beakerVolume + s.waterVolume;
        numbers::storeSingle(state.dilutedConcentration,
                             s.beakerConcentration * s.beakerVolume / beakerVolume);
        numbers::storeSingle(state.titrantConcentration, s.titrantConcentration);
        numbers::storeSingle(state.initialVolume, beakerVolume);
        numbers::storeSingle(state.equivalenceVolume, redoxEquivalenceVolume(s));
        const auto point = solveRedox(s, state.pouredVolume);
        if (!point) return state.pH;
        float pH = 0;
        if (numbers::storeSingle(pH, -std::log10(point->hydronium))) {
            state.pH = pH;
            numbers::storeSingle(state.solvedConcentration, point->hydronium);
        }
        return state.pH;
    }
    void solveBeforePouring(EngineState& state) const override {
        const float poured = state.pouredVolume;
        state.pouredVolume = 0;
        solve(state);
        state.pouredVolume = poured;
    }

    TitrationPoint point(const EngineState& state) const override {
        TitrationPoint point;
        point.volume = state.pouredVolume;
        point.pH = state.pH;
        point.hydronium = std::pow(10.0, -point.pH);
        point.hydroxide = kWaterProduct / point.hydronium;
        if (!m_solvable) return point;
        const auto solved = solveRedox(*m_setUp, point.volume);
        if (!solved) return point;
        point.pH = -std::log10(solved->hydronium);
        point.hydronium = solved->hydronium;
        point.hydroxide = kWaterProduct / solved->hydronium;
        point.potential = solved->potential;
        for (std::size_t i = 0; i < solved->concentrations.size(); ++i)
            point.forms[i] = solved->concentrations[i];
        point.formCount = static_cast<int>(solved->concentrations.size());
        return point;
    }

    std::optional<double> reading(std::string_view meter, double volume) const override {
        if (!m_solvable || (meter != kPhMeter && meter != kPotentialMeter)) return std::nullopt;
        const auto point = solveRedox(*m_setUp, volume);
        if (!point) return std::nullopt;
        const double value = meter == kPhMeter ? -std::log10(point->hydronium) : point->potential;
        return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
    }

    // The pH every 0,1 mL: the potential's curve is redoxPotentialCurve.
    std::vector<CurveVertex> curve(EngineState& state) const override {
        std::vector<CurveVertex> curve;
        if (!m_solvable) return curve;
        curve.reserve(251);
        for (int tenth = 0; tenth <= 250; ++tenth) {
            const double volume = tenth / 10.0;
            const auto point = solveRedox(*m_setUp, volume);
            if (!point) continue;
            CurveVertex vertex;
            if (numbers::storeSingle(vertex.volume, volume) &&
                numbers::storeSingle(vertex.pH, -std::log10(point->hydronium)))
                curve.push_back(vertex);
        }
        numbers::storeSingle(state.pouredVolume, kBuretteCapacity);
        solve(state);
        return curve;
    }

    std::vector<double> equivalenceVolumes() const override {
        if (!m_setUp) return {};
        const double volume = redoxEquivalenceVolume(*m_setUp);
        if (!(volume > 0) || !std::isfinite(volume)) return {};
        return {volume};
    }

    FitStart fitStart() const override { return {}; }

    std::unique_ptr<TitrationModel> withSolute(const SoluteChange& change) const override {
        std::optional<RedoxSetUp> setUp = m_setUp;
        if (setUp && std::isfinite(change.concentration) && change.concentration > 0)
            setUp->beakerConcentration = change.concentration;
        return std::make_unique<RedoxModel>(setUp);
    }

    const Mixture* chargeBalance() const override { return nullptr; }

  private:
    std::optional<RedoxSetUp> m_setUp;
    bool m_solvable = false;
};

}  // namespace

bool takesRedox(const SolutionSpec& solution) {
    return solution.kind == TitrationKind::Redox;
}

std::unique_ptr<TitrationModel> makeRedoxModel(const SolutionSpec& solution, const SpeciesCatalogue&) {
    return std::make_unique<RedoxModel>(redoxSetUp(solution));
}

}  // namespace chemistry
