#pragma once
// A crowded bench, for the history's tests and benchmarks: ten traced situations, each with 1 000
// lab points, all shown superposed: 10 000 measurements.
#include <string>

#include "state/actions.h"
#include "state/labmeasurements.h"
#include "tests/labpoints.h"

namespace testbench {

inline state::BenchState crowdedBench() {
    state::BenchState bench;
    state::setDefaults(bench);
    state::start(bench);
    state::setSuperposeCurves(bench, true);
    for (int slot = 0; slot < state::kSituationCount; ++slot) {
        state::switchSituation(bench, slot);
        state::setFieldText(bench, state::Field::BeakerConcentration, "0,0" + std::to_string(slot + 1));
        state::validateField(bench, state::Field::BeakerConcentration);
        state::quickTrace(bench);
        state::MeasuredPoints points;
        for (int i = 0; i < 1000; ++i) {
            const double v = i * 0.025;
            points.push_back(testing_points::labPoint(v, 2.5 + 0.35 * v + 0.01 * slot));
        }
        state::setMeasurements(bench, std::move(points));
    }
    return bench;
}

}  // namespace testbench
