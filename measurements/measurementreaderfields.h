#pragma once
// The pieces of a line of a measurement file: its fields, the numbers in them, and the line as a
// message quotes it.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace measurements {

bool isBlank(char c);
// Blanks at both ends dropped; a no-break space (U+00A0), as some spreadsheets pad cells, counts.
std::string_view trim(std::string_view s);

// The fields of a line, trimmed; a field in double quotes keeps the separators inside it ("" is a
// quote). Empty fields at the end (trailing separators) are dropped.
std::vector<std::string> splitFields(std::string_view line, char separator);

// A decimal number with a comma or a point, and an optional exponent; nothing else in the field.
std::optional<double> readNumber(std::string_view field);

// The fields of a line whose every number carries a decimal comma although commas also separate
// the fields: "2,5,3,8" is 2,5 and 3,8. An empty piece is an empty field. Nothing when a piece
// does not pair so.
std::optional<std::vector<std::string>> pairDecimalCommas(const std::vector<std::string>& pieces);

bool startsLikeNumber(std::string_view line);

// A line as a message shows it: blanks at the ends dropped, controls as spaces, at most 40
// characters.
std::string shown(std::string_view text);

// Lower case for ASCII, the accented Latin capitals and the Greek letters of the headings.
std::string folded(std::string_view utf8);

}  // namespace measurements
