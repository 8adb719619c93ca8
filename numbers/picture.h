#pragma once
#include <string>
#include <string_view>

namespace numbers {

// Formats a number with a picture such as "#0.00", "###0.0#", "0.00E+00" or
// "###0.0## ### ### ###", with the French decimal comma:
//   - in the integer part, each '0' is a digit always written and '#' one written only if needed;
//   - in the decimal part, '0' digits are always written, '#' digits only up to the last non-zero
//     one, and blanks between them group the decimals (trailing blanks are dropped);
//   - "E+00" / "E-00" write an exponent (sign always / only when negative, at least as many digits
//     as zeros) after a mantissa with one integer digit.
// The value is first taken to `significant` significant digits (15 for double precision, 7 for a
// single-precision quantity), then rounded half away from zero. A value that rounds to zero is
// written without a minus sign. Non-finite values give an empty text.
std::string formatPicture(double value, std::string_view picture, int significant = 15);

// The same for a quantity stored in single precision: its 7 significant digits are what it holds.
inline std::string formatSingle(float value, std::string_view picture) {
    return formatPicture(static_cast<double>(value), picture, 7);
}

}  // namespace numbers
