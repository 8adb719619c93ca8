#include "numbers/decimalreader.h"

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
        // from_chars leaves the value untouched: tell an overflow from an underflow by the exponent.
        const auto e = view.find_first_of("eE");
        const bool tiny = e != std::string_view::npos && e + 1 < view.size() && view[e + 1] == '-';
        value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    } else if (error != std::errc()) {
        value = 0.0;
    }
    return negative ? -value : value;
}

}  // namespace

double readDecimal(std::string_view text) {
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
    if (!digits) return 0.0;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) exponent += text[j++];
        bool expDigits = false;
        while (j < text.size() && isDigit(text[j])) {
            exponent += text[j++];
            expDigits = true;
        }
        if (expDigits) clean += exponent;
    }
    // "5." and "-.5" are both understood by strtod.
    return parseClean(clean);
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
