#pragma once
// A titration solved from its charge balance, written apart from the program's engines so that
// tests check the chemistry against it: one solute of up to three pairs, titrated by sodium
// hydroxide (an acid in the beaker) or hydrochloric acid (a base), Ke = 1e-14, in double
// precision, by bisection on log10 [H₃O⁺].
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

namespace testing_support {

struct Titration {
    bool beakerIsAcid = true;
    std::vector<double> pKa;      // of the solute's pairs, any order; a strong acid's is 0
    double concentration = 0.01;  // in the solution put into the beaker, mol · L-1
    double beakerVolume = 20;     // mL
    double waterVolume = 0;       // mL
    double titrantConcentration = 0.01;
};

// The mean number of protons the solute has lost at [H₃O⁺] = 10^logH: the forms' shares are
// proportional to K₁·…·Kₖ / hᵏ, computed in logarithms.
inline double protonsLost(std::vector<double> pKa, double logH) {
    std::sort(pKa.begin(), pKa.end());
    std::vector<double> logShare{0.0};
    for (std::size_t k = 0; k < pKa.size(); ++k) logShare.push_back(logShare.back() - pKa[k] - logH);
    const double top = *std::max_element(logShare.begin(), logShare.end());
    double total = 0;
    double lost = 0;
    for (std::size_t k = 0; k < logShare.size(); ++k) {
        const double share = std::pow(10.0, logShare[k] - top);
        total += share;
        lost += static_cast<double>(k) * share;
    }
    return lost / total;
}

// pH after `poured` mL. Electroneutrality: h − Ke/h + C·(d − n̄) ± Cb·V/Vt = 0, d being the protons
// the form put in had lost (none for an acid, all for a base) and the sign that of the titrant's
// ion (Na⁺ +, Cl⁻ −); its left side grows with h.
inline double titrationPh(const Titration& t, double poured) {
    const double total = t.beakerVolume + t.waterVolume + poured;
    const double c = t.concentration * t.beakerVolume / total;
    const double titrant = t.titrantConcentration * poured / total * (t.beakerIsAcid ? 1 : -1);
    const double given = t.beakerIsAcid ? 0.0 : static_cast<double>(t.pKa.size());
    const auto balance = [&](double logH) {
        const double h = std::pow(10.0, logH);
        return h - 1e-14 / h + c * (given - protonsLost(t.pKa, logH)) + titrant;
    };
    double low = -16;
    double high = 2;
    for (int pass = 0; pass < 200 && high - low > 1e-12; ++pass) {
        const double middle = (low + high) / 2;
        (balance(middle) > 0 ? high : low) = middle;
    }
    return -(low + high) / 2;
}

}  // namespace testing_support
