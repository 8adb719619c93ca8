#include "measurements/textdecoding.h"

#include <algorithm>

#include "numbers/windows1252.h"

namespace measurements {

namespace {

enum class Order { Little, Big };

bool startsWith(std::span<const unsigned char> bytes, std::initializer_list<unsigned char> mark) {
    return bytes.size() >= mark.size() && std::equal(mark.begin(), mark.end(), bytes.begin());
}

// A lone surrogate, or a last odd byte, becomes U+FFFD.
std::string utf16ToUtf8(std::span<const unsigned char> bytes, Order order) {
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    const auto unit = [&](std::size_t i) -> char32_t {
        return order == Order::Little ? bytes[i] | (bytes[i + 1] << 8) : (bytes[i] << 8) | bytes[i + 1];
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

// A value beyond U+10FFFF, or a cut last unit, becomes U+FFFD.
std::string utf32ToUtf8(std::span<const unsigned char> bytes, Order order) {
    std::string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    for (; i + 3 < bytes.size(); i += 4) {
        char32_t c = 0;
        for (std::size_t k = 0; k < 4; ++k) {
            const std::size_t at = order == Order::Little ? i + 3 - k : i + k;
            c = (c << 8) | bytes[at];
        }
        numbers::appendUtf8(out, c);
    }
    if (i < bytes.size()) numbers::appendUtf8(out, 0xFFFD);
    return out;
}

// Where the zero bytes of the file's start fall: every fourth byte of four, or every second.
struct ZeroPattern {
    std::size_t zeros = 0;
    std::size_t sampled = 0;
    std::size_t at[4] = {0, 0, 0, 0};  // zeros by position modulo 4
};

ZeroPattern zeroPattern(std::span<const unsigned char> bytes) {
    ZeroPattern pattern;
    pattern.sampled = std::min<std::size_t>(bytes.size(), 4096) & ~std::size_t{3};
    for (std::size_t i = 0; i < pattern.sampled; ++i) {
        if (bytes[i] != 0) continue;
        ++pattern.zeros;
        ++pattern.at[i % 4];
    }
    return pattern;
}

DecodedText decoded(std::string text) {
    return {std::move(text), {}};
}

// Text of the Latin and Greek letters has its high bytes zero: most of them in the file's zeros,
// and almost none of its low bytes.
std::optional<DecodedText> wideWithoutMark(std::span<const unsigned char> bytes) {
    const ZeroPattern p = zeroPattern(bytes);
    const std::size_t quads = p.sampled / 4;
    if (quads == 0 || p.zeros * 8 < p.sampled) return std::nullopt;  // a stray zero or two: not wide
    const auto most = [&](std::size_t count) { return count * 10 >= quads * 9; };
    const auto few = [&](std::size_t count) { return count * 10 <= quads; };
    if (most(p.at[2]) && most(p.at[3]) && few(p.at[0])) return decoded(utf32ToUtf8(bytes, Order::Little));
    if (most(p.at[0]) && most(p.at[1]) && few(p.at[3])) return decoded(utf32ToUtf8(bytes, Order::Big));
    const std::size_t even = p.at[0] + p.at[2];
    const std::size_t odd = p.at[1] + p.at[3];
    const std::size_t pairs = p.sampled / 2;
    if (odd * 10 >= pairs * 6 && even * 10 <= pairs) return decoded(utf16ToUtf8(bytes, Order::Little));
    if (even * 10 >= pairs * 6 && odd * 10 <= pairs) return decoded(utf16ToUtf8(bytes, Order::Big));
    return DecodedText{{},
                       "Le fichier contient des octets nuls sans être un texte en UTF-16 ni en UTF-32 : "
                       "ce n'est pas un fichier de mesures. Enregistrez-le depuis le tableur au format "
                       "« CSV UTF-8 » ou « Texte »."};
}

}  // namespace

DecodedText decodeText(std::span<const unsigned char> bytes) {
    if (startsWith(bytes, {0xEF, 0xBB, 0xBF})) {
        const std::string_view rest(reinterpret_cast<const char*>(bytes.data()) + 3, bytes.size() - 3);
        // Bad sequences become U+FFFD, so that what follows never meets broken UTF-8.
        if (numbers::isValidUtf8(rest)) return decoded(std::string(rest));
        std::string out;
        for (const char32_t c : numbers::decodeUtf8(rest)) numbers::appendUtf8(out, c);
        return decoded(std::move(out));
    }
    // UTF-32's little-endian mark begins as UTF-16's does.
    if (startsWith(bytes, {0xFF, 0xFE, 0x00, 0x00}))
        return decoded(utf32ToUtf8(bytes.subspan(4), Order::Little));
    if (startsWith(bytes, {0x00, 0x00, 0xFE, 0xFF}))
        return decoded(utf32ToUtf8(bytes.subspan(4), Order::Big));
    if (startsWith(bytes, {0xFF, 0xFE})) return decoded(utf16ToUtf8(bytes.subspan(2), Order::Little));
    if (startsWith(bytes, {0xFE, 0xFF})) return decoded(utf16ToUtf8(bytes.subspan(2), Order::Big));
    if (auto wide = wideWithoutMark(bytes)) return std::move(*wide);
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (numbers::isValidUtf8(text)) return decoded(std::string(text));
    return decoded(numbers::windows1252ToUtf8(text));
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
