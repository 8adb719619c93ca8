#include "chemistry/phsolver.h"

#include <cmath>

#include "numbers/single.h"

namespace chemistry::PhSolver {

namespace {

// Offset that keeps the bracket open when A or B is very small, mol · L-1.
constexpr double kBracketOffset = 1e-7;

// Every pass moves a bound or stops, so a solve takes a few dozen passes; the cap only guards
// against inputs such as NaN for which the bounds never compare equal.
constexpr int kMaxPasses = 2000;

// The bisection shared by both solves. `evaluate` returns the function at x, or NaN when its
// arithmetic fails; the previous value is then kept, as a failing step is skipped. The bounds
// move towards the root: a positive value means x is too high.
//
// Each pass depends on the sign found by the one before, so a solve is a chain of evaluations.
// To shorten the chain, the function is evaluated at once at the midpoint and at both midpoints
// the next pass may take; the passes themselves run one after the other exactly as before.
template <typename Evaluate>
int bisect(EngineState& state, bool stopWhenBoundsMeet, Evaluate evaluate) {
    const double A = state.dilutedConcentration;
    const double B = state.titrantConcentration;
    double lo = kKe / (B + kBracketOffset);
    double hi = A + kBracketOffset;
    if (!std::isfinite(lo)) lo = 0;
    double prevLo = 0;  // unset bounds compare as 0
    double prevHi = 0;
    double value = 0;
    int passes = 0;
    // One pass at x whose function value is v; true when the bisection stops.
    const auto pass = [&](float x, double v) {
        ++passes;
        if (std::isfinite(x)) state.solvedConcentration = x;
        value = std::isfinite(v) ? v : value;
        hi = value > 0 ? static_cast<double>(x) : hi;
        lo = value < 0 ? static_cast<double>(x) : lo;
        if (value == 0) return true;
        if (lo == prevLo && hi == prevHi) return true;
        prevLo = lo;
        prevHi = hi;
        return (stopWhenBoundsMeet && lo == hi) || passes >= kMaxPasses;
    };
    while (true) {
        const float x = numbers::toSingle((hi + lo) / 2);
        const float below = numbers::toSingle((static_cast<double>(x) + lo) / 2);  // next if x is too high
        const float above = numbers::toSingle((hi + static_cast<double>(x)) / 2);  // next if x is too low
        const double v = evaluate(static_cast<double>(x));
        const double vBelow = evaluate(static_cast<double>(below));
        const double vAbove = evaluate(static_cast<double>(above));
        if (pass(x, v)) break;
        const bool tooHigh = value > 0;
        if (pass(tooHigh ? below : above, tooHigh ? vBelow : vAbove)) break;
    }
    return passes;
}

}  // namespace

int solveBeakerAlone(EngineState& state) {
    const double A = state.dilutedConcentration;
    const double B = state.titrantConcentration;
    const double C = state.initialVolume;
    const double K = state.constantK;
    if (B != 0) numbers::storeSingle(state.equivalenceVolume, A * C / B);
    return bisect(state, true, [&](double x) { return x * x * x + K * x * x - (K * A + kKe) * x - K * kKe; });
}

namespace {

// N(h) = K·h·A·C − C·(h³ + K·h² − K·Ke − h·Ke), factored as C·(K·h·A − (h + K)·(h² − Ke)).
double numerator(const EngineState& s, double h) {
    const double A = s.dilutedConcentration;
    const double C = s.initialVolume;
    const double K = s.constantK;
    return C * (K * h * A - (h + K) * (h * h - kKe));
}

// Dn(h) = h³ + K·h² + B·(h² + K·h) − (K + h)·Ke, factored as (h + K)·(h² + B·h − Ke).
double denominator(const EngineState& s, double h) {
    const double B = s.titrantConcentration;
    const double K = s.constantK;
    return (h + K) * (h * h + B * h - kKe);
}

}  // namespace

double volumeForConcentration(const EngineState& state, double h) {
    const double d = denominator(state, h);
    if (d == 0 || !std::isfinite(d)) return std::nan("");
    return numerator(state, h) / d;
}

int solveAtVolume(EngineState& state, bool beakerIsAcid) {
    const double D = state.pouredVolume;
    // V(x) below the poured volume means x is too high, so the sign that moves the bounds is that
    // of D − N(x)/Dn(x), taken as the sign of (D·Dn − N)·Dn to spare a division on every pass.
    // Dn(x) = 0 leaves the previous sign, as a failing step would.
    const int passes = bisect(state, false, [&](double x) {
        const double dn = denominator(state, x);
        if (dn == 0) return std::nan("");
        const double t = D * dn - numerator(state, x);
        return dn > 0 ? t : -t;
    });
    const float x = state.solvedConcentration;
    if (x > 0) {
        float pH = state.pH;
        if (numbers::storeSingle(pH, -std::log10(static_cast<double>(x)))) {
            if (!beakerIsAcid) numbers::storeSingle(pH, 14.0 - pH);
            state.pH = pH;
        }
    }
    return passes;
}

}  // namespace chemistry::PhSolver
