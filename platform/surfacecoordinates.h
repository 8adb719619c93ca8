#pragma once
// How a surface reads the coordinates it is given, shared by its shapes and its text.
#include <cmath>
#include <optional>

namespace platform::surfacecoordinates {

// Beyond this a coordinate is refused: a drawing that far out is a computation gone wrong.
inline constexpr double kMaxCoordinate = 32767.0;

// A coordinate rounded to a whole logical pixel; none when it is not finite or out of range.
inline std::optional<int> whole(double value) {
    if (!std::isfinite(value) || std::abs(value) > kMaxCoordinate) return std::nullopt;
    return static_cast<int>(std::floor(value + 0.5));
}

}  // namespace platform::surfacecoordinates
