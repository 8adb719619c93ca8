#pragma once
// The engines as models for the fit: each gives a reading after a poured volume for a beaker
// concentration c₂ (mol · L-1) and the pKa of a free solute, computed exactly as the bench
// computes its points.
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "chemistry/mixture.h"
#include "chemistry/titrationmodel.h"
#include "measurements/concentrationfit.h"

namespace measurements {

// Any titration model on one of the meters it feeds: c₂ is its first solute's concentration, and
// the pKa the pupil types for that solute (chemistry::FitStart) are fitted with it. The bench fits
// through this one. One model serves one thread; a copy starts without the copied one's cache.
class TitrationFitModel {
  public:
    TitrationFitModel(std::shared_ptr<const chemistry::TitrationModel> model, std::string_view meter);
    TitrationFitModel(const TitrationFitModel& other) : TitrationFitModel(other.m_model, other.m_meter) {}
    TitrationFitModel& operator=(const TitrationFitModel&) = delete;
    std::optional<double> operator()(double volume, const ModelParameters& parameters) const;

  private:
    std::shared_ptr<const chemistry::TitrationModel> m_model;
    std::string m_meter;
    int m_fittedPKaCount = 0;
    // The fit asks for many volumes at the same parameters: the changed model is kept for them.
    mutable std::shared_ptr<const chemistry::TitrationModel> m_changed;
    mutable ModelParameters m_parameters{-1, {-1, -1}};
};

// A titration the single-precision solver of one monoprotic solute computes.
struct MonoproticTitration {
    bool beakerIsAcid = true;            // the titrant is sodium hydroxide, else hydrochloric acid
    double beakerVolume = 20;            // V₂, mL of the solution introduced into the beaker
    double waterVolume = 0;              // V₃, mL of distilled water added
    double titrantConcentration = 0.01;  // mol · L-1
};

// The pH-meter's value: the beaker alone at 0 mL, the mixture after it, with K = 10^(−pKa) for
// an acid and 10^(pKa − 14) for a base (pKa 0 or 14: the strong species, K = 1), pKa being the
// first of the parameters. Give it the catalogue's pKa when only c₂ is fitted.
class MonoproticPhModel {
  public:
    explicit MonoproticPhModel(const MonoproticTitration& titration) : m_titration(titration) {}
    std::optional<double> operator()(double volume, const ModelParameters& parameters) const;

  private:
    MonoproticTitration m_titration;
};

// The general charge balance (polyacids, mixtures): c₂ is the concentration of one solute of the
// mixture, as introduced into the beaker; the first `fittedPKaCount` pKa given replace that
// solute's (a free solute's one or two), the others and the other solute's stay. Strong species
// keep K = 1, as the pH-meter shows them. One model serves one thread.
class MixturePhModel {
  public:
    explicit MixturePhModel(const chemistry::Mixture& mixture, int solute = 0, int fittedPKaCount = 0);
    std::optional<double> operator()(double volume, const ModelParameters& parameters) const;

  private:
    chemistry::Mixture m_mixture;
    int m_solute;
    int m_fittedPKaCount;
    // The fit asks for many volumes at the same parameters: the prepared model is kept for them.
    mutable std::optional<chemistry::MixtureModel> m_model;
    mutable ModelParameters m_parameters{-1, {-1, -1}};
};

}  // namespace measurements
