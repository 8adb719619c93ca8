#include "measurements/fitsearch.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace measurements::fitsearch {

namespace {

constexpr double kInfinite = std::numeric_limits<double>::infinity();
constexpr int kMaxIterations = 100;
constexpr int kMaxDampingTries = 30;
// Steps of the scan, in log10 c₂ and in pKa, by the number of parameters: a finer one costs time,
// not accuracy, since the refinement starts from the scan's best points.
constexpr std::array<double, kMaxFitParameters> kConcentrationScanStep{0.1, 0.25, 0.5};
constexpr double kPKaScanStep = 1.0;
// Differences over this step: far above the grain of a single-precision solver.
constexpr double kDifferenceStep = 1e-3;
// A step shorter than this (in log10 c₂ or in pKa) is not worth a pass over the points.
constexpr double kNegligibleStep = 1e-9;
// Nor another iteration: it changes c₂ by 0,02 % and the pKa by 10⁻⁴, far below what is shown.
constexpr double kSettledStep = 1e-4;
// A result this close to a limit of the range is taken as lying beyond it.
constexpr double kBoundTolerance = 1e-6;
// How often a pass over the points looks whether it was asked to stop.
constexpr std::size_t kStopCheckInterval = 256;

// Equally spaced values from low to high, both included.
std::vector<double> scanValues(double low, double high, double step) {
    const int intervals = std::clamp(static_cast<int>(std::ceil((high - low) / step)), 1, 1000);
    std::vector<double> values;
    for (int i = 0; i <= intervals; ++i) values.push_back(low + (high - low) * i / intervals);
    return values;
}

}  // namespace

Objective::Objective(std::span<const MeasuredPoint> points, const ReadingModel& model, std::size_t slot,
                     const FitSettings& settings, std::stop_token stop)
    : m_points(points), m_model(model), m_slot(slot), m_settings(settings), m_stop(std::move(stop)) {
    m_settings.fittedPKaCount = std::clamp(m_settings.fittedPKaCount, 0, kMaxFittedPKa);
    m_low = {std::log10(settings.minConcentration), settings.minPKa, settings.minPKa};
    m_high = {std::log10(settings.maxConcentration), settings.maxPKa, settings.maxPKa};
}

ModelParameters Objective::modelParameters(const ParameterVector& p) const {
    ModelParameters parameters;
    parameters.concentration = std::pow(10.0, p[0]);
    parameters.pKa = m_settings.pKa;
    for (int k = 0; k < m_settings.fittedPKaCount; ++k) parameters.pKa[k] = p[k + 1];
    return parameters;
}

ParameterVector Objective::normalise(ParameterVector p) const {
    for (int k = 0; k < count(); ++k) p[k] = std::clamp(p[k], m_low[k], m_high[k]);
    if (count() == 3 && p[1] > p[2]) std::swap(p[1], p[2]);
    return p;
}

bool Objective::atLimit(const ParameterVector& p, int k) const {
    return p[k] <= m_low[k] + kBoundTolerance || p[k] >= m_high[k] - kBoundTolerance;
}

bool Objective::residuals(const ParameterVector& p, std::span<const std::size_t> chosen,
                          std::vector<double>& out) const {
    out.resize(chosen.size());
    const ModelParameters parameters = modelParameters(p);
    for (std::size_t k = 0; k < chosen.size(); ++k) {
        if (k % kStopCheckInterval == 0 && m_stop.stop_requested()) return false;
        const MeasuredPoint& point = m_points[chosen[k]];
        const auto reading = m_model(point.volume, parameters);
        if (!reading || !std::isfinite(*reading)) return false;
        out[k] = *reading - point.reading(m_slot);
    }
    return true;
}

double Objective::cost(const ParameterVector& p, std::span<const std::size_t> chosen,
                       std::vector<double>& out) const {
    if (!residuals(p, chosen, out)) return kInfinite;
    double sum = 0;
    for (const double r : out) sum += r * r;
    return std::isfinite(sum) ? sum : kInfinite;
}

bool Objective::normalEquations(const ParameterVector& p, std::span<const std::size_t> chosen,
                                const std::vector<double>& r, NormalMatrix& a, ParameterVector& g) const {
    const int n = count();
    std::array<std::vector<double>, kMaxFitParameters> derivatives;
    for (int k = 0; k < n; ++k) {
        ParameterVector moved = p;
        // Forward, unless that leaves the range or passes the other pKa.
        double step = kDifferenceStep;
        if (p[k] + step > m_high[k] || (n == 3 && k == 1 && p[1] + step > p[2])) step = -step;
        moved[k] += step;
        if (!residuals(moved, chosen, derivatives[k])) return false;
        for (std::size_t i = 0; i < r.size(); ++i) derivatives[k][i] = (derivatives[k][i] - r[i]) / step;
    }
    a = NormalMatrix(n);
    g = {};
    for (std::size_t i = 0; i < r.size(); ++i) {
        ParameterVector row{};
        for (int k = 0; k < n; ++k) {
            row[k] = derivatives[k][i];
            g[k] += row[k] * r[i];
        }
        a.addRow(row);
    }
    return true;
}

PointChoice allPoints(std::span<const MeasuredPoint> points) {
    PointChoice order(points.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return points[a].volume < points[b].volume; });
    return order;
}

PointChoice spreadPoints(std::span<const MeasuredPoint> points, std::size_t count) {
    PointChoice order = allPoints(points);
    if (order.size() <= count || count < 2) return order;
    PointChoice chosen;
    chosen.reserve(count);
    for (std::size_t k = 0; k < count; ++k) chosen.push_back(order[k * (order.size() - 1) / (count - 1)]);
    return chosen;
}

std::vector<Candidate> scanValleys(const Objective& f, std::span<const std::size_t> chosen,
                                   std::size_t limit) {
    const int n = f.count();
    std::array<std::vector<double>, kMaxFitParameters> axes;
    axes[0] = scanValues(f.low(0), f.high(0), kConcentrationScanStep[static_cast<std::size_t>(n - 1)]);
    for (int k = 1; k < kMaxFitParameters; ++k)
        axes[k] = k < n ? scanValues(f.low(k), f.high(k), kPKaScanStep) : std::vector<double>{0.0};
    const std::array<int, kMaxFitParameters> sizes{
        static_cast<int>(axes[0].size()), static_cast<int>(axes[1].size()), static_cast<int>(axes[2].size())};
    const auto index = [&](int i, int j, int k) {
        return static_cast<std::size_t>(i) +
               static_cast<std::size_t>(sizes[0]) *
                   (static_cast<std::size_t>(j) +
                    static_cast<std::size_t>(sizes[1]) * static_cast<std::size_t>(k));
    };
    const auto parametersAt = [&](int i, int j, int k) {
        return ParameterVector{axes[0][i], axes[1][j], axes[2][k]};
    };

    std::vector<double> costs(index(0, 0, sizes[2]), kInfinite);
    std::vector<double> residuals;
    for (int k = 0; k < sizes[2]; ++k) {
        for (int j = 0; j < sizes[1]; ++j) {
            // Both orders of two pKa give the same curve: only the ascending one is computed.
            if (n == 3 && j > k) continue;
            for (int i = 0; i < sizes[0]; ++i)
                costs[index(i, j, k)] = f.cost(parametersAt(i, j, k), chosen, residuals);
        }
    }
    std::vector<Candidate> valleys;
    for (int k = 0; k < sizes[2]; ++k) {
        for (int j = 0; j < sizes[1]; ++j) {
            for (int i = 0; i < sizes[0]; ++i) {
                const double c = costs[index(i, j, k)];
                if (!std::isfinite(c)) continue;
                const auto lower = [&](int a, int b, int d) {
                    return a < 0 || a >= sizes[0] || b < 0 || b >= sizes[1] || d < 0 || d >= sizes[2] ||
                           c <= costs[index(a, b, d)];
                };
                if (lower(i - 1, j, k) && lower(i + 1, j, k) && lower(i, j - 1, k) && lower(i, j + 1, k) &&
                    lower(i, j, k - 1) && lower(i, j, k + 1)) {
                    valleys.push_back({parametersAt(i, j, k), c, false, {}, {}});
                }
            }
        }
    }
    std::sort(valleys.begin(), valleys.end(),
              [](const Candidate& a, const Candidate& b) { return a.cost < b.cost; });
    if (valleys.size() > limit) valleys.resize(limit);
    return valleys;
}

// Converged when a step shorter than kSettledStep is taken or refused: the minimum, to the
// model's grain (near the jump a single-precision solver's pH is grainy enough that so short a
// step may raise the sum). The normal matrix is the one the last step came from, which at that
// distance is the one at the result.
Candidate refine(const Objective& f, const Candidate& start, std::span<const std::size_t> chosen) {
    const int n = f.count();
    Candidate current = start;
    current.converged = false;
    std::vector<double> r;
    current.cost = f.cost(current.parameters, chosen, r);
    if (!std::isfinite(current.cost)) return current;
    const auto settle = [&current, &r](const NormalMatrix& a) {
        current.converged = true;
        current.normal = a;
        current.residuals = std::move(r);
        return current;
    };
    std::vector<double> trial;
    double lambda = 1e-3;
    for (int iteration = 0; iteration < kMaxIterations; ++iteration) {
        NormalMatrix a;
        ParameterVector g{};
        if (!f.normalEquations(current.parameters, chosen, r, a, g)) return current;
        const ParameterVector downhill{-g[0], -g[1], -g[2]};
        for (int attempt = 0;; ++attempt, lambda *= 10) {
            // Every step refused, each shorter than the one before: no step lowers the sum.
            if (attempt == kMaxDampingTries) return f.stopped() ? current : settle(a);
            const auto delta = a.solve(downhill, lambda);
            if (!delta) continue;
            double size = 0;
            for (int k = 0; k < n; ++k) size = std::max(size, std::abs((*delta)[k]));
            if (size < kNegligibleStep) return settle(a);
            ParameterVector next = current.parameters;
            for (int k = 0; k < n; ++k) next[k] += (*delta)[k];
            next = f.normalise(next);
            const double cost = f.cost(next, chosen, trial);
            if (cost < current.cost) {
                current.parameters = next;
                current.cost = cost;
                r.swap(trial);
                lambda = std::max(lambda / 10, 1e-12);
                if (size < kSettledStep) return settle(a);
                break;
            }
            if (size < kSettledStep) return f.stopped() ? current : settle(a);
        }
    }
    return current;
}

}  // namespace measurements::fitsearch
