// The precipitation titration behind the TitrationModel interface, and the beaker's colour. The
// salts are neutral: the pH-meter reads the water's 7 (the chromate's faint basicity left out);
// the conductimeter and the silver electrode read the solved point.
#include <algorithm>
#include <cmath>

#include "chemistry/indicators.h"
#include "chemistry/phsolver.h"
#include "chemistry/precipitation.h"
#include "chemistry/redox.h"
#include "numbers/single.h"

namespace chemistry {

namespace {

constexpr double kNeutralPH = 7;
// mol · L-1 of solid at which a cloud hides the liquid's colour; silver chromate's red shows from
// a trace, as Mohr's end point relies on.
constexpr double kCloudSeen = 3e-3;
constexpr double kChromateSolidSeen = 3e-5;
constexpr double kMostCloud = 0.85;
// The dissolved chromate's yellow: ε ≈ 4 800 L · mol-1 · cm-1 at 372 nm, its visible tail over a
// few centimetres.
constexpr numbers::Rgb kChromateYellow{250, 215, 40};
constexpr double kChromateSeen = 5e-3;

class PrecipitationModel final : public TitrationModel {
  public:
    explicit PrecipitationModel(const std::optional<PrecipitationSetUp>& setUp) : m_setUp(setUp) {}

    std::vector<std::string_view> meters() const override {
        if (m_setUp && silverTitrant(*m_setUp)) return {kPhMeter, kConductivityMeter, kPotentialMeter};
        return {kPhMeter, kConductivityMeter};
    }
    bool computable() const override { return m_setUp.has_value(); }
    bool listsForms() const override { return true; }

    float solve(EngineState& state) const override {
        if (!m_setUp) return state.pH;
        const PrecipitationSetUp& s = *m_setUp;
        const double beakerVolume = s.beakerVolume + s.waterVolume;
        numbers::storeSingle(state.dilutedConcentration,
                             s.beakerConcentration * s.beakerVolume / beakerVolume);
        numbers::storeSingle(state.titrantConcentration, s.titrantConcentration);
        numbers::storeSingle(state.initialVolume, beakerVolume);
        const auto volumes = precipitationEquivalences(s);
        if (!volumes.empty()) numbers::storeSingle(state.equivalenceVolume, volumes.back());
        if (!solvedAt(state.pouredVolume)) return state.pH;
        numbers::storeSingle(state.pH, kNeutralPH);
        numbers::storeSingle(state.solvedConcentration, std::pow(10.0, -kNeutralPH));
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
        point.pH = kNeutralPH;
        point.hydronium = std::pow(10.0, -kNeutralPH);
        point.hydroxide = kKe / point.hydronium;
        if (!m_setUp) return point;
        const auto solved = solvedAt(point.volume);
        if (!solved) return point;
        point.potential = solved->potential;
        const std::vector<Ion> ions = listedIons(*m_setUp);
        const std::size_t count = std::min(ions.size(), point.forms.size());
        for (std::size_t i = 0; i < count; ++i) point.forms[i] = solved->concentration(ions[i]);
        point.formCount = static_cast<int>(count);
        point.sodium = solved->concentration(Ion::Sodium);
        point.chloride = solved->concentration(Ion::Chloride);
        return point;
    }

    std::optional<double> reading(std::string_view meter, double volume) const override {
        if (!m_setUp) return std::nullopt;
        if (meter == kPhMeter) return kNeutralPH;
        const bool potential = meter == kPotentialMeter && silverTitrant(*m_setUp);
        if (meter != kConductivityMeter && !potential) return std::nullopt;
        const auto point = solvedAt(volume);
        if (!point) return std::nullopt;
        const double value = potential ? point->potential : point->conductivity;
        return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
    }

    // The pH every 0,1 mL, flat: σ and E have their own curves.
    std::vector<CurveVertex> curve(EngineState& state) const override {
        std::vector<CurveVertex> curve;
        if (!m_setUp) return curve;
        curve.reserve(251);
        for (int tenth = 0; tenth <= 250; ++tenth) {
            CurveVertex vertex;
            if (numbers::storeSingle(vertex.volume, tenth / 10.0) &&
                numbers::storeSingle(vertex.pH, kNeutralPH))
                curve.push_back(vertex);
        }
        numbers::storeSingle(state.pouredVolume, kBuretteCapacity);
        solve(state);
        return curve;
    }

    std::vector<double> equivalenceVolumes() const override {
        return m_setUp ? precipitationEquivalences(*m_setUp) : std::vector<double>{};
    }

    FitStart fitStart() const override { return {}; }

    std::unique_ptr<TitrationModel> withSolute(const SoluteChange& change) const override {
        std::optional<PrecipitationSetUp> setUp = m_setUp;
        if (setUp && std::isfinite(change.concentration) && change.concentration > 0)
            setUp->beakerConcentration = change.concentration;
        return std::make_unique<PrecipitationModel>(setUp);
    }

    const Mixture* chargeBalance() const override { return nullptr; }

  private:
    // A pouring tick solves then measures the same volume: the last point is kept.
    std::optional<PrecipitationPoint> solvedAt(double volume) const {
        if (m_last && m_last->volume == volume) return m_last;
        auto point = solvePrecipitation(*m_setUp, volume);
        if (point) m_last = point;
        return point;
    }

    std::optional<PrecipitationSetUp> m_setUp;
    mutable std::optional<PrecipitationPoint> m_last;
};

int blend(int from, int to, double share) {
    return std::clamp(static_cast<int>(std::lround(from + (to - from) * share)), 0, 255);
}

}  // namespace

numbers::Rgb precipitationLiquidColour(const PrecipitationSetUp& setUp, const PrecipitationPoint& point) {
    // The dissolved chromate filters the light as the redox species do.
    const double chromate = std::clamp(point.concentration(Ion::Chromate) / kChromateSeen, 0.0, 3.0);
    const auto filtered = [chromate](int clear, int filter) {
        return blend(0, clear, std::pow(std::max(filter, 1) / 255.0, chromate));
    };
    numbers::Rgb colour{filtered(kClearLiquid.red, kChromateYellow.red),
                        filtered(kClearLiquid.green, kChromateYellow.green),
                        filtered(kClearLiquid.blue, kChromateYellow.blue)};
    // Each cloud scatters its own colour over the liquid's, the chromate's red last and on top.
    const auto solids = precipitationSolids();
    const double total = setUp.beakerVolume + setUp.waterVolume + point.volume;
    for (int pass = 0; pass < 2; ++pass) {
        for (std::size_t i = 0; i < solids.size() && i < point.solids.size(); ++i) {
            const bool red = solids[i].anion == Ion::Chromate && solids[i].cation == Ion::Silver;
            if (red != (pass == 1) || !(point.solids[i] > 0) || !(total > 0)) continue;
            const double seen = red ? kChromateSolidSeen : kCloudSeen;
            const double share = std::min(point.solids[i] / total / seen, kMostCloud);
            colour = {blend(colour.red, solids[i].colour.red, share),
                      blend(colour.green, solids[i].colour.green, share),
                      blend(colour.blue, solids[i].colour.blue, share)};
        }
    }
    return colour;
}

std::unique_ptr<TitrationModel> makePrecipitationModel(const SolutionSpec& solution,
                                                       const SpeciesCatalogue&) {
    return std::make_unique<PrecipitationModel>(precipitationSetUp(solution));
}

}  // namespace chemistry
