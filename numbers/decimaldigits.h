#pragma once
#include <string_view>

namespace numbers {

// A non-negative decimal value as a digit string and the position of the decimal point:
// value = 0.d1d2d3... x 10^pointPosition. "125" with point 0 is 0.125, with point 2 is 12.5.
// No digit at all is zero. Held in a fixed buffer: formatting runs on every pouring tick.
class DecimalDigits {
  public:
    static constexpr int kMaxDigits = 17;

    // The digits of |value| rounded to `significant` significant digits (1 to 17), trailing
    // zeros removed. A value that is not finite gives zero.
    static DecimalDigits of(double value, int significant);

    // Rounds half away from zero so that at most `keep` digits remain (keep may be 0 or negative:
    // everything is dropped, possibly carrying into a new leading digit).
    void roundToDigitCount(int keep);
    // Rounds half away from zero to `decimals` digits after the decimal point.
    void roundToDecimals(int decimals) { roundToDigitCount(m_pointPosition + decimals); }

    bool isZero() const { return m_count == 0; }
    int pointPosition() const { return m_pointPosition; }
    std::string_view digits() const { return {m_digits, static_cast<std::size_t>(m_count)}; }
    // Digit at a position relative to the decimal point: position 0 is the first digit after
    // the point, -1 the units, -2 the tens...; '0' outside the stored digits.
    char digitAt(int offsetFromPoint) const;

  private:
    void trimTrailingZeros();

    char m_digits[kMaxDigits + 1] = {};
    int m_count = 0;
    int m_pointPosition = 0;
};

}  // namespace numbers
