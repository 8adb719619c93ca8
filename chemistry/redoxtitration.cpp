// The beaker of an oxidation-reduction titration at equilibrium: the beaker's couple and the
// titrant's by Nernst's law, each couple's element balance, the electron balance and the protons
// the half-reactions take from the sulfuric acid.
#include <cmath>
#include <cstdio>
#include <limits>
#include <numeric>
#include <string>

#include "chemistry/phsolver.h"
#include "chemistry/redox.h"
#include "chemistry/titration.h"

namespace chemistry {

namespace {

constexpr double kHydrogenSulfateKa = 0.010232929922807541;  // 10^-1.99
// Before any pouring the beaker's species alone would put E at ±∞: the air leaves a trace of
// its conjugate form, this share of it. Once titrant is poured the reaction makes that form, and
// the trace is left out so that it does not shift the equivalence.
constexpr double kAirTrace = 1e-6;
constexpr int kMaxIterations = 200;
constexpr double kLowestPotential = -2.5;  // V, below every couple
constexpr double kHighestPotential = 3.5;  // V, above every couple
constexpr double kLowestLogH = -30;
constexpr double kHighestLogH = 3;

// One couple in the beaker: how much of it there is, in half-reactions (Ox/a + Red/b), and which
// of its forms was put in.
struct CoupleInBeaker {
    const RedoxCouple* couple = nullptr;
    bool putInAsOxidant = false;
    double total = 0;  // mol · L-1 of half-reactions
};

// A couple's forms at a potential and an acidity.
struct Split {
    double oxidant = 0;    // mol · L-1
    double reductant = 0;  // mol · L-1; 0 for the solvent
    double produced = 0;   // half-reactions of the form not put in, mol · L-1
    double remaining = 0;  // half-reactions of the form put in, mol · L-1
};

// Nernst: E = E° + (s/n)·log(Ox^a·h^m / Red^b), so log(Ox^a / Red^b) = n(E − E°)/s − m·log h. Each
// case computes the minor form directly, the major one from the balance Ox/a + Red/b = total.
Split splitAt(const CoupleInBeaker& c, double potential, double logH) {
    const RedoxCouple& couple = *c.couple;
    const double logQ =
        couple.electrons * (potential - couple.standardPotential) / kNernstSlope - couple.protons * logH;
    const int a = couple.oxidantCoefficient;
    const int b = couple.reductantCoefficient;
    const double total = c.total;
    Split split;
    double oxidisedUnits = 0;
    double reducedUnits = 0;
    if (b == 0) {
        // The solvent's activity is 1: Ox^a = Q. The water is not oxidised into more of it than
        // was poured.
        split.oxidant = std::min(std::pow(10.0, logQ / a), a * total);
        oxidisedUnits = split.oxidant / a;
        reducedUnits = total - oxidisedUnits;
    } else if (a == 1 && b == 1) {
        const double r = std::pow(10.0, -std::abs(logQ));
        const double major = total / (1 + r);
        const double minor = total * r / (1 + r);
        split.oxidant = logQ >= 0 ? major : minor;
        split.reductant = logQ >= 0 ? minor : major;
        oxidisedUnits = split.oxidant;
        reducedUnits = split.reductant;
    } else if (a == 1 && b == 2) {
        // Ox = Q·Red², Ox + Red/2 = total.
        const double q = std::pow(10.0, logQ);
        split.reductant = 2 * total / (0.5 + std::sqrt(0.25 + 4 * q * total));
        split.oxidant =
            split.reductant < total ? total - split.reductant / 2 : q * split.reductant * split.reductant;
        oxidisedUnits = split.oxidant;
        reducedUnits = split.reductant / 2;
    } else if (a == 2 && b == 1) {
        // Ox² = Q·Red, Ox/2 + Red = total.
        const double inverse = std::pow(10.0, -logQ);
        split.oxidant = 2 * total / (0.5 + std::sqrt(0.25 + 4 * inverse * total));
        split.reductant =
            split.oxidant < total ? total - split.oxidant / 2 : inverse * split.oxidant * split.oxidant;
        oxidisedUnits = split.oxidant / 2;
        reducedUnits = split.reductant;
    } else {
        split.produced = std::numeric_limits<double>::quiet_NaN();
        split.remaining = split.produced;
        return split;
    }
    split.produced = c.putInAsOxidant ? reducedUnits : oxidisedUnits;
    split.remaining = c.putInAsOxidant ? oxidisedUnits : reducedUnits;
    return split;
}

// Brent's method on a bracket where f changes sign, f known at its ends; nothing when it does not
// change sign, or f is not a number.
template <typename F>
std::optional<double> findRoot(F f, double low, double high, double fLow, double fHigh, double tolerance) {
    double a = low;
    double b = high;
    double fa = fLow;
    double fb = fHigh;
    if (!std::isfinite(fa) || !std::isfinite(fb) || (fa > 0) == (fb > 0)) {
        if (fa == 0) return a;
        if (fb == 0) return b;
        return std::nullopt;
    }
    double c = b;
    double fc = fb;
    double d = b - a;
    double e = d;
    for (int i = 0; i < kMaxIterations; ++i) {
        if ((fb > 0) == (fc > 0)) {
            c = a;
            fc = fa;
            d = b - a;
            e = d;
        }
        if (std::abs(fc) < std::abs(fb)) {
            a = b;
            b = c;
            c = a;
            fa = fb;
            fb = fc;
            fc = fa;
        }
        const double tol = 2 * 1e-16 * std::abs(b) + tolerance / 2;
        const double m = (c - b) / 2;
        if (std::abs(m) <= tol || fb == 0) return b;
        if (std::abs(e) >= tol && std::abs(fa) > std::abs(fb)) {
            // Inverse quadratic interpolation, or the secant when two points coincide.
            const double s = fb / fa;
            double p = 0;
            double q = 0;
            if (a == c) {
                p = 2 * m * s;
                q = 1 - s;
            } else {
                const double r = fb / fc;
                const double t = fa / fc;
                p = s * (2 * m * t * (t - r) - (b - a) * (r - 1));
                q = (t - 1) * (r - 1) * (s - 1);
            }
            if (p > 0) {
                q = -q;
            } else {
                p = -p;
            }
            if (2 * p < std::min(3 * m * q - std::abs(tol * q), std::abs(e * q))) {
                e = d;
                d = p / q;
            } else {
                d = m;
                e = d;
            }
        } else {
            d = m;
            e = d;
        }
        a = b;
        fa = fb;
        b += std::abs(d) > tol ? d : (m > 0 ? tol : -tol);
        fb = f(b);
        if (!std::isfinite(fb)) return std::nullopt;
    }
    return b;
}

template <typename F>
std::optional<double> findRoot(F f, double low, double high, double tolerance) {
    return findRoot(f, low, high, f(low), f(high), tolerance);
}

// The root of an increasing f within [low, high], looked for first within `step` of a guess, the
// bracket widened until f changes sign.
template <typename F>
std::optional<double> findRootNear(F f, double guess, double step, double low, double high,
                                   double tolerance) {
    double a = std::max(low, guess - step);
    double b = std::min(high, guess + step);
    double fa = f(a);
    double fb = f(b);
    for (int i = 0; i < 20 && (fa > 0 || fb < 0) && std::isfinite(fa) && std::isfinite(fb); ++i) {
        step *= 4;
        if (fa > 0) {
            if (a <= low) break;
            b = a;
            fb = fa;
            a = std::max(low, a - step);
            fa = f(a);
        } else {
            if (b >= high) break;
            a = b;
            fa = fb;
            b = std::min(high, b + step);
            fb = f(b);
        }
    }
    return findRoot(f, a, b, fa, fb, tolerance);
}

const RedoxCouple& coupleOf(int species) {
    return redoxCouples()[static_cast<std::size_t>(redoxSpecies()[static_cast<std::size_t>(species)].couple)];
}

bool putInAsOxidant(int species) {
    return redoxSpecies()[static_cast<std::size_t>(species)].oxidant;
}

// The coefficient of a species in its couple's half-reaction.
int coefficientOf(int species) {
    const RedoxCouple& couple = coupleOf(species);
    return putInAsOxidant(species) ? couple.oxidantCoefficient : couple.reductantCoefficient;
}

// The H⁺ the reaction takes (negative: gives) per electron exchanged, from the balanced
// half-reactions: a reduction takes m H⁺ for n e⁻, an oxidation gives them back.
double protonsPerElectron(const RedoxSetUp& setUp) {
    const RedoxCouple& beaker = coupleOf(setUp.beakerSpecies);
    const RedoxCouple& titrant = coupleOf(setUp.titrantSpecies);
    const bool beakerOxidant = putInAsOxidant(setUp.beakerSpecies);
    const RedoxCouple& ox = beakerOxidant ? beaker : titrant;
    const RedoxCouple& red = beakerOxidant ? titrant : beaker;
    return static_cast<double>(ox.protons) / ox.electrons - static_cast<double>(red.protons) / red.electrons;
}

// The most H⁺ the reaction takes between 0 and 25 mL poured, mmol: at the equivalence, or at
// 25 mL when it lies beyond.
double protonsTaken(const RedoxSetUp& setUp) {
    const double volume = std::min(redoxEquivalenceVolume(setUp), kBuretteCapacity);
    const int titrantElectrons = coupleOf(setUp.titrantSpecies).electrons;
    const double electrons =
        titrantElectrons * setUp.titrantConcentration * volume / coefficientOf(setUp.titrantSpecies);
    return protonsPerElectron(setUp) * electrons;
}

}  // namespace

std::optional<RedoxSetUp> redoxSetUp(const SolutionSpec& solution) {
    if (solution.kind != TitrationKind::Redox) return std::nullopt;
    const SetUpQuantities q = setUpQuantities(solution);
    RedoxSetUp setUp;
    setUp.beakerSpecies = solution.redox.beakerSpecies;
    setUp.titrantSpecies = solution.redox.titrantSpecies;
    setUp.indicator = solution.redox.indicator;
    if (!titrationHappens(setUp.beakerSpecies, setUp.titrantSpecies)) return std::nullopt;
    if (setUp.indicator < 0 || setUp.indicator >= static_cast<int>(redoxIndicators().size()))
        return std::nullopt;
    if (!quantityWithin(q.beakerConcentration, 1e-12, 10, setUp.beakerConcentration) ||
        !quantityWithin(q.beakerVolume, 1e-6, 1e4, setUp.beakerVolume) ||
        !quantityWithin(q.waterVolume, 0, 1e4, setUp.waterVolume) ||
        !quantityWithin(q.titrantConcentration, 1e-12, 10, setUp.titrantConcentration) ||
        !singleValueWithin(solution.redox.sulfuricAcid, 0, 20, setUp.sulfuricAcid))
        return std::nullopt;
    return setUp;
}

double redoxEquivalenceVolume(const RedoxSetUp& setUp) {
    if (!titrationHappens(setUp.beakerSpecies, setUp.titrantSpecies)) return 0;
    // Equal electrons: n_B·C₀·V₀ / coefficient_B = n_T·C·V / coefficient_T.
    const double beakerElectrons = coupleOf(setUp.beakerSpecies).electrons * setUp.beakerConcentration *
                                   setUp.beakerVolume / coefficientOf(setUp.beakerSpecies);
    const double perTitrantMl = coupleOf(setUp.titrantSpecies).electrons * setUp.titrantConcentration /
                                coefficientOf(setUp.titrantSpecies);
    const double volume = beakerElectrons / perTitrantMl;
    return std::isfinite(volume) && volume > 0 ? volume : 0;
}

std::string redoxProblem(const RedoxSetUp& setUp) {
    if (!titrationHappens(setUp.beakerSpecies, setUp.titrantSpecies))
        return "Ce réactif ne titre pas l'espèce du bécher.";
    const double beakerVolume = setUp.beakerVolume + setUp.waterVolume;
    const double available = 2 * setUp.sulfuricAcid * beakerVolume;  // mmol of H⁺
    const double taken = protonsTaken(setUp);
    if (!(taken > 0) || taken < available) return {};
    // Three significant digits with a decimal comma, rounded up: more than it is enough.
    const double least = taken / (2 * beakerVolume);
    const double digit = std::pow(10.0, std::floor(std::log10(least)) - 2);
    const double needed = std::ceil(least / digit) * digit;
    char text[32];
    std::snprintf(text, sizeof text, "%.3g", needed);
    std::string value = text;
    for (char& c : value)
        if (c == '.') c = ',';
    return "Le milieu n'est pas assez acide pour cette réaction : il faut plus de " + value +
           " mol · L⁻¹ d'acide sulfurique.";
}

std::optional<RedoxPoint> solveRedox(const RedoxSetUp& setUp, double volume) {
    if (!std::isfinite(volume) || volume < 0 || !redoxProblem(setUp).empty()) return std::nullopt;
    const double beakerVolume = setUp.beakerVolume + setUp.waterVolume;
    const double total = beakerVolume + volume;
    if (!(total > 0)) return std::nullopt;
    CoupleInBeaker beaker{
        &coupleOf(setUp.beakerSpecies), putInAsOxidant(setUp.beakerSpecies),
        setUp.beakerConcentration * setUp.beakerVolume / total / coefficientOf(setUp.beakerSpecies)};
    CoupleInBeaker titrant{&coupleOf(setUp.titrantSpecies), putInAsOxidant(setUp.titrantSpecies),
                           setUp.titrantConcentration * volume / total / coefficientOf(setUp.titrantSpecies)};
    const double acid = setUp.sulfuricAcid * beakerVolume / total;
    const double trace = volume > 0 ? 0.0 : kAirTrace * beaker.total;
    const int nB = beaker.couple->electrons;
    const int nT = titrant.couple->electrons;
    // A reduction takes m H⁺ per half-reaction, an oxidation gives them.
    const double takenB = beaker.putInAsOxidant ? beaker.couple->protons : -beaker.couple->protons;
    const double takenT = titrant.putInAsOxidant ? titrant.couple->protons : -titrant.couple->protons;

    struct Forms {
        Split beaker;
        Split titrant;
    };
    const auto formsAt = [&](double potential, double logH) {
        Forms forms{splitAt(beaker, potential, logH), {}};
        if (titrant.total > 0) forms.titrant = splitAt(titrant, potential, logH);
        return forms;
    };
    // The proton balance at a potential: h + [HSO₄⁻] − [HO⁻] = 2c − (H⁺ taken), which grows with
    // h since more acid favours every reduction. The acid's first acidity is strong.
    // Each potential's acidity is looked for near the last one found.
    double lastLogH = std::log10(std::max(acid, 1e-7));
    const auto logHAt = [&](double potential) -> std::optional<double> {
        const auto balance = [&](double logH) {
            const double h = std::pow(10.0, logH);
            const Forms forms = formsAt(potential, logH);
            const double taken = takenB * (forms.beaker.produced - trace) + takenT * forms.titrant.produced;
            return h + acid * h / (h + kHydrogenSulfateKa) - kKe / h - (2 * acid - taken);
        };
        const auto logH = findRootNear(balance, lastLogH, 0.02, kLowestLogH, kHighestLogH, 1e-12);
        if (logH) lastLogH = *logH;
        return logH;
    };
    // Without H⁺ in either half-reaction the acidity does not depend on E.
    std::optional<double> fixedLogH;
    if (takenB == 0 && takenT == 0) {
        fixedLogH = logHAt(0);
        if (!fixedLogH) return std::nullopt;
    }
    // The electron balance: the electrons the beaker's species gave (or took) are those the
    // titrant's took (or gave). It is written with the forms put in, the stoichiometric excess
    // taken from the volumes, so that at the equivalence, where both are traces, it still weighs
    // them against each other. Written to grow with E.
    const double perMl =
        nT * setUp.titrantConcentration / coefficientOf(setUp.titrantSpecies);  // mmol of e⁻ per mL
    const double excess = perMl * (redoxEquivalenceVolume(setUp) - volume) / total - nB * trace;
    const double sign = beaker.putInAsOxidant ? -1.0 : 1.0;
    bool failed = false;
    const auto electronBalance = [&](double potential) {
        const auto logH = fixedLogH ? fixedLogH : logHAt(potential);
        if (!logH) {
            failed = true;
            return std::numeric_limits<double>::quiet_NaN();
        }
        const Forms forms = formsAt(potential, *logH);
        return sign * (excess - nB * forms.beaker.remaining + nT * forms.titrant.remaining) / beaker.total;
    };
    const auto potential = findRoot(electronBalance, kLowestPotential, kHighestPotential, 1e-13);
    if (!potential || failed) return std::nullopt;
    const auto logH = fixedLogH ? fixedLogH : logHAt(*potential);
    if (!logH) return std::nullopt;
    const Forms forms = formsAt(*potential, *logH);
    RedoxPoint point;
    point.volume = volume;
    point.potential = *potential;
    point.hydronium = std::pow(10.0, *logH);
    point.concentrations = {forms.beaker.oxidant, forms.beaker.reductant, forms.titrant.oxidant,
                            forms.titrant.reductant};
    if (!std::isfinite(point.potential) || !(point.hydronium > 0)) return std::nullopt;
    for (double& c : point.concentrations) {
        if (!std::isfinite(c)) return std::nullopt;
        c = std::max(c, 0.0);
    }
    return point;
}

std::vector<double> redoxPotentialCurve(const RedoxSetUp& setUp) {
    if (!redoxProblem(setUp).empty()) return {};
    std::vector<double> curve;
    curve.reserve(251);
    for (int tenth = 0; tenth <= 250; ++tenth) {
        const auto point = solveRedox(setUp, tenth / 10.0);
        if (point) {
            curve.push_back(point->potential);
        } else if (!curve.empty()) {
            curve.push_back(curve.back());
        }
    }
    if (curve.size() != 251) return {};
    return curve;
}

}  // namespace chemistry
