#include "uncertainty/statistics.h"

#include <algorithm>
#include <cmath>

#include "measurements/studentquantile.h"
#include "numbers/picture.h"

namespace uncertainty {

std::optional<Summary> summarize(std::span<const double> values) {
    const auto n = static_cast<int>(values.size());
    if (n < 2 || !std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); }))
        return std::nullopt;
    Summary s;
    s.count = n;
    double sum = 0;
    for (const double v : values) sum += v;
    s.mean = sum / n;
    // Deviations from the mean, not the sum of squares, whose difference loses the digits that
    // matter when the spread is small beside the mean.
    double squares = 0;
    for (const double v : values) squares += (v - s.mean) * (v - s.mean);
    s.standardDeviation = std::sqrt(squares / (n - 1));
    s.standardUncertainty = s.standardDeviation / std::sqrt(static_cast<double>(n));
    const std::optional<double> t = measurements::studentQuantile(0.975, n - 1);
    if (!t || !std::isfinite(s.standardDeviation)) return std::nullopt;
    s.halfWidth95 = *t * s.standardUncertainty;
    return s;
}

std::optional<double> sortedQuantile(std::span<const double> sorted, double p) {
    if (sorted.empty() || !(p >= 0 && p <= 1)) return std::nullopt;
    const double rank = p * static_cast<double>(sorted.size() - 1);
    const auto below = static_cast<std::size_t>(std::floor(rank));
    const std::size_t above = std::min(below + 1, sorted.size() - 1);
    const double fraction = rank - static_cast<double>(below);
    return sorted[below] + fraction * (sorted[above] - sorted[below]);
}

Histogram histogramOf(std::span<const double> values, int bins) {
    Histogram h;
    bins = std::clamp(bins, 1, kMostBins);
    double least = 0;
    double greatest = 0;
    bool any = false;
    for (const double v : values) {
        if (!std::isfinite(v)) continue;
        least = any ? std::min(least, v) : v;
        greatest = any ? std::max(greatest, v) : v;
        any = true;
    }
    if (!any) return h;
    h.first = least;
    if (!(greatest > least)) {
        h.counts.assign(1, 0);
    } else {
        h.width = (greatest - least) / bins;
        h.counts.assign(static_cast<std::size_t>(bins), 0);
    }
    const int last = static_cast<int>(h.counts.size()) - 1;
    for (const double v : values) {
        if (!std::isfinite(v)) continue;
        const int bin = h.width > 0 ? static_cast<int>((v - least) / h.width) : 0;
        ++h.counts[static_cast<std::size_t>(std::clamp(bin, 0, last))];
    }
    return h;
}

std::optional<Agreement> agreementOf(double value, double uncertainty, double reference) {
    if (!(uncertainty > 0) || !std::isfinite(uncertainty) || !std::isfinite(value) ||
        !std::isfinite(reference))
        return std::nullopt;
    Agreement a;
    a.z = std::abs(value - reference) / uncertainty;
    if (!std::isfinite(a.z)) return std::nullopt;
    a.compatible = a.z <= kCompatibleZ;
    const std::string z = "z = " + numbers::formatPicture(a.z, "#0.00");
    a.reading = a.compatible ? z + " ≤ 2 : le résultat est compatible avec la valeur de référence."
                             : z + " > 2 : le résultat n'est pas compatible avec la valeur de référence.";
    return a;
}

}  // namespace uncertainty
