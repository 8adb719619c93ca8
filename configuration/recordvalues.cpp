#include "configuration/recordvalues.h"

#include <cmath>

#include "numbers/decimalreader.h"

namespace configuration {

std::string flagText(bool value) {
    return value ? "1" : "0";
}

bool flagOf(std::string_view text) {
    return text == "1";
}

std::string integerText(std::int16_t value) {
    const int v = value;
    std::string text(1, v < 0 ? '-' : ' ');
    text += std::to_string(v < 0 ? -v : v);
    return text;
}

double roundHalfEven(double value) {
    if (!std::isfinite(value)) return value;
    if (std::fabs(value - std::trunc(value)) == 0.5) return 2.0 * std::round(value / 2.0);
    return std::round(value);
}

std::optional<std::int16_t> integerOf(std::string_view text) {
    const double rounded = roundHalfEven(numbers::readDecimal(text));
    if (!std::isfinite(rounded) || rounded < -32768.0 || rounded > 32767.0) return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

}  // namespace configuration
