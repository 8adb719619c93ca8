#pragma once
// The statistics a pupil computes on repeated results: mean, standard deviation, type A
// uncertainty and the 95 % interval; the quantiles and the histogram of a simulation's draws; and
// the z-score that compares a result with a reference value.
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace uncertainty {

struct Summary {
    int count = 0;
    double mean = 0;
    double standardDeviation = 0;    // s, with n − 1
    double standardUncertainty = 0;  // u = s/√n
    double halfWidth95 = 0;          // t(0,975; n − 1) · u
};

// Nothing for fewer than two values or values that are not all finite.
std::optional<Summary> summarize(std::span<const double> values);

// The p-quantile (0 ≤ p ≤ 1) of values sorted in ascending order, interpolated linearly between
// neighbouring ranks; nothing when there are none.
std::optional<double> sortedQuantile(std::span<const double> sorted, double p);

struct Histogram {
    double first = 0;  // the first bin's lower edge
    double width = 0;  // each bin's width (0 when every value is the same: one bin)
    std::vector<int> counts;
    double edge(int bin) const { return first + bin * width; }
};

// `bins` equal bins (1 to kMostBins) from the least value to the greatest, the greatest in the
// last bin; values that are not finite are left out.
inline constexpr int kMostBins = 200;
Histogram histogramOf(std::span<const double> values, int bins);

// |c − c_ref| / u(c) and what it says: compatible when z ≤ 2.
struct Agreement {
    double z = 0;
    bool compatible = false;
    std::string reading;  // "z = 0,83 ≤ 2 : le résultat est compatible avec la valeur de référence."
};
inline constexpr double kCompatibleZ = 2;
// Nothing when u(c) is not positive or a value is not finite.
std::optional<Agreement> agreementOf(double value, double uncertainty, double reference);

}  // namespace uncertainty
