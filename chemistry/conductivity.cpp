#include "chemistry/conductivity.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>
#include <utility>

namespace chemistry {

namespace {

// The ions of water and of the titrants, looked up once.
struct CommonIons {
    double hydronium = ionConductivity(kHydroniumName);
    double hydroxide = ionConductivity(kHydroxideName);
    double sodium = ionConductivity(kSodiumName);
    double chloride = ionConductivity(kChlorideName);
};

const CommonIons& commonIons() {
    static const CommonIons ions;
    return ions;
}

// Tenths of a millilitre in the burette: the σ curve's grid.
constexpr int kCurveTenths = 250;

}  // namespace

double conductivityOf(const Mixture& mixture, const MixturePoint& point) {
    const CommonIons& ions = commonIons();
    double sum = ions.hydronium * point.hydronium + ions.hydroxide * point.hydroxide +
                 ions.sodium * point.sodium + ions.chloride * point.chloride;
    for (int i = 0; i < mixture.soluteCount && i < kMaxSolutes; ++i) {
        const Solute& solute = mixture.solutes[i];
        for (int j = 0; j <= solute.pairCount && j < kMaxForms; ++j) {
            sum += solute.formConductivity[j] * point.forms[i][j];
        }
    }
    return kMilliSiemensPerCentimetre * sum;
}

std::optional<double> mixtureConductivity(const Mixture& mixture, double volume) {
    const auto point = MixtureModel(mixture).solve(volume);
    if (!point) return std::nullopt;
    return conductivityOf(mixture, *point);
}

std::optional<double> monoproticConductivity(const TitrationPoint& point, const SpeciesData& species,
                                             double pKa, double initialVolume, double titrantConcentration) {
    const double V = point.volume;
    const double total = initialVolume + V;
    if (!(initialVolume > 0) || !(V >= 0) || !std::isfinite(total) || !(titrantConcentration >= 0)) {
        return std::nullopt;
    }
    const double solute = point.acidForm + point.basicForm;  // the species' concentration, mol · L-1
    if (!std::isfinite(solute) || solute < 0) return std::nullopt;
    const Solute dissolved = soluteOf(species, solute * total / initialVolume, std::span(&pKa, 1));

    const bool strong = species.isAcid ? pKa == 0 : pKa == 14;
    if (strong) {
        Mixture beaker;
        beaker.beakerIsAcid = species.isAcid;
        beaker.solutes[0] = dissolved;
        beaker.beakerVolume = initialVolume;
        beaker.titrantConcentration = titrantConcentration;
        return mixtureConductivity(beaker, V);
    }

    const CommonIons& ions = commonIons();
    const double titrant = titrantConcentration * V / total;
    double sum = ions.hydronium * point.hydronium + ions.hydroxide * point.hydroxide +
                 (species.isAcid ? ions.sodium : ions.chloride) * titrant +
                 dissolved.formConductivity[0] * point.acidForm +
                 dissolved.formConductivity[1] * point.basicForm +
                 (ions.sodium * dissolved.sodiumPerUnit + ions.chloride * dissolved.chloridePerUnit) * solute;
    sum *= kMilliSiemensPerCentimetre;
    if (!std::isfinite(sum)) return std::nullopt;
    return sum;
}

std::vector<ConductivityPoint> conductivityCurve(const Mixture& mixture) {
    std::vector<ConductivityPoint> curve;
    const MixtureModel model(mixture);
    if (!model.valid()) return curve;

    std::vector<double> volumes;
    volumes.reserve(kCurveTenths + 1 + kMaxSolutes * kMaxPairs);
    for (int tenths = 0; tenths <= kCurveTenths; ++tenths) volumes.push_back(tenths / 10.0);
    for (const EquivalenceCandidate& candidate : model.equivalenceCandidates(false)) {
        const double Ve = candidate.volume;
        const bool onGrid = std::abs(Ve * 10 - std::round(Ve * 10)) < 1e-9;
        if (Ve > 0 && Ve < kBuretteCapacity && !onGrid) volumes.push_back(Ve);
    }
    std::sort(volumes.begin(), volumes.end());

    curve.reserve(volumes.size());
    for (const double volume : volumes) {
        const auto point = model.solve(volume);
        if (point) curve.push_back({volume, conductivityOf(mixture, *point)});
    }
    return curve;
}

std::optional<FittedLine> fitLine(std::span<const ConductivityPoint> points) {
    if (points.size() < 2) return std::nullopt;
    double meanV = 0;
    double meanSigma = 0;
    for (const ConductivityPoint& p : points) {
        meanV += p.volume;
        meanSigma += p.conductivity;
    }
    meanV /= static_cast<double>(points.size());
    meanSigma /= static_cast<double>(points.size());
    double spread = 0;
    double covariance = 0;
    for (const ConductivityPoint& p : points) {
        spread += (p.volume - meanV) * (p.volume - meanV);
        covariance += (p.volume - meanV) * (p.conductivity - meanSigma);
    }
    if (!(spread > 0)) return std::nullopt;
    FittedLine line{covariance / spread, 0};
    line.intercept = meanSigma - line.slope * meanV;
    if (!std::isfinite(line.slope) || !std::isfinite(line.intercept)) return std::nullopt;
    return line;
}

std::vector<ConductivityPoint> dilutionCorrected(std::span<const ConductivityPoint> points,
                                                 double initialVolume) {
    std::vector<ConductivityPoint> corrected;
    if (!(initialVolume > 0) || !std::isfinite(initialVolume)) return corrected;
    corrected.reserve(points.size());
    for (const ConductivityPoint& p : points) {
        const double sigma = p.conductivity * (initialVolume + p.volume) / initialVolume;
        if (std::isfinite(sigma) && p.volume >= 0) corrected.push_back({p.volume, sigma});
    }
    return corrected;
}

StraightLinesWindow windowAround(double volume, double previous, double next) {
    constexpr double kMargin = 0.05;  // of the titrant this equivalence takes
    constexpr double kSpan = 0.3;
    const double taken = std::max(volume - previous, 0.0);
    const double room = std::isfinite(next) ? std::max(next - volume, 0.0) : taken;
    StraightLinesWindow w;
    w.margin = kMargin * taken;
    w.before = kSpan * taken;
    w.after = std::min(kSpan * taken, room / 2);
    w.reachBefore = taken - w.margin;
    w.reachAfter = std::isfinite(next) ? room - kMargin * room : std::numeric_limits<double>::infinity();
    return w;
}

namespace {

// The points of one side: those inside the window, or the nearest beyond the margin when the
// window holds too few. `sign` is −1 before the equivalence, +1 after it.
std::vector<ConductivityPoint> sideOf(std::span<const ConductivityPoint> points, double equivalenceVolume,
                                      double margin, double span, double reach, int sign) {
    // A hair of tolerance so that a mark exactly at a window's edge counts despite rounding.
    constexpr double kEdge = 1e-9;
    std::vector<ConductivityPoint> inside;
    std::vector<ConductivityPoint> beyond;
    for (const ConductivityPoint& p : points) {
        const double offset = sign * (p.volume - equivalenceVolume);
        if (offset < margin - kEdge || offset > reach + kEdge) continue;
        beyond.push_back(p);
        if (offset <= span + kEdge) inside.push_back(p);
    }
    if (static_cast<int>(inside.size()) >= kLeastLinePoints) return inside;
    std::sort(beyond.begin(), beyond.end(), [&](const ConductivityPoint& a, const ConductivityPoint& b) {
        return std::abs(a.volume - equivalenceVolume) < std::abs(b.volume - equivalenceVolume);
    });
    if (static_cast<int>(beyond.size()) > kLeastLinePoints) beyond.resize(kLeastLinePoints);
    return beyond;
}

std::pair<double, double> volumeRange(const std::vector<ConductivityPoint>& points) {
    const auto [low, high] = std::minmax_element(
        points.begin(), points.end(), [](const auto& a, const auto& b) { return a.volume < b.volume; });
    return {low->volume, high->volume};
}

}  // namespace

StraightLines straightLines(std::span<const ConductivityPoint> points, double equivalenceVolume,
                            const StraightLinesWindow& window) {
    StraightLines result;
    const std::vector<ConductivityPoint> before =
        sideOf(points, equivalenceVolume, window.margin, window.before,
               std::max(window.reachBefore, window.before), -1);
    const std::vector<ConductivityPoint> after = sideOf(
        points, equivalenceVolume, window.margin, window.after, std::max(window.reachAfter, window.after), 1);
    result.pointsBefore = static_cast<int>(before.size());
    result.pointsAfter = static_cast<int>(after.size());
    const auto first = fitLine(before);
    const auto second = fitLine(after);
    if (!first || !second || first->slope == second->slope) return result;
    result.before = *first;
    result.after = *second;
    std::tie(result.firstBefore, result.lastBefore) = volumeRange(before);
    std::tie(result.firstAfter, result.lastAfter) = volumeRange(after);
    const double volume = (second->intercept - first->intercept) / (first->slope - second->slope);
    // Lines nearly parallel cross far away: that is no equivalence.
    if (!std::isfinite(volume) ||
        std::abs(volume - equivalenceVolume) > std::max(window.before, window.after))
        return result;
    result.found = true;
    result.volume = volume;
    result.conductivity = first->at(volume);
    return result;
}

}  // namespace chemistry
