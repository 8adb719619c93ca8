#include "numbers/windows1252.h"

#include <array>

namespace numbers {

namespace {

// Characters of the bytes 0x80 to 0x9F.
constexpr std::array<char16_t, 32> kHighBlock = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

std::size_t utf8Length(char32_t c) {
    return c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
}

// Decodes one UTF-8 sequence at `i`; a bad one consumes one byte and gives nothing.
std::optional<char32_t> decodeOne(std::string_view text, std::size_t& i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        ++i;
        return lead;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1F;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0F;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07;
        minimum = 0x10000;
    } else {
        ++i;
        return std::nullopt;
    }
    if (text.size() - i < length) {
        ++i;
        return std::nullopt;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if (!isContinuation(byte(i + k))) {
            ++i;
            return std::nullopt;
        }
        value = (value << 6) | (byte(i + k) & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        ++i;
        return std::nullopt;
    }
    i += length;
    return value;
}

}  // namespace

char32_t unicodeFromWindows1252(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) return kHighBlock[byte - 0x80];
    return byte;
}

std::optional<unsigned char> windows1252FromUnicode(char32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
        return static_cast<unsigned char>(codePoint);
    }
    for (std::size_t k = 0; k < kHighBlock.size(); ++k) {
        if (kHighBlock[k] == codePoint) return static_cast<unsigned char>(0x80 + k);
    }
    return std::nullopt;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
    switch (utf8Length(c)) {
        case 1:
            out += static_cast<char>(c);
            break;
        case 2:
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
            break;
        case 3:
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
            break;
        default:
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
            break;
    }
}

std::string windows1252ToUtf8(std::string_view bytes) {
    // Exact size first, so that a text never allocates more than its widest form needs.
    std::size_t size = 0;
    for (const char b : bytes) size += utf8Length(unicodeFromWindows1252(static_cast<unsigned char>(b)));
    std::string out;
    out.reserve(size);
    for (const char b : bytes) appendUtf8(out, unicodeFromWindows1252(static_cast<unsigned char>(b)));
    return out;
}

std::string utf8ToWindows1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {  // each pass consumes at least one byte
        const auto c = decodeOne(utf8, i);
        out += static_cast<char>((c ? windows1252FromUnicode(*c) : std::nullopt).value_or('?'));
    }
    return out;
}

std::u32string decodeUtf8(std::string_view utf8) {
    std::u32string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) out += decodeOne(utf8, i).value_or(U'\uFFFD');
    return out;
}

bool isValidUtf8(std::string_view utf8) {
    std::size_t i = 0;
    while (i < utf8.size()) {
        if (!decodeOne(utf8, i)) return false;
    }
    return true;
}

}  // namespace numbers
