#include "numbers/uncertaintytext.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "numbers/picture.h"

namespace numbers {

namespace {

// " × 10⁻²"; nothing for 10⁰.
std::string powerOfTen(int exponent) {
    if (exponent == 0) return "";
    static const char* const kSuperscripts[] = {"⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹"};
    std::string power = exponent < 0 ? "⁻" : "";
    for (const char digit : std::to_string(std::abs(exponent))) power += kSuperscripts[digit - '0'];
    return " × 10" + power;
}

// The decimal place an uncertainty u > 0 is written to: its first significant digit, and the next
// one too when the first is a 1 (rounding 0,014 to 0,01 would make it a third smaller).
int uncertaintyDecimals(double u) {
    int exponent = static_cast<int>(std::floor(std::log10(u)));
    double leading = u / std::pow(10.0, exponent);
    // log10 may land a hair off a power of ten.
    if (leading >= 10) {
        ++exponent;
        leading /= 10;
    } else if (leading < 1) {
        --exponent;
        leading *= 10;
    }
    // 0,097 is written 0,10.
    if (leading >= 9.5) {
        ++exponent;
        leading = 1;
    }
    return (leading < 2 ? 1 : 0) - exponent;
}

// `value` rounded to `decimals` places (to tens, hundreds… when negative), with a decimal comma;
// no more places than a double holds digits.
std::string fixed(double value, int decimals) {
    decimals = std::min(decimals, 12);
    if (decimals <= 0) {
        const double unit = std::pow(10.0, -decimals);
        return numbers::formatPicture(std::round(value / unit) * unit, "#0");
    }
    return numbers::formatPicture(value, "#0." + std::string(static_cast<std::size_t>(decimals), '0'));
}

}  // namespace

std::string scientific(double value, int significant) {
    significant = std::clamp(significant, 1, 15);
    const std::string picture =
        significant == 1 ? "0E+00"
                         : "0." + std::string(static_cast<std::size_t>(significant - 1), '0') + "E+00";
    std::string text = numbers::formatPicture(value, picture);
    const std::size_t e = text.find('E');
    if (e == std::string::npos) return text;
    return text.substr(0, e) + powerOfTen(std::atoi(text.c_str() + e + 1));
}

std::string scientificWithUncertainty(double value, double halfWidth) {
    int exponent = static_cast<int>(std::floor(std::log10(std::abs(value))));
    std::string text;
    // A mantissa that rounds up to 10 moves to the next power: 9,9996 → 1,0000 × 10¹.
    for (int pass = 0; pass < 3; ++pass) {
        const double scale = std::pow(10.0, exponent);
        const int decimals = uncertaintyDecimals(halfWidth / scale);
        const std::string mantissa = fixed(value / scale, decimals);
        if (mantissa.starts_with("10") && pass < 2) {
            ++exponent;
            continue;
        }
        text = "(" + mantissa + " ± " + fixed(halfWidth / scale, decimals) + ")" + powerOfTen(exponent);
        break;
    }
    return text;
}

std::string withUncertainty(double value, double halfWidth) {
    const int decimals = uncertaintyDecimals(halfWidth);
    return fixed(value, decimals) + " ± " + fixed(halfWidth, decimals);
}

}  // namespace numbers
