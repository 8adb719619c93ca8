#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace configuration {

// Files keep their texts in the 8-bit Windows-1252 code page; the program works in UTF-8.

// Every byte has a character: 0x00-0x7F as ASCII, 0xA0-0xFF as U+00A0-U+00FF, the 0x80-0x9F block
// as the code page says, and its five undefined bytes (0x81, 0x8D, 0x8F, 0x90, 0x9D) as the C1
// control of the same value, so any byte string converts and converts back unchanged.
std::string windows1252ToUtf8(std::string_view bytes);

// A character the code page cannot hold, and each byte of malformed UTF-8, becomes "?".
std::string utf8ToWindows1252(std::string_view utf8);

// The Windows-1252 byte of one code point, or nothing when the code page has none.
std::optional<unsigned char> windows1252ByteOf(char32_t codePoint);

}  // namespace configuration
