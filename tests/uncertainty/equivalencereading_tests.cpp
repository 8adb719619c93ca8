// The equivalence volume each method reads on a model, against the closed formula V_E = c₀·V₀/c
// for a strong acid and a strong base, and against the peak of dpH/dV found on a reference curve
// V(pH) written here for a weak one.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <optional>
#include <string>

#include "chemistry/chemistry.h"
#include "uncertainty/equivalencereading.h"

using chemistry::SolutionSpec;
using uncertainty::EquivalenceMethod;

namespace {

constexpr double kKe = 1e-14;

struct Titration {
    const char* why;
    bool acid;
    int species;  // in the list of its nature
    double pKa;   // the conjugate acid's, as the catalogue lists it
    double concentration;
    double volume;
    double titrant;
};

std::string decimalComma(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    std::string s = text;
    if (const auto dot = s.find('.'); dot != std::string::npos) s[dot] = ',';
    return s;
}

SolutionSpec setUpOf(const Titration& t) {
    SolutionSpec s;
    s.beakerIsAcid = t.acid;
    s.speciesIndex = t.species;
    s.beakerConcentration = decimalComma(t.concentration);
    s.beakerVolume = decimalComma(t.volume);
    s.titrantConcentration = decimalComma(t.titrant);
    return s;
}

double closedEquivalence(const Titration& t) {
    return t.concentration * t.volume / t.titrant;
}

// The poured volume at which the beaker's p (pH for an acid, pOH for a base) is reached: the
// charge balance solved for V, x = 10^−p being [H₃O⁺] or [HO⁻] and K the beaker's constant.
double volumeAt(const Titration& t, double p) {
    const double x = std::pow(10.0, -p);
    const double K = t.acid ? std::pow(10.0, -t.pKa) : std::pow(10.0, t.pKa - 14);
    const double bound = t.concentration * K / (x + K);
    return t.volume * (bound - x + kKe / x) / (t.titrant + x - kKe / x);
}

// Where dpH/dV peaks, that is where dV/dp is least, p scanned then narrowed by golden sections.
double referencePeak(const Titration& t) {
    const auto dVdp = [&](double p) { return (volumeAt(t, p + 1e-6) - volumeAt(t, p - 1e-6)) / 2e-6; };
    const double expected = closedEquivalence(t);
    double best = 0;
    double least = INFINITY;
    for (double p = 1; p < 13; p += 1e-3) {
        const double v = volumeAt(t, p);
        if (std::abs(v - expected) > 1) continue;
        if (const double d = std::abs(dVdp(p)); d < least) {
            least = d;
            best = p;
        }
    }
    double lo = best - 2e-3;
    double hi = best + 2e-3;
    const double ratio = (std::sqrt(5.0) - 1) / 2;
    for (int i = 0; i < 60; ++i) {
        const double a = hi - ratio * (hi - lo);
        const double b = lo + ratio * (hi - lo);
        if (std::abs(dVdp(a)) < std::abs(dVdp(b))) {
            hi = b;
        } else {
            lo = a;
        }
    }
    return volumeAt(t, (lo + hi) / 2);
}

std::optional<double> read(const Titration& t, EquivalenceMethod method) {
    const chemistry::SpeciesCatalogue catalogue;
    const auto model = chemistry::makeTitrationModel(setUpOf(t), catalogue);
    return uncertainty::readEquivalence(*model, method, {closedEquivalence(t), t.volume, t.acid});
}

const Titration kStrong[] = {
    {"hydrochloric acid by soda, equal concentrations", true, 2, 0, 0.01, 20, 0.01},
    {"a concentrated acid, the jump wide", true, 2, 0, 0.1, 10, 0.1},
    {"an equivalence early in the burette", true, 2, 0, 0.005, 10, 0.02},
    {"an equivalence late in the burette", true, 2, 0, 0.011, 20, 0.01},
    {"soda by hydrochloric acid, the curve falling", false, 8, 14, 0.01, 15, 0.01},
};

const Titration kWeak[] = {
    {"the start-up acid, whose peak precedes the equivalence", true, 0, 3.6, 0.01, 20, 0.01},
    {"ethanoic acid, a buffer before the jump", true, 4, 4.75, 0.02, 10, 0.01},
    {"ammonia, a weak base falling", false, 1, 9.2, 0.01, 20, 0.02},
    {"hydrochloric acid diluted, the jump narrow", true, 2, 0, 0.001, 20, 0.001},
    {"hypochlorous acid diluted, the peak away from the equivalence", true, 6, 7.3, 0.002, 20, 0.002},
};

TEST(EquivalenceReading, EveryMethodReadsAStrongTitrationAtItsClosedFormula) {
    // Tangents and lines place E by construction; a strong titration's curve leaves them within a
    // hundredth of a millilitre, far below a burette's tolerance.
    for (const Titration& t : kStrong) {
        for (const EquivalenceMethod method : uncertainty::kEquivalenceMethods) {
            SCOPED_TRACE(std::string(t.why) + ", " + std::string(uncertainty::methodName(method)));
            const std::optional<double> volume = read(t, method);
            ASSERT_TRUE(volume.has_value());
            EXPECT_NEAR(*volume, closedEquivalence(t), 0.01);
        }
    }
}

TEST(EquivalenceReading, TheDerivativePeakIsWhereTheReferenceCurveIsSteepest) {
    for (const Titration& t : kWeak) {
        SCOPED_TRACE(t.why);
        const std::optional<double> volume = read(t, EquivalenceMethod::DerivativePeak);
        ASSERT_TRUE(volume.has_value());
        EXPECT_NEAR(*volume, referencePeak(t), 2e-3);
    }
}

TEST(EquivalenceReading, NoVolumeIsReadBeyondTheBurette) {
    const Titration beyond{"an equivalence at 30 mL", true, 2, 0, 0.015, 20, 0.01};
    for (const EquivalenceMethod method : uncertainty::kEquivalenceMethods) {
        SCOPED_TRACE(uncertainty::methodName(method));
        EXPECT_FALSE(read(beyond, method).has_value());
    }
}

}  // namespace
