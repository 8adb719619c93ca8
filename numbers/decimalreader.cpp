#include "numbers/decimalreader.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace numbers {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The power of ten of the first significant digit of "digits[.digits][e[-+]digits]" plus one: 1 for
// 1 to 9.99, 0 for .1 to .999, -1 for .01... Zero is 0. Saturated far beyond the range of a double.
long long decimalMagnitude(std::string_view unsignedClean) {
    constexpr long long kFar = 1'000'000'000;
    const std::size_t e = std::min(unsignedClean.find('e'), unsignedClean.size());
    const std::string_view mantissa = unsignedClean.substr(0, e);
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_of("123456789");
    if (first == std::string_view::npos) return 0;
    long long magnitude =
        first < point ? static_cast<long long>(point - first) : -static_cast<long long>(first - point - 1);
    long long exponent = 0;
    std::size_t i = e + 1;
    const bool negative = i < unsignedClean.size() && unsignedClean[i] == '-';
    if (i < unsignedClean.size() && (unsignedClean[i] == '-' || unsignedClean[i] == '+')) ++i;
    for (; i < unsignedClean.size(); ++i) exponent = std::min(kFar, exponent * 10 + (unsignedClean[i] - '0'));
    magnitude += negative ? -exponent : exponent;
    return magnitude;
}

// Parses a cleaned text "[-+]digits[.digits][e[-+]digits]" whatever the process locale is
// (Qt sets the C library's locale from the environment, which would change strtod).
double parseClean(const std::string& clean) {
    std::string_view view = clean;
    bool negative = false;
    if (!view.empty() && (view.front() == '+' || view.front() == '-')) {
        negative = view.front() == '-';
        view.remove_prefix(1);
    }
    if (view.empty()) return 0.0;
    double value = 0.0;
    const auto [end, error] = std::from_chars(view.data(), view.data() + view.size(), value);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        // from_chars leaves the value untouched: an overflow or an underflow, told by the magnitude.
        value = decimalMagnitude(view) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (error != std::errc()) {
        value = 0.0;
    }
    return negative ? -value : value;
}

// The number at the start of `text` as readDecimal understands it: its cleaned form for parseClean
// (empty when there is no digit) and where it ends.
struct ScannedDecimal {
    std::string clean;
    std::size_t end = 0;
};

ScannedDecimal scanDecimal(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r')) ++i;
    std::string clean;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) clean += text[i++];
    bool digits = false;
    while (i < text.size() && isDigit(text[i])) {
        clean += text[i++];
        digits = true;
    }
    if (i < text.size() && text[i] == '.') {
        clean += text[i++];
        while (i < text.size() && isDigit(text[i])) {
            clean += text[i++];
            digits = true;
        }
    }
    if (!digits) return {};
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) exponent += text[j++];
        bool expDigits = false;
        while (j < text.size() && isDigit(text[j])) {
            exponent += text[j++];
            expDigits = true;
        }
        if (expDigits) {
            clean += exponent;
            i = j;
        }
    }
    return {std::move(clean), i};
}

}  // namespace

double readDecimal(std::string_view text) {
    // "5." and "-.5" are both understood by from_chars once the sign is off.
    const ScannedDecimal scanned = scanDecimal(text);
    return scanned.clean.empty() ? 0.0 : parseClean(scanned.clean);
}

bool isDecimalText(std::string_view text) {
    if (text.empty() || text.front() == ' ' || text.front() == '\t' || text.front() == '\n' ||
        text.front() == '\r') {
        return false;
    }
    const ScannedDecimal scanned = scanDecimal(text);
    return !scanned.clean.empty() && scanned.end == text.size();
}

std::optional<double> readTypedNumber(std::string_view text) {
    std::string clean;
    clean.reserve(text.size());
    std::size_t i = 0;
    const auto skipBlanks = [&] {
        while (i < text.size()) {
            if (text[i] == ' ' || text[i] == '\t') {
                ++i;
            } else if (i + 1 < text.size() && static_cast<unsigned char>(text[i]) == 0xC2 &&
                       static_cast<unsigned char>(text[i + 1]) == 0xA0) {
                i += 2;  // no-break space, the French digit-group separator
            } else {
                break;
            }
        }
    };
    skipBlanks();
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) clean += text[i++];
    skipBlanks();
    bool digits = false;
    bool separator = false;
    while (i < text.size()) {
        const char c = text[i];
        if (isDigit(c)) {
            clean += c;
            digits = true;
            ++i;
        } else if ((c == ',' || c == '.') && !separator) {
            clean += '.';
            separator = true;
            ++i;
        } else if (c == ' ' || c == '\t' || static_cast<unsigned char>(c) == 0xC2) {
            const std::size_t before = i;
            skipBlanks();
            if (i == before) return std::nullopt;
        } else {
            break;
        }
    }
    if (!digits) return std::nullopt;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        clean += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) clean += text[i++];
        bool expDigits = false;
        while (i < text.size() && isDigit(text[i])) {
            clean += text[i++];
            expDigits = true;
        }
        if (!expDigits) return std::nullopt;
    }
    skipBlanks();
    if (i != text.size()) return std::nullopt;
    const double value = parseClean(clean);
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

double readTypedNumberOr(std::string_view text, double fallback) {
    return readTypedNumber(text).value_or(fallback);
}

}  // namespace numbers
