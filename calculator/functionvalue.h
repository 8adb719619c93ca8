#pragma once
#include <string_view>

namespace calculator {

// Angle modes given by the caller: trigonometric functions take and give degrees unless the
// mode is exactly kRadians.
inline constexpr int kDegrees = 0;
inline constexpr int kRadians = 1;

// The value at `x` of a function word ("SQR", "EXP", "LOG", "LON", "SIN", "COS", "TAN", "ISI",
// "ICO", "ITA"), angles in `angleMode`; not finite where the function has no value (the square
// root of a negative number, the tangent of 90 degrees).
double functionValue(std::string_view word, double x, int angleMode);

}  // namespace calculator
