#pragma once
// The text of a file written by another program, as UTF-8 lines.
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace measurements {

// A byte-order mark decides (UTF-8, UTF-16 little or big endian, as spreadsheets write "Unicode
// text"); without one, valid UTF-8 is taken as it is and anything else as Windows-1252. The
// result is always valid UTF-8 and never holds the mark.
std::string decodeText(std::span<const unsigned char> bytes);

// Lines ended by LF, CRLF or a lone CR, without their ends; a last line without an end counts.
std::vector<std::string_view> splitLines(std::string_view text);

}  // namespace measurements
