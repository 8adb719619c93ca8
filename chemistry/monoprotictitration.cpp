#include "chemistry/monoprotictitration.h"

#include <cmath>
#include <utility>

#include "chemistry/beakermixture.h"
#include "chemistry/catalogue.h"
#include "chemistry/conductivity.h"
#include "chemistry/phsolver.h"
#include "chemistry/phsweep.h"
#include "numbers/single.h"

namespace chemistry {

namespace {

// pH (or pOH) of the solved concentration, when it can be computed.
bool logOf(float x, float& p) {
    if (!(x > 0)) return false;
    return numbers::storeSingle(p, -std::log10(static_cast<double>(x)));
}

// pH of the beaker before any pouring: 14 + log10(x) for a base, rounded once, so that the
// pH-meter and the table's first row agree to the last digit.
bool beakerAlonePH(float x, bool beakerIsAcid, float& pH) {
    if (!(x > 0)) return false;
    const double logX = std::log10(static_cast<double>(x));
    return numbers::storeSingle(pH, beakerIsAcid ? -logX : 14.0 + logX);
}

// Solves the current point of a derived state and stores its pH.
float solvePoint(EngineState& state, bool beakerIsAcid) {
    if (state.pouredVolume != 0) {
        solveAtVolume(state, beakerIsAcid);
        float p = 0;
        if (logOf(state.solvedConcentration, p)) state.pH = beakerIsAcid ? p : numbers::toSingle(14.0 - p);
    } else {
        solveBeakerAlone(state);
        beakerAlonePH(state.solvedConcentration, beakerIsAcid, state.pH);
    }
    return state.pH;
}

// The state as the bench derives it from its parameters: each parameter in single precision,
// then A = c₂·V₂/(V₂ + V₃), C = V₂ + V₃, each rounded to single precision. False when a value
// makes no sense.
bool stateOf(const MonoproticValues& values, double volume, EngineState& state) {
    const double c0 = numbers::toSingle(values.concentration);
    const double v0 = numbers::toSingle(values.beakerVolume);
    const double water = numbers::toSingle(values.waterVolume);
    if (!(v0 + water > 0) || !(c0 >= 0)) return false;
    const double K = values.beakerIsAcid ? std::pow(10.0, -values.pKa) : std::pow(10.0, values.pKa - 14.0);
    return numbers::storeSingle(state.dilutedConcentration, c0 * v0 / (v0 + water)) &&
           numbers::storeSingle(state.titrantConcentration, values.titrantConcentration) &&
           numbers::storeSingle(state.initialVolume, v0 + water) &&
           numbers::storeSingle(state.pouredVolume, volume) && numbers::storeSingle(state.constantK, K) &&
           state.pouredVolume >= 0;
}

class MonoproticModel final : public TitrationModel {
  public:
    MonoproticModel(const MonoproticValues& values, const std::optional<Mixture>& mixture, int typedPKaCount)
        : m_values(values), m_mixture(mixture), m_typedPKaCount(typedPKaCount) {}

    std::vector<std::string_view> meters() const override { return {kPhMeter, kConductivityMeter}; }
    bool computable() const override { return true; }
    bool listsForms() const override { return false; }

    float solve(EngineState& state) const override { return solvePoint(state, m_values.beakerIsAcid); }
    void solveBeforePouring(EngineState& state) const override { solveBeakerAlone(state); }

    TitrationPoint point(const EngineState& state) const override {
        TitrationPoint point = makeTitrationPoint(state, m_values.beakerIsAcid);
        if (const MixtureModel* model = prepared()) {
            if (const auto ions = model->compositionAt(point.volume, point.hydronium)) {
                point.sodium = std::isfinite(ions->sodium) ? ions->sodium : 0.0;
                point.chloride = std::isfinite(ions->chloride) ? ions->chloride : 0.0;
            }
        }
        return point;
    }

    std::optional<double> reading(std::string_view meter, double volume) const override {
        if (meter == kPhMeter) return monoproticPh(m_values, volume);
        if (meter != kConductivityMeter) return std::nullopt;
        const MixtureModel* model = prepared();
        if (!model) return std::nullopt;
        const auto point = model->solve(volume);
        if (!point) return std::nullopt;
        const double sigma = conductivityOf(*m_mixture, *point);
        return std::isfinite(sigma) ? std::optional<double>(sigma) : std::nullopt;
    }

    std::vector<CurveVertex> curve(EngineState& state) const override {
        std::vector<CurveVertex> curve;
        curve.reserve(72);
        walkTitrationCurve(state, m_values.beakerIsAcid, [&](float volume, float pH) {
            curve.push_back({volume, pH});
        });
        return curve;
    }

    std::vector<double> equivalenceVolumes() const override {
        EngineState state;
        if (!stateOf(m_values, 0, state)) return {};
        solveBeakerAlone(state);
        const double volume = state.equivalenceVolume;
        if (!(volume > 0) || !std::isfinite(volume)) return {};
        return {volume};
    }

    FitStart fitStart() const override { return {m_typedPKaCount, {m_values.pKa, 7}}; }

    std::unique_ptr<TitrationModel> withSolute(const SoluteChange& change) const override {
        MonoproticValues values = m_values;
        values.concentration = change.concentration;
        if (change.pKaCount > 0) values.pKa = change.pKa[0];
        std::optional<Mixture> mixture = m_mixture;
        if (mixture) *mixture = withSoluteChanged(*mixture, 0, change);
        return std::make_unique<MonoproticModel>(values, mixture, m_typedPKaCount);
    }

    const Mixture* chargeBalance() const override { return nullptr; }

  private:
    // The charge balance of the same beaker, prepared once it is asked for.
    const MixtureModel* prepared() const {
        if (!m_mixture) return nullptr;
        if (!m_prepared) m_prepared.emplace(*m_mixture);
        return m_prepared->valid() ? &*m_prepared : nullptr;
    }

    MonoproticValues m_values;
    std::optional<Mixture> m_mixture;
    int m_typedPKaCount = 0;
    mutable std::optional<MixtureModel> m_prepared;
};

}  // namespace

TitrationPoint makeTitrationPoint(const EngineState& state, bool beakerIsAcid) {
    TitrationPoint point;
    point.volume = state.pouredVolume;
    float pH = state.pH;
    if (state.pouredVolume == 0) beakerAlonePH(state.solvedConcentration, beakerIsAcid, pH);
    point.pH = pH;
    point.hydronium = std::pow(10.0, -pH);
    point.hydroxide = kKe / point.hydronium;  // 10^(pH − 14), for one power less per row
    const double A = state.dilutedConcentration;
    const double C = state.initialVolume;
    const double D = state.pouredVolume;
    const double K = state.constantK;
    const double h = point.hydronium;
    const double c = (C + D != 0) ? A * C / (C + D) : 0.0;
    const double acidConstant = beakerIsAcid ? K : (K != 0 ? kKe / K : 0.0);
    const double acid = (h + acidConstant != 0) ? c * h / (h + acidConstant) : 0.0;
    point.acidForm = std::isfinite(acid) ? acid : 0.0;
    point.basicForm = std::isfinite(c - point.acidForm) ? c - point.acidForm : 0.0;
    return point;
}

std::optional<double> monoproticPh(const MonoproticValues& values, double volume) {
    EngineState state;
    if (!stateOf(values, volume, state)) return std::nullopt;
    // As the current point is computed: the beaker alone at exactly 0 mL, the mixture otherwise,
    // and the pH from the solved concentration ([HO-] for a base).
    if (state.pouredVolume == 0) {
        solveBeakerAlone(state);
    } else {
        solveAtVolume(state, values.beakerIsAcid);
    }
    const double x = state.solvedConcentration;
    if (!(x > 0)) return std::nullopt;
    float pH = 0;
    if (state.pouredVolume == 0) {
        if (!numbers::storeSingle(pH, values.beakerIsAcid ? -std::log10(x) : 14.0 + std::log10(x)))
            return std::nullopt;
    } else {
        float p = 0;
        if (!numbers::storeSingle(p, -std::log10(x))) return std::nullopt;
        pH = values.beakerIsAcid ? p : numbers::toSingle(14.0 - p);
    }
    return pH;
}

bool takesMonoprotic(const SolutionSpec& solution) {
    return SpeciesCatalogue::isMonoprotic(solution.speciesIndex) && solution.secondSpeciesIndex < 0;
}

std::unique_ptr<TitrationModel> makeMonoproticModel(const SolutionSpec& solution,
                                                    const SpeciesCatalogue& catalogue) {
    // The values as the panel holds them, as the fit has always read them, times what the
    // glassware delivered.
    const Delivery& d = solution.delivery;
    MonoproticValues values;
    values.beakerIsAcid = solution.beakerIsAcid;
    values.concentration = solution.beakerConcentration.valueOr(0.0) * d.beakerConcentration;
    values.beakerVolume = solution.beakerVolume.valueOr(0.0) + d.beakerVolume;
    values.waterVolume = solution.waterVolume.valueOr(0.0) + d.waterVolume;
    values.titrantConcentration = solution.titrantConcentration.valueOr(0.0) + d.titrantConcentration;
    values.pKa =
        catalogue.speciesPKa(solution.beakerIsAcid, solution.speciesIndex, solution.otherPKa.valueOr(0.0));
    const int typed = solution.speciesIndex == SpeciesCatalogue::kOtherIndex ? 1 : 0;
    return std::make_unique<MonoproticModel>(values, beakerMixture(solution, catalogue), typed);
}

}  // namespace chemistry
