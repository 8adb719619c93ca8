#include "measurements/concentrationfit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "numbers/picture.h"

namespace measurements {

namespace {

// The parameters searched: log10 c₂, then the pKa when it is fitted.
using Parameters = std::array<double, 2>;

constexpr double kInfinite = std::numeric_limits<double>::infinity();
constexpr int kMaxIterations = 100;
constexpr int kMaxDampingTries = 30;
constexpr int kStarts = 3;  // valleys of the scan refined
// The scan only has to find the valleys: a few points spread over the measurements do.
constexpr std::size_t kScanPoints = 16;
// Steps of the scan, in log10 c₂ and in pKa; a finer one costs time, not accuracy, since the
// refinement starts from the scan's best points.
constexpr double kConcentrationScanStep = 0.1;
constexpr double kConcentrationScanStepWithPKa = 0.25;
constexpr double kPKaScanStep = 1.0;
// Differences over this step: far above the grain of a single-precision solver.
constexpr double kDifferenceStep = 1e-3;
// A result this close to a limit of the range is taken as lying beyond it.
constexpr double kBoundTolerance = 1e-6;

class Objective {
  public:
    Objective(std::span<const MeasuredPoint> points, const PhModel& model, const FitSettings& settings)
        : m_points(points), m_model(model), m_settings(settings) {
        m_low = {std::log10(settings.minConcentration), settings.minPKa};
        m_high = {std::log10(settings.maxConcentration), settings.maxPKa};
    }

    int count() const { return m_settings.fitPKa ? 2 : 1; }
    std::size_t pointCount() const { return m_points.size(); }
    double low(int k) const { return m_low[k]; }
    double high(int k) const { return m_high[k]; }
    double pKaOf(const Parameters& p) const { return m_settings.fitPKa ? p[1] : m_settings.pKa; }

    Parameters clamp(Parameters p) const {
        for (int k = 0; k < count(); ++k) p[k] = std::clamp(p[k], m_low[k], m_high[k]);
        return p;
    }

    bool atLimit(const Parameters& p, int k) const {
        return p[k] <= m_low[k] + kBoundTolerance || p[k] >= m_high[k] - kBoundTolerance;
    }

    // Model minus measurement at the points chosen (all of them by default); false when the
    // model cannot compute one.
    bool residuals(const Parameters& p, std::vector<double>& out,
                   std::span<const std::size_t> chosen = {}) const {
        const std::size_t n = chosen.empty() ? m_points.size() : chosen.size();
        out.resize(n);
        const double concentration = std::pow(10.0, p[0]);
        const double pKa = pKaOf(p);
        for (std::size_t k = 0; k < n; ++k) {
            const MeasuredPoint& point = m_points[chosen.empty() ? k : chosen[k]];
            const auto pH = m_model(point.volume, concentration, pKa);
            if (!pH || !std::isfinite(*pH)) return false;
            out[k] = *pH - point.pH;
        }
        return true;
    }

    // The sum of squares; the residuals stay in `out`.
    double cost(const Parameters& p, std::vector<double>& out,
                std::span<const std::size_t> chosen = {}) const {
        if (!residuals(p, out, chosen)) return kInfinite;
        double sum = 0;
        for (const double r : out) sum += r * r;
        return std::isfinite(sum) ? sum : kInfinite;
    }

  private:
    std::span<const MeasuredPoint> m_points;
    const PhModel& m_model;
    FitSettings m_settings;
    Parameters m_low{};
    Parameters m_high{};
};

struct Candidate {
    Parameters parameters{};
    double cost = kInfinite;
    bool converged = false;
};

// Equally spaced values from low to high, both included.
std::vector<double> scanValues(double low, double high, double step) {
    const int intervals = std::clamp(static_cast<int>(std::ceil((high - low) / step)), 1, 1000);
    std::vector<double> values;
    for (int i = 0; i <= intervals; ++i) values.push_back(low + (high - low) * i / intervals);
    return values;
}

// At most kScanPoints of the points, evenly spread in the order of their volumes.
std::vector<std::size_t> scanPoints(std::span<const MeasuredPoint> points) {
    std::vector<std::size_t> order(points.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return points[a].volume < points[b].volume; });
    if (order.size() <= kScanPoints) return order;
    std::vector<std::size_t> chosen;
    for (std::size_t k = 0; k < kScanPoints; ++k)
        chosen.push_back(order[k * (order.size() - 1) / (kScanPoints - 1)]);
    return chosen;
}

// The scan's points lower than their neighbours, best first, at most kStarts of them.
std::vector<Candidate> scanValleys(const Objective& f, std::span<const MeasuredPoint> points) {
    const bool withPKa = f.count() == 2;
    const auto us =
        scanValues(f.low(0), f.high(0), withPKa ? kConcentrationScanStepWithPKa : kConcentrationScanStep);
    const auto ps = withPKa ? scanValues(f.low(1), f.high(1), kPKaScanStep) : std::vector<double>{0.0};
    const auto chosen = scanPoints(points);
    const int nu = static_cast<int>(us.size());
    const int np = static_cast<int>(ps.size());
    std::vector<double> costs(static_cast<std::size_t>(nu * np));
    std::vector<double> residuals;
    for (int j = 0; j < np; ++j) {
        for (int i = 0; i < nu; ++i) costs[j * nu + i] = f.cost({us[i], ps[j]}, residuals, chosen);
    }
    std::vector<Candidate> valleys;
    for (int j = 0; j < np; ++j) {
        for (int i = 0; i < nu; ++i) {
            const double c = costs[j * nu + i];
            if (!std::isfinite(c)) continue;
            const auto lower = [&](int a, int b) {
                return a < 0 || a >= nu || b < 0 || b >= np || c <= costs[b * nu + a];
            };
            if (lower(i - 1, j) && lower(i + 1, j) && lower(i, j - 1) && lower(i, j + 1)) {
                valleys.push_back({{us[i], ps[j]}, c, false});
            }
        }
    }
    std::sort(valleys.begin(), valleys.end(),
              [](const Candidate& a, const Candidate& b) { return a.cost < b.cost; });
    if (valleys.size() > kStarts) valleys.resize(kStarts);
    return valleys;
}

// Solves the damped normal equations (A + λ·diag) δ = −g in one or two dimensions.
bool dampedStep(const std::array<std::array<double, 2>, 2>& A, const Parameters& g, double lambda, int n,
                Parameters& delta) {
    std::array<std::array<double, 2>, 2> M = A;
    for (int k = 0; k < n; ++k) M[k][k] += lambda * (A[k][k] > 0 ? A[k][k] : 1.0);
    if (n == 1) {
        if (!(M[0][0] > 0)) return false;
        delta = {-g[0] / M[0][0], 0};
    } else {
        const double det = M[0][0] * M[1][1] - M[0][1] * M[1][0];
        if (!(std::abs(det) > 0) || !std::isfinite(det)) return false;
        delta = {(-g[0] * M[1][1] + g[1] * M[0][1]) / det, (-g[1] * M[0][0] + g[0] * M[1][0]) / det};
    }
    return std::isfinite(delta[0]) && std::isfinite(delta[1]);
}

// Levenberg–Marquardt on all the points from a start of the scan, within the range. Converged when
// a step no longer lowers the sum noticeably, or when no step lowers it at all (the minimum, to
// the model's grain).
Candidate refine(const Objective& f, const Candidate& start) {
    const int n = f.count();
    Candidate current = start;
    std::vector<double> r;
    current.cost = f.cost(current.parameters, r);
    if (!std::isfinite(current.cost)) return current;
    std::vector<double> trial;
    std::array<std::vector<double>, 2> J;
    double lambda = 1e-3;
    for (int iteration = 0; iteration < kMaxIterations; ++iteration) {
        for (int k = 0; k < n; ++k) {
            Parameters moved = current.parameters;
            moved[k] += moved[k] + kDifferenceStep <= f.high(k) ? kDifferenceStep : -kDifferenceStep;
            const double step = moved[k] - current.parameters[k];
            if (!f.residuals(moved, J[k])) return current;
            for (std::size_t i = 0; i < r.size(); ++i) J[k][i] = (J[k][i] - r[i]) / step;
        }
        std::array<std::array<double, 2>, 2> A{};
        Parameters g{};
        for (int a = 0; a < n; ++a) {
            for (std::size_t i = 0; i < r.size(); ++i) g[a] += J[a][i] * r[i];
            for (int b = 0; b < n; ++b) {
                for (std::size_t i = 0; i < r.size(); ++i) A[a][b] += J[a][i] * J[b][i];
            }
        }
        bool accepted = false;
        double moved = 0;
        double gain = 0;
        for (int attempt = 0; attempt < kMaxDampingTries && !accepted; ++attempt) {
            Parameters delta{};
            if (dampedStep(A, g, lambda, n, delta)) {
                Parameters next = current.parameters;
                for (int k = 0; k < n; ++k) next[k] += delta[k];
                next = f.clamp(next);
                const double cost = f.cost(next, trial);
                if (cost < current.cost) {
                    for (int k = 0; k < n; ++k)
                        moved = std::max(moved, std::abs(next[k] - current.parameters[k]));
                    gain = current.cost - cost;
                    current.parameters = next;
                    current.cost = cost;
                    r.swap(trial);
                    accepted = true;
                    lambda = std::max(lambda / 10, 1e-12);
                    break;
                }
            }
            lambda *= 10;
        }
        if (!accepted || moved < 1e-9 || gain <= 1e-12 * current.cost) {
            current.converged = true;
            return current;
        }
    }
    return current;
}

// The curve on a 0.25 mL grid, each interval over which the pH moves by more than 0.2 halved
// again, down to 1/256 mL.
void addSegment(const PhModel& model, double c, double pKa, CurvePoint a, CurvePoint b, int depth,
                std::vector<CurvePoint>& curve) {
    if (depth > 0 && std::abs(b.pH - a.pH) > 0.2) {
        const double middle = (a.volume + b.volume) / 2;
        if (const auto pH = model(middle, c, pKa); pH && std::isfinite(*pH)) {
            addSegment(model, c, pKa, a, {middle, *pH}, depth - 1, curve);
            addSegment(model, c, pKa, {middle, *pH}, b, depth - 1, curve);
            return;
        }
    }
    curve.push_back(b);
}

std::vector<CurvePoint> sampleCurve(const PhModel& model, double c, double pKa) {
    std::vector<CurvePoint> curve;
    std::optional<CurvePoint> previous;
    for (int i = 0; i <= 100; ++i) {
        const double volume = kMaxVolume * i / 100;
        const auto pH = model(volume, c, pKa);
        if (!pH || !std::isfinite(*pH)) continue;
        const CurvePoint point{volume, *pH};
        if (previous) {
            addSegment(model, c, pKa, *previous, point, 6, curve);
        } else {
            curve.push_back(point);
        }
        previous = point;
    }
    return curve;
}

// 1,23 × 10⁻² with three significant digits.
std::string scientific(double value) {
    std::string text = numbers::formatPicture(value, "0.00E+00");
    const std::size_t e = text.find('E');
    if (e == std::string::npos) return text;
    const int exponent = std::stoi(text.substr(e + 1));
    if (exponent == 0) return text.substr(0, e);
    static const char* const kSuperscripts[] = {"⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹"};
    std::string power = exponent < 0 ? "⁻" : "";
    for (const char digit : std::to_string(std::abs(exponent))) power += kSuperscripts[digit - '0'];
    return text.substr(0, e) + " × 10" + power;
}

// A number with up to two decimals and no comma left alone: 14, 4,5, 0,1.
std::string shortDecimal(double value) {
    std::string text = numbers::formatPicture(value, "#0.##");
    if (text.ends_with(',')) text.pop_back();
    return text;
}

// A limit of the range as the panel writes it: 0,1 but 10⁻⁸.
std::string limitText(double value) {
    if (value >= 1e-2) return shortDecimal(value);
    const std::string text = scientific(value);
    return text.starts_with("1,00 × ") ? text.substr(std::string("1,00 × ").size()) : text;
}

FitResult failure(std::string message, int points) {
    FitResult result;
    result.message = std::move(message);
    result.pointCount = points;
    return result;
}

}  // namespace

FitResult fitConcentration(std::span<const MeasuredPoint> points, const PhModel& model,
                           const FitSettings& settings) {
    const int n = static_cast<int>(points.size());
    if (n < kMinFitPoints) {
        return failure("Il faut au moins " + std::to_string(kMinFitPoints) +
                           " mesures pour ajuster la concentration ; il y en a " + std::to_string(n) + ".",
                       n);
    }
    const bool rangeSound =
        settings.minConcentration > 0 && settings.maxConcentration > settings.minConcentration &&
        std::isfinite(settings.maxConcentration) &&
        (!settings.fitPKa || (std::isfinite(settings.minPKa) && std::isfinite(settings.maxPKa) &&
                              settings.maxPKa > settings.minPKa));
    if (!rangeSound || !model) {
        return failure("L'ajustement est impossible : les limites de la recherche sont fausses.", n);
    }

    const Objective f(points, model, settings);
    Candidate best;
    for (const Candidate& start : scanValleys(f, points)) {
        const Candidate refined = refine(f, start);
        if (refined.cost < best.cost) best = refined;
    }
    if (!std::isfinite(best.cost)) {
        return failure("L'ajustement est impossible : aucune courbe calculée ne passe par ces mesures.", n);
    }
    if (!best.converged) return failure("L'ajustement n'a pas convergé.", n);
    if (f.atLimit(best.parameters, 0)) {
        return failure(
            "L'ajustement n'a pas convergé : la concentration qui conviendrait sort des limites (de " +
                limitText(settings.minConcentration) + " à " + limitText(settings.maxConcentration) +
                " mol · L-1).",
            n);
    }
    if (settings.fitPKa && f.atLimit(best.parameters, 1)) {
        return failure("L'ajustement n'a pas convergé : le pKa qui conviendrait sort des limites (de " +
                           shortDecimal(settings.minPKa) + " à " + shortDecimal(settings.maxPKa) + ").",
                       n);
    }

    FitResult result;
    result.converged = true;
    result.concentration = std::pow(10.0, best.parameters[0]);
    result.pKa = f.pKaOf(best.parameters);
    result.pKaFitted = settings.fitPKa;
    result.pointCount = n;
    result.residualDeviation = std::sqrt(best.cost / std::max(1, n - f.count()));
    result.curve = sampleCurve(model, result.concentration, result.pKa);
    return result;
}

std::string describeFit(const FitResult& result) {
    if (!result.converged) return result.message;
    std::string text = "c₂ ajustée = " + scientific(result.concentration) + " mol · L-1";
    if (result.pKaFitted) text += " et pKa ajusté = " + numbers::formatPicture(result.pKa, "#0.00");
    return text + " (écart type des résidus " + numbers::formatPicture(result.residualDeviation, "#0.00") +
           ")";
}

}  // namespace measurements
