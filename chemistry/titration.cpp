#include "chemistry/titration.h"

#include <cmath>

#include "chemistry/titrationmodel.h"
#include "numbers/picture.h"
#include "numbers/single.h"

namespace chemistry {

float computeCurrentPoint(const SolutionSpec& solution, const SpeciesCatalogue& catalogue,
                          EngineState& state) {
    state = deriveEngineState(solution, catalogue, state);
    return makeTitrationModel(solution, catalogue)->solve(state);
}

TitrationPoint measuredPoint(const SolutionSpec& solution, const SpeciesCatalogue& catalogue,
                             const EngineState& state) {
    return makeTitrationModel(solution, catalogue)->point(state);
}

std::vector<CurveVertex> traceCurve(const SolutionSpec& solution, const SpeciesCatalogue& catalogue,
                                    EngineState& state) {
    state = deriveEngineState(solution, catalogue, state);
    return makeTitrationModel(solution, catalogue)->curve(state);
}

std::vector<CurveVertex> traceCurve(const Situation& situation, const SpeciesCatalogue& catalogue,
                                    EngineState& state) {
    return traceCurve(specOf(situation), catalogue, state);
}

Replay replayMeasurements(SolutionSpec solution, const SpeciesCatalogue& catalogue, int stepTenths,
                          EngineState& state) {
    Replay replay;
    solution.pouredVolume = numbers::formatPicture(0.0, "####0.0");
    state = deriveEngineState(solution, catalogue, state);
    state.pouredVolume = 0;
    const auto model = makeTitrationModel(solution, catalogue);
    model->solveBeforePouring(state);
    replay.rows.push_back(model->point(state));
    // Only the poured volume changes from row to row: the rest of the state is derived once.
    const EngineState base = state;
    // The rows the tap records: each whole multiple of the step, counted in tenths of a
    // millilitre so that no rounding of a running sum adds a row or loses one, up to the
    // burette's capacity and never beyond it. A step of 0 would record nothing.
    const int lastTenths = static_cast<int>(std::lround(kBuretteCapacity * 10));
    int tenths = 0;
    if (stepTenths > 0) {
        replay.rows.reserve(static_cast<std::size_t>(lastTenths / stepTenths) + 1);
        while (tenths + stepTenths <= lastTenths) {
            tenths += stepTenths;
            EngineState next = base;
            numbers::storeSingle(next.pouredVolume, tenths / 10.0);
            next.solvedConcentration = state.solvedConcentration;
            next.pH = state.pH;
            next.equivalenceVolume = state.equivalenceVolume;
            state = next;
            model->solve(state);
            replay.rows.push_back(model->point(state));
        }
    }
    replay.lastPouredVolumeText = numbers::formatPicture(tenths / 10.0, "####0.0");
    return replay;
}

}  // namespace chemistry
