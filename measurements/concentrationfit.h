#pragma once
// The beaker concentration c₂ (and, for a free solute, the pKa) whose computed curve comes closest
// to the measured pH: the least sum of squared pH differences. The model is any function giving
// the pH after a poured volume for a concentration and a pKa; fitmodels.h adapts the engines.
//
// The search runs on log10 c₂ (and the pKa): a scan of the whole range finds the valley, then
// Levenberg–Marquardt steps refine it from the best points of the scan. Every loop is bounded and
// a model that cannot compute a point makes that trial the worst, never a NaN.
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "measurements/measuredpoint.h"

namespace measurements {

// pH after `volume` mL for a beaker concentration (mol · L-1) and a pKa; nothing when the model
// cannot compute it.
using PhModel = std::function<std::optional<double>(double volume, double concentration, double pKa)>;

// A fit needs at least this many measured points.
inline constexpr int kMinFitPoints = 5;

struct FitSettings {
    bool fitPKa = false;  // for "autre acide" / "autre base"
    double pKa = 7;       // given to the model as it is when the pKa is not fitted
    // The range of the parameter panel.
    double minConcentration = 1e-8;  // mol · L-1
    double maxConcentration = 0.1;
    double minPKa = 0;
    double maxPKa = 14;
};

struct FitResult {
    bool converged = false;
    std::string message;       // French, for the pupil, when the fit failed
    double concentration = 0;  // c₂, mol · L-1
    double pKa = 0;            // the fitted one, or the one given
    bool pKaFitted = false;
    double residualDeviation = 0;   // standard deviation of the pH residuals (n − parameters degrees)
    int pointCount = 0;             // measured points used
    std::vector<CurvePoint> curve;  // the fitted curve from 0 to 25 mL, denser across the jump
};

FitResult fitConcentration(std::span<const MeasuredPoint> points, const PhModel& model,
                           const FitSettings& settings = {});

// "c₂ ajustée = 1,23 × 10⁻² mol · L-1 (écart type des résidus 0,03)", with " et pKa ajusté =
// 4,76" before the parenthesis when the pKa was fitted; the failure message when the fit failed.
std::string describeFit(const FitResult& result);

}  // namespace measurements
