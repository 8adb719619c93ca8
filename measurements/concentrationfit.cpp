#include "measurements/concentrationfit.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>
#include <utility>

#include "measurements/fitsearch.h"
#include "measurements/fittexts.h"

namespace measurements {

namespace {

using fitsearch::Candidate;
using fitsearch::Objective;

constexpr std::size_t kStarts = 3;  // valleys of the scan refined
// The scan only has to find the valleys: a few points spread over the measurements do. The
// valleys are refined on more of them, and only the best one on every point.
constexpr std::size_t kScanPoints = 16;
constexpr std::size_t kRefinePoints = 200;
// Volumes closer than this (mL) are one volume.
constexpr double kSameVolume = 1e-6;
// The points tell a parameter when an error of the points' precision moves it by less than this:
// a tenth of a decade of c₂ (a quarter of its value), 0,15 pKa unit. The precision is at least
// what the meter's reading is good to.
constexpr double kConcentrationUncertainty = 0.1;
constexpr double kPKaUncertainty = 0.15;
// The normal matrix, scaled to a unit diagonal, is taken as singular beyond this condition.
constexpr double kMaxCondition = 1e10;

int distinctVolumes(std::span<const MeasuredPoint> points) {
    std::vector<double> volumes;
    volumes.reserve(points.size());
    for (const MeasuredPoint& p : points) volumes.push_back(p.volume);
    std::sort(volumes.begin(), volumes.end());
    int count = volumes.empty() ? 0 : 1;
    for (std::size_t i = 1; i < volumes.size(); ++i)
        count += volumes[i] - volumes[i - 1] > kSameVolume ? 1 : 0;
    return count;
}

// The first parameter the points leave free (the normal matrix at the result cannot pin it
// down), or −1 when they determine them all.
int undeterminedParameter(const NormalMatrix& a, double precision) {
    const auto inverse = a.inverseDiagonal();
    if (!inverse) {
        // Singular: the parameter the points feel least (log10 c₂ and a pKa both move the pH by
        // about one unit per unit, so their diagonals compare).
        int weakest = 0;
        for (int k = 1; k < a.size(); ++k) {
            if (!(a(k, k) >= a(weakest, weakest))) weakest = k;
        }
        return weakest;
    }
    if (!(a.scaledCondition() <= kMaxCondition)) {
        // The one the others stand in for most: the largest (A⁻¹)ₖₖ·Aₖₖ.
        int weakest = 0;
        for (int k = 1; k < a.size(); ++k) {
            if (!((*inverse)[k] * a(k, k) <= (*inverse)[weakest] * a(weakest, weakest))) weakest = k;
        }
        return weakest;
    }
    for (int k = 0; k < a.size(); ++k) {
        const double limit = k == 0 ? kConcentrationUncertainty : kPKaUncertainty;
        if (!((*inverse)[k] >= 0) || !(precision * std::sqrt((*inverse)[k]) <= limit)) return k;
    }
    return -1;
}

// The curve on a 0.25 mL grid, each interval over which the pH moves by more than 0.2 halved
// again, down to 1/256 mL.
void addSegment(const ReadingModel& model, const ModelParameters& p, CurvePoint a, CurvePoint b, int depth,
                std::vector<CurvePoint>& curve) {
    if (depth > 0 && std::abs(b.value - a.value) > 0.2) {
        const double middle = (a.volume + b.volume) / 2;
        if (const auto pH = model(middle, p); pH && std::isfinite(*pH)) {
            addSegment(model, p, a, {middle, *pH}, depth - 1, curve);
            addSegment(model, p, {middle, *pH}, b, depth - 1, curve);
            return;
        }
    }
    curve.push_back(b);
}

std::vector<CurvePoint> sampleCurve(const ReadingModel& model, const ModelParameters& p) {
    std::vector<CurvePoint> curve;
    std::optional<CurvePoint> previous;
    for (int i = 0; i <= 100; ++i) {
        const double volume = kMaxVolume * i / 100;
        const auto pH = model(volume, p);
        if (!pH || !std::isfinite(*pH)) continue;
        const CurvePoint point{volume, *pH};
        if (previous) {
            addSegment(model, p, *previous, point, 6, curve);
        } else {
            curve.push_back(point);
        }
        previous = point;
    }
    return curve;
}

FitResult failure(std::string message, int points) {
    FitResult result;
    result.message = std::move(message);
    result.pointCount = points;
    return result;
}

// The search's outcome: the best valley of the scan refined on every point, and the other valleys
// as refined on the spread of the points.
struct Search {
    Candidate best;
    double spreadCost = 0;  // the best one's sum over the spread, before its last refinement
    std::vector<Candidate> others;
};

// The valleys of the scan refined: on a spread of the points first when there are many, then the
// best on all of them.
Search search(const Objective& f, std::span<const MeasuredPoint> points) {
    const fitsearch::PointChoice all = fitsearch::allPoints(points);
    const fitsearch::PointChoice spread =
        points.size() > kRefinePoints ? fitsearch::spreadPoints(points, kRefinePoints) : all;
    Search found;
    found.best.cost = std::numeric_limits<double>::infinity();
    for (const Candidate& start :
         fitsearch::scanValleys(f, fitsearch::spreadPoints(points, kScanPoints), kStarts)) {
        Candidate refined = fitsearch::refine(f, start, spread);
        if (!refined.converged || !std::isfinite(refined.cost)) continue;
        if (refined.cost < found.best.cost) std::swap(refined, found.best);
        if (std::isfinite(refined.cost)) found.others.push_back(std::move(refined));
    }
    found.spreadCost = found.best.cost;
    if (spread.size() != all.size() && std::isfinite(found.best.cost) && !f.stopped())
        found.best = fitsearch::refine(f, found.best, all);
    return found;
}

// The parameter on which another valley, as good within the points' precision, disagrees most;
// −1 when no other valley fits as well. Both sums are over the spread of the points.
int ambiguousParameter(const Search& found, double precision) {
    int parameter = -1;
    double farthest = 1;
    for (const Candidate& other : found.others) {
        if (!(other.cost - found.spreadCost <= 4 * precision * precision)) continue;
        for (int k = 0; k < found.best.normal.size(); ++k) {
            const double tolerance = k == 0 ? kConcentrationUncertainty : kPKaUncertainty;
            const double apart = std::abs(other.parameters[k] - found.best.parameters[k]) / tolerance;
            if (apart > farthest) {
                farthest = apart;
                parameter = k;
            }
        }
    }
    return parameter;
}

}  // namespace

bool FitResult::describesPoints() const {
    return residualDeviation <= describedLimit;
}

FitResult fitConcentration(std::span<const MeasuredPoint> given, const ReadingModel& model,
                           const LabReading& reading, const FitSettings& settings, std::stop_token stop) {
    std::vector<MeasuredPoint> kept;
    std::span<const MeasuredPoint> points = given;
    if (!std::all_of(given.begin(), given.end(),
                     [&](const MeasuredPoint& p) { return p.has(reading.slot); })) {
        std::copy_if(given.begin(), given.end(), std::back_inserter(kept),
                     [&](const MeasuredPoint& p) { return p.has(reading.slot); });
        points = kept;
    }
    const int n = static_cast<int>(points.size());
    const int pKaCount = std::clamp(settings.fittedPKaCount, 0, kMaxFittedPKa);
    const int parameters = 1 + pKaCount;
    if (n < kMinFitPoints) return failure(fittexts::tooFewPoints(n, kMinFitPoints), n);
    if (const int volumes = distinctVolumes(points); volumes < parameters + 2) {
        return failure(fittexts::tooFewVolumes(volumes, parameters + 2, pKaCount), n);
    }
    const bool rangeSound =
        settings.minConcentration > 0 && settings.maxConcentration > settings.minConcentration &&
        std::isfinite(settings.maxConcentration) &&
        (pKaCount == 0 || (std::isfinite(settings.minPKa) && std::isfinite(settings.maxPKa) &&
                           settings.maxPKa > settings.minPKa));
    if (!rangeSound || !model) return failure(fittexts::wrongRange(), n);

    FitSettings checked = settings;
    checked.fittedPKaCount = pKaCount;
    const Objective f(points, model, reading.slot, checked, std::move(stop));
    const Search found = search(f, points);
    const Candidate& best = found.best;
    if (f.stopped()) return failure(fittexts::cancelled(), n);
    if (!std::isfinite(best.cost)) return failure(fittexts::noCurve(), n);
    if (!best.converged) return failure(fittexts::notConverged(), n);

    const double deviation = std::sqrt(best.cost / std::max(1, n - parameters));
    // The precision of the points: their spread about the curve, at least what the meter reads
    // to, at most what a curve that describes them leaves (beyond it, the residuals say more about
    // the model than about the points).
    const double precision = std::clamp(deviation, reading.precision, reading.describedDeviation);
    // A parameter the points leave free is named first: it explains a result at a limit too.
    int free = undeterminedParameter(best.normal, precision);
    if (free < 0) free = ambiguousParameter(found, precision);
    if (free >= 0) return failure(fittexts::undetermined(free, pKaCount), n);
    for (int k = 0; k < parameters; ++k) {
        if (f.atLimit(best.parameters, k)) return failure(fittexts::beyondRange(k, pKaCount, checked), n);
    }

    FitResult result;
    result.converged = true;
    const ModelParameters parametersFound = f.modelParameters(best.parameters);
    result.concentration = parametersFound.concentration;
    result.pKa = parametersFound.pKa;
    result.meter = std::string(reading.id);
    result.unit = std::string(reading.fitUnit);
    result.describedLimit = reading.describedDeviation;
    result.fittedPKaCount = pKaCount;
    result.pointCount = n;
    result.residualDeviation = deviation;
    result.normalMatrix = best.normal;
    // The search holds them in the order of the volumes.
    const fitsearch::PointChoice order = fitsearch::allPoints(points);
    result.residuals.assign(points.size(), 0.0);
    for (std::size_t i = 0; i < order.size() && i < best.residuals.size(); ++i)
        result.residuals[order[i]] = best.residuals[i];
    // A meter good to ±a reads with a standard deviation of a/√3 at least.
    estimateUncertainties(result, reading.precision / std::sqrt(3.0));
    result.curve = sampleCurve(model, parametersFound);
    return result;
}

}  // namespace measurements
