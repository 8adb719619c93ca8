#pragma once
#include <array>
#include <string>
#include <vector>

#include "chemistry/solution.h"

namespace chemistry {

class SpeciesCatalogue;

// The burette holds 25 mL; the poured volume never exceeds it.
inline constexpr double kBuretteCapacity = 25.0;

// One measurement.
struct TitrationPoint {
    double volume = 0;  // poured volume, mL
    double pH = 0;
    double hydronium = 0;  // [H3O+], mol · L-1
    double hydroxide = 0;  // [HO-], mol · L-1
    double acidForm = 0;   // acid form of the beaker's pair (conjugate acid for a base), mol · L-1
    double basicForm = 0;  // basic form, mol · L-1
    // With several pairs or two solutes, every form of each solute found in water instead,
    // mol · L-1: the first solute's from its fully protonated form, then the second's.
    std::array<double, 8> forms{};
    int formCount = 0;
    // The counter-ions the titrant and the salts bring, as σ counts them, mol · L-1.
    double sodium = 0;    // [Na⁺]
    double chloride = 0;  // [Cl⁻]
    // An oxidation-reduction titration's potential of a platinum electrode against the standard
    // hydrogen electrode, V; 0 for the other kinds.
    double potential = 0;
    bool operator==(const TitrationPoint&) const = default;
};

// Derives the state from the panel's parameters and solves the current point: the beaker alone
// when the poured volume is exactly 0, the mixture otherwise. Stores and returns the pH.
float computeCurrentPoint(const SolutionSpec& solution, const SpeciesCatalogue& catalogue,
                          EngineState& state);

// The measurement of the single-pair solver for the state's poured volume and pH, without the
// counter-ions. At 0 mL the pH is taken from the solved concentration of the beaker alone (which
// does not set the pH field).
TitrationPoint makeTitrationPoint(const EngineState& state, bool beakerIsAcid);
// The measurement of a set-up at the state's poured volume and pH, as the set-up's model gives it
// (titrationmodel.h), with every species' concentration.
TitrationPoint measuredPoint(const SolutionSpec& solution, const SpeciesCatalogue& catalogue,
                             const EngineState& state);

struct CurveVertex {
    float volume = 0;  // mL
    float pH = 0;
    bool operator==(const CurveVertex&) const = default;
};

// The theoretical curve of a set-up, from 0 to 25 mL: equal steps of 0.2 in pH from the initial
// point, so the vertices crowd where the curve is flat and spread across the jump, then the point
// at 25 mL. A strong species (K = 1) is traced with K = 1e35 after its initial pH. `state` is
// derived from the set-up first and left at the 25 mL point.
std::vector<CurveVertex> traceCurve(const SolutionSpec& solution, const SpeciesCatalogue& catalogue,
                                    EngineState& state);
std::vector<CurveVertex> traceCurve(const Situation& situation, const SpeciesCatalogue& catalogue,
                                    EngineState& state);

// A finished titration replayed from 0 to 25 mL at a measuring step, as the table of values is
// rebuilt: one row at 0 mL, then one row per step while the accumulated volume plus 0.1 mL does
// not exceed 25 mL.
struct Replay {
    std::vector<TitrationPoint> rows;
    std::string lastPouredVolumeText;  // the panel's poured volume after the replay
};
Replay replayMeasurements(SolutionSpec solution, const SpeciesCatalogue& catalogue, int stepTenths,
                          EngineState& state);

}  // namespace chemistry
