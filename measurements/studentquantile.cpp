#include "measurements/studentquantile.h"

#include <algorithm>
#include <cmath>

namespace measurements {

namespace {

constexpr int kMaxFractionTerms = 20000;
constexpr double kFractionTolerance = 1e-15;
constexpr double kTiny = 1e-300;
// Beyond this many degrees the quantile differs from the normal law's by a few millionths, and the
// continued fraction, whose length grows as √degrees, would only cost more.
constexpr int kMaxDegrees = 1000000;
constexpr int kMaxDoublings = 64;
constexpr int kMaxHalvings = 200;

// The continued fraction of the regularized incomplete beta function (modified Lentz), which
// converges for x < (a + 1) / (a + b + 2).
std::optional<double> betaFraction(double a, double b, double x) {
    const auto awayFromZero = [](double v) { return std::abs(v) < kTiny ? kTiny : v; };
    double c = 1;
    double d = 1 / awayFromZero(1 - (a + b) * x / (a + 1));
    double fraction = d;
    // Each term's two steps, the even then the odd coefficient.
    const auto step = [&](double coefficient) {
        d = 1 / awayFromZero(1 + coefficient * d);
        c = awayFromZero(1 + coefficient / c);
        fraction *= d * c;
        return d * c;
    };
    for (int m = 1; m <= kMaxFractionTerms; ++m) {
        const double twoM = 2.0 * m;
        step(m * (b - m) * x / ((a + twoM - 1) * (a + twoM)));
        const double change = step(-(a + m) * (a + b + m) * x / ((a + twoM) * (a + twoM + 1)));
        if (std::abs(change - 1) < kFractionTolerance) return fraction;
    }
    return std::nullopt;
}

// I_x(a, b).
std::optional<double> incompleteBeta(double a, double b, double x) {
    if (x <= 0) return 0.0;
    if (x >= 1) return 1.0;
    const double logFront =
        std::lgamma(a + b) - std::lgamma(a) - std::lgamma(b) + a * std::log(x) + b * std::log1p(-x);
    const double front = std::exp(logFront);
    if (x < (a + 1) / (a + b + 2)) {
        const auto fraction = betaFraction(a, b, x);
        if (!fraction) return std::nullopt;
        return front * *fraction / a;
    }
    const auto fraction = betaFraction(b, a, 1 - x);
    if (!fraction) return std::nullopt;
    return 1 - front * *fraction / b;
}

// P(T > t) for t ≥ 0: ½ I_{ν/(ν+t²)}(ν/2, ½).
std::optional<double> upperTail(double t, double degrees) {
    const auto beta = incompleteBeta(degrees / 2, 0.5, degrees / (degrees + t * t));
    if (!beta) return std::nullopt;
    return *beta / 2;
}

}  // namespace

std::optional<double> studentQuantile(double probability, int degrees) {
    if (degrees < 1 || !(probability > 0 && probability < 1)) return std::nullopt;
    const double nu = std::min(degrees, kMaxDegrees);
    // The law is symmetric: the upper tail's quantile, negated below the median.
    const double tail = probability > 0.5 ? 1 - probability : probability;
    const double sign = probability > 0.5 ? 1 : -1;
    if (tail == 0.5) return 0.0;
    double low = 0;
    double high = 1;
    for (int i = 0;; ++i) {
        const auto above = upperTail(high, nu);
        if (!above || i == kMaxDoublings) return std::nullopt;
        if (*above <= tail) break;
        low = high;
        high *= 2;
    }
    for (int i = 0; i < kMaxHalvings && high - low > 1e-13 * high; ++i) {
        const double middle = (low + high) / 2;
        const auto above = upperTail(middle, nu);
        if (!above) return std::nullopt;
        (*above > tail ? low : high) = middle;
    }
    const double t = sign * (low + high) / 2;
    return std::isfinite(t) ? std::optional<double>(t) : std::nullopt;
}

}  // namespace measurements
