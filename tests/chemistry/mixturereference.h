#pragma once
// A reference for the mixture engine, written the plain way: the charge balance summed form by
// form with each form's own charge and each salt's counter-ions, the fractions from the
// constants, a long bisection in long double. Slow and obvious on purpose. It takes from the
// engine's library only the table of substances (pKa, forms, charges, counter-ions, λ°).
//
// A strong species (pKa 0 in an acid, 14 in a base) has no equilibrium here: its pair is left out
// and the solute is only the forms that water holds (Cl⁻ of hydrochloric acid, Na⁺ of soda).
#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "chemistry/chemistry.h"

namespace reference {

struct Part {
    const char* name;
    double concentration;       // mol · L-1 in the solution introduced
    std::vector<double> pKa{};  // the pupil's, for a free solute; the table's when empty
};

struct Beaker {
    std::vector<Part> parts;
    double titrant = 0.01;  // mol · L-1
    double volume = 20;     // mL
};

struct Result {
    long double pH = 0;
    long double conductivity = 0;                            // mS/cm
    std::vector<std::pair<std::string, long double>> forms;  // the solutes' forms in water, mol · L-1
};

// A solute as the reference sees it: the forms water holds, first to last, and the pairs between.
struct Species {
    const chemistry::SpeciesData* data = nullptr;
    std::vector<double> pKa;
    int first = 0;  // the first form found in water
    int last = 0;   // and the last
};

inline Species speciesOf(const Part& part, bool acid) {
    Species s;
    s.data = chemistry::findSpecies(part.name);
    s.pKa.assign(s.data->pKa.begin(), s.data->pKa.begin() + s.data->pairCount);
    for (std::size_t j = 0; j < part.pKa.size() && j < s.pKa.size(); ++j) s.pKa[j] = part.pKa[j];
    std::sort(s.pKa.begin(), s.pKa.end());
    s.last = s.data->pairCount;
    while (acid && s.first < s.last && s.pKa[s.first] == 0) ++s.first;
    while (!acid && s.last > s.first && s.pKa[s.last - 1] == 14) --s.last;
    return s;
}

// Fractions of the forms first to last at h.
inline std::vector<long double> fractions(const Species& s, long double h) {
    std::vector<long double> term(s.last - s.first + 1, 1.0L);
    long double sum = 1;
    for (std::size_t k = 1; k < term.size(); ++k) {
        const long double K = std::pow(10.0L, -static_cast<long double>(s.pKa[s.first + k - 1]));
        sum += term[k] = term[k - 1] * K / h;
    }
    for (long double& t : term) t /= sum;
    return term;
}

inline Result solve(const Beaker& beaker, double poured) {
    const bool acid = chemistry::findSpecies(beaker.parts.front().name)->isAcid;
    const long double total = beaker.volume + poured;
    const long double titrant = beaker.titrant * poured / total;
    std::vector<Species> species;
    for (const Part& part : beaker.parts) species.push_back(speciesOf(part, acid));
    const auto charge = [&](long double h, Result* out) {
        const long double w = 1e-14L / h;
        long double q = h - w + (acid ? titrant : -titrant);
        long double s = chemistry::ionConductivity("H₃O⁺") * h + chemistry::ionConductivity("HO⁻") * w +
                        chemistry::ionConductivity(acid ? "Na⁺" : "Cl⁻") * titrant;
        for (std::size_t i = 0; i < species.size(); ++i) {
            const chemistry::SpeciesData& data = *species[i].data;
            const long double c = beaker.parts[i].concentration * beaker.volume / total;
            const auto f = fractions(species[i], h);
            for (int j = species[i].first; j <= species[i].last; ++j) {
                const long double form = c * f[j - species[i].first];
                q += data.formCharge(j) * form;
                s += chemistry::ionConductivity(data.forms[j]) * form * (data.formCharge(j) != 0);
                if (out) out->forms.emplace_back(std::string(data.forms[j]), form);
            }
            if (data.counterIon == chemistry::CounterIon::Sodium) {
                q += data.counterIonCount * c;
                s += chemistry::ionConductivity("Na⁺") * data.counterIonCount * c;
            }
            if (data.counterIon == chemistry::CounterIon::Chloride) {
                q -= data.counterIonCount * c;
                s += chemistry::ionConductivity("Cl⁻") * data.counterIonCount * c;
            }
        }
        if (out) out->conductivity = 10 * s;
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
    charge(std::pow(10.0L, -result.pH), &result);
    return result;
}

// The same beaker for the engine.
inline chemistry::Mixture mixtureOf(const Beaker& beaker) {
    chemistry::Mixture mixture;
    mixture.beakerIsAcid = chemistry::findSpecies(beaker.parts.front().name)->isAcid;
    mixture.soluteCount = static_cast<int>(beaker.parts.size());
    for (std::size_t i = 0; i < beaker.parts.size(); ++i) {
        const Part& part = beaker.parts[i];
        mixture.solutes[i] =
            chemistry::soluteOf(*chemistry::findSpecies(part.name), part.concentration, part.pKa);
    }
    mixture.beakerVolume = beaker.volume;
    mixture.titrantConcentration = beaker.titrant;
    return mixture;
}

}  // namespace reference
