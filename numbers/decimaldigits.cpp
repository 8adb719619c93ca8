#include "numbers/decimaldigits.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace numbers {

DecimalDigits DecimalDigits::of(double value, int significant) {
    DecimalDigits result;
    value = std::fabs(value);
    if (value == 0.0 || !std::isfinite(value)) return result;
    significant = std::clamp(significant, 1, kMaxDigits);
    // "d.ddde-xx": the correctly rounded decimal of the exact binary value.
    char buffer[48];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, significant - 1);
    if (written.ec != std::errc()) return result;
    const char* p = buffer;
    for (; p < written.ptr && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9' && result.m_count < kMaxDigits) result.m_digits[result.m_count++] = *p;
    }
    if (p >= written.ptr) return DecimalDigits{};
    ++p;
    if (p < written.ptr && *p == '+') ++p;
    int exponent = 0;
    std::from_chars(p, written.ptr, exponent);
    result.m_pointPosition = exponent + 1;
    result.trimTrailingZeros();
    return result;
}

void DecimalDigits::trimTrailingZeros() {
    while (m_count > 0 && m_digits[m_count - 1] == '0') --m_count;
    if (m_count == 0) m_pointPosition = 0;
}

void DecimalDigits::roundToDigitCount(int keep) {
    if (m_count == 0 || keep >= m_count) return;
    if (keep < 0) {
        m_count = 0;
        m_pointPosition = 0;
        return;
    }
    const bool up = m_digits[keep] >= '5';
    m_count = keep;
    if (up) {
        int i = keep - 1;
        while (i >= 0 && m_digits[i] == '9') {
            m_digits[i] = '0';
            --i;
        }
        if (i >= 0) {
            ++m_digits[i];
        } else {
            // All nines carried over: the value becomes 1 followed by zeros, one place higher.
            m_digits[0] = '1';
            m_count = 1;
            ++m_pointPosition;
        }
    }
    trimTrailingZeros();
}

char DecimalDigits::digitAt(int offsetFromPoint) const {
    const int index = m_pointPosition + offsetFromPoint;
    if (index < 0 || index >= m_count) return '0';
    return m_digits[index];
}

}  // namespace numbers
