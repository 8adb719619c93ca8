#include "chemistry/distribution.h"

#include <cmath>

#include "chemistry/phsolver.h"
#include "chemistry/phsweep.h"
#include "numbers/single.h"

namespace chemistry {

double acidFormFraction(double pH, double K, bool beakerIsAcid) {
    const double h = std::pow(10.0, -pH);
    const double ka = beakerIsAcid ? K : kKe / K;
    const double fraction = h / (h + ka);
    return std::isfinite(fraction) ? fraction : std::nan("");
}

namespace {

// Computes the two percentages at a pH into `vertex`, through the concentrations of both forms
// (mol · L-1) as the table of values has them. A failing step keeps the percentages of `vertex`.
void shareAt(DistributionVertex& vertex, const EngineState& state, bool beakerIsAcid) {
    const double A = state.dilutedConcentration;
    float acidForm = 0;
    float basicForm = 0;
    if (!numbers::storeSingle(acidForm, A * acidFormFraction(vertex.pH, state.constantK, beakerIsAcid))) {
        return;
    }
    if (!numbers::storeSingle(basicForm, A - acidForm)) return;
    const double total = static_cast<double>(acidForm) + basicForm;
    numbers::storeSingle(vertex.acidPercent, 100 * acidForm / total);
    numbers::storeSingle(vertex.basicPercent, 100 * basicForm / total);
}

}  // namespace

std::vector<DistributionVertex> distributionDiagram(EngineState& state, bool beakerIsAcid) {
    std::vector<DistributionVertex> vertices;
    vertices.reserve(72);
    // The percentages of a vertex start from the previous one's, so a failing step repeats them.
    DistributionVertex vertex;
    const auto add = [&](float volume, float pH) {
        vertex.volume = volume;
        vertex.pH = pH;
        shareAt(vertex, state, beakerIsAcid);
        vertices.push_back(vertex);
    };
    walkTitrationCurve(state, beakerIsAcid, add);
    return vertices;
}

}  // namespace chemistry
