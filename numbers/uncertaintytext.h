#pragma once
// A value with its uncertainty as a pupil writes it: the uncertainty to its first significant
// digit (two when that is a 1), the value to the same decimal place, with decimal commas.
#include <string>

namespace numbers {

// 1,23 × 10⁻² with three significant digits (1 to 15).
std::string scientific(double value, int significant = 3);
// "(1,23 ± 0,02) × 10⁻²": both in the value's power of ten.
std::string scientificWithUncertainty(double value, double halfWidth);
// "4,76 ± 0,05".
std::string withUncertainty(double value, double halfWidth);

}  // namespace numbers
