#pragma once
// Windows-1252 and UTF-8 conversions for the RTF reader and writer.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rtf {

// The Unicode code point of a Windows-1252 byte (the five unassigned bytes map to the
// C1 control of the same value, as Windows does).
char32_t unicodeFromWindows1252(unsigned char byte);

// The Windows-1252 byte of a code point, if it has one.
std::optional<unsigned char> windows1252FromUnicode(char32_t codePoint);

void appendUtf8(std::string& out, char32_t codePoint);

// Decodes UTF-8; a malformed sequence gives U+FFFD and decoding goes on after it.
std::u32string decodeUtf8(std::string_view text);

}  // namespace rtf
