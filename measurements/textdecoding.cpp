#include "measurements/textdecoding.h"

#include <algorithm>

#include "numbers/windows1252.h"

namespace measurements {

namespace {

bool startsWith(std::span<const unsigned char> bytes, std::initializer_list<unsigned char> mark) {
    return bytes.size() >= mark.size() && std::equal(mark.begin(), mark.end(), bytes.begin());
}

// A lone surrogate, or a last odd byte, becomes U+FFFD.
std::string utf16ToUtf8(std::span<const unsigned char> bytes, bool littleEndian) {
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    const auto unit = [&](std::size_t i) -> char32_t {
        return littleEndian ? bytes[i] | (bytes[i + 1] << 8) : (bytes[i] << 8) | bytes[i + 1];
    };
    std::size_t i = 0;
    while (i + 1 < bytes.size()) {
        char32_t c = unit(i);
        i += 2;
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < bytes.size()) {
            const char32_t low = unit(i);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        numbers::appendUtf8(out, c);  // writes a surrogate left alone as U+FFFD
    }
    if (i < bytes.size()) numbers::appendUtf8(out, 0xFFFD);
    return out;
}

}  // namespace

std::string decodeText(std::span<const unsigned char> bytes) {
    if (startsWith(bytes, {0xEF, 0xBB, 0xBF})) {
        const std::string_view rest(reinterpret_cast<const char*>(bytes.data()) + 3, bytes.size() - 3);
        // Bad sequences become U+FFFD, so that what follows never meets broken UTF-8.
        if (numbers::isValidUtf8(rest)) return std::string(rest);
        std::string out;
        for (const char32_t c : numbers::decodeUtf8(rest)) numbers::appendUtf8(out, c);
        return out;
    }
    if (startsWith(bytes, {0xFF, 0xFE})) return utf16ToUtf8(bytes.subspan(2), true);
    if (startsWith(bytes, {0xFE, 0xFF})) return utf16ToUtf8(bytes.subspan(2), false);
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (numbers::isValidUtf8(text)) return std::string(text);
    return numbers::windows1252ToUtf8(text);
}

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {  // each pass consumes at least one byte
        const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++start;
    }
    return lines;
}

}  // namespace measurements
