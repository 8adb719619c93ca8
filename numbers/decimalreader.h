#pragma once
#include <optional>
#include <string_view>

namespace numbers {

// Locale-independent reader: leading blanks skipped, then an optional sign, digits, one point and
// an exponent introduced by E or D; reading stops at the first character that cannot belong to
// the number. A text without a number reads as 0. The result may be infinite when the exponent
// is too large: callers check it.
double readDecimal(std::string_view text);

// Whether the whole text, without blanks, is one number as readDecimal reads it: "7E", ".", "E"
// and "1.2.3" are not (readDecimal would make 7, 0, 0 and 1.2 of them).
bool isDecimalText(std::string_view text);

// Reads a number typed by the pupil, with the decimal comma (a point is accepted too) and the
// blanks that group digits. The whole text must be a number; otherwise there is no value.
std::optional<double> readTypedNumber(std::string_view text);

// readTypedNumber, or `fallback` when the text is not a number.
double readTypedNumberOr(std::string_view text, double fallback);

}  // namespace numbers
