#include "measurements/fitmodels.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "chemistry/monoprotictitration.h"

namespace measurements {

namespace {

// The parameters a model is changed with: c₂ and the fitted pKa; the others play no part.
ModelParameters usedParameters(const ModelParameters& parameters, int fittedPKaCount) {
    ModelParameters used{parameters.concentration, {0, 0}};
    for (int k = 0; k < fittedPKaCount; ++k) used.pKa[k] = parameters.pKa[k];
    return used;
}

}  // namespace

TitrationFitModel::TitrationFitModel(std::shared_ptr<const chemistry::TitrationModel> model,
                                     std::string_view meter)
    : m_model(std::move(model)), m_meter(meter) {
    if (m_model) m_fittedPKaCount = std::clamp(m_model->fitStart().fittedPKaCount, 0, kMaxFittedPKa);
}

std::optional<double> TitrationFitModel::operator()(double volume, const ModelParameters& parameters) const {
    if (!m_model) return std::nullopt;
    const ModelParameters used = usedParameters(parameters, m_fittedPKaCount);
    if (!m_changed || used.concentration != m_parameters.concentration || used.pKa != m_parameters.pKa) {
        m_changed = m_model->withSolute({used.concentration, used.pKa, m_fittedPKaCount});
        m_parameters = used;
    }
    const auto reading = m_changed->reading(m_meter, volume);
    if (!reading || !std::isfinite(*reading)) return std::nullopt;
    return reading;
}

std::optional<double> MonoproticPhModel::operator()(double volume, const ModelParameters& parameters) const {
    return chemistry::monoproticPh(
        {m_titration.beakerIsAcid, parameters.concentration, m_titration.beakerVolume,
         m_titration.waterVolume, m_titration.titrantConcentration, parameters.pKa[0]},
        volume);
}

MixturePhModel::MixturePhModel(const chemistry::Mixture& mixture, int solute, int fittedPKaCount)
    : m_mixture(mixture), m_solute(solute), m_fittedPKaCount(fittedPKaCount) {}

std::optional<double> MixturePhModel::operator()(double volume, const ModelParameters& parameters) const {
    if (m_solute < 0 || m_solute >= m_mixture.soluteCount || m_solute >= chemistry::kMaxSolutes)
        return std::nullopt;
    const chemistry::Solute& solute = m_mixture.solutes[static_cast<std::size_t>(m_solute)];
    const int replaced = std::clamp(m_fittedPKaCount, 0, std::min(kMaxFittedPKa, solute.pairCount));
    // The pKa not replaced are the mixture's: one prepared model serves every call.
    const ModelParameters used = usedParameters(parameters, replaced);
    if (!m_model || used.concentration != m_parameters.concentration || used.pKa != m_parameters.pKa) {
        m_model.emplace(
            chemistry::withSoluteChanged(m_mixture, m_solute, {used.concentration, used.pKa, replaced}));
        m_parameters = used;
    }
    if (!m_model->valid()) return std::nullopt;
    const auto point = m_model->solve(volume);
    if (!point || !std::isfinite(point->pH)) return std::nullopt;
    return point->pH;
}

}  // namespace measurements
