#include <algorithm>
#include <cmath>

#include "measurements/concentrationfit.h"
#include "measurements/studentquantile.h"

namespace measurements {

namespace {

constexpr double kConfidence = 0.95;

std::optional<double> positiveFinite(double value) {
    return value > 0 && std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

}  // namespace

bool FitResult::uncertaintyKnown() const {
    if (!concentrationHalfWidth95) return false;
    for (int k = 0; k < fittedPKaCount && k < kMaxFittedPKa; ++k) {
        if (!pKaHalfWidth95[static_cast<std::size_t>(k)]) return false;
    }
    return true;
}

void estimateUncertainties(FitResult& result, double readingDeviation) {
    result.concentrationStandardError.reset();
    result.concentrationHalfWidth95.reset();
    result.pKaStandardError = {};
    result.pKaHalfWidth95 = {};
    const int parameters = result.normalMatrix.size();
    if (parameters < 1 || parameters != 1 + result.fittedPKaCount) return;
    const int degrees = result.pointCount - parameters;
    const auto deviation = positiveFinite(std::max(result.residualDeviation, readingDeviation));
    if (degrees < 1 || !deviation || !std::isfinite(result.residualDeviation) ||
        !positiveFinite(result.concentration))
        return;
    const auto t = studentQuantile(1 - (1 - kConfidence) / 2, degrees);
    const auto inverse = result.normalMatrix.inverseDiagonal();
    if (!t || !inverse) return;
    std::array<double, kMaxFitParameters> standardError{};
    for (int k = 0; k < parameters; ++k) {
        const auto variance = positiveFinite((*inverse)[k]);
        if (!variance) return;
        standardError[k] = *deviation * std::sqrt(*variance);
    }
    // Over log10 c₂: dc₂ = c₂ · ln 10 · d(log10 c₂).
    const auto concentration = positiveFinite(result.concentration * std::log(10.0) * standardError[0]);
    const auto concentrationHalfWidth = concentration ? positiveFinite(*t * *concentration) : std::nullopt;
    if (!concentrationHalfWidth) return;
    std::array<std::optional<double>, kMaxFittedPKa> pKa{};
    std::array<std::optional<double>, kMaxFittedPKa> pKaHalfWidth{};
    for (int k = 1; k < parameters; ++k) {
        const auto i = static_cast<std::size_t>(k - 1);
        pKa[i] = positiveFinite(standardError[k]);
        pKaHalfWidth[i] = pKa[i] ? positiveFinite(*t * *pKa[i]) : std::nullopt;
        if (!pKaHalfWidth[i]) return;
    }
    result.concentrationStandardError = concentration;
    result.concentrationHalfWidth95 = concentrationHalfWidth;
    result.pKaStandardError = pKa;
    result.pKaHalfWidth95 = pKaHalfWidth;
}

}  // namespace measurements
