#include "numbers/decimaldigits.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace numbers {

DecimalDigits DecimalDigits::of(double value, int significant) {
    DecimalDigits result;
    value = std::fabs(value);
    if (value == 0.0 || !std::isfinite(value)) return result;
    significant = std::clamp(significant, 1, 17);
    char buffer[64];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, significant - 1);
    if (error != std::errc()) return result;
    const std::string_view text(buffer, static_cast<std::size_t>(end - buffer));
    const auto e = text.find('e');
    for (std::size_t i = 0; i < e; ++i) {
        if (text[i] >= '0' && text[i] <= '9') result.digits += text[i];
    }
    int exponent = 0;
    std::from_chars(text.data() + e + 1 + (text[e + 1] == '+' ? 1 : 0), text.data() + text.size(), exponent);
    result.pointPosition = exponent + 1;
    while (!result.digits.empty() && result.digits.back() == '0') result.digits.pop_back();
    return result;
}

void DecimalDigits::roundToDigitCount(int keep) {
    if (digits.empty() || keep >= static_cast<int>(digits.size())) return;
    if (keep < 0) {
        digits.clear();
        return;
    }
    const bool up = digits[static_cast<std::size_t>(keep)] >= '5';
    digits.resize(static_cast<std::size_t>(keep));
    if (up) {
        int i = keep - 1;
        while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9') {
            digits[static_cast<std::size_t>(i)] = '0';
            --i;
        }
        if (i >= 0) {
            ++digits[static_cast<std::size_t>(i)];
        } else {
            digits.insert(digits.begin(), '1');
            ++pointPosition;
        }
    }
    while (!digits.empty() && digits.back() == '0') digits.pop_back();
    if (digits.empty()) pointPosition = 0;
}

char DecimalDigits::digitAt(int offsetFromPoint) const {
    const int index = pointPosition + offsetFromPoint;
    if (index < 0 || index >= static_cast<int>(digits.size())) return '0';
    return digits[static_cast<std::size_t>(index)];
}

}  // namespace numbers
