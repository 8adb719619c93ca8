#include "numbers/generalwriter.h"

#include <cmath>
#include <cstdlib>

#include "numbers/decimaldigits.h"

namespace numbers {

namespace {

std::string exponentText(int exponent) {
    std::string text = exponent < 0 ? "E-" : "E+";
    const int magnitude = std::abs(exponent);
    if (magnitude < 10) text += '0';
    text += std::to_string(magnitude);
    return text;
}

}  // namespace

std::string formatGeneral(double value) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value > 0 ? "Inf" : "-Inf";
    const DecimalDigits d = DecimalDigits::of(value, 15);
    if (d.isZero()) return "0";
    std::string text = value < 0 ? "-" : "";
    const int exponent = d.pointPosition() - 1;
    if (exponent < -4 || exponent >= 15) {
        text += d.digits().front();
        if (d.digits().size() > 1) {
            text += '.';
            text.append(d.digits().substr(1));
        }
        return text + exponentText(exponent);
    }
    if (d.pointPosition() <= 0) {
        text += '.';
        text.append(static_cast<std::size_t>(-d.pointPosition()), '0');
        return text.append(d.digits());
    }
    const auto point = static_cast<std::size_t>(d.pointPosition());
    if (d.digits().size() <= point) {
        text.append(d.digits());
        text.append(point - d.digits().size(), '0');
        return text;
    }
    text.append(d.digits().substr(0, point));
    text += '.';
    text.append(d.digits().substr(point));
    return text;
}

}  // namespace numbers
