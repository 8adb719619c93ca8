#include "calculator/functionvalue.h"

#include <cmath>
#include <limits>
#include <optional>

#include "numbers/trigonometry.h"

namespace calculator {

namespace {

double pi() {
    return 4.0 * std::atan(1.0);
}

// Arc sine through the arc tangent; outside -1..1 the square root is NaN and the caller fails.
double arcSine(double x) {
    if (x == 1.0) return pi() / 2.0;
    if (x == -1.0) return -pi() / 2.0;
    return std::atan(x / std::sqrt(1.0 - x * x));
}

// In degrees a multiple of 90 is a whole number of quarter turns, whose sine and cosine are 0, 1 or
// -1 exactly: through an inexact π / 180 they would come out as noise such as 6.12E-17 for cos 90.
// fmod is exact, so even a huge multiple is recognised.
std::optional<int> quarterTurns(double degrees) {
    if (std::fmod(degrees, 90.0) != 0.0) return std::nullopt;
    const int turns = static_cast<int>(std::fmod(degrees, 360.0) / 90.0);  // -3 to 3
    return (turns + 4) % 4;
}

double rightAngleValue(std::string_view word, int quarters) {
    constexpr double kSine[] = {0.0, 1.0, 0.0, -1.0};
    constexpr double kCosine[] = {1.0, 0.0, -1.0, 0.0};
    if (word == "SIN") return kSine[quarters];
    if (word == "COS") return kCosine[quarters];
    // The tangent of an odd number of right angles does not exist.
    return quarters % 2 == 0 ? 0.0 : std::numeric_limits<double>::quiet_NaN();
}

}  // namespace

double functionValue(std::string_view word, double x, int angleMode) {
    const bool degrees = angleMode != kRadians;
    const bool trigonometric = word == "SIN" || word == "COS" || word == "TAN";
    if (degrees && trigonometric) {
        if (const auto quarters = quarterTurns(x)) return rightAngleValue(word, *quarters);
    }
    const double toRadians = degrees ? pi() / 180.0 : 1.0;
    const double fromRadians = degrees ? 180.0 / pi() : 1.0;
    if (word == "SQR") return std::sqrt(x);
    if (word == "EXP") return std::exp(x);
    if (word == "LOG") return std::log(x) / std::log(10.0);
    if (word == "LON") return std::log(x);
    if (word == "SIN") return numbers::sine(x * toRadians);
    if (word == "COS") return numbers::cosine(x * toRadians);
    if (word == "TAN") return numbers::tangent(x * toRadians);
    if (word == "ISI") return arcSine(x) * fromRadians;
    if (word == "ICO") return (pi() / 2.0 - arcSine(x)) * fromRadians;
    return std::atan(x) * fromRadians;  // ITA
}

}  // namespace calculator
