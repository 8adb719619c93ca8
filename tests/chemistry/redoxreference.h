#pragma once
// An oxidation-reduction titration solved apart from the engine, so that tests check its chemistry:
// two couples at equilibrium by Nernst's law (0,05916 V per decade), the electrons counted in the
// reduced forms, the H⁺ left by the sulfuric acid (HSO₄⁻ pKa 1,99), by nested plain bisections on
// E, on log [H₃O⁺] and on each couple's log [Red].
#include <cmath>
#include <utility>

namespace redox_reference {

// a Ox + m H⁺ + n e⁻ → b Red; b = 0 when the reduced form is the solvent.
struct Couple {
    double e0;
    int n, m, a, b;
};
// What is put in: one form of a couple at a concentration, mol · L-1.
struct Side {
    Couple couple;
    bool oxidant;
    double concentration;
};
struct Titration {
    Side beaker;
    Side titrant;
    double beakerVolume = 20;  // mL
    double acid = 1;           // sulfuric acid in the beaker, mol · L-1
};
struct State {
    double potential = 0;
    double hydronium = 0;
    double ox[2] = {};  // the beaker's couple, then the titrant's
    double red[2] = {};
};

// [Ox], [Red] of a couple holding `units` mol · L-1 of Ox/a + Red/b, with log(Ox^a / Red^b) = logQ.
inline std::pair<double, double> forms(const Couple& c, double units, double logQ) {
    if (c.b == 0) return {std::pow(10.0, logQ / c.a), 0.0};
    if (!(units > 0)) return {0.0, 0.0};
    double low = -400;
    double high = std::log10(c.b * units);
    for (int pass = 0; pass < 80; ++pass) {
        const double middle = (low + high) / 2;
        const double ox = std::pow(10.0, (logQ + c.b * middle) / c.a);
        (ox / c.a + std::pow(10.0, middle) / c.b > units ? high : low) = middle;
    }
    const double logRed = (low + high) / 2;
    return {std::pow(10.0, (logQ + c.b * logRed) / c.a), std::pow(10.0, logRed)};
}

inline State solve(const Titration& t, double volume) {
    const double total = t.beakerVolume + volume;
    const Side* sides[2] = {&t.beaker, &t.titrant};
    const double poured[2] = {t.beakerVolume, volume};
    double units[2];
    double electrons = 0;  // held by the reduced forms put in
    double bound = 0;      // H⁺ the reduced forms put in hold
    for (int k = 0; k < 2; ++k) {
        const Couple& c = sides[k]->couple;
        units[k] = sides[k]->concentration * poured[k] / total / (sides[k]->oxidant ? c.a : c.b);
        if (!sides[k]->oxidant) electrons += c.n * units[k];
        if (!sides[k]->oxidant) bound += c.m * units[k];
    }
    const double acid = t.acid * t.beakerVolume / total;
    const auto reduced = [&](int k, double e, double logH, double* ox, double* red) {
        const Couple& c = sides[k]->couple;
        const auto [o, r] = forms(c, units[k], c.n * (e - c.e0) / 0.05916 - c.m * logH);
        if (ox) *ox = o;
        if (red) *red = r;
        return c.b > 0 ? r / c.b : units[k] - o / c.a;
    };
    const auto logHAt = [&](double e) {
        double low = -16;
        double high = 2;
        for (int pass = 0; pass < 60; ++pass) {
            const double middle = (low + high) / 2;
            const double h = std::pow(10.0, middle);
            double free = 2 * acid + bound;
            for (int k = 0; k < 2; ++k) free -= sides[k]->couple.m * reduced(k, e, middle, nullptr, nullptr);
            const double left = h + acid * h / (h + std::pow(10.0, -1.99)) - 1e-14 / h;
            (left > free ? high : low) = middle;
        }
        return (low + high) / 2;
    };
    double low = -1;
    double high = 2.5;
    for (int pass = 0; pass < 50; ++pass) {
        const double middle = (low + high) / 2;
        const double logH = logHAt(middle);
        double held = 0;
        for (int k = 0; k < 2; ++k) held += sides[k]->couple.n * reduced(k, middle, logH, nullptr, nullptr);
        (held > electrons ? low : high) = middle;
    }
    State state;
    state.potential = (low + high) / 2;
    const double logH = logHAt(state.potential);
    state.hydronium = std::pow(10.0, logH);
    for (int k = 0; k < 2; ++k) reduced(k, state.potential, logH, &state.ox[k], &state.red[k]);
    return state;
}

}  // namespace redox_reference
