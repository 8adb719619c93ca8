#include "measurements/fitmodels.h"

#include <cmath>

#include "chemistry/phsolver.h"
#include "numbers/single.h"

namespace measurements {

std::optional<double> MonoproticPhModel::operator()(double volume, double concentration, double pKa) const {
    // The state as the bench derives it from its parameters: each parameter in single precision,
    // then A = c₂·V₂/(V₂ + V₃), C = V₂ + V₃, each rounded to single precision.
    const double c0 = numbers::toSingle(concentration);
    const double v0 = numbers::toSingle(m_titration.beakerVolume);
    const double water = numbers::toSingle(m_titration.waterVolume);
    chemistry::EngineState state;
    if (!(v0 + water > 0) || !(c0 >= 0)) return std::nullopt;
    const double K = m_titration.beakerIsAcid ? std::pow(10.0, -pKa) : std::pow(10.0, pKa - 14.0);
    if (!numbers::storeSingle(state.dilutedConcentration, c0 * v0 / (v0 + water)) ||
        !numbers::storeSingle(state.titrantConcentration, m_titration.titrantConcentration) ||
        !numbers::storeSingle(state.initialVolume, v0 + water) ||
        !numbers::storeSingle(state.pouredVolume, volume) || !numbers::storeSingle(state.constantK, K) ||
        state.pouredVolume < 0) {
        return std::nullopt;
    }
    // As the current point is computed: the beaker alone at exactly 0 mL, the mixture otherwise,
    // and the pH from the solved concentration ([HO-] for a base).
    if (state.pouredVolume == 0) {
        chemistry::solveBeakerAlone(state);
    } else {
        chemistry::solveAtVolume(state, m_titration.beakerIsAcid);
    }
    const double x = state.solvedConcentration;
    if (!(x > 0)) return std::nullopt;
    float pH = 0;
    if (state.pouredVolume == 0) {
        if (!numbers::storeSingle(pH, m_titration.beakerIsAcid ? -std::log10(x) : 14.0 + std::log10(x))) {
            return std::nullopt;
        }
    } else {
        float p = 0;
        if (!numbers::storeSingle(p, -std::log10(x))) return std::nullopt;
        pH = m_titration.beakerIsAcid ? p : numbers::toSingle(14.0 - p);
    }
    return pH;
}

MixturePhModel::MixturePhModel(const chemistry::Mixture& mixture, int solute, int fittedPair)
    : m_mixture(mixture), m_solute(solute), m_fittedPair(fittedPair) {}

std::optional<double> MixturePhModel::operator()(double volume, double concentration, double pKa) const {
    if (m_solute < 0 || m_solute >= m_mixture.soluteCount || m_solute >= chemistry::kMaxSolutes)
        return std::nullopt;
    const bool replacesPKa = m_fittedPair >= 0 && m_fittedPair < m_mixture.solutes[m_solute].pairCount;
    if (!replacesPKa) pKa = 0;  // ignored: one prepared model serves every call
    if (!m_model || concentration != m_concentration || pKa != m_pKa) {
        chemistry::Mixture mixture = m_mixture;
        mixture.solutes[m_solute].concentration = concentration;
        if (replacesPKa) mixture.solutes[m_solute].pKa[m_fittedPair] = pKa;
        m_model.emplace(mixture);
        m_concentration = concentration;
        m_pKa = pKa;
    }
    if (!m_model->valid()) return std::nullopt;
    const auto point = m_model->solve(volume);
    if (!point || !std::isfinite(point->pH)) return std::nullopt;
    return point->pH;
}

}  // namespace measurements
