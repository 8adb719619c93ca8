#pragma once
// A reference for the mixture engine, written the plain way: the charge balance summed form by
// form with each form's own charge and each salt's counter-ions, the fractions from the
// constants, a long bisection in long double. Slow and obvious on purpose.
#include <cmath>
#include <vector>

#include "chemistry/chemistry.h"

namespace reference {

struct Part {
    const char* name;
    double concentration;  // mol · L-1 in the solution introduced
};

struct Beaker {
    std::vector<Part> parts;
    double titrant = 0.01;  // mol · L-1
    double volume = 20;     // mL
    bool dissociateStrong = false;
};

struct Result {
    long double pH = 0;
    long double conductivity = 0;  // mS/cm
};

// Fractions of the forms of a species at h, fully protonated first.
inline std::vector<long double> fractions(const chemistry::SpeciesData& s, long double h,
                                          bool dissociateStrong) {
    std::vector<long double> term(s.formCount(), 1.0L);
    long double sum = 1;
    for (int j = 1; j < s.formCount(); ++j) {
        const double pKa = s.pKa[j - 1];
        const long double K = dissociateStrong && pKa == 0 ? 1e35L
                              : dissociateStrong && pKa == 14
                                  ? 1e-49L
                                  : std::pow(10.0L, -static_cast<long double>(pKa));
        sum += term[j] = term[j - 1] * K / h;
    }
    for (long double& t : term) t /= sum;
    return term;
}

inline Result solve(const Beaker& beaker, double poured) {
    const bool acid = chemistry::findSpecies(beaker.parts.front().name)->isAcid;
    const long double total = beaker.volume + poured;
    const long double titrant = beaker.titrant * poured / total;
    const auto charge = [&](long double h, long double* sigma) {
        const long double w = 1e-14L / h;
        long double q = h - w + (acid ? titrant : -titrant);
        long double s = chemistry::ionConductivity("H₃O⁺") * h + chemistry::ionConductivity("HO⁻") * w +
                        chemistry::ionConductivity(acid ? "Na⁺" : "Cl⁻") * titrant;
        for (const Part& part : beaker.parts) {
            const chemistry::SpeciesData& species = *chemistry::findSpecies(part.name);
            const long double c = part.concentration * beaker.volume / total;
            const auto f = fractions(species, h, beaker.dissociateStrong);
            for (int j = 0; j < species.formCount(); ++j) {
                q += species.formCharge(j) * c * f[j];
                s += chemistry::ionConductivity(species.forms[j]) * c * f[j] * (species.formCharge(j) != 0);
            }
            if (species.counterIon == chemistry::CounterIon::Sodium) {
                q += species.counterIonCount * c;
                s += chemistry::ionConductivity("Na⁺") * species.counterIonCount * c;
            }
            if (species.counterIon == chemistry::CounterIon::Chloride) {
                q -= species.counterIonCount * c;
                s += chemistry::ionConductivity("Cl⁻") * species.counterIonCount * c;
            }
        }
        if (sigma) *sigma = 10 * s;
        return q;
    };
    long double lo = -16;
    long double hi = 2;
    for (int i = 0; i < 200; ++i) {
        const long double middle = (lo + hi) / 2;
        (charge(std::pow(10.0L, middle), nullptr) > 0 ? hi : lo) = middle;
    }
    Result result;
    result.pH = -(lo + hi) / 2;
    charge(std::pow(10.0L, -result.pH), &result.conductivity);
    return result;
}

// The same beaker for the engine.
inline chemistry::Mixture mixtureOf(const Beaker& beaker) {
    chemistry::Mixture mixture;
    mixture.beakerIsAcid = chemistry::findSpecies(beaker.parts.front().name)->isAcid;
    mixture.soluteCount = static_cast<int>(beaker.parts.size());
    for (std::size_t i = 0; i < beaker.parts.size(); ++i) {
        const Part& part = beaker.parts[i];
        mixture.solutes[i] = chemistry::soluteOf(*chemistry::findSpecies(part.name), part.concentration);
    }
    mixture.beakerVolume = beaker.volume;
    mixture.titrantConcentration = beaker.titrant;
    return mixture;
}

}  // namespace reference
