#pragma once
#include <string>

namespace numbers {

// The general number-to-text writer: a point as decimal separator, at most 15 significant digits,
// no zero before the point below 1 (".5", "-.5"), exponent form below 1E-04 and from 1E+15 on
// ("1E-05", "1.5E+20"). Non-finite values, which callers never show, give "NaN", "Inf" or "-Inf".
std::string formatGeneral(double value);

}  // namespace numbers
