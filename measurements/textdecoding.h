#pragma once
// The text of a file written by another program, as UTF-8 lines.
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace measurements {

struct DecodedText {
    std::string text;   // valid UTF-8, without a byte-order mark
    std::string error;  // French, naming the encodings the file is not in; empty when decoded
};

// A byte-order mark decides (UTF-8, UTF-16 or UTF-32, little or big endian, as spreadsheets write
// "Unicode text"). Without one, a file with many zero bytes is UTF-16 or UTF-32 when they fall
// where those put them, and refused otherwise; valid UTF-8 is taken as it is and anything else
// as Windows-1252.
DecodedText decodeText(std::span<const unsigned char> bytes);

// Lines ended by LF, CRLF or a lone CR, without their ends; a last line without an end counts.
std::vector<std::string_view> splitLines(std::string_view text);

}  // namespace measurements
