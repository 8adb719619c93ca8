#pragma once
// The mixtures the benchmarks time.
#include "chemistry/chemistry.h"

namespace benchmixtures {

// Phosphoric and citric acids, three pKa each, 0,01 mol · L-1 in 20 mL, by soda at 0,02.
inline chemistry::Mixture twoTriacids() {
    chemistry::Mixture mixture;
    mixture.soluteCount = 2;
    mixture.solutes[0] = chemistry::soluteOf(*chemistry::findSpecies("acide phosphorique"), 0.01);
    mixture.solutes[1] = chemistry::soluteOf(*chemistry::findSpecies("acide citrique"), 0.01);
    mixture.titrantConcentration = 0.02;
    return mixture;
}

}  // namespace benchmixtures
