#pragma once
// Points measured in the lab, as the reader gives them and the fit and the export take them.
#include <array>
#include <cstddef>
#include <cstdint>

namespace measurements {

// The burette's range and the pH-meter's, which every measured point keeps within.
inline constexpr double kMaxVolume = 25.0;  // mL
inline constexpr double kMinPh = 0.0;
inline constexpr double kMaxPh = 14.0;
// The most points one situation keeps, whichever way they came (an import, the entry window, a
// configuration file): the configuration file has room for ten situations of that many.
inline constexpr std::size_t kMaxSituationPoints = 60000;
// The most meters a point holds readings of, each in its place (see LabReading::slot).
inline constexpr std::size_t kMaxReadings = 4;

struct MeasuredPoint {
    // No brace lists: a point's readings are put in their places with set().
    MeasuredPoint() = default;
    explicit MeasuredPoint(double poured) : volume(poured) {}

    double volume = 0;  // poured, mL
    std::array<double, kMaxReadings> readings{};
    std::uint8_t measured = 0;  // bit `slot` set: that reading was measured

    bool has(std::size_t slot) const { return slot < kMaxReadings && ((measured >> slot) & 1U) != 0; }
    // The reading in that place, 0 when it was not measured.
    double reading(std::size_t slot) const { return has(slot) ? readings[slot] : 0.0; }
    void set(std::size_t slot, double value) {
        if (slot >= kMaxReadings) return;
        readings[slot] = value;
        measured = static_cast<std::uint8_t>(measured | (1U << slot));
    }
    bool operator==(const MeasuredPoint&) const = default;
};

// A vertex of a computed curve (the fitted one, or the theoretical one the export writes): the
// fitted meter's value, or the pH.
struct CurvePoint {
    double volume = 0;  // mL
    double value = 0;
    bool operator==(const CurvePoint&) const = default;
};

}  // namespace measurements
