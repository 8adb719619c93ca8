#pragma once
// How flags and numbers are held in the texts of record files.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace configuration {

// "1" or "0".
std::string flagText(bool value);

// True only for exactly "1": " 1", "-1", "true" are all false.
bool flagOf(std::string_view text);

// The decimal text with one leading character for the sign: " 0", " 3", "-1".
std::string integerText(std::int16_t value);

// Rounds to the nearest integer, halves going to the even neighbour (2.5 gives 2, 3.5 gives 4),
// whatever the floating-point rounding mode is. Non-finite values come back unchanged.
double roundHalfEven(double value);

// The text read by the locale-independent decimal reader (leading blanks skipped, the number ends
// at the first character that cannot belong to it, no number gives 0) and rounded half to even.
// Nothing when the result is outside -32 768 to 32 767: callers keep what they had.
std::optional<std::int16_t> integerOf(std::string_view text);

}  // namespace configuration
