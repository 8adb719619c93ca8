#include "numbers/trigonometry.h"

#include <cmath>
#include <initializer_list>
#include <utility>

namespace numbers {
namespace {

// π/2 = kHalfPi1 + kHalfPi2 + kHalfPi3 + kHalfPi3Tail; the first three have 33 significant bits,
// so n × each of them is exact for the n reached below.
constexpr double kHalfPi1 = 1.57079632673412561417e+00;
constexpr double kHalfPi1Tail = 6.07710050650619224932e-11;
constexpr double kHalfPi2 = 6.07710050630396597660e-11;
constexpr double kHalfPi2Tail = 2.02226624879595063154e-21;
constexpr double kHalfPi3 = 2.02226624871116645580e-21;
constexpr double kHalfPi3Tail = 8.47842766036889956997e-32;
constexpr double kTwoOverPi = 6.36619772367581382433e-01;
// Beyond 2^19 · π/2 the quotient no longer keeps the products exact.
constexpr double kLargestReduced = 823549.6;

struct Reduced {
    double head = 0;  // the angle less n · π/2, as head + tail, within about π/4 of zero
    double tail = 0;
    int quadrant = 0;  // n mod 4
};

Reduced reduced(double x) {
    const double n = std::nearbyint(x * kTwoOverPi);
    double r = x - n * kHalfPi1;
    double w = n * kHalfPi1Tail;
    for (const auto& [part, tail] : {std::pair{kHalfPi2, kHalfPi2Tail}, std::pair{kHalfPi3, kHalfPi3Tail}}) {
        const double t = r;
        w = n * part;
        r = t - w;
        w = n * tail - ((t - r) - w);
    }
    const double head = r - w;
    const auto quadrant = static_cast<int>(std::fmod(n, 4.0) + 4.0) % 4;
    return {head, (r - head) - w, quadrant};
}

// sin and cos of head + tail, |tail| being far below an ulp of head.
double sinOf(const Reduced& a) {
    return std::sin(a.head) + a.tail * std::cos(a.head);
}
double cosOf(const Reduced& a) {
    return std::cos(a.head) - a.tail * std::sin(a.head);
}

// The sine of the reduced angle turned by `shift` more quarter turns: cos x = sin(x + π/2).
double turnedSine(const Reduced& a, int shift) {
    switch ((a.quadrant + shift) % 4) {
        case 0:
            return sinOf(a);
        case 1:
            return cosOf(a);
        case 2:
            return -sinOf(a);
        default:
            return -cosOf(a);
    }
}

}  // namespace

double sine(double radians) {
    if (!(std::fabs(radians) < kLargestReduced)) return std::sin(radians);
    return turnedSine(reduced(radians), 0);
}

double cosine(double radians) {
    if (!(std::fabs(radians) < kLargestReduced)) return std::cos(radians);
    return turnedSine(reduced(radians), 1);
}

double tangent(double radians) {
    if (!(std::fabs(radians) < kLargestReduced)) return std::tan(radians);
    const Reduced a = reduced(radians);
    return a.quadrant % 2 == 0 ? sinOf(a) / cosOf(a) : -cosOf(a) / sinOf(a);
}

}  // namespace numbers
