#include "configuration/windows1252.h"

#include <array>

namespace configuration {

namespace {

// Characters of the bytes 0x80 to 0x9F.
constexpr std::array<char16_t, 32> kHighBlock = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

char32_t codePointOf(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) return kHighBlock[byte - 0x80];
    return byte;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        // The code page reaches no further than the Basic Multilingual Plane.
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Decodes one UTF-8 sequence at `i`; on malformed input consumes one byte and gives nothing, so
// that every bad byte becomes one "?". Overlong forms, surrogates and values above U+10FFFF are
// malformed.
bool decodeOne(std::string_view text, std::size_t& i, char32_t& c) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        c = lead;
        ++i;
        return true;
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
        return false;
    }
    if (text.size() - i < length) {
        ++i;
        return false;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if (!isContinuation(byte(i + k))) {
            ++i;
            return false;
        }
        value = (value << 6) | (byte(i + k) & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        ++i;
        return false;
    }
    i += length;
    c = value;
    return true;
}

}  // namespace

std::optional<unsigned char> windows1252ByteOf(char32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
        return static_cast<unsigned char>(codePoint);
    }
    for (std::size_t k = 0; k < kHighBlock.size(); ++k) {
        if (kHighBlock[k] == codePoint) return static_cast<unsigned char>(0x80 + k);
    }
    return std::nullopt;
}

std::string windows1252ToUtf8(std::string_view bytes) {
    std::string out;
    // Exact size first, so that a text never allocates more than its widest form needs.
    std::size_t size = 0;
    for (const char b : bytes) {
        const char32_t c = codePointOf(static_cast<unsigned char>(b));
        size += c < 0x80 ? 1 : (c < 0x800 ? 2 : 3);
    }
    out.reserve(size);
    for (const char b : bytes) appendUtf8(out, codePointOf(static_cast<unsigned char>(b)));
    return out;
}

std::string utf8ToWindows1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {  // each pass consumes at least one byte
        char32_t c = 0;
        const auto byte = decodeOne(utf8, i, c) ? windows1252ByteOf(c) : std::nullopt;
        out += static_cast<char>(byte.value_or('?'));
    }
    return out;
}

}  // namespace configuration
