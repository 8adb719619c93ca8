#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "chemistry/chemistry.h"
#include "tests/randomtext.h"

using namespace chemistry;

namespace {

bool finite(const TitrationPoint& p) {
    return std::isfinite(p.volume) && std::isfinite(p.pH) && std::isfinite(p.hydronium) &&
           std::isfinite(p.hydroxide) && std::isfinite(p.acidForm) && std::isfinite(p.basicForm);
}

}  // namespace

TEST(Robustness, RandomTextsInEveryFieldNeverGiveNaNAndAlwaysEnd) {
    std::mt19937 rng(20261208);
    std::uniform_int_distribution<int> species(-2, 21);
    SpeciesCatalogue catalogue;
    EngineState state;
    for (int run = 0; run < 3000; ++run) {
        SolutionSpec solution;
        solution.beakerIsAcid = run % 2 == 0;
        solution.speciesIndex = species(rng);
        solution.otherPKa = testing_support::randomText(rng);
        solution.beakerConcentration = testing_support::randomText(rng);
        solution.beakerVolume = testing_support::randomText(rng);
        solution.waterVolume = testing_support::randomText(rng);
        solution.titrantConcentration = testing_support::randomText(rng);
        solution.pouredVolume = testing_support::randomText(rng);
        const float pH = computeCurrentPoint(solution, catalogue, state);
        ASSERT_FALSE(std::isnan(pH)) << solution.beakerConcentration.text() << " | "
                                     << solution.pouredVolume.text();
        const TitrationPoint point = makeTitrationPoint(state, solution.beakerIsAcid);
        ASSERT_TRUE(finite(point)) << solution.beakerConcentration.text() << " | "
                                   << solution.titrantConcentration.text();
        if (run % 10 == 0) {
            for (const auto& vertex : traceCurve(solution, catalogue, state)) {
                ASSERT_TRUE(std::isfinite(vertex.volume) && std::isfinite(vertex.pH));
            }
            for (const auto& row : replayMeasurements(solution, catalogue, 1 + run % 10, state).rows) {
                ASSERT_TRUE(finite(row));
            }
            computeCurrentPoint(solution, catalogue, state);
            const EngineState panel = state;
            for (const auto& v : distributionDiagram(state, solution.beakerIsAcid)) {
                ASSERT_TRUE(std::isfinite(v.acidPercent) && std::isfinite(v.basicPercent));
            }
            state = panel;
        }
    }
}
