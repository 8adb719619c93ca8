#pragma once
// Windows-1252, the code page of the files (records, configurations, RTF), and UTF-8, what the
// program holds in memory. One policy throughout:
//   - every byte has a character: 0x00-0x7F as ASCII, 0xA0-0xFF as U+00A0-U+00FF, the 0x80-0x9F
//     block as the code page says and its five undefined bytes (0x81, 0x8D, 0x8F, 0x90, 0x9D) as the
//     C1 control of the same value, so any byte string converts to UTF-8 and back unchanged;
//   - each byte of malformed UTF-8 (overlong forms, surrogates, values above U+10FFFF, cut or
//     stray sequences) is one bad character, and decoding goes on with the next byte;
//   - a character the code page cannot hold, or a bad one, becomes "?" in Windows-1252 (a writer
//     that has a way of its own to keep such characters, like RTF's \uN, asks byte by byte).
#include <optional>
#include <string>
#include <string_view>

namespace numbers {

char32_t unicodeFromWindows1252(unsigned char byte);

// The Windows-1252 byte of a code point, or nothing when the code page has none.
std::optional<unsigned char> windows1252FromUnicode(char32_t codePoint);

std::string windows1252ToUtf8(std::string_view bytes);
std::string utf8ToWindows1252(std::string_view utf8);

// A code point beyond U+10FFFF or a surrogate is written as U+FFFD.
void appendUtf8(std::string& out, char32_t codePoint);

// Bad characters decode as U+FFFD.
std::u32string decodeUtf8(std::string_view utf8);

// No bad character at all (an encoded U+FFFD is a good one).
bool isValidUtf8(std::string_view utf8);

}  // namespace numbers
