#pragma once
// Points measured in the lab, as the reader gives them and the fit and the export take them.
#include <cstddef>

namespace measurements {

// The burette's range and the pH-meter's, which every measured point keeps within.
inline constexpr double kMaxVolume = 25.0;  // mL
inline constexpr double kMinPh = 0.0;
inline constexpr double kMaxPh = 14.0;
// The most points one situation keeps, whichever way they came (an import, the entry window, a
// configuration file): the configuration file has room for ten situations of that many.
inline constexpr std::size_t kMaxSituationPoints = 60000;

struct MeasuredPoint {
    double volume = 0;  // poured, mL
    double pH = 0;
    double conductivity = 0;  // σ, mS · cm-1; 0 when the file has no σ column
    bool operator==(const MeasuredPoint&) const = default;
};

// A vertex of a computed curve (the fitted one, or the theoretical one the export writes).
struct CurvePoint {
    double volume = 0;  // mL
    double pH = 0;
    bool operator==(const CurvePoint&) const = default;
};

}  // namespace measurements
