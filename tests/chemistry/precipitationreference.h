#pragma once
// A precipitation titration solved apart from the engine, so that tests check its chemistry: every
// set of solids present is tried in turn, the cation's balance solved for it by regula falsi on
// ln [cation], and the one set kept whose solids have non-negative amounts while each absent
// solid's ion product stays below its Ks.
#include <cmath>
#include <vector>

namespace precipitation_reference {

// An anion the titrant's cation precipitates as Cat_p A, Ks = [Cat]^p [A].
struct Anion {
    double total;  // mol · L-1
    double pKs;
    int p;
};

struct Equilibrium {
    double cation = 0;           // mol · L-1
    std::vector<double> anions;  // dissolved, mol · L-1
    std::vector<bool> present;   // each solid
};

// The balance with the solids of `mask` present: [Cat] + Σ p (total − Ks / [Cat]^p) − total_Cat.
inline double balance(const std::vector<Anion>& anions, unsigned mask, double cationTotal, double lnCation) {
    double value = std::exp(lnCation) - cationTotal;
    for (std::size_t i = 0; i < anions.size(); ++i) {
        if (!(mask & (1u << i))) continue;
        const double ks = std::pow(10.0, -anions[i].pKs);
        value += anions[i].p * (anions[i].total - ks * std::exp(-anions[i].p * lnCation));
    }
    return value;
}

inline Equilibrium solve(const std::vector<Anion>& anions, double cationTotal) {
    Equilibrium result;
    result.anions.resize(anions.size());
    result.present.assign(anions.size(), false);
    for (std::size_t i = 0; i < anions.size(); ++i) result.anions[i] = anions[i].total;
    if (!(cationTotal > 0)) return result;
    for (unsigned mask = 0; mask < (1u << anions.size()); ++mask) {
        double low = -700;
        double high = std::log(cationTotal) + 5;
        double fLow = balance(anions, mask, cationTotal, low);
        double fHigh = balance(anions, mask, cationTotal, high);
        if (!(fLow < 0 && fHigh > 0)) continue;
        // Illinois regula falsi on a bracket, bounded.
        double x = high;
        int side = 0;
        for (int pass = 0; pass < 400 && high - low > 1e-14; ++pass) {
            x = (low * fHigh - high * fLow) / (fHigh - fLow);
            if (!(x > low && x < high)) x = (low + high) / 2;
            const double f = balance(anions, mask, cationTotal, x);
            if (f < 0) {
                low = x;
                fLow = f;
                if (side == -1) fHigh /= 2;
                side = -1;
            } else {
                high = x;
                fHigh = f;
                if (side == 1) fLow /= 2;
                side = 1;
            }
        }
        const double cation = std::exp(x);
        bool consistent = true;
        std::vector<double> dissolved(anions.size());
        for (std::size_t i = 0; i < anions.size(); ++i) {
            const double ks = std::pow(10.0, -anions[i].pKs);
            const double saturated = ks / std::pow(cation, anions[i].p);
            if (mask & (1u << i)) {
                dissolved[i] = saturated;
                consistent = consistent && saturated <= anions[i].total * (1 + 1e-9);
            } else {
                dissolved[i] = anions[i].total;
                consistent = consistent && anions[i].total <= saturated * (1 + 1e-9);
            }
        }
        if (!consistent) continue;
        result.cation = cation;
        result.anions = dissolved;
        for (std::size_t i = 0; i < anions.size(); ++i) result.present[i] = (mask & (1u << i)) != 0;
        return result;
    }
    return result;
}

}  // namespace precipitation_reference
