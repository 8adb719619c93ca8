#pragma once
// The beaker concentration c₂ (and, for a free solute, its pKa) whose computed curve comes closest
// to the measured readings of one meter (the pH, or σ): the least sum of squared differences. The
// model is any function giving that reading after a poured volume for a concentration and pKa;
// fitmodels.h adapts the engines.
//
// The search runs on log10 c₂ and the pKa (fitsearch.h). A fit is refused when the points cannot
// tell its parameters: too few distinct volumes, or a normal matrix that leaves one of them free.
// Every loop is bounded and a model that cannot compute a point makes that trial the worst, never
// a NaN. A fit can be asked to stop from another thread.
#include <array>
#include <functional>
#include <optional>
#include <span>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

#include "measurements/labreading.h"
#include "measurements/measuredpoint.h"
#include "measurements/normalmatrix.h"

namespace measurements {

// "autre diacide" / "autre dibase" have two.
inline constexpr int kMaxFittedPKa = kMaxFitParameters - 1;

// What the model takes besides the volume.
struct ModelParameters {
    double concentration = 0;                     // c₂, mol · L-1
    std::array<double, kMaxFittedPKa> pKa{7, 7};  // a free solute's; any order
};

// The fitted meter's reading after `volume` mL; nothing when the model cannot compute it.
using ReadingModel = std::function<std::optional<double>(double volume, const ModelParameters& parameters)>;

// A fit needs at least this many measured points.
inline constexpr int kMinFitPoints = 5;

struct FitSettings {
    int fittedPKaCount = 0;  // 1 for "autre acide" / "autre base", 2 for "autre diacide" / "autre dibase"
    // Given to the model as they are when they are not fitted.
    std::array<double, kMaxFittedPKa> pKa{7, 7};
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
    // The fitted ones first, in ascending order, then those given.
    std::array<double, kMaxFittedPKa> pKa{};
    int fittedPKaCount = 0;
    std::string meter = "pH";      // the meter whose readings were fitted
    std::string unit = "pH";       // the unit of its residuals, as the messages write it
    double describedLimit = 0.1;   // residuals spread wider do not describe the points
    double residualDeviation = 0;  // standard deviation of the residuals (n − parameters degrees)
    int pointCount = 0;            // measured points used
    // What the uncertainty of the fitted values is computed from: JᵀJ at the result, over log10 c₂
    // then the fitted pKa, and each point's residual (model − measured), in the points' order.
    NormalMatrix normalMatrix;
    std::vector<double> residuals;
    // The fitted values' standard errors, from the covariance s²·(JᵀJ)⁻¹ with s the residual
    // deviation (the meter's own when larger), and the half-widths of their 95 % intervals
    // (Student's t for n − parameters degrees): c₂'s in mol · L-1, then each fitted pKa's. Empty
    // when the points cannot give them.
    std::optional<double> concentrationStandardError;
    std::optional<double> concentrationHalfWidth95;
    std::array<std::optional<double>, kMaxFittedPKa> pKaStandardError{};
    std::array<std::optional<double>, kMaxFittedPKa> pKaHalfWidth95{};
    // The fitted curve from 0 to 25 mL, denser across the jump: the fitted meter's reading in
    // each point's pH.
    std::vector<CurvePoint> curve;

    bool describesPoints() const;
    // Every fitted value has its interval.
    bool uncertaintyKnown() const;
    bool operator==(const FitResult&) const = default;
};

// A fit of one reading of the points (the pH, σ…); the points that lack it are left out, and the
// residuals are those of the points kept, in their order.
FitResult fitConcentration(std::span<const MeasuredPoint> points, const ReadingModel& model,
                           const LabReading& reading, const FitSettings& settings = {},
                           std::stop_token stop = {});

// Sets the result's standard errors and 95 % half-widths from its normal matrix, residual
// deviation, point count and values; leaves them empty when the matrix is singular, there are no
// more points than fitted values, the deviation is zero or a result is not finite. A residual
// deviation below `readingDeviation` (the standard deviation of the meter's own readings) is
// taken as that: points that happen to lie on the curve are no better than the meter.
void estimateUncertainties(FitResult& result, double readingDeviation = 0);

// "c₂ ajustée = (1,23 ± 0,02) × 10⁻² mol · L-1 (intervalle à 95 % ; écart type des résidus 0,03)",
// with " et pKa ajusté = 4,76 ± 0,05" (or the two pKa) before the parenthesis when they were
// fitted, after a warning when the model does not describe the points; without the ± and saying
// "incertitude non calculable" when there is none; the failure message when the fit failed.
std::string describeFit(const FitResult& result);

}  // namespace measurements
