#pragma once
// Measured points written as the tests think of them: a volume, a pH and, when not 0, σ.
#include <initializer_list>
#include <vector>

#include "measurements/measuredpoint.h"
#include "state/meters.h"

namespace testing_points {

struct PhPoint {
    double volume = 0;
    double pH = 0;
    double sigma = 0;  // 0: not measured
};

inline measurements::MeasuredPoint labPoint(double volume, double pH, double sigma = 0) {
    measurements::MeasuredPoint point;
    point.volume = volume;
    point.set(state::phReading().slot, pH);
    if (sigma != 0) point.set(state::conductivityReading().slot, sigma);
    return point;
}

inline measurements::MeasuredPoint labPoint(const PhPoint& p) {
    return labPoint(p.volume, p.pH, p.sigma);
}

inline std::vector<measurements::MeasuredPoint> labPoints(const std::vector<PhPoint>& points) {
    std::vector<measurements::MeasuredPoint> out;
    for (const PhPoint& p : points) out.push_back(labPoint(p));
    return out;
}

inline double pHOf(const measurements::MeasuredPoint& point) {
    return point.reading(state::phReading().slot);
}

inline double sigmaOf(const measurements::MeasuredPoint& point) {
    return point.reading(state::conductivityReading().slot);
}

}  // namespace testing_points
