#include "measurements/fitmodels.h"

#include <algorithm>
#include <cmath>

#include "chemistry/phsolver.h"
#include "numbers/single.h"

namespace measurements {

std::optional<double> MonoproticPhModel::operator()(double volume, const ModelParameters& parameters) const {
    const double concentration = parameters.concentration;
    const double pKa = parameters.pKa[0];
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

MixturePhModel::MixturePhModel(const chemistry::Mixture& mixture, int solute, int fittedPKaCount)
    : m_mixture(mixture), m_solute(solute), m_fittedPKaCount(fittedPKaCount) {}

std::optional<double> MixturePhModel::operator()(double volume, const ModelParameters& parameters) const {
    if (m_solute < 0 || m_solute >= m_mixture.soluteCount || m_solute >= chemistry::kMaxSolutes)
        return std::nullopt;
    const chemistry::Solute& solute = m_mixture.solutes[static_cast<std::size_t>(m_solute)];
    const int replaced = std::clamp(m_fittedPKaCount, 0, std::min(kMaxFittedPKa, solute.pairCount));
    // The pKa not replaced are the mixture's: one prepared model serves every call.
    ModelParameters used{parameters.concentration, {0, 0}};
    for (int k = 0; k < replaced; ++k) used.pKa[k] = parameters.pKa[k];
    if (!m_model || used.concentration != m_parameters.concentration || used.pKa != m_parameters.pKa) {
        chemistry::Mixture mixture = m_mixture;
        chemistry::Solute& fitted = mixture.solutes[static_cast<std::size_t>(m_solute)];
        fitted.concentration = used.concentration;
        std::copy_n(used.pKa.begin(), replaced, fitted.pKa.begin());
        // The pairs go in ascending order of their pKa.
        std::sort(fitted.pKa.begin(), fitted.pKa.begin() + fitted.pairCount);
        m_model.emplace(mixture);
        m_parameters = used;
    }
    if (!m_model->valid()) return std::nullopt;
    const auto point = m_model->solve(volume);
    if (!point || !std::isfinite(point->pH)) return std::nullopt;
    return point->pH;
}

}  // namespace measurements
