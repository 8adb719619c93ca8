#pragma once
// The distribution diagram: the shares of the acid and basic forms of the beaker's species
// against the poured volume, from the chemistry model of the set-up.
#include <vector>

#include "chemistry/solution.h"
#include "numbers/rgb.h"

namespace chemistry {

// The share (0 to 1) of the acid form of the beaker's pair at a pH: h / (h + Ka) with
// h = 10^(−pH), where Ka is K for an acid in the beaker and Ke / K (the constant of the conjugate
// acid) for a base. NaN when it cannot be computed.
double acidFormFraction(double pH, double K, bool beakerIsAcid);

// One point of both curves.
struct DistributionVertex {
    float volume = 0;  // mL
    float pH = 0;
    float acidPercent = 0;   // % of the species in its acid form
    float basicPercent = 0;  // % in its basic form

    bool operator==(const DistributionVertex&) const = default;
};

// The two curves share their volumes: the first vertex is the pair of dots at 0 mL, each
// following vertex ends a segment of each curve from the previous one, and the last is the point
// at 25 mL. Sampled every 0.2 in pH (pOH for a base) as the theoretical curve; a strong species
// (K = 1) is taken with K = 1e35 after its initial pH, so both its curves are flat. The state is
// left at the 25 mL point, with K = 1e35 for a strong species.
std::vector<DistributionVertex> distributionDiagram(EngineState& state, bool beakerIsAcid);

}  // namespace chemistry
